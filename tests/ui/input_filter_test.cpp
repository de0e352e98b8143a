#include "ui/input_filter.h"

#include <gtest/gtest.h>

namespace {

using ui::FilterTypedChar;
using ui::FilterVerdict;

TEST(InputFilter, DecimalFieldsTakeDigitsAndOnePointAnywhere) {
    EXPECT_EQ(FilterTypedChar(U'7', "", 0, 0, true), FilterVerdict::Pass);
    EXPECT_EQ(FilterTypedChar(U'\b', "12", 2, 0, true), FilterVerdict::Pass);
    EXPECT_EQ(FilterTypedChar(U'.', "", 0, 0, true), FilterVerdict::Pass);  // ".5"
    EXPECT_EQ(FilterTypedChar(U'.', "12", 0, 0, true), FilterVerdict::Pass);
    EXPECT_EQ(FilterTypedChar(U',', "5", 0, 0, true), FilterVerdict::PassAsPoint);
    EXPECT_EQ(FilterTypedChar(U'.', "1.2", 3, 0, true), FilterVerdict::DiscardWithBeep);
    EXPECT_EQ(FilterTypedChar(U'.', "1.2", 1, 1, true), FilterVerdict::Pass);  // over the point
    EXPECT_EQ(FilterTypedChar(U'a', "1", 1, 0, true), FilterVerdict::DiscardWithBeep);
    EXPECT_EQ(FilterTypedChar(U'-', "1", 1, 0, true), FilterVerdict::DiscardWithBeep);
    EXPECT_EQ(FilterTypedChar(U'ж', "1", 1, 0, true), FilterVerdict::DiscardWithBeep);
}

TEST(InputFilter, EnterIsDiscardedSilentlyEverywhere) {
    EXPECT_EQ(FilterTypedChar(U'\r', "1", 1, 0, true), FilterVerdict::Discard);
    EXPECT_EQ(FilterTypedChar(U'\r', "1", 1, 0, false), FilterVerdict::Discard);
    EXPECT_EQ(FilterTypedChar(U'\n', "", 0, 0, false), FilterVerdict::Discard);
}

TEST(InputFilter, TheCycleFieldPassesEverythingElseOn) {
    EXPECT_EQ(FilterTypedChar(U'.', "", 0, 0, false), FilterVerdict::Pass);
    EXPECT_EQ(FilterTypedChar(U'x', "1", 1, 0, false), FilterVerdict::Pass);
}

// A paste is typing as a whole: the field holds a number in the making afterwards, or keeps
// its text. Never a prefix of what was pasted.
TEST(InputFilter, APasteGoesInWholeOrNotAtAll) {
    ui::GadgetLayout decimal;
    decimal.kind = ui::GadgetKind::TextField;
    decimal.filterInput = decimal.filterAllowsPoint = true;
    decimal.maxLength = 18;
    ui::GadgetLayout count;
    count.kind = ui::GadgetKind::TextField;
    count.filterInput = count.digitsOnly = true;
    count.maxLength = 19;
    ui::GadgetLayout name;
    name.kind = ui::GadgetKind::TextField;
    struct Row {
        const ui::GadgetLayout* field;
        std::string text;
        int start, length;
        std::string pasted;
        std::optional<std::string> in;
    };
    const std::string digits19(19, '9');
    const Row rows[] = {
        {&decimal, "", 0, 0, "2,5", "2.5"},
        {&decimal, "", 0, 0, "3,6864\r\n", "3.6864"},
        {&decimal, "", 0, 0, ".5", ".5"},
        {&decimal, "1", 1, 0, ".5", ".5"},
        {&decimal, "1.2", 3, 0, ".5", std::nullopt},  // a second point
        {&decimal, "1.2", 0, 3, "2.5.5", std::nullopt},
        {&decimal, "", 0, 0, "1e4", std::nullopt},
        {&decimal, "", 0, 0, "100abc", std::nullopt},
        {&decimal, "", 0, 0, "10ms", std::nullopt},
        {&decimal, "", 0, 0, "-5", std::nullopt},
        {&decimal, "", 0, 0, "1 000", std::nullopt},
        {&decimal, "", 0, 0, "   ", std::nullopt},
        {&decimal, "", 0, 0, std::string(19, '1'), std::nullopt},  // too long: not cut
        {&count, "", 0, 0, "10 000", std::nullopt},
        {&count, "", 0, 0, "1000abc", std::nullopt},
        {&count, "", 0, 0, "1000.9", std::nullopt},
        {&count, "", 0, 0, " 1000\n", "1000"},
        {&count, "", 0, 0, "$3E8", "$3E8"},
        {&count, "", 0, 0, "%1010", "%1010"},
        {&count, "12", 2, 0, "$3E8", std::nullopt},  // "12$3E8"
        {&count, "5", 0, 1, digits19, digits19},
        {&count, "5", 1, 0, digits19, std::nullopt},
        {&name, "", 0, 0, "My 1e4, x", "My 1e4, x"},  // no rule: as it is
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ui::PastedTextVerdict(*r.field, r.text, r.start, r.length, r.pasted), r.in)
            << "\"" << r.pasted << "\" into \"" << r.text << "\"";
    }
}

}  // namespace
