#include "app/language.h"

#include <gtest/gtest.h>

#include "app/gadget_ids.h"
#include "app/startup.h"
#include "helpers/files_app_fixture.h"
#include "i18n/language_file.h"
#include "i18n/system_language.h"
#include "i18n/ui_text_table.h"
#include "store/key_value_text.h"

namespace {

using namespace testing_files;
using namespace gadget;
namespace fs = std::filesystem;

struct Languages : AppInFolder {
    // Only the built-in combo items stand before the first language is applied.
    void SelectLanguage(const std::string& name) {
        ListLanguages(app);
        const std::vector<std::string> items = Items(kLanguageCombo);
        const auto it = std::find(items.begin(), items.end(), name);
        ASSERT_NE(it, items.end()) << name;
        gadgets.SetState(kLanguageCombo, static_cast<int>(it - items.begin()));
        LoadSelectedLanguage(app);
    }
};

TEST_F(Languages, ListIsSortedAndHoldsOnlyLanguageFiles) {
    MakeLanguage("russian.lng", "");
    MakeLanguage("english.lng", "");
    MakeLanguage("Deutsch.LNG", "");
    MakeLanguage("notes.txt", "");
    MakeLanguage(".lng", "");
    fs::create_directory(app.files.languageFolders.front() / "folder.lng");
    ListLanguages(app);
    EXPECT_EQ(Items(kLanguageCombo),
              (std::vector<std::string>{"", "Deutsch", "english", "russian"}));
    EXPECT_TRUE(gadgets.IsEnabled(kLanguageCombo));
}

TEST_F(Languages, NoLanguageFileDisablesTheComboAndAppliesBuiltInTexts) {
    fs::create_directory(app.files.languageFolders.front());
    MakeLanguage("readme.txt", "");
    ListLanguages(app);
    EXPECT_EQ(gadgets.ItemCount(kLanguageCombo), 0);
    EXPECT_FALSE(gadgets.IsEnabled(kLanguageCombo));
    EXPECT_FALSE(gadgets.IsEnabled(kLanguageLabel));
    EXPECT_EQ(ResolveLanguageIndex(app, 0), -1);
    gadgets.SetText(kCalculatorCheck, "changed");
    LoadSelectedLanguage(app);
    EXPECT_TRUE(gadgets.Messages().empty());
    EXPECT_EQ(gadgets.Text(kCalculatorCheck), "Калькулятор");
    EXPECT_EQ(gadgets.Text(kOkButton), "ОК");
    EXPECT_EQ(app.editorTitle, "Loopsmith - редактор базы данных");
}

TEST_F(Languages, StoredIndexTheUsersLanguageOrTheRussianItem) {
    MakeLanguage("english.lng", "");
    MakeLanguage("Russian.lng", "");
    ListLanguages(app);
    EXPECT_EQ(ResolveLanguageIndex(app, 1), 1);
    EXPECT_EQ(ResolveLanguageIndex(app, 0), 0);
    EXPECT_EQ(ResolveLanguageIndex(app, 5), 1);
    EXPECT_EQ(ResolveLanguageIndex(app, -1), 1);
    app.systemLanguage = LanguageOfLocale("en_GB.UTF-8");
    EXPECT_EQ(ResolveLanguageIndex(app, -1), 0);
    EXPECT_EQ(ResolveLanguageIndex(app, 1), 1);  // a stored choice wins
    app.systemLanguage = LanguageOfLocale("de_AT@euro");
    EXPECT_EQ(ResolveLanguageIndex(app, -1), 1);  // no German file: Russian
    fs::remove(app.files.languageFolders.front() / "Russian.lng");
    ListLanguages(app);
    EXPECT_EQ(ResolveLanguageIndex(app, 3), -1);
}

TEST_F(Languages, PartialFileChangesItsKeysAndLeavesTheRestBuiltIn) {
    MakeLanguage("x.lng", kMark + "[Loopsmith]\r\nCalculator=Calc\r\n");
    SelectLanguage("x");
    EXPECT_EQ(gadgets.Text(kCalculatorCheck), "Calc");
    EXPECT_EQ(gadgets.Text(kCalculatorFrame), "Calc");
    EXPECT_EQ(gadgets.Text(kProfileLabel), "Профиль");
    EXPECT_EQ(app.messages[Msg::Calculator], "Loopsmith - калькулятор");
    EXPECT_EQ(app.messages[Msg::Delay], "; Задержка ");
}

TEST_F(Languages, ValuesAreTrimmedCaseBlindAndEmptyValuesStayEmpty) {
    MakeLanguage("x.lng",
                 kMark +
                     "[edit_profile]\nreg_name =   Register  \nbutton_new=\n"
                     "[MESSAGE]\nDelay =  Wait \nmachine_cycles=\n[ABOUT]\npanel_about=Info\n");
    SelectLanguage("x");
    EXPECT_EQ(gadgets.Text(kFirstRegisterLabel), "Register № 1:");
    EXPECT_EQ(gadgets.Text(kFirstRegisterLabel + 7), "Register № 8:");
    EXPECT_EQ(gadgets.Text(kNewButton), "");
    EXPECT_EQ(app.messages[Msg::Delay], "; Wait ");
    EXPECT_EQ(app.messages[Msg::machine_cycles], " ");
    EXPECT_EQ(gadgets.PageTitle(kPageAbout), "Info");
    EXPECT_EQ(gadgets.PageTitle(kPageEditor), "Редактирование профилей");
}

TEST_F(Languages, CombosAreRefilledKeepingTheirSelection) {
    MakeLanguage("x.lng", kMark + "[Loopsmith]\nhour=Hours\nhertz=Hz\n");
    gadgets.SetState(kTimeUnitCombo, 4);
    gadgets.SetState(kFrequencyUnitCombo, -1);
    SelectLanguage("x");
    EXPECT_EQ(Items(kTimeUnitCombo),
              (std::vector<std::string>{"Микросекундах", "Миллисекундах", "Секундах", "Минутах",
                                        "Hours", "Сутках"}));
    EXPECT_EQ(gadgets.State(kTimeUnitCombo), 4);
    EXPECT_EQ(Items(kFrequencyUnitCombo),
              (std::vector<std::string>{"Мегагерцах", "Килогерцах", "Hz"}));
    EXPECT_EQ(gadgets.State(kFrequencyUnitCombo), -1);
}

TEST_F(Languages, ToolTipsAndEditorTitleFollowTheLanguage) {
    MakeLanguage("x.lng",
                 kMark +
                     "[Loopsmith]\nClear_Watchdog_ToolTip=Tip 1\nCalculation_ToolTip=Tip 2\n"
                     "[Message]\nEditor_data_base=editor\n");
    SelectLanguage("x");
    EXPECT_EQ(gadgets.ToolTip(kWatchdogCheck), "Tip 1");
    EXPECT_EQ(gadgets.ToolTip(kCalculateButton), "Tip 2");
    EXPECT_EQ(app.editorTitle, "Loopsmith - editor");
    EXPECT_EQ(app.messages[Msg::Editor_data_base], "Loopsmith - editor");
}

TEST_F(Languages, FileWithoutMarkIsUtf8WhenValidElseLatin1) {
    const std::string cyrillic = "Калькулятор";
    MakeLanguage("x.lng", "[Loopsmith]\nCalculator=" + cyrillic + "\n");
    SelectLanguage("x");
    EXPECT_EQ(gadgets.Text(kCalculatorCheck), cyrillic);
    MakeLanguage("y.lng", "[Loopsmith]\nCalculator=" + cyrillic + "\xFF\n");
    SelectLanguage("y");
    EXPECT_EQ(gadgets.Text(kCalculatorCheck), kv::Latin1ToUtf8(cyrillic + "\xFF"));
}

TEST_F(Languages, GoneFileShowsTheFixedMessageAndChangesNothing) {
    MakeLanguage("english.lng", kMark + "[Loopsmith]\nCalculator=Calc\n");
    MakeLanguage("russian.lng", "");
    ListLanguages(app);
    gadgets.SetState(kLanguageCombo, 0);
    fs::remove(app.files.languageFolders.front() / "english.lng");
    const MessageTexts before = app.messages;
    LoadSelectedLanguage(app);
    ASSERT_EQ(gadgets.Messages().size(), 1u);
    const ui::ShownMessage& m = gadgets.Messages()[0];
    EXPECT_EQ(m.title, "Ошибка");
    EXPECT_EQ(m.text,
              "Отсутствует языковой файл \"english.lng\"\n\nNot language file  \"english.lng\"");
    EXPECT_EQ(m.icon, ui::MessageIcon::Error);
    EXPECT_EQ(m.buttons, ui::MessageButtons::Ok);
    EXPECT_EQ(gadgets.Text(kCalculatorCheck), "Калькулятор");
    EXPECT_EQ(app.messages[Msg::Delay], before[Msg::Delay]);

    // A folder in its place is just as missing.
    fs::create_directory(app.files.languageFolders.front() / "english.lng");
    LoadSelectedLanguage(app);
    EXPECT_EQ(gadgets.Messages().size(), 2u);
}

TEST_F(Languages, FailedFirstLoadLeavesTheBuiltInMessages) {
    ApplyLanguage(app, app.files.languageFolders.front() / "none.lng");
    EXPECT_EQ(gadgets.Messages().size(), 1u);
    EXPECT_EQ(app.messages[Msg::Gen_Code], "Loopsmith - генератор кода");
    EXPECT_EQ(app.messages[Msg::Save_Error], "Не удалось сохранить файл настроек!");
    EXPECT_EQ(app.editorTitle, StartEditorTitle());  // with its capital, until a language applies
}

TEST_F(Languages, MessageButtonsAreBuiltInFromTheStartThenFollowTheFile) {
    MakeLanguage("x.lng", kMark + "[Message]\r\nButton_Yes=Ja\r\nButton_OK=Gut\r\n");
    StartUp(app);  // "x" is not picked at a first start: the built-in texts stay
    ApplyLanguage(app, app.files.languageFolders.front() / "gone.lng");
    SelectLanguage("x");
    gadgets.ShowMessage("t", "q", ui::MessageIcon::Question, ui::MessageButtons::YesNo);
    gadgets.ShowMessage("t", "w", ui::MessageIcon::Warning, ui::MessageButtons::Ok);
    ApplyLanguage(app, {});
    gadgets.ShowMessage("t", "q", ui::MessageIcon::Question, ui::MessageButtons::YesNo);
    const std::vector<ui::ShownMessage>& shown = gadgets.Messages();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].buttonTexts, std::vector<std::string>{"ОК"});
    EXPECT_EQ(shown[1].buttonTexts, (std::vector<std::string>{"Ja", "Нет"}));
    EXPECT_EQ(shown[2].buttonTexts, std::vector<std::string>{"Gut"});
    EXPECT_EQ(shown[3].buttonTexts, (std::vector<std::string>{"Да", "Нет"}));
}

TEST_F(Languages, ExtensionInOtherLetterCaseIsFoundWhenPicked) {
    MakeLanguage("Deutsch.LNG", kMark + "[Loopsmith]\nProfile=Profil\n");
    SelectLanguage("Deutsch");
    EXPECT_TRUE(gadgets.Messages().empty());
    EXPECT_EQ(gadgets.Text(kProfileLabel), "Profil");
}

#ifndef _WIN32  // a file name that is no valid UTF-8
TEST_F(Languages, ANameThatIsNoUtf8IsListedSanitizedAndCanBeChosen) {
    MakeLanguage("\xFF.lng", kMark + "[Loopsmith]\nProfile=Profil\n");
    SelectLanguage("\xEF\xBF\xBD");
    EXPECT_TRUE(gadgets.Messages().empty());
    EXPECT_EQ(gadgets.Text(kProfileLabel), "Profil");
}
#endif

TEST_F(Languages, MessageNamesTheFileWhateverTheSeparator) {
    EXPECT_EQ(MissingLanguageFileText("Language\\english.lng"),
              MissingLanguageFileText(fs::path("Language") / "english.lng"));
    EXPECT_EQ(MissingLanguageFileText("plain.lng"),
              "Отсутствует языковой файл \"plain.lng\"\n\nNot language file  \"plain.lng\"");
}

TEST_F(Languages, TextsOfAFileForToolsWithoutWindow) {
    EXPECT_FALSE(ReadLanguageFile(app.files.languageFolders.front() / "none.lng").has_value());
    MakeLanguage("x.lng", kMark + "[Message]\nDelay=Wait\n[Loopsmith]\nTime=T:\n");
    const std::optional<LanguageTexts> texts =
        ReadLanguageFile(app.files.languageFolders.front() / "x.lng");
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->messages[Msg::Delay], "; Wait ");
    EXPECT_EQ(texts->messages[Msg::HZ], " Гц");
    EXPECT_EQ(texts->ui.at(static_cast<std::size_t>(UiTextIndex("Time"))), "T:");
}

TEST(LanguageAcrossRestarts, PickedLanguageIsAppliedAgainAtTheNextStart) {
    TempFolder dir;
    fs::create_directory(dir / "Language");
    for (const char* name : {"english.lng", "russian.lng"}) {
        fs::copy_file(fs::path(LOOPSMITH_SOURCE_DIR) / "Language" / name, dir / "Language" / name);
    }
    {
        ui::MemoryGadgets gadgets{MainWindowLayout()};
        AppState app{gadgets, dir.path(), PortableLocations(dir.path())};
        StartUp(app);
        EXPECT_EQ(gadgets.State(kLanguageCombo), 1);
        EXPECT_EQ(gadgets.Text(kCalculateButton), "Рассчитать");
        gadgets.SetState(kLanguageCombo, 0);
        LoadSelectedLanguage(app);
        EXPECT_EQ(gadgets.Text(kCalculateButton), "Calculate");
        ShutDown(app);
    }
    ui::MemoryGadgets gadgets{MainWindowLayout()};
    AppState app{gadgets, dir.path(), PortableLocations(dir.path())};
    StartUp(app);
    EXPECT_TRUE(gadgets.Messages().empty());
    EXPECT_EQ(gadgets.State(kLanguageCombo), 0);
    EXPECT_EQ(gadgets.Text(kCalculateButton), "Calculate");
    EXPECT_EQ(gadgets.Text(kFirstRegisterLabel + 2), "Register № 3:");
    EXPECT_EQ(app.messages[Msg::Delay], "; Delay ");
    EXPECT_EQ(app.editorTitle, "Loopsmith - profile editor");
    EXPECT_EQ(gadgets.Text(kAboutText).substr(0, 28), "  Loopsmith   is a program t");
    EXPECT_NE(gadgets.Text(kAboutText).find(".\n  The program starts"), std::string::npos);
    EXPECT_EQ(gadgets.Text(kCreditLine), "Written by the Loopsmith team");
    // The mail address and the page-0 title belong to no language.
    EXPECT_EQ(gadgets.Text(kMailLink), ui::MemoryGadgets{MainWindowLayout()}.Text(kMailLink));
    EXPECT_EQ(gadgets.PageTitle(0), "Loopsmith");
    EXPECT_EQ(gadgets.PageTitle(1), "Profile editor");
    // A new file ahead of it in the list moves its position; its file name still chooses it.
    ShutDown(app);
    fs::copy_file(dir / "Language" / "russian.lng", dir / "Language" / "afrikaans.lng");
    ui::MemoryGadgets again{MainWindowLayout()};
    AppState next{again, dir.path(), PortableLocations(dir.path())};
    StartUp(next);
    EXPECT_EQ(again.ItemText(kLanguageCombo, again.State(kLanguageCombo)), "english");
}

}  // namespace
