#include <gtest/gtest.h>

#include "app/calculator_mode.h"
#include "app/colors.h"
#include "app/gadget_ids.h"
#include "app/profile_gadget.h"
#include "helpers/app_fixture.h"

using namespace gadget;

namespace {

class CalculationRequestTest : public AppFixture {
  protected:
    void SetUp() override {
        AddDefaultProfiles(app.profiles);
        FillProfileGadget(gadgets, app.profiles, kProfileCombo, 0);
    }
    void Direct() {
        gadgets.SetState(kCalculatorCheck, 0);
        SetCalculatorMode(app, false);
    }
    void Calculator() {
        gadgets.SetState(kCalculatorCheck, 1);
        SetCalculatorMode(app, true);
    }
};

TEST_F(CalculationRequestTest, ATypedCountBecomesCodeAndTurnsTheFieldBlue) {
    Direct();
    gadgets.Type(kCyclesField, "10");
    gadgets.PressKey(ui::kKeyEnter);
    Pump();
    EXPECT_EQ(gadgets.Text(kOutputBox),
              "; Задержка 10 машинных циклов\r\n"
              "            movlw       .3\r\n"
              "            movwf       Reg_1\r\n"
              "            decfsz      Reg_1,F\r\n"
              "            goto        $-1\r\n");
    EXPECT_EQ(gadgets.TextColor(kCyclesField), colors::kCalculated);
    EXPECT_EQ(gadgets.FocusedGadget(), kCyclesField);
    EXPECT_TRUE(gadgets.Messages().empty());

    gadgets.Type(kCyclesField, "0");
    Pump();
    EXPECT_EQ(gadgets.TextColor(kCyclesField), colors::kNotCalculated);
}

// The form combo holds for a typed count as for the calculator's.
TEST_F(CalculationRequestTest, ATypedCountTakesTheChosenForm) {
    Direct();
    gadgets.SetState(kFormCombo, 1);
    gadgets.SetText(kRoutineNameField, "Wait");
    gadgets.Type(kCyclesField, "100");
    gadgets.PressKey(ui::kKeyEnter);
    Pump();
    EXPECT_NE(gadgets.Text(kOutputBox).find("\r\nWait\r\n"), std::string::npos)
        << gadgets.Text(kOutputBox);
}

TEST_F(CalculationRequestTest, TheWatchdogBoxChoosesTheSolverWithItsLargerMinimum) {
    Direct();
    gadgets.Type(kCyclesField, "4");
    gadgets.Click(kCalculateButton);
    Pump();
    EXPECT_TRUE(gadgets.Messages().empty());
    const std::string plain = gadgets.Text(kOutputBox);

    gadgets.Click(kWatchdogCheck);
    gadgets.Type(kCyclesField, "\b");
    gadgets.Type(kCyclesField, "4");
    gadgets.Click(kCalculateButton);
    Pump();
    ASSERT_EQ(gadgets.Messages().size(), 1u);
    EXPECT_EQ(gadgets.Messages()[0].title, "Loopsmith - генератор кода");
    EXPECT_EQ(gadgets.Messages()[0].text,
              "Длительность задержки должна быть в диапазоне  5...9.223.372.036.854.775.800");
    EXPECT_EQ(gadgets.Text(kOutputBox), plain);  // the old code stays
    EXPECT_EQ(gadgets.TextColor(kCyclesField), colors::kNotCalculated);
    EXPECT_EQ(gadgets.FocusedGadget(), kCyclesField);
}

TEST_F(CalculationRequestTest, APastedValueBeyondSixtyFourBitsIsOutOfRangeNotWrapped) {
    Direct();
    gadgets.SetText(kCyclesField, "$10000000000000005");
    gadgets.Click(kCalculateButton);
    Pump();
    ASSERT_EQ(gadgets.Messages().size(), 1u);
    EXPECT_EQ(gadgets.Messages()[0].text,
              "Длительность задержки должна быть в диапазоне  4...9.223.372.036.854.775.800");
    EXPECT_EQ(gadgets.Text(kOutputBox), "");
}

TEST_F(CalculationRequestTest, TheCalculatorWritesTheCountAndBlackensItsFields) {
    Calculator();
    gadgets.Type(kTimeField, "1");
    gadgets.Pick(kTimeUnitCombo, 1);  // milliseconds
    gadgets.Type(kFrequencyField, "4");
    gadgets.PressKey(ui::kKeyEnter);
    Pump();
    EXPECT_EQ(gadgets.Text(kCyclesField), "1000");
    EXPECT_EQ(gadgets.TextColor(kTimeField), colors::kBlack);
    EXPECT_EQ(gadgets.TextColor(kFrequencyField), colors::kBlack);
    EXPECT_EQ(gadgets.TextColor(kCyclesField), ui::Color::Default());
    EXPECT_EQ(gadgets.FocusedGadget(), kTimeField);
    EXPECT_EQ(gadgets.Text(kOutputBox)
                  .rfind("; Задержка 1 000 машинных циклов\r\n"
                         "; Длительность задержки 1 миллисекунд\r\n"
                         "; Частота задающего генератора 4 МГц\r\n\r\n",
                         0),
              0u);
}

TEST_F(CalculationRequestTest, AFailedCalculationLeavesTheFieldsMarked) {
    Calculator();
    gadgets.Type(kFrequencyField, "4");
    gadgets.Click(kCalculateButton);
    Pump();
    ASSERT_EQ(gadgets.Messages().size(), 1u);
    EXPECT_EQ(gadgets.Messages()[0].title, "Loopsmith - калькулятор");
    EXPECT_EQ(gadgets.Messages()[0].text, "В поле \"Время:\" отсутствуют данные");
    EXPECT_EQ(gadgets.TextColor(kFrequencyField), colors::kNotCalculated);
    EXPECT_EQ(gadgets.FocusedGadget(), kTimeField);
}

TEST_F(CalculationRequestTest, WithoutASelectedProfileNoCodeIsWritten) {
    Direct();
    gadgets.SetState(kProfileCombo, -1);
    gadgets.Type(kCyclesField, "100");
    gadgets.Click(kCalculateButton);
    Pump();
    ASSERT_EQ(gadgets.Messages().size(), 1u);
    EXPECT_EQ(gadgets.Messages()[0].text, "Не выбран профиль!");
    EXPECT_EQ(gadgets.Messages()[0].icon, ui::MessageIcon::Warning);
    EXPECT_EQ(gadgets.Text(kOutputBox), "");
    EXPECT_EQ(gadgets.TextColor(kCyclesField), colors::kNotCalculated);
}

}  // namespace
