#include "i18n/message_texts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

TEST(MessageTexts, DefaultsCarryTheSeparatorsTheProgramAdds) {
    MessageTexts t = DefaultMessageTexts();
    EXPECT_EQ(t[Msg::Editor_data_base], "Loopsmith - редактор базы данных");
    EXPECT_EQ(t[Msg::Gen_Code], "Loopsmith - генератор кода");
    EXPECT_EQ(t[Msg::Calculator], "Loopsmith - калькулятор");
    EXPECT_EQ(t[Msg::Delay], "; Задержка ");
    EXPECT_EQ(t[Msg::Delay_Size], "; Длительность задержки ");
    EXPECT_EQ(t[Msg::Frequency_Oscillator], "; Частота задающего генератора ");
    EXPECT_EQ(t[Msg::machine_cycles], " машинных циклов");
    EXPECT_EQ(t[Msg::Delay_Size_Range], "Длительность задержки должна быть в диапазоне ");
    EXPECT_EQ(t[Msg::Calculator_1], "В поле ");
    EXPECT_EQ(t[Msg::No_Data], " отсутствуют данные");
    EXPECT_EQ(t[Msg::Del_Profile], "Вы действительно хотите удалить профиль ");
    EXPECT_EQ(t[Msg::Forbidden_Profile_Name], " - запрещённое имя профиля!");
    EXPECT_EQ(t[Msg::Error_Delay_1],
              "При данной частоте \"кварца\" получить такую задержку НЕВОЗМОЖНО!");
    EXPECT_EQ(t[Msg::No_profile], "Не выбран профиль!");
    EXPECT_EQ(t[Msg::microsecond], " микросекунд");
    EXPECT_EQ(t[Msg::day], " суток");
    EXPECT_EQ(t[Msg::MHZ], " МГц");
    EXPECT_EQ(t[Msg::HZ], " Гц");
    EXPECT_EQ(t[Msg::Button_Yes], "Да");
    EXPECT_EQ(t[Msg::Button_No], "Нет");
    EXPECT_EQ(t[Msg::Button_OK], "ОК");
}

TEST(MessageTexts, EveryKeyIsReadOnceInTableOrderAndComposedAroundItsValue) {
    std::vector<std::string> asked;
    MessageTexts t = ComposeMessageTexts([&](const char* key, const char*) {
        asked.push_back(key);
        return std::string("<") + key + ">";
    });
    ASSERT_EQ(asked.size(), static_cast<std::size_t>(kMessageCount));
    EXPECT_EQ(asked.front(), "Editor_data_base");
    EXPECT_EQ(asked[30], "HZ");
    EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), asked.size());
    EXPECT_EQ(t[Msg::Delay], "; <Delay> ");
    EXPECT_EQ(t[Msg::Gen_Code], "Loopsmith - <Gen_Code>");
    // An empty value keeps only the separators.
    MessageTexts empty =
        ComposeMessageTexts([](const char*, const char*) { return std::string(); });
    EXPECT_EQ(empty[Msg::Delay], ";  ");
    EXPECT_EQ(empty[Msg::No_profile], "");
}

TEST(MessageTexts, TheProgramStartsWithTheBuiltInTextsAndTheEditorTitle) {
    MessageTexts t = DefaultMessageTexts();
    for (int id = 1; id <= kMessageCount; ++id)
        EXPECT_FALSE(t[static_cast<Msg>(id)].empty()) << id;
    EXPECT_EQ(StartEditorTitle(), "Loopsmith - Редактор базы данных");
}

}  // namespace
