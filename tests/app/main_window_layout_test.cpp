#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/gadget_ids.h"

namespace {

using ui::GadgetKind;

struct Expected {
    int number;
    GadgetKind kind;
    int parent;
    ui::Rect place;
    const char* caption;
};

constexpr int W = ui::kWindowParent;
constexpr int P0 = gadget::kPage0Container, P1 = gadget::kPage1Container,
              P2 = gadget::kPage2Container;

// An independent transcription of the window's layout table.
const Expected kTable[] = {
    {0, GadgetKind::Label, P0, {124, 16, 78, 15}, "Профиль"},
    {1, GadgetKind::ComboBox, P0, {206, 10, 170, 22}, ""},
    {2, GadgetKind::CheckBox, P0, {10, 15, 110, 15}, "Калькулятор"},
    {3, GadgetKind::Frame, P0, {5, 35, 370, 120}, "Калькулятор"},
    {4, GadgetKind::Frame, P0, {15, 50, 155, 95}, "Время задержки"},
    {5, GadgetKind::Label, P0, {24, 70, 140, 16}, "Время задано в:"},
    {6, GadgetKind::ComboBox, P0, {25, 85, 135, 22}, ""},
    {7, GadgetKind::Label, P0, {25, 120, 50, 16}, "Время:"},
    {8, GadgetKind::TextField, P0, {80, 115, 80, 20}, ""},
    {9, GadgetKind::Frame, P0, {180, 50, 185, 95}, "Частота задающего генератора"},
    {10, GadgetKind::Label, P0, {186, 70, 170, 16}, "Частота генератора задана в:"},
    {11, GadgetKind::ComboBox, P0, {255, 85, 100, 22}, ""},
    {12, GadgetKind::Label, P0, {190, 120, 70, 16}, "Частота:"},
    {13, GadgetKind::TextField, P0, {265, 115, 90, 20}, ""},
    {14, GadgetKind::CheckBox, P0, {10, 190, 220, 15}, "Обнулять сторожевой таймер  WDT"},
    {15, GadgetKind::Label, P0, {10, 170, 240, 16}, "Длительность задержки в машинных циклах:"},
    {16, GadgetKind::TextField, P0, {250, 165, 125, 20}, ""},
    {17, GadgetKind::Button, P0, {250, 190, 90, 25}, "Рассчитать"},
    {18, GadgetKind::OutputBox, P0, {5, 252, 370, 193}, ""},
    {19, GadgetKind::Panel, W, {2, 4, 388, 474}, ""},
    {23, GadgetKind::Label, P1, {10, 4, 270, 16}, "Список профилей"},
    {24, GadgetKind::ListBox, P1, {10, 20, 280, 90}, ""},
    {25, GadgetKind::Button, P1, {296, 30, 80, 25}, "Новый"},
    {26, GadgetKind::Button, P1, {296, 64, 80, 25}, "Изменить"},
    {27, GadgetKind::Button, P1, {296, 96, 80, 25}, "Удалить"},
    {28, GadgetKind::Label, P1, {2, 150, 114, 16}, "Имя профиля:"},
    {29, GadgetKind::TextField, P1, {120, 145, 98, 20}, ""},
    {30, GadgetKind::Label, P1, {220, 150, 56, 16}, "Тип"},
    {31, GadgetKind::ComboBox, P1, {280, 144, 98, 21}, ""},
    {32, GadgetKind::Label, P1, {2, 180, 114, 16}, "Имя регистра № 1:"},
    {39, GadgetKind::Label, P1, {2, 355, 114, 16}, "Имя регистра № 8:"},
    {40, GadgetKind::Label, P1, {2, 383, 114, 16}, "Имя метки:"},
    {41, GadgetKind::TextField, P1, {120, 174, 170, 21}, ""},
    {48, GadgetKind::TextField, P1, {120, 349, 170, 21}, ""},
    {49, GadgetKind::TextField, P1, {120, 379, 170, 20}, ""},
    {50, GadgetKind::Button, P1, {30, 410, 90, 25}, "OK"},
    {51, GadgetKind::Button, P1, {200, 410, 90, 25}, "Отмена"},
    {52, GadgetKind::ComboBox, P1, {300, 174, 70, 21}, ""},
    {59, GadgetKind::ComboBox, P1, {300, 349, 70, 21}, ""},
    {60, GadgetKind::Image, P2, {1, 10, 382, 68}, ""},
    {61, GadgetKind::Label, P2, {30, 150, 308, 130}, nullptr},
    {62, GadgetKind::Label, P2, {30, 300, 220, 16}, nullptr},
    {63, GadgetKind::Hyperlink, P2, {250, 300, 110, 16}, nullptr},
    {64, GadgetKind::Label, W, {2, 486, 140, 16}, "Язык:"},
    {65, GadgetKind::ComboBox, W, {150, 482, 150, 21}, ""},
    {66, GadgetKind::ComboBox, P0, {5, 225, 200, 22}, ""},
    {67, GadgetKind::Label, P0, {208, 229, 52, 16}, "Имя:"},
    {68, GadgetKind::TextField, P0, {265, 226, 110, 20}, ""},
    {69, GadgetKind::CheckBox, P0, {10, 208, 220, 15}, "Объявить регистры"},
};

std::map<int, ui::GadgetLayout> ByNumber() {
    std::map<int, ui::GadgetLayout> out;
    for (const ui::GadgetLayout& g : MainWindowLayout().gadgets)
        out[g.number] = g;
    return out;
}

TEST(MainWindowLayout, EveryNumberFromZeroTo69ExistsOnce) {
    ui::WindowLayout layout = MainWindowLayout();
    std::set<int> numbers;
    for (const ui::GadgetLayout& g : layout.gadgets)
        EXPECT_TRUE(numbers.insert(g.number).second) << g.number;
    EXPECT_EQ(numbers.size(), 70u);
    EXPECT_EQ(*numbers.begin(), 0);
    EXPECT_EQ(*numbers.rbegin(), 69);
    EXPECT_EQ(layout.title, "Loopsmith - 1.7");
    EXPECT_EQ(layout.clientWidth, 392);
    EXPECT_EQ(layout.clientHeight, 510);
}

TEST(MainWindowLayout, KindsParentsPlacesAndCaptionsMatchTheLayout) {
    auto gadgets = ByNumber();
    for (const Expected& e : kTable) {
        SCOPED_TRACE(e.number);
        const ui::GadgetLayout& g = gadgets.at(e.number);
        EXPECT_EQ(g.kind, e.kind);
        EXPECT_EQ(g.parent, e.parent);
        EXPECT_EQ(g.place, e.place);
        if (e.caption) {
            EXPECT_EQ(g.caption, e.caption);
        }
    }
}

TEST(MainWindowLayout, RowsItemsLimitsFiltersAndColours) {
    auto g = ByNumber();
    for (int n = 1; n <= 8; ++n) {
        const int y = 180 + 25 * (n - 1);
        EXPECT_EQ(g.at(31 + n).place.y, y);
        EXPECT_EQ(g.at(40 + n).place.y, y - 6);
        EXPECT_EQ(g.at(51 + n).items, (std::vector<std::string>{"ACCESS", "BANKED"}));
        EXPECT_EQ(g.at(51 + n).initialState, 0);
    }
    EXPECT_EQ(g.at(66).items,
              (std::vector<std::string>{"блок кода", "подпрограмма", "подпрограмма W × задержка"}));
    EXPECT_EQ(g.at(6).items.size(), 6u);
    EXPECT_EQ(g.at(6).items[5], "Сутках");
    EXPECT_EQ(g.at(11).items, (std::vector<std::string>{"Мегагерцах", "Килогерцах", "Герцах"}));
    EXPECT_EQ(g.at(31).items,
              (std::vector<std::string>{"PIC10/12/16", "PIC 18", "PIC10/12/16 (pic-as)",
                                        "PIC 18 (pic-as)"}));
    EXPECT_EQ(g.at(19).items,
              (std::vector<std::string>{"Loopsmith", "Редактирование профилей", "О программе"}));
    EXPECT_EQ(g.at(8).maxLength, 18);
    EXPECT_EQ(g.at(13).maxLength, 18);
    EXPECT_EQ(g.at(16).maxLength, 19);
    EXPECT_TRUE(g.at(8).filterAllowsPoint);
    EXPECT_TRUE(g.at(13).filterAllowsPoint);
    EXPECT_FALSE(g.at(16).filterAllowsPoint);
    EXPECT_TRUE(g.at(16).digitsOnly);
    EXPECT_EQ(g.at(16).textColor, ui::Color::FromRgb(3, 37, 181));
    EXPECT_EQ(g.at(28).textColor, ui::Color::FromRgb(58, 2, 180));
    EXPECT_EQ(g.at(29).textColor, ui::Color::FromRgb(58, 2, 180));
    EXPECT_EQ(g.at(61).textColor, ui::Color::FromRgb(10, 0, 128));
    EXPECT_EQ(g.at(63).textColor, ui::Color::FromRgb(25, 2, 218));
    EXPECT_EQ(g.at(63).hoverColor, ui::Color::FromRgb(87, 123, 254));
    EXPECT_EQ(g.at(14).toolTip, "Добавить в код инструкцию \"Clrwdt\"");
    EXPECT_EQ(g.at(17).toolTip, "Преобразование данных в ассемблерный код");
    EXPECT_TRUE(g.at(17).isDefault);
    EXPECT_TRUE(g.at(18).fixedFont);
    for (int n : {0, 7, 10, 12, 28, 30, 40, 64})
        EXPECT_TRUE(g.at(n).alignRight) << n;
    EXPECT_TRUE(g.at(61).sunken);
}

}  // namespace
