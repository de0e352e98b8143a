#include "app/delay_page.h"

#include <string>

#include "app/app_state.h"
#include "app/colors.h"
#include "app/gadget_ids.h"
#include "base/number_text.h"

using namespace gadget;

namespace {

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

DelayAnswer Answer(AppState& app, const DelayRequest& request) {
    const ui::Gadgets& g = app.gadgets;
    const std::optional<Profile> profile = SelectedProfile(app);
    return AnswerDelay(request, profile ? &*profile : nullptr, app.messages, Captions(g),
                       g.LineEnd());
}

// A typed count takes this road, the one loopsmith-cli takes too.
int Solve(AppState& app, std::int64_t delayCycles, Variant variant) {
    DelayRequest request;
    request.delayCycles = delayCycles;
    request.variant = variant;
    request.routine = SelectedRoutine(app.gadgets);
    return WriteDelayCode(app, Answer(app, request));
}

// The solver the watchdog check box chooses.
int SolveChosen(AppState& app, std::int64_t delayCycles) {
    return SelectedVariant(app.gadgets) == Variant::Plain ? SolveDelay(app, delayCycles)
                                                          : SolveDelayWdt(app, delayCycles);
}

}  // namespace

std::optional<Profile> SelectedProfile(const AppState& app) {
    const ui::Gadgets& g = app.gadgets;
    const int i = g.State(kProfileCombo);
    if (i < 0 || g.ItemText(kProfileCombo, i).empty())
        return std::nullopt;
    if (static_cast<std::size_t>(i) >= app.profiles.size())
        return std::nullopt;
    Profile profile = app.profiles[static_cast<std::size_t>(i)];
    if (app.linkSyntax && app.linkSyntax->profile == profile.Name)
        profile.Syntax = app.linkSyntax->syntax;
    return profile;
}

CalculatorLines CalculatorFields(const ui::Gadgets& g) {
    CalculatorLines calc;
    calc.timeText = g.Text(kTimeField);
    calc.timeUnit = TimeUnitAt(g.State(kTimeUnitCombo));
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
    if (SolveChosen(app, ReadIntegerText(g.Text(kCyclesField))) != 0)
        g.SetTextColor(kCyclesField, colors::kCalculated);
    g.Focus(kCyclesField);
}

int CalculateCycles(AppState& app) {
    ui::Gadgets& g = app.gadgets;
    // The count and its code from one reading of the fields.
    DelayRequest request;
    request.calculator = CalculatorFields(g);
    request.variant = SelectedVariant(g);
    request.routine = SelectedRoutine(g);
    const DelayAnswer answer = Answer(app, request);
    if (answer.delayCycles)
        g.SetText(kCyclesField, WriteIntegerText(*answer.delayCycles));
    else if (answer.message && answer.message->isError)
        g.SetText(kCyclesField, "");  // no stale count behind a count that cannot be had
    return WriteDelayCode(app, answer);
}

int SolveDelay(AppState& app, std::int64_t delayCycles) {
    return Solve(app, delayCycles, Variant::Plain);
}

int SolveDelayWdt(AppState& app, std::int64_t delayCycles) {
    return Solve(app, delayCycles, Variant::Watchdog);
}

int WriteDelayCode(AppState& app, const DelayAnswer& answer) {
    if (answer.message) {
        ShowAnswerMessage(app.gadgets, *answer.message);
        return 0;
    }
    app.gadgets.SetText(kOutputBox, answer.code);
    return 1;
}
