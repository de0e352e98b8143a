#include "programs/web/address_link.h"

#include <algorithm>
#include <string>

#include "app/app_state.h"
#include "app/calculator_mode.h"
#include "app/delay_page.h"
#include "app/gadget_ids.h"
#include "app/settings.h"
#include "base/utf8.h"
#include "engine/delay_messages.h"
#include "engine/share_link.h"
#include "i18n/message_texts.h"
#include "store/profile_store.h"
#include "ui/web/web_gadgets.h"

using namespace gadget;

namespace {

int FormIndex(DelayForm form) {
    return form == DelayForm::Subroutine ? 1 : form == DelayForm::WTimes ? 2 : 0;
}

void ChooseProfile(AppState& app, const std::string& name) {
    ui::Gadgets& g = app.gadgets;
    if (name.empty())
        return;
    int position = FindProfile(app.profiles, name);
    if (position < 0) {
        ProfileList builtIn;
        AddDefaultProfiles(builtIn);
        position = std::max(0, FindProfile(app.profiles, builtIn.front().Name));
        g.ShowMessage(app.messages[Msg::Gen_Code],
                      app.messages[Msg::Web_Link_No_Profile] + base::IsolatedForDisplay(name),
                      ui::MessageIcon::Warning, ui::MessageButtons::Ok);
    }
    g.SetState(kProfileCombo, position);
}

}  // namespace

void ApplyLinkOfAddress(AppState& app, ui::web::WebGadgets& page) {
    const std::string fragment = page.Fragment();
    if (fragment.empty())
        return;
    ui::Gadgets& g = app.gadgets;
    const ShareLinkRead read = ReadShareLink(fragment);
    if (!read.request) {
        g.ShowMessage(app.messages[Msg::Gen_Code], LinkFaultMessage(app.messages, read),
                      ui::MessageIcon::Error, ui::MessageButtons::Ok);
        return;
    }
    const ShareRequest& r = *read.request;
    const bool calculator = r.calculator.has_value();
    g.SetState(kCalculatorCheck, calculator ? 1 : 0);
    SetCalculatorMode(app, calculator);
    if (calculator) {
        g.SetText(kTimeField, r.calculator->timeText);
        g.SetState(kTimeUnitCombo, TimeUnitPosition(r.calculator->timeUnit));
        g.SetText(kFrequencyField, r.calculator->frequencyText);
        g.SetState(kFrequencyUnitCombo, r.calculator->frequencyUnit);
    } else {
        g.SetText(kCyclesField, r.cyclesText);
    }
    g.SetState(kWatchdogCheck, r.watchdog ? 1 : 0);
    g.SetState(kFormCombo, FormIndex(r.routine.form));
    g.SetText(kRoutineNameField, r.routine.name);
    g.SetState(kDeclareCheck, r.routine.declareRegisters ? 1 : 0);
    ApplyDelayForm(app);
    ChooseProfile(app, r.profile);
    app.linkSyntax.reset();
    if (r.syntax)
        app.linkSyntax = AppState::LinkSyntax{ShownProfileName(g), *r.syntax};
    g.PostClick(kCalculateButton);
}

void WriteLinkToAddress(AppState& app, ui::web::WebGadgets& page) {
    const ui::Gadgets& g = app.gadgets;
    ShareRequest r;
    if (g.State(kCalculatorCheck) != 0)
        r.calculator = CalculatorFields(g);
    else
        r.cyclesText = g.Text(kCyclesField);
    r.watchdog = g.State(kWatchdogCheck) != 0;
    r.profile = ShownProfileName(g);
    r.routine = SelectedRoutine(g);
    if (const std::optional<Profile> profile = SelectedProfile(app))
        r.syntax = profile->Syntax == kSyntaxCurrent ? kSyntaxCurrent : kSyntaxClassic;
    // An address the page would not open again is no address for the code: none then.
    page.SetFragment(ShareLinkFits(r) ? MakeShareLink(r).substr(1) : "");
}
