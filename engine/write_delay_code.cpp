#include "engine/write_delay_code.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "engine/delay_code_text.h"
#include "engine/delay_messages.h"

namespace {

const Profile* SelectedProfile(const AppState& app) {
    const ui::Gadgets& g = app.gadgets;
    const int i = g.State(gadget::kProfileCombo);
    if (i < 0)
        return nullptr;
    if (g.ItemText(gadget::kProfileCombo, i).empty())
        return nullptr;
    if (static_cast<std::size_t>(i) >= app.profiles.size())
        return nullptr;
    return &app.profiles[static_cast<std::size_t>(i)];
}

}  // namespace

int WriteDelayCode(AppState& app, int outputGadget, std::int64_t delayCycles, int registerCount,
                   int tailNops, int extraNop, int clearWatchdog, int fromCalculator) {
    ui::Gadgets& g = app.gadgets;
    const Profile* profile = SelectedProfile(app);
    if (profile == nullptr) {
        const MessageText m = NoProfileMessage(app.messages);
        g.ShowMessage(m.title, m.text, ui::MessageIcon::Warning, ui::MessageButtons::Ok);
        return 0;
    }
    LoopPlan plan;
    plan.delayCycles = delayCycles;
    plan.registerCount = registerCount;
    plan.counts = app.loopCounts;
    plan.tailNops = tailNops;
    plan.extraNop = extraNop;
    plan.clearWatchdog = clearWatchdog;
    plan.fromCalculator = fromCalculator;

    CalculatorLines calc;
    if (fromCalculator == 1) {
        calc.timeText = g.Text(gadget::kTimeField);
        calc.timeUnit = g.State(gadget::kTimeUnitCombo);
        calc.frequencyText = g.Text(gadget::kFrequencyField);
        calc.frequencyUnit = g.State(gadget::kFrequencyUnitCombo);
    }
    g.SetText(outputGadget, DelayCodeText(plan, *profile, app.messages, &calc));
    return 1;
}
