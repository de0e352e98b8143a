#include "ui/input_filter.h"

#include <gtest/gtest.h>

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

}  // namespace
