#include "app/ui_text_places.h"

#include <array>
#include <map>

#include "app/gadget_ids.h"
#include "i18n/ui_text_table.h"

namespace {

enum class UiTarget {
    Caption,           // gadget (and `second`, when not -1)
    ToolTip,           // gadget
    ComboItem,         // item `second` of gadget; the combo is refilled keeping its selection
    PageTitle,         // page `second` of the panel
    RegisterCaptions,  // gadgets 32..39: text + " № " + n + ":"
    Paragraph,         // paragraph `second` of the gadget's caption, on a line of its own
};

struct UiTextPlace {
    const char* key;  // of the text table
    UiTarget target;
    int gadget;
    int second;
};

using namespace gadget;
constexpr UiTarget kCaption = UiTarget::Caption;
constexpr UiTarget kTip = UiTarget::ToolTip;
constexpr UiTarget kItem = UiTarget::ComboItem;
constexpr UiTarget kPage = UiTarget::PageTitle;

constexpr std::array<UiTextPlace, 42> kPlaces{{
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
    {"About_Text_1", UiTarget::Paragraph, kAboutText, 0},
    {"About_Text_2", UiTarget::Paragraph, kAboutText, 1},
    {"Credit_Line", kCaption, kCreditLine, -1},
}};

std::string RegisterCaption(const std::string& text, int n) {
    return text + " № " + std::to_string(n) + ":";
}

// A caption of paragraphs, each indented by two blanks (a language file's values lose their
// leading blanks).
void AddParagraph(std::vector<std::string>& paragraphs, int at, const std::string& text) {
    if (static_cast<int>(paragraphs.size()) <= at)
        paragraphs.resize(static_cast<std::size_t>(at) + 1);
    paragraphs[static_cast<std::size_t>(at)] = text;
}

std::string JoinParagraphs(const std::vector<std::string>& paragraphs) {
    std::string caption;
    for (const std::string& p : paragraphs)
        caption += (caption.empty() ? "  " : "\n  ") + p;
    return caption;
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

void ApplyUiTexts(ui::Gadgets& g, const std::vector<std::string>& texts) {
    // Combo items and paragraphs are gathered first: each combo is refilled once, keeping its
    // selection, and each caption of paragraphs is set once.
    std::map<int, std::vector<std::string>> comboItems, paragraphs;
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
            case UiTarget::Paragraph:
                AddParagraph(paragraphs[t.gadget], t.second, text);
                break;
        }
    });
    for (const auto& [gadget, texts] : paragraphs)
        g.SetText(gadget, JoinParagraphs(texts));
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
    std::map<int, std::vector<std::string>> paragraphs;
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
            case UiTarget::Paragraph:
                AddParagraph(paragraphs[t.gadget], t.second, text);
                break;
        }
    });
    for (const auto& [gadget, texts] : paragraphs)
        at(gadget).caption = JoinParagraphs(texts);
}
