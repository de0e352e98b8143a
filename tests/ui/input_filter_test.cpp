#include "ui/input_filter.h"

#include <gtest/gtest.h>

#include "helpers/memory_gadgets.h"

namespace {

using ui::FilterTypedChar;
using ui::FilterVerdict;

TEST(InputFilter, DecimalFieldsTakeDigitsAndOnePointAfterTheFirstCharacter) {
    EXPECT_EQ(FilterTypedChar(U'7', "", 0, true), FilterVerdict::Pass);
    EXPECT_EQ(FilterTypedChar(U'\b', "12", 2, true), FilterVerdict::Pass);
    EXPECT_EQ(FilterTypedChar(U'.', "", 0, true), FilterVerdict::DiscardWithBeep);
    EXPECT_EQ(FilterTypedChar(U'.', "12", 0, true), FilterVerdict::DiscardWithBeep);
    EXPECT_EQ(FilterTypedChar(U'.', "12", 1, true), FilterVerdict::Pass);
    EXPECT_EQ(FilterTypedChar(U'.', "1.2", 3, true), FilterVerdict::DiscardWithBeep);
    EXPECT_EQ(FilterTypedChar(U'a', "1", 1, true), FilterVerdict::DiscardWithBeep);
    EXPECT_EQ(FilterTypedChar(U'-', "1", 1, true), FilterVerdict::DiscardWithBeep);
    EXPECT_EQ(FilterTypedChar(U'ж', "1", 1, true), FilterVerdict::DiscardWithBeep);
}

TEST(InputFilter, EnterIsDiscardedSilentlyEverywhere) {
    EXPECT_EQ(FilterTypedChar(U'\r', "1", 1, true), FilterVerdict::Discard);
    EXPECT_EQ(FilterTypedChar(U'\r', "1", 1, false), FilterVerdict::Discard);
    EXPECT_EQ(FilterTypedChar(U'\n', "", 0, false), FilterVerdict::Discard);
}

TEST(InputFilter, TheCycleFieldPassesEverythingElseOn) {
    EXPECT_EQ(FilterTypedChar(U'.', "", 0, false), FilterVerdict::Pass);
    EXPECT_EQ(FilterTypedChar(U'x', "1", 1, false), FilterVerdict::Pass);
}

ui::WindowLayout OneField(bool allowPoint, bool digitsOnly, int maxLength) {
    ui::GadgetLayout field;
    field.number = 8;
    field.kind = ui::GadgetKind::TextField;
    field.filterInput = true;
    field.filterAllowsPoint = allowPoint;
    field.digitsOnly = digitsOnly;
    field.maxLength = maxLength;
    ui::WindowLayout layout;
    layout.gadgets.push_back(field);
    return layout;
}

TEST(InputFilter, TypingThroughTheInMemoryFieldAppliesFilterLimitAndDigitsRule) {
    ui::MemoryGadgets decimal(OneField(true, false, 18));
    decimal.Type(8, ".0.5");
    EXPECT_EQ(decimal.Text(8), "0.5");
    EXPECT_EQ(decimal.Beeps(), 1);
    decimal.Type(8, ".");
    EXPECT_EQ(decimal.Text(8), "0.5");
    EXPECT_EQ(decimal.Beeps(), 2);

    ui::MemoryGadgets limited(OneField(true, false, 18));
    limited.Type(8, std::string(20, '9'));
    EXPECT_EQ(limited.Text(8), std::string(18, '9'));

    ui::MemoryGadgets cycles(OneField(false, true, 19));
    cycles.Type(8, "12a3\r" + std::string(20, '4'));
    EXPECT_EQ(cycles.Text(8), "123" + std::string(16, '4'));
}

}  // namespace
