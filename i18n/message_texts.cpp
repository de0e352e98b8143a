#include "i18n/message_texts.h"

namespace {

constexpr const char* kTitle = "Loopsmith - ";

// One key of the group "Message".
struct MessageEntry {
    Msg id;
    const char* key;       // key in the language file's group "Message"
    const char* fallback;  // the built-in (Russian) text
    const char* prefix;    // added before the value
    const char* suffix;    // added after the value
};

constexpr std::array<MessageEntry, kMessageCount> kMessages{{
    {Msg::Editor_data_base, "Editor_data_base", "редактор базы данных", kTitle, ""},
    {Msg::Delay_Size, "Delay_Size", "Длительность задержки", "; ", " "},
    {Msg::Frequency_Oscillator, "Frequency_Oscillator", "Частота задающего генератора", "; ", " "},
    {Msg::Gen_Code, "Gen_Code", "генератор кода", kTitle, ""},
    {Msg::No_profile, "No_profile", "Не выбран профиль!", "", ""},
    {Msg::Delay, "Delay", "Задержка", "; ", " "},
    {Msg::machine_cycles, "machine_cycles", "машинных циклов", " ", ""},
    {Msg::Delay_Size_Range, "Delay_Size_Range", "Длительность задержки должна быть в диапазоне", "",
     " "},
    {Msg::Calculator, "Calculator", "калькулятор", kTitle, ""},
    {Msg::Calculator_1, "Calculator_1", "В поле", "", " "},
    {Msg::No_Data, "No_Data", "отсутствуют данные", " ", ""},
    {Msg::Error_Delay, "Error_Delay", "Задана слишком большая задержка!", "", ""},
    {Msg::Error_Delay_1, "Error_Delay_1",
     "При данной частоте \"кварца\" получить такую задержку НЕВОЗМОЖНО!", "", ""},
    {Msg::No_Profile_Edit, "No_Profile_Edit", "Не выбран профиль, который нужно редактировать!", "",
     ""},
    {Msg::Del_Profile, "Del_Profile", "Вы действительно хотите удалить профиль", "", " "},
    {Msg::Error_Del_Profile, "Error_Del_Profile", "Ошибка при удалении профиля!", "", ""},
    {Msg::No_Chose_Del_Profile, "No_Chose_Del_Profile", "Не выбран профиль, который нужно удалить!",
     "", ""},
    {Msg::No_Profile_Name, "No_Profile_Name", "Не заданно имя профиля!", "", ""},
    {Msg::Forbidden_Profile_Name, "Forbidden_Profile_Name", "запрещённое имя профиля!", " - ", ""},
    {Msg::No_Filled_Field, "No_Filled_Field", "Не заполнены некоторые поля!", "", ""},
    {Msg::ProfileName_Exists, "ProfileName_Exists", "Профиль с таким именем уже существует!", "",
     ""},
    {Msg::Memory_Error, "Memory_Error", "Произошла ошибка при работе с памятью", "", ""},
    {Msg::microsecond, "microsecond", "микросекунд", " ", ""},
    {Msg::millisecond, "millisecond", "миллисекунд", " ", ""},
    {Msg::second, "second", "секунд", " ", ""},
    {Msg::minute, "minute", "минут", " ", ""},
    {Msg::hour, "hour", "часов", " ", ""},
    {Msg::day, "day", "суток", " ", ""},
    {Msg::MHZ, "MHZ", "МГц", " ", ""},
    {Msg::KHZ, "KHZ", "кГц", " ", ""},
    {Msg::HZ, "HZ", "Гц", " ", ""},
    {Msg::Save_Error, "Save_Error", "Не удалось сохранить файл настроек!", "", ""},
    {Msg::Forbidden_Asm_Name, "Forbidden_Asm_Name",
     "недопустимое имя для ассемблера pic-as (латинские буквы, цифры и _, первой буква или _; "
     "не f, w, c, b, не команда и не имя регистра)!",
     " - ", ""},
    {Msg::Call_Return, "Call_Return", "включая вызов (call) и возврат (return)", "; ", ""},
    {Msg::W_Times_Entry, "W_Times_Entry", "n = W при входе (W = 0: n = 256), счётчик", "; ", " "},
    {Msg::No_Routine_Name, "No_Routine_Name", "Не задано имя подпрограммы!", "", ""},
    {Msg::Bad_Routine_Name, "Bad_Routine_Name",
     "недопустимое имя подпрограммы (латинские буквы, цифры и _, первой буква или _; не f, w, "
     "c, b, не команда, не метка цикла и не имя регистра)!",
     " - ", ""},
    {Msg::Few_Registers, "Few_Registers",
     "В профиле не хватает разных регистров для счётчика W и цикла задержки!", "", ""},
    {Msg::Profiles_Merged, "Profiles_Merged",
     "Файл настроек изменило другое окно программы, и оба окна изменили один и тот же профиль. "
     "Сохранено ваше изменение вместе с профилями из файла; список профилей обновлён.",
     "", ""},
    {Msg::Bad_Data_Address, "Bad_Data_Address",
     "недопустимый адрес регистров (0x и шестнадцатеричные цифры, десятичное число или udata)!",
     " - ", ""},
    {Msg::Actual_Time, "Actual_Time", "Фактическая длительность", "; ", " "},
    {Msg::Time_Error, "Time_Error", "погрешность", ", ", " "},
    {Msg::Profile_Renamed, "Profile_Renamed",
     "Файл настроек изменило другое окно программы, и в нём уже есть другой профиль с тем же "
     "именем. Сохранены оба профиля; ваш теперь называется",
     "", " "},
    {Msg::Button_Yes, "Button_Yes", "Да", "", ""},
    {Msg::Button_No, "Button_No", "Нет", "", ""},
    {Msg::Button_OK, "Button_OK", "ОК", "", ""},
    {Msg::Web_Copy, "Web_Copy", "Копировать", "", ""},
    {Msg::Web_Import, "Web_Import", "Импорт настроек…", "", ""},
    {Msg::Web_Export, "Web_Export", "Экспорт настроек", "", ""},
    {Msg::Web_Language_File, "Web_Language_File", "Файл языка…", "", ""},
    {Msg::Web_Import_Bad, "Web_Import_Bad",
     "Этот файл не является файлом настроек Loopsmith; ничего не изменено.", "", ""},
    {Msg::Web_Link_No_Profile, "Web_Link_No_Profile",
     "Профиля из ссылки здесь нет; код написан по встроенному профилю:", "", " "},
    {Msg::Web_Form_Name, "Web_Form_Name", "Форма кода", "", ""},
    {Msg::Web_Output_Name, "Web_Output_Name", "Код задержки", "", ""},
    {Msg::Web_Copied, "Web_Copied", "Скопировано", "", ""},
    {Msg::Web_Access_Name, "Web_Access_Name", "Доступ к регистру №", "", " "},
    {Msg::Web_Banner_Name, "Web_Banner_Name", "Веб-страница Loopsmith", "", ""},
    {Msg::Web_Language_Tag, "Web_Language_Tag", "ru", "", ""},
    {Msg::Web_Link_Bad, "Web_Link_Bad", "Ссылку не удалось прочитать:", "", " "},
    {Msg::Web_Link_Too_Long, "Web_Link_Too_Long", "она слишком длинная для ссылки этой страницы",
     "", ""},
    {Msg::Web_Link_Unknown_Key, "Web_Link_Unknown_Key", "этой странице неизвестен ключ", "", ""},
    {Msg::Web_Link_No_Value, "Web_Link_No_Value", "нет значения у ключа", "", ""},
    {Msg::Web_Link_Twice, "Web_Link_Twice", "больше одного значения у ключа", "", ""},
    {Msg::Web_Link_Not_Utf8, "Web_Link_Not_Utf8",
     "неверный %-код или текст не в UTF-8 в значении ключа", "", ""},
    {Msg::Web_Link_Cycles_Or_Time, "Web_Link_Cycles_Or_Time",
     "в ней должно быть либо cycles, либо time и freq", "", ""},
    {Msg::Web_Link_Time_Freq, "Web_Link_Time_Freq", "time и freq задаются только вместе", "", ""},
    {Msg::Web_Link_Time_Unit, "Web_Link_Time_Unit",
     "time-unit может быть только us, ms, s, min, h или d, а не", "", ""},
    {Msg::Web_Link_Freq_Unit, "Web_Link_Freq_Unit",
     "freq-unit может быть только MHz, kHz или Hz, а не", "", ""},
    {Msg::Web_Link_Wdt, "Web_Link_Wdt", "wdt может быть только 0 или 1, а не", "", ""},
    {Msg::Web_Link_Form, "Web_Link_Form",
     "form может быть только block, subroutine или w-times, а не", "", ""},
    {Msg::Web_Link_No_Name, "Web_Link_No_Name", "не задано имя подпрограммы (name)", "", ""},
    {Msg::Web_Link_Number, "Web_Link_Number", "в значении ключа не число", "", ""},
    {Msg::Web_Link_Declare, "Web_Link_Declare", "declare может быть только 0 или 1, а не", "", ""},
    {Msg::Web_Link_Syntax, "Web_Link_Syntax", "syntax может быть только classic или current, а не",
     "", ""},
    {Msg::Web_Refused, "Web_Refused", "Не принято: в этом поле только число", "", ""},
    {Msg::Web_Import_Unknown, "Web_Import_Unknown",
     "В этом файле нет ни настроек, ни профилей Loopsmith; ничего не изменено.", "", ""},
    {Msg::Web_Import_Ask, "Web_Import_Ask",
     "Импортировать этот файл? Его настройки и профили займут место настроек и профилей этой "
     "страницы; чего в файле нет, то останется как есть.",
     "", ""},
    {Msg::Web_Import_Profiles_Here, "Web_Import_Profiles_Here", "Профилей на этой странице:", "",
     " "},
    {Msg::Web_Import_Profiles_In_File, "Web_Import_Profiles_In_File", "Профилей в файле:", "", " "},
    {Msg::Web_Storage_Refused, "Web_Storage_Refused",
     "Браузер не даёт этой странице ничего хранить (его хранилище отключено или закрыто для "
     "неё). Страница работает дальше со своей копией, но лишь пока она открыта; чтобы "
     "сохранить изменения, экспортируйте настройки.",
     "", ""},
    {Msg::Web_Storage_Full, "Web_Storage_Full",
     "Хранилище браузера для этой страницы заполнено: файл настроек в него не помещается, и "
     "там остались прежние настройки. Страница работает дальше со своей копией, но лишь пока "
     "она открыта; чтобы сохранить изменения, экспортируйте настройки.",
     "", ""},
    {Msg::Web_Storage_Failed, "Web_Storage_Failed",
     "Браузер не смог записать файл настроек в хранилище, и там остались прежние настройки. "
     "Страница работает дальше со своей копией, но лишь пока она открыта; чтобы сохранить "
     "изменения, экспортируйте настройки. Ошибка браузера:",
     "", " "},
}};

}  // namespace

MessageTexts ComposeMessageTexts(
    const std::function<std::string(const char* key, const char* fallback)>& read) {
    MessageTexts texts;
    for (const MessageEntry& e : kMessages) {
        texts[e.id] = std::string(e.prefix) + read(e.key, e.fallback) + e.suffix;
    }
    return texts;
}

MessageTexts DefaultMessageTexts() {
    return ComposeMessageTexts(
        [](const char*, const char* fallback) { return std::string(fallback); });
}

std::string StartEditorTitle() {
    return std::string(kTitle) + "Редактор базы данных";
}
