#include "app/ui_text_places.h"

#include <array>
#include <map>

#include "app/gadget_ids.h"
#include "i18n/ui_text_table.h"

namespace {

using namespace gadget;
constexpr UiTarget kCaption = UiTarget::Caption;
constexpr UiTarget kTip = UiTarget::ToolTip;
constexpr UiTarget kItem = UiTarget::ComboItem;
constexpr UiTarget kPage = UiTarget::PageTitle;

constexpr std::array<UiTextPlace, 40> kPlaces{{
    {"Language", kCaption, kLanguageLabel, -1},
    {"Calculator", kCaption, kCalculatorCheck, kCalculatorFrame},
    {"Profile", kCaption, kProfileLabel, -1},
    {"Time_Pause", kCaption, kTimeFrame, -1},
    {"Time_Variant", kCaption, kTimeUnitLabel, -1},
    {"Time", kCaption, kTimeLabel, -1},
    {"Frequency_Oscillator", kCaption, kFrequencyFrame, -1},
    {"Frequency_Oscillator_Variant", kCaption, kFrequencyUnitLabel, -1},
    {"Frequency", kCaption, kFrequencyLabel, -1},
    {"Clear_Watchdog", kCaption, kWatchdogCheck, -1},
    {"Clear_Watchdog_ToolTip", kTip, kWatchdogCheck, -1},
    {"Delay", kCaption, kCyclesLabel, -1},
    {"Calculation", kCaption, kCalculateButton, -1},
    {"Calculation_ToolTip", kTip, kCalculateButton, -1},
    {"microsecond", kItem, kTimeUnitCombo, 0},
    {"millisecond", kItem, kTimeUnitCombo, 1},
    {"second", kItem, kTimeUnitCombo, 2},
    {"minute", kItem, kTimeUnitCombo, 3},
    {"hour", kItem, kTimeUnitCombo, 4},
    {"day", kItem, kTimeUnitCombo, 5},
    {"megahertz", kItem, kFrequencyUnitCombo, 0},
    {"kilohertz", kItem, kFrequencyUnitCombo, 1},
    {"hertz", kItem, kFrequencyUnitCombo, 2},
    {"Form_Block", kItem, kFormCombo, 0},
    {"Form_Subroutine", kItem, kFormCombo, 1},
    {"Form_W_Times", kItem, kFormCombo, 2},
    {"Routine_Name", kCaption, kRoutineNameLabel, -1},
    {"Declare_Registers", kCaption, kDeclareCheck, -1},
    {"Panel_Edit_Profile", kPage, kPanel, kPageEditor},
    {"List_Profile", kCaption, kProfileListLabel, -1},
    {"Button_New", kCaption, kNewButton, -1},
    {"Button_Edit", kCaption, kEditButton, -1},
    {"Button_Delete", kCaption, kDeleteButton, -1},
    {"Profile_Name", kCaption, kProfileNameLabel, -1},
    {"Type_PIC", kCaption, kFamilyLabel, -1},
    {"Reg_Name", UiTarget::RegisterCaptions, kFirstRegisterLabel, -1},
    {"Label_Name", kCaption, kLabelNameLabel, -1},
    {"Button_OK", kCaption, kOkButton, -1},
    {"Button_Cancel", kCaption, kCancelButton, -1},
    {"Panel_About", kPage, kPanel, kPageAbout},
}};

std::string RegisterCaption(const std::string& text, int n) {
    return text + " № " + std::to_string(n) + ":";
}

// Calls `put(place, text)` for every place, with the text of its key.
template <typename Put>
void ForEachPlace(const std::vector<std::string>& texts, Put put) {
    for (const UiTextPlace& place : kPlaces) {
        const int i = UiTextIndex(place.key);
        if (i >= 0 && static_cast<std::size_t>(i) < texts.size())
            put(place, texts[static_cast<std::size_t>(i)]);
    }
}

}  // namespace

std::span<const UiTextPlace> UiTextPlaces() {
    return kPlaces;
}

void ApplyUiTexts(ui::Gadgets& g, const std::vector<std::string>& texts) {
    // Combo items are gathered first: each combo is refilled once, keeping its selection.
    std::map<int, std::vector<std::string>> comboItems;
    ForEachPlace(texts, [&](const UiTextPlace& t, const std::string& text) {
        switch (t.target) {
            case UiTarget::Caption:
                g.SetText(t.gadget, text);
                if (t.second >= 0)
                    g.SetText(t.second, text);
                break;
            case UiTarget::ToolTip:
                g.SetToolTip(t.gadget, text);
                break;
            case UiTarget::ComboItem: {
                std::vector<std::string>& items = comboItems[t.gadget];
                if (static_cast<int>(items.size()) <= t.second)
                    items.resize(t.second + 1);
                items[t.second] = text;
                break;
            }
            case UiTarget::PageTitle:
                g.SetPageTitle(t.gadget, t.second, text);
                break;
            case UiTarget::RegisterCaptions:
                for (int n = 1; n <= 8; ++n)
                    g.SetText(t.gadget + n - 1, RegisterCaption(text, n));
                break;
        }
    });
    for (const auto& [combo, items] : comboItems) {
        const int selected = g.State(combo);
        g.ClearItems(combo);
        for (const std::string& item : items)
            g.AddItem(combo, item);
        g.SetState(combo, selected);
    }
}

void PlaceDefaultTexts(ui::WindowLayout& layout) {
    std::map<int, ui::GadgetLayout*> byNumber;
    for (ui::GadgetLayout& g : layout.gadgets)
        byNumber[g.number] = &g;
    const auto at = [&](int number) -> ui::GadgetLayout& { return *byNumber.at(number); };
    std::vector<std::string> defaults;
    for (const UiText& t : UiTextTable())
        defaults.emplace_back(t.fallback);
    ForEachPlace(defaults, [&](const UiTextPlace& t, const std::string& text) {
        switch (t.target) {
            case UiTarget::Caption:
                at(t.gadget).caption = text;
                if (t.second >= 0)
                    at(t.second).caption = text;
                break;
            case UiTarget::ToolTip:
                at(t.gadget).toolTip = text;
                break;
            case UiTarget::ComboItem:
            case UiTarget::PageTitle: {
                std::vector<std::string>& items = at(t.gadget).items;
                if (static_cast<int>(items.size()) <= t.second)
                    items.resize(t.second + 1);
                items[t.second] = text;
                break;
            }
            case UiTarget::RegisterCaptions:
                for (int n = 1; n <= 8; ++n)
                    at(t.gadget + n - 1).caption = RegisterCaption(text, n);
                break;
        }
    });
}
