// The solvers, the writer and the calculator as the window calls them, over in-memory gadgets.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/delay_page.h"
#include "app/gadget_ids.h"
#include "app/main_window_layout.h"
#include "app/profile_gadget.h"
#include "helpers/memory_gadgets.h"

using namespace gadget;

namespace {

class EngineGadgets : public ::testing::Test {
  protected:
    EngineGadgets() : gadgets(MainWindowLayout()), app(gadgets, ".", PortableLocations(".")) {
        AddDefaultProfiles(app.profiles);
        FillProfileGadget(gadgets, app.profiles, kProfileCombo, 0);
    }
    const ui::ShownMessage& OnlyMessage() {
        EXPECT_EQ(gadgets.Messages().size(), 1u);
        return gadgets.Messages().back();
    }

    ui::MemoryGadgets gadgets;
    AppState app;
};

TEST_F(EngineGadgets, RangeMessageInBothVariantsKeepsTheOutput) {
    gadgets.SetText(kOutputBox, "old");
    EXPECT_EQ(SolveDelay(app, 3), 0);
    const ui::ShownMessage& m = OnlyMessage();
    EXPECT_EQ(m.title, "Loopsmith - генератор кода");
    EXPECT_EQ(m.text,
              "Длительность задержки должна быть в диапазоне  4...9.223.372.036.854.775.800");
    EXPECT_EQ(m.icon, ui::MessageIcon::Warning);
    EXPECT_EQ(m.buttons, ui::MessageButtons::Ok);

    gadgets.ClearMessages();
    EXPECT_EQ(SolveDelayWdt(app, 4), 0);
    EXPECT_EQ(OnlyMessage().text,
              "Длительность задержки должна быть в диапазоне  5...9.223.372.036.854.775.800");
    EXPECT_EQ(gadgets.Text(kOutputBox), "old");
}

TEST_F(EngineGadgets, ASmallDelayAfterTheLargestIsWrittenAfresh) {
    ASSERT_EQ(SolveDelay(app, 9223372036854775800), 1);
    ASSERT_EQ(SolveDelay(app, 4), 1);
    EXPECT_EQ(gadgets.Text(kOutputBox),
              "; Задержка 4 машинных циклов\r\n            movlw       .1\r\n"
              "            movwf       Reg_1\r\n            decfsz      Reg_1,F\r\n"
              "            goto        $-1\r\n");
}

TEST_F(EngineGadgets, ProfileComboDecidesTheFamily) {
    gadgets.SetState(kProfileCombo, 1);
    ASSERT_EQ(SolveDelayWdt(app, 1548), 1);
    EXPECT_NE(gadgets.Text(kOutputBox).find("bra         $-.10\r\n"), std::string::npos);
}

// A hand-edited current-syntax profile: only the registers the delay uses must be names pic-as
// takes; the output box keeps what it had.
TEST_F(EngineGadgets, NamesPicAsCannotTakeGetAMessageInsteadOfCode) {
    app.profiles[0].Syntax = kSyntaxCurrent;
    app.profiles[0].Reg[1] = "2nd";
    ASSERT_EQ(SolveDelay(app, 700), 1);  // one register
    EXPECT_NE(gadgets.Text(kOutputBox).find("movlw       233\r\n"), std::string::npos);
    EXPECT_EQ(SolveDelay(app, 800), 0);  // two
    EXPECT_EQ(OnlyMessage().title, "Loopsmith - генератор кода");
    EXPECT_EQ(OnlyMessage().text, "\"2nd\"" + DefaultMessageTexts()[Msg::Forbidden_Asm_Name]);
    EXPECT_NE(gadgets.Text(kOutputBox).find("233"), std::string::npos);
}

// The form row: each form's code with the typed name, and a name that cannot be used gets the
// message and leaves the output box alone.
TEST_F(EngineGadgets, FormRowChoosesTheRoutineAndChecksItsName) {
    const MessageTexts texts = DefaultMessageTexts();
    gadgets.SetText(kRoutineNameField, "Wait");
    for (int form : {0, 1, 2}) {
        gadgets.SetState(kFormCombo, form);
        ASSERT_EQ(SolveDelay(app, 1000), 1);
        const std::string code = gadgets.Text(kOutputBox);
        EXPECT_EQ(code.find("Wait\r\n") != std::string::npos, form > 0) << code;
        EXPECT_EQ(code.find("n * 1 000 + 4") != std::string::npos, form == 2) << code;
    }
    for (const std::string name : {"", "Reg_2", "9to5"}) {
        gadgets.ClearMessages();
        gadgets.SetText(kRoutineNameField, name);
        EXPECT_EQ(SolveDelayWdt(app, 1000), 0);
        EXPECT_EQ(OnlyMessage().text, name.empty()
                                          ? texts[Msg::No_Routine_Name]
                                          : "\"" + name + "\"" + texts[Msg::Bad_Routine_Name]);
        EXPECT_NE(gadgets.Text(kOutputBox).find("n * 1 000 + 4"), std::string::npos);
    }
    gadgets.ClearMessages();
    EXPECT_EQ(SolveDelay(app, 6), 0);
    EXPECT_EQ(OnlyMessage().text,
              "Длительность задержки должна быть в диапазоне  7...36.028.797.018.963.967");
}

TEST_F(EngineGadgets, NoUsableProfileShowsTheMessage) {
    struct Case {
        const char* what;
        void (*arrange)(ui::MemoryGadgets&, AppState&);
    } cases[] = {
        {"nothing selected",
         [](ui::MemoryGadgets& g, AppState&) { g.SetState(kProfileCombo, -1); }},
        {"empty item text",
         [](ui::MemoryGadgets& g, AppState&) {
             g.ClearItems(kProfileCombo);
             g.AddItem(kProfileCombo, "");
             g.SetState(kProfileCombo, 0);
         }},
        {"index past the list",
         [](ui::MemoryGadgets& g, AppState& a) {
             g.AddItem(kProfileCombo, "ghost");
             g.SetState(kProfileCombo, static_cast<int>(a.profiles.size()));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FillProfileGadget(gadgets, app.profiles, kProfileCombo, 0);
        gadgets.ClearMessages();
        gadgets.SetText(kOutputBox, "old");
        c.arrange(gadgets, app);
        EXPECT_EQ(SolveDelay(app, 1000), 0);
        const ui::ShownMessage& m = OnlyMessage();
        EXPECT_EQ(m.title, "Loopsmith - генератор кода");
        EXPECT_EQ(m.text, "Не выбран профиль!");
        EXPECT_EQ(m.icon, ui::MessageIcon::Warning);
        EXPECT_EQ(gadgets.Text(kOutputBox), "old");
    }
}

struct CalcRow {
    const char* time;
    int timeUnit;
    const char* frequency;
    int frequencyUnit;
    int watchdog;
    const char* cycles;   // gadget 16 afterwards
    const char* message;  // nullptr: code placed
    ui::MessageIcon icon;
};

class CalculatorTable : public EngineGadgets, public ::testing::WithParamInterface<CalcRow> {};

TEST_P(CalculatorTable, CountMessageAndResult) {
    const CalcRow& r = GetParam();
    gadgets.SetText(kCyclesField, "77");
    gadgets.SetText(kOutputBox, "old");
    gadgets.SetText(kTimeField, r.time);
    gadgets.SetState(kTimeUnitCombo, r.timeUnit);
    gadgets.SetText(kFrequencyField, r.frequency);
    gadgets.SetState(kFrequencyUnitCombo, r.frequencyUnit);
    gadgets.SetState(kWatchdogCheck, r.watchdog);
    const int result = CalculateCycles(app);
    EXPECT_EQ(gadgets.Text(kCyclesField), r.cycles);
    if (r.message == nullptr) {
        EXPECT_EQ(result, 1);
        EXPECT_TRUE(gadgets.Messages().empty());
        const std::string out = gadgets.Text(kOutputBox);
        EXPECT_NE(out.find("; Длительность задержки " + std::string(r.time)), std::string::npos);
        EXPECT_NE(out.find("; Частота задающего генератора " + std::string(r.frequency)),
                  std::string::npos);
        return;
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(gadgets.Text(kOutputBox), "old");
    const ui::ShownMessage& m = OnlyMessage();
    EXPECT_EQ(m.text, r.message);
    EXPECT_EQ(m.icon, r.icon);
}

constexpr auto kW = ui::MessageIcon::Warning;
constexpr auto kE = ui::MessageIcon::Error;
constexpr const char* kRange4 =
    "Длительность задержки должна быть в диапазоне  4...9.223.372.036.854.775.800";
constexpr const char* kRange5 =
    "Длительность задержки должна быть в диапазоне  5...9.223.372.036.854.775.800";
constexpr const char* kTooLarge = "Задана слишком большая задержка!";
constexpr const char* kImpossible =
    "При данной частоте \"кварца\" получить такую задержку НЕВОЗМОЖНО!";

INSTANTIATE_TEST_SUITE_P(
    Rows, CalculatorTable,
    ::testing::Values(
        CalcRow{"1", 1, "4", 0, 0, "1000", nullptr, kW},
        CalcRow{"1", 2, "20", 0, 0, "5000000", nullptr, kW},
        CalcRow{"1", 2, "32.768", 1, 0, "8192", nullptr, kW},
        CalcRow{"1", 2, "32768", 2, 0, "8192", nullptr, kW},
        CalcRow{"1", 3, "3.579545", 0, 0, "53693175", nullptr, kW},
        CalcRow{"1", 5, "4", 0, 0, "86400000000", nullptr, kW},
        CalcRow{"2.5", 0, "4", 0, 0, "2", kRange4, kW},
        CalcRow{"3.5", 0, "4", 0, 0, "4", nullptr, kW},
        CalcRow{"3.5", 0, "4", 0, 1, "4", kRange5, kW},
        CalcRow{"1", 0, "4", 0, 0, "1", kRange4, kW},
        CalcRow{"0.1", 0, "4", 0, 0, "", kImpossible, kE},
        CalcRow{"0", 0, "4", 0, 0, "", kImpossible, kE},
        CalcRow{"", 0, "4", 0, 0, "77", "В поле \"Время:\" отсутствуют данные", kW},
        CalcRow{"0", 0, "", 0, 0, "77", "В поле \"Время:\" отсутствуют данные", kW},
        CalcRow{"5", 0, "", 0, 0, "77", "В поле \"Частота:\" отсутствуют данные", kW},
        CalcRow{"999999999999999999", 5, "999999999999999999", 0, 0, "", kTooLarge, kE},
        CalcRow{"1", 6, "4", 0, 0, "", kTooLarge, kE}));  // unknown unit: Q = 4/0 = inf

TEST_F(EngineGadgets, CalculatorHeaderQuotesTheFieldsAsTyped) {
    gadgets.SetText(kTimeField, "10");
    gadgets.SetState(kTimeUnitCombo, 0);
    gadgets.SetText(kFrequencyField, "4");
    gadgets.SetState(kFrequencyUnitCombo, 0);
    ASSERT_EQ(CalculateCycles(app), 1);
    EXPECT_EQ(gadgets.Text(kOutputBox),
              "; Задержка 10 машинных циклов\r\n"
              "; Длительность задержки 10 микросекунд\r\n"
              "; Частота задающего генератора 4 МГц\r\n"
              "\r\n"
              "            movlw       .3\r\n"
              "            movwf       Reg_1\r\n"
              "            decfsz      Reg_1,F\r\n"
              "            goto        $-1\r\n");
}

}  // namespace
