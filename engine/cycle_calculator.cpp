#include "engine/cycle_calculator.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "engine/cycle_count.h"
#include "engine/delay_messages.h"
#include "engine/number_text.h"
#include "engine/solve_delay.h"

using namespace gadget;

int CalculateCycles(AppState& app) {
    ui::Gadgets& g = app.gadgets;
    const CycleCount count =
        ComputeCycleCount(g.Text(kTimeField), g.State(kTimeUnitCombo), g.Text(kFrequencyField),
                          g.State(kFrequencyUnitCombo));
    if (count.outcome != CycleCountOutcome::Cycles) {
        const MessageText m = CalculatorMessage(app.messages, count.outcome, g.Text(kTimeLabel),
                                                g.Text(kFrequencyLabel));
        // A count that cannot be had leaves no stale count behind; an empty field leaves it.
        if (m.isError)
            g.SetText(kCyclesField, "");
        g.ShowMessage(m.title, m.text,
                      m.isError ? ui::MessageIcon::Error : ui::MessageIcon::Warning,
                      ui::MessageButtons::Ok);
        return 0;
    }
    g.SetText(kCyclesField, WriteIntegerText(count.cycles));
    return g.State(kWatchdogCheck) == 0 ? SolveDelay(app, kOutputBox, count.cycles, 1)
                                        : SolveDelayWdt(app, kOutputBox, count.cycles, 1);
}
