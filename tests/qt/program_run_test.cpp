// The whole program on real widgets: start in a fresh folder, type, calculate, change pages,
// close, and the settings written at the end.
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "app/startup.h"
#include "i18n/system_language.h"
#include "program_fixture.h"

namespace {

using ProgramRun = ProgramFixture;

TEST_F(ProgramRun, StartTypeCalculateChangePageAndClose) {
    StartUp(*app);
    ASSERT_TRUE(gadgets->Window()->isVisible());
    EXPECT_EQ(gadgets->ItemCount(gadget::kProfileCombo), 2);
    EXPECT_EQ(gadgets->ItemCount(gadget::kProfileList), 2);
    EXPECT_GE(gadgets->ItemCount(gadget::kLanguageCombo), 2);
    const bool calculator = gadgets->State(gadget::kCalculatorCheck) != 0;
    EXPECT_EQ(gadgets->FocusedGadget(), calculator ? gadget::kTimeField : gadget::kCyclesField);
    EXPECT_FALSE(gadgets->HasPendingEvent());  // starting up is no user action
    if (calculator)
        ClickCalculatorCheck();
    ASSERT_FALSE(gadgets->IsReadOnly(gadget::kCyclesField));

    QTest::keyClicks(W(gadget::kCyclesField), "1000");
    Pump();
    EXPECT_EQ(TextRole(gadget::kCyclesField), QColor(177, 3, 29));
    QTest::keyClick(W(gadget::kCyclesField), Qt::Key_Return);
    Pump();
    EXPECT_NE(gadgets->Text(gadget::kOutputBox).find("decfsz"), std::string::npos);
    EXPECT_EQ(TextRole(gadget::kCyclesField), QColor(3, 37, 181));

    ClickCalculatorCheck();
    EXPECT_TRUE(gadgets->IsEnabled(gadget::kTimeField));
    EXPECT_TRUE(gadgets->IsReadOnly(gadget::kCyclesField));

    QTabBar* bar = qobject_cast<QTabWidget*>(W(gadget::kPanel))->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(gadget::kPageEditor).center());
    Pump();
    EXPECT_EQ(app->currentPage, gadget::kPageEditor);
    EXPECT_EQ(gadgets->State(gadget::kProfileList), gadgets->State(gadget::kProfileCombo));

    gadgets->Window()->close();
    RunEventLoop(*app);  // returns at the close request
    ShutDown(*app);
    EXPECT_TRUE(messages.empty()) << messages.front();
    ASSERT_TRUE(fs::exists(app->SettingsPath()));
    EXPECT_GT(fs::file_size(app->SettingsPath()), 0u);
}

TEST_F(ProgramRun, AnOutOfRangeCountIsAnsweredByAMessageNotAHang) {
    StartUp(*app);
    if (gadgets->State(gadget::kCalculatorCheck) != 0)
        ClickCalculatorCheck();
    QTest::keyClicks(W(gadget::kCyclesField), "3");
    QTest::keyClick(W(gadget::kCalculateButton), Qt::Key_Space);  // a click from the keyboard
    Pump();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(TextRole(gadget::kCyclesField), QColor(177, 3, 29));
}

// A first start speaks the language the environment names, as the program takes it; a stored
// choice wins.
TEST_F(ProgramRun, FirstStartSpeaksTheUsersLanguage) {
    const char* before = std::getenv("LC_ALL");
    const std::string saved = before ? before : "";
    const auto start = [&](const char* locale) {
        setenv("LC_ALL", locale, 1);
        app->systemLanguage = LanguageOfLocale(SystemLocaleName());
        StartUp(*app);
        return gadgets->Text(gadget::kCalculateButton);
    };
    EXPECT_EQ(start("en_US.UTF-8"), "Calculate");
    EXPECT_EQ(start("ru_RU.UTF-8"), "Рассчитать");
    start("en_US.UTF-8");
    ShutDown(*app);
    EXPECT_EQ(start("ru_RU.UTF-8"), "Calculate");
    before ? setenv("LC_ALL", saved.c_str(), 1) : unsetenv("LC_ALL");
}

}  // namespace
