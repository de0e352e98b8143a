// Every text the program puts into a message box or a code comment, stored already composed
// with the separators the program adds around the language file's value.
#pragma once

#include <array>
#include <functional>
#include <string>

enum class Msg {
    Editor_data_base = 1,
    Delay_Size,
    Frequency_Oscillator,
    Gen_Code,
    No_profile,
    Delay,
    machine_cycles,
    Delay_Size_Range,
    Calculator,
    Calculator_1,
    No_Data,
    Error_Delay,
    Error_Delay_1,
    No_Profile_Edit,
    Del_Profile,
    Error_Del_Profile,
    No_Chose_Del_Profile,
    No_Profile_Name,
    Forbidden_Profile_Name,
    No_Filled_Field,
    ProfileName_Exists,
    Memory_Error,
    microsecond,
    millisecond,
    second,
    minute,
    hour,
    day,
    MHZ,
    KHZ,
    HZ,
    Save_Error,
    Forbidden_Asm_Name,
    Call_Return,
    W_Times_Entry,  // the W-times routine's header: how W gives n, then the counter's name
    No_Routine_Name,
    Bad_Routine_Name,
    Few_Registers,
    Profiles_Merged,
    Bad_Data_Address,  // a profile's DataAddress that is no address
    Actual_Time,       // the header line of a rounded calculator count: the actual time
    Time_Error,        // and its error, in per cent
    Profile_Renamed,   // then the profile's new name in quotes
    Button_Yes,        // the message boxes' standard buttons
    Button_No,
    Button_OK,
    Web_Copy,  // the page's own buttons and notes
    Web_Import,
    Web_Export,
    Web_Language_File,
    Web_Import_Bad,
    Web_Link_No_Profile,
    Web_Form_Name,  // what a screen reader calls the two controls the window has no label for
    Web_Output_Name,
    Web_Copied,        // Copy's note that it copied, on the button and said aloud
    Web_Access_Name,   // then the register's number: a screen reader's name of its access combo
    Web_Banner_Name,   // the About banner, a link to the program's web page
    Web_Language_Tag,  // the language's tag for the page's lang attribute (BCP 47)
    Web_Link_Bad,  // a link that cannot be read: this, then what is wrong with it
    Web_Link_Too_Long,
    Web_Link_Unknown_Key,
    Web_Link_No_Value,
    Web_Link_Twice,
    Web_Link_Not_Utf8,
    Web_Link_Cycles_Or_Time,
    Web_Link_Time_Freq,
    Web_Link_Time_Unit,
    Web_Link_Freq_Unit,
    Web_Link_Wdt,
    Web_Link_Form,
    Web_Link_No_Name,
    Web_Link_Number,
    Web_Link_Declare,
    Web_Link_Syntax,
    Web_Refused,         // what a screen reader says for the beep of a refused keystroke or paste
    Web_Import_Unknown,  // a file with nothing the program reads
    Web_Import_Ask,      // then the profiles on the page and in the file, one a line
    Web_Import_Profiles_Here,
    Web_Import_Profiles_In_File,
    Web_Storage_Refused,  // the browser's storage faults: each its cause and the way out
    Web_Storage_Full,
    Web_Storage_Failed,  // then the browser's own words
};

inline constexpr int kMessageCount = static_cast<int>(Msg::Web_Storage_Failed);

class MessageTexts {
  public:
    const std::string& operator[](Msg id) const { return texts_[static_cast<int>(id)]; }
    std::string& operator[](Msg id) { return texts_[static_cast<int>(id)]; }

  private:
    std::array<std::string, kMessageCount + 1> texts_;  // index 0 unused
};

// `read(key, fallback)` gives a key's trimmed value, or the fallback when it is missing; it is
// asked once per key, in the language file's order.
MessageTexts ComposeMessageTexts(
    const std::function<std::string(const char* key, const char* fallback)>& read);
// The composed built-in texts.
MessageTexts DefaultMessageTexts();

// The profile editor's message box title until a language is applied (so while a first
// language file that cannot be read is in force); applying one makes it the Editor_data_base
// text.
std::string StartEditorTitle();
