#include "i18n/ui_text_table.h"

#include <array>

namespace {

constexpr std::array<UiText, 42> kTable{{
    {"Loopsmith", "Language", "Язык:"},
    {"Loopsmith", "Calculator", "Калькулятор"},
    {"Loopsmith", "Profile", "Профиль"},
    {"Loopsmith", "Time_Pause", "Время задержки"},
    {"Loopsmith", "Time_Variant", "Время задано в:"},
    {"Loopsmith", "Time", "Время:"},
    {"Loopsmith", "Frequency_Oscillator", "Частота задающего генератора"},
    {"Loopsmith", "Frequency_Oscillator_Variant", "Частота генератора задана в:"},
    {"Loopsmith", "Frequency", "Частота:"},
    {"Loopsmith", "Clear_Watchdog", "Обнулять сторожевой таймер  WDT"},
    {"Loopsmith", "Clear_Watchdog_ToolTip", "Добавить в код инструкцию \"Clrwdt\""},
    {"Loopsmith", "Delay", "Длительность задержки в машинных циклах:"},
    {"Loopsmith", "Calculation", "Рассчитать"},
    {"Loopsmith", "Calculation_ToolTip", "Преобразование данных в ассемблерный код"},
    {"Loopsmith", "microsecond", "Микросекундах"},
    {"Loopsmith", "millisecond", "Миллисекундах"},
    {"Loopsmith", "second", "Секундах"},
    {"Loopsmith", "minute", "Минутах"},
    {"Loopsmith", "hour", "Часах"},
    {"Loopsmith", "day", "Сутках"},
    {"Loopsmith", "megahertz", "Мегагерцах"},
    {"Loopsmith", "kilohertz", "Килогерцах"},
    {"Loopsmith", "hertz", "Герцах"},
    {"Loopsmith", "Form_Block", "блок кода"},
    {"Loopsmith", "Form_Subroutine", "подпрограмма"},
    {"Loopsmith", "Form_W_Times", "подпрограмма W × задержка"},
    {"Loopsmith", "Routine_Name", "Имя:"},
    {"Edit_Profile", "Panel_Edit_Profile", "Редактирование профилей"},
    {"Edit_Profile", "List_Profile", "Список профилей"},
    {"Edit_Profile", "Button_New", "Новый"},
    {"Edit_Profile", "Button_Edit", "Изменить"},
    {"Edit_Profile", "Button_Delete", "Удалить"},
    {"Edit_Profile", "Profile_Name", "Имя профиля:"},
    {"Edit_Profile", "Type_PIC", "Тип"},
    {"Edit_Profile", "Reg_Name", "Имя регистра"},
    {"Edit_Profile", "Label_Name", "Имя метки:"},
    {"Edit_Profile", "Button_OK", "ОК"},  // Cyrillic О and К
    {"Edit_Profile", "Button_Cancel", "Отмена"},
    {"About", "Panel_About", "О программе"},
    // The About text's paragraphs: each starts a line of its own, indented by the window.
    {"About", "About_Text_1",
     "Loopsmith   это программа, предназначенная для преобразования времени задержки в "
     "ассемблерный код для PIC контроллеров фирмы MicroChip."},
    {"About", "About_Text_2",
     "Исходными данными программы, является число машинных циклов, но при необходимости "
     "можно использовать встроенный калькулятор, который вычисляет число машинных циклов "
     "исходя из данных о длительности задержки и частоте задающего генератора "
     "микроконтроллера"},
    {"About", "Credit_Line", "Автор программы  —  команда Loopsmith"},
}};

}  // namespace

std::span<const UiText> UiTextTable() {
    return kTable;
}

int UiTextIndex(std::string_view key) {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (key == kTable[i].key)
            return static_cast<int>(i);
    }
    return -1;
}

std::string UiDefault(std::string_view key) {
    const int i = UiTextIndex(key);
    return i < 0 ? std::string() : std::string(kTable[static_cast<std::size_t>(i)].fallback);
}

std::vector<std::string> ReadUiTexts(const LanguageReader& read) {
    std::vector<std::string> texts;
    for (const UiText& t : UiTextTable())
        texts.push_back(read(t.group, t.key, t.fallback));
    return texts;
}
