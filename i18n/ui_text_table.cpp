#include "i18n/ui_text_table.h"

#include <array>
#include <map>

#include "app/gadget_ids.h"

namespace {

using namespace gadget;
constexpr UiTarget kCaption = UiTarget::Caption;
constexpr UiTarget kTip = UiTarget::ToolTip;
constexpr UiTarget kItem = UiTarget::ComboItem;
constexpr UiTarget kPage = UiTarget::PageTitle;

constexpr std::array<UiText, 35> kTable{{
    {"Loopsmith", "Language", "Язык:", kCaption, kLanguageLabel, -1},
    {"Loopsmith", "Calculator", "Калькулятор", kCaption, kCalculatorCheck, kCalculatorFrame},
    {"Loopsmith", "Profile", "Профиль", kCaption, kProfileLabel, -1},
    {"Loopsmith", "Time_Pause", "Время задержки", kCaption, kTimeFrame, -1},
    {"Loopsmith", "Time_Variant", "Время задано в:", kCaption, kTimeUnitLabel, -1},
    {"Loopsmith", "Time", "Время:", kCaption, kTimeLabel, -1},
    {"Loopsmith", "Frequency_Oscillator", "Частота задающего генератора", kCaption, kFrequencyFrame,
     -1},
    {"Loopsmith", "Frequency_Oscillator_Variant", "Частота генератора задана в:", kCaption,
     kFrequencyUnitLabel, -1},
    {"Loopsmith", "Frequency", "Частота:", kCaption, kFrequencyLabel, -1},
    {"Loopsmith", "Clear_Watchdog", "Обнулять сторожевой таймер  WDT", kCaption, kWatchdogCheck,
     -1},
    {"Loopsmith", "Clear_Watchdog_ToolTip", "Добавить в код инструкцию \"Clrwdt\"", kTip,
     kWatchdogCheck, -1},
    {"Loopsmith", "Delay", "Длительность задержки в машинных циклах:", kCaption, kCyclesLabel, -1},
    {"Loopsmith", "Calculation", "Рассчитать", kCaption, kCalculateButton, -1},
    {"Loopsmith", "Calculation_ToolTip", "Преобразование данных в ассемблерный код", kTip,
     kCalculateButton, -1},
    {"Loopsmith", "microsecond", "Микросекундах", kItem, kTimeUnitCombo, 0},
    {"Loopsmith", "millisecond", "Миллисекундах", kItem, kTimeUnitCombo, 1},
    {"Loopsmith", "second", "Секундах", kItem, kTimeUnitCombo, 2},
    {"Loopsmith", "minute", "Минутах", kItem, kTimeUnitCombo, 3},
    {"Loopsmith", "hour", "Часах", kItem, kTimeUnitCombo, 4},
    {"Loopsmith", "day", "Сутках", kItem, kTimeUnitCombo, 5},
    {"Loopsmith", "megahertz", "Мегагерцах", kItem, kFrequencyUnitCombo, 0},
    {"Loopsmith", "kilohertz", "Килогерцах", kItem, kFrequencyUnitCombo, 1},
    {"Loopsmith", "hertz", "Герцах", kItem, kFrequencyUnitCombo, 2},
    {"Edit_Profile", "Panel_Edit_Profile", "Редактирование профилей", kPage, kPanel, kPageEditor},
    {"Edit_Profile", "List_Profile", "Список профилей", kCaption, kProfileListLabel, -1},
    {"Edit_Profile", "Button_New", "Новый", kCaption, kNewButton, -1},
    {"Edit_Profile", "Button_Edit", "Изменить", kCaption, kEditButton, -1},
    {"Edit_Profile", "Button_Delete", "Удалить", kCaption, kDeleteButton, -1},
    {"Edit_Profile", "Profile_Name", "Имя профиля:", kCaption, kProfileNameLabel, -1},
    {"Edit_Profile", "Type_PIC", "Тип", kCaption, kFamilyLabel, -1},
    {"Edit_Profile", "Reg_Name", "Имя регистра", UiTarget::RegisterCaptions, kFirstRegisterLabel,
     -1},
    {"Edit_Profile", "Label_Name", "Имя метки:", kCaption, kLabelNameLabel, -1},
    {"Edit_Profile", "Button_OK", "ОК", kCaption, kOkButton, -1},  // Cyrillic О and К
    {"Edit_Profile", "Button_Cancel", "Отмена", kCaption, kCancelButton, -1},
    {"About", "Panel_About", "О программе", kPage, kPanel, kPageAbout},
}};

}  // namespace

std::span<const UiText> UiTextTable() {
    return kTable;
}

std::vector<std::string> ReadUiTexts(const LanguageReader& read) {
    std::vector<std::string> texts;
    for (const UiText& t : UiTextTable())
        texts.push_back(read(t.group, t.key, t.fallback));
    return texts;
}

void ApplyUiTexts(ui::Gadgets& g, const std::vector<std::string>& texts) {
    // Combo items are gathered first: each combo is refilled once, keeping its selection.
    std::map<int, std::vector<std::string>> comboItems;
    const std::span<const UiText> table = UiTextTable();
    for (std::size_t i = 0; i < table.size() && i < texts.size(); ++i) {
        const UiText& t = table[i];
        const std::string& text = texts[i];
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
                for (int n = 1; n <= 8; ++n) {
                    g.SetText(t.gadget + n - 1, text + " № " + std::to_string(n) + ":");
                }
                break;
        }
    }
    for (const auto& [combo, items] : comboItems) {
        const int selected = g.State(combo);
        g.ClearItems(combo);
        for (const std::string& item : items)
            g.AddItem(combo, item);
        g.SetState(combo, selected);
    }
}
