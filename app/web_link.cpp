#include "app/web_link.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/app_state.h"
#include "app/calculator_mode.h"
#include "app/delay_page.h"
#include "app/gadget_ids.h"
#include "app/settings.h"
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
        g.ShowMessage(app.messages[Msg::Gen_Code], app.messages[Msg::Web_Link_No_Profile] + name,
                      ui::MessageIcon::Warning, ui::MessageButtons::Ok);
    }
    g.SetState(kProfileCombo, position);
}

// The sentence saying what is wrong with a link, in the window's language.
std::string LinkFaultMessage(const MessageTexts& texts, const ShareLinkRead& read) {
    static constexpr std::array<std::pair<LinkFault, Msg>, 12> kTexts = {{
        {LinkFault::TooLong, Msg::Web_Link_Too_Long},
        {LinkFault::UnknownKey, Msg::Web_Link_Unknown_Key},
        {LinkFault::NoValue, Msg::Web_Link_No_Value},
        {LinkFault::GivenTwice, Msg::Web_Link_Twice},
        {LinkFault::NotUtf8, Msg::Web_Link_Not_Utf8},
        {LinkFault::CyclesOrTime, Msg::Web_Link_Cycles_Or_Time},
        {LinkFault::TimeWithoutFreq, Msg::Web_Link_Time_Freq},
        {LinkFault::TimeUnit, Msg::Web_Link_Time_Unit},
        {LinkFault::FrequencyUnit, Msg::Web_Link_Freq_Unit},
        {LinkFault::Watchdog, Msg::Web_Link_Wdt},
        {LinkFault::Form, Msg::Web_Link_Form},
        {LinkFault::NoName, Msg::Web_Link_No_Name},
    }};
    std::string text = texts[Msg::Web_Link_Bad];
    for (const auto& [fault, msg] : kTexts)
        if (fault == read.fault)
            text += texts[msg];
    if (read.what)
        text += " \"" + *read.what + "\"";
    return text + ".";
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
        g.SetState(kTimeUnitCombo, r.calculator->timeUnit);
        g.SetText(kFrequencyField, r.calculator->frequencyText);
        g.SetState(kFrequencyUnitCombo, r.calculator->frequencyUnit);
    } else {
        g.SetText(kCyclesField, r.cyclesText);
    }
    g.SetState(kWatchdogCheck, r.watchdog ? 1 : 0);
    g.SetState(kFormCombo, FormIndex(r.routine.form));
    g.SetText(kRoutineNameField, r.routine.name);
    ApplyDelayForm(app);
    ChooseProfile(app, r.profile);
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
    page.SetFragment(MakeShareLink(r).substr(1));
}
