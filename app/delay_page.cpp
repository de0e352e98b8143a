#include "app/delay_page.h"

#include <string>

#include "app/app_state.h"
#include "app/colors.h"
#include "app/gadget_ids.h"
#include "base/number_text.h"

using namespace gadget;

namespace {

const Profile* SelectedProfile(const AppState& app) {
    const ui::Gadgets& g = app.gadgets;
    const int i = g.State(kProfileCombo);
    if (i < 0 || g.ItemText(kProfileCombo, i).empty())
        return nullptr;
    if (static_cast<std::size_t>(i) >= app.profiles.size())
        return nullptr;
    return &app.profiles[static_cast<std::size_t>(i)];
}

void ShowAnswerMessage(ui::Gadgets& g, const MessageText& m) {
    g.ShowMessage(m.title, m.text, m.isError ? ui::MessageIcon::Error : ui::MessageIcon::Warning,
                  ui::MessageButtons::Ok);
}

Variant SelectedVariant(const ui::Gadgets& g) {
    return g.State(kWatchdogCheck) == 0 ? Variant::Plain : Variant::Watchdog;
}

FieldCaptions Captions(const ui::Gadgets& g) {
    return {g.Text(kTimeLabel), g.Text(kFrequencyLabel)};
}

// Every delay the page shows takes this road, the one loopsmith-cli takes too. A count already
// read; with `fromCalculator` it came from the calculator's fields, whose lines then head the
// code.
int Solve(AppState& app, int outputGadget, std::int64_t delayCycles, int fromCalculator,
          Variant variant) {
    ui::Gadgets& g = app.gadgets;
    DelayRequest request;
    request.cyclesText = std::to_string(delayCycles);  // read back as the same count
    if (fromCalculator == 1)
        request.calculator = CalculatorFields(g);
    request.variant = variant;
    request.routine = SelectedRoutine(g);
    return WriteDelayCode(
        app, outputGadget,
        AnswerDelay(request, SelectedProfile(app), app.messages, Captions(g), g.LineEnd()));
}

// The solver the watchdog check box chooses.
int SolveChosen(AppState& app, std::int64_t delayCycles, int fromCalculator) {
    return SelectedVariant(app.gadgets) == Variant::Plain
               ? SolveDelay(app, kOutputBox, delayCycles, fromCalculator)
               : SolveDelayWdt(app, kOutputBox, delayCycles, fromCalculator);
}

}  // namespace

CalculatorLines CalculatorFields(const ui::Gadgets& g) {
    CalculatorLines calc;
    calc.timeText = g.Text(kTimeField);
    calc.timeUnit = g.State(kTimeUnitCombo);
    calc.frequencyText = g.Text(kFrequencyField);
    calc.frequencyUnit = g.State(kFrequencyUnitCombo);
    return calc;
}

DelayRoutine SelectedRoutine(const ui::Gadgets& g) {
    DelayRoutine routine;
    switch (g.State(kFormCombo)) {
        case 1:
            routine = {DelayForm::Subroutine, g.Text(kRoutineNameField)};
            break;
        case 2:
            routine = {DelayForm::WTimes, g.Text(kRoutineNameField)};
            break;
        default:
            break;
    }
    routine.declareRegisters = g.State(kDeclareCheck) != 0;
    return routine;
}

void ApplyDelayForm(AppState& app) {
    const bool named = app.gadgets.State(kFormCombo) > 0;
    app.gadgets.SetEnabled(kRoutineNameLabel, named);
    app.gadgets.SetEnabled(kRoutineNameField, named);
}

void CalculationRequest(AppState& app) {
    ui::Gadgets& g = app.gadgets;
    if (g.State(kCalculatorCheck) != 0) {
        if (CalculateCycles(app) != 0) {
            g.SetTextColor(kTimeField, colors::kBlack);
            g.SetTextColor(kFrequencyField, colors::kBlack);
        }
        g.Focus(kTimeField);
        return;
    }
    if (SolveChosen(app, ReadIntegerText(g.Text(kCyclesField)), 0) != 0)
        g.SetTextColor(kCyclesField, colors::kCalculated);
    g.Focus(kCyclesField);
}

int CalculateCycles(AppState& app) {
    ui::Gadgets& g = app.gadgets;
    DelayRequest request;
    request.calculator = CalculatorFields(g);
    request.writeCode = false;  // the count only: the solver writes the code
    const DelayAnswer answer = AnswerDelay(request, nullptr, app.messages, Captions(g));
    if (answer.delayCycles) {
        g.SetText(kCyclesField, WriteIntegerText(*answer.delayCycles));
        return SolveChosen(app, *answer.delayCycles, 1);
    }
    // A count that cannot be had leaves no stale count behind; an empty field leaves it.
    if (answer.message && answer.message->isError)
        g.SetText(kCyclesField, "");
    if (answer.message)
        ShowAnswerMessage(g, *answer.message);
    return 0;
}

int SolveDelay(AppState& app, int outputGadget, std::int64_t delayCycles, int fromCalculator) {
    return Solve(app, outputGadget, delayCycles, fromCalculator, Variant::Plain);
}

int SolveDelayWdt(AppState& app, int outputGadget, std::int64_t delayCycles, int fromCalculator) {
    return Solve(app, outputGadget, delayCycles, fromCalculator, Variant::Watchdog);
}

int WriteDelayCode(AppState& app, int outputGadget, const DelayAnswer& answer) {
    if (answer.message) {
        ShowAnswerMessage(app.gadgets, *answer.message);
        return 0;
    }
    app.gadgets.SetText(outputGadget, answer.code);
    return 1;
}
