#include "engine/solve_delay.h"

#include "app/app_state.h"
#include "engine/delay_messages.h"
#include "engine/plan_delay.h"
#include "engine/write_delay_code.h"

namespace {

int Solve(AppState& app, int outputGadget, std::int64_t delayCycles, int fromCalculator,
          Variant variant) {
    app.loopCounts.fill(0);  // a plan never carries counts of an earlier, deeper plan
    const std::optional<LoopPlan> plan = PlanDelay(delayCycles, variant);
    if (!plan) {
        const MessageText m = RangeMessage(app.messages, variant);
        app.gadgets.ShowMessage(m.title, m.text, ui::MessageIcon::Warning, ui::MessageButtons::Ok);
        return 0;
    }
    app.loopCounts = plan->counts;
    return WriteDelayCode(app, outputGadget, delayCycles, plan->registerCount, plan->tailNops,
                          plan->extraNop, plan->clearWatchdog, fromCalculator);
}

}  // namespace

int SolveDelay(AppState& app, int outputGadget, std::int64_t delayCycles, int fromCalculator) {
    return Solve(app, outputGadget, delayCycles, fromCalculator, Variant::Plain);
}

int SolveDelayWdt(AppState& app, int outputGadget, std::int64_t delayCycles, int fromCalculator) {
    return Solve(app, outputGadget, delayCycles, fromCalculator, Variant::Watchdog);
}
