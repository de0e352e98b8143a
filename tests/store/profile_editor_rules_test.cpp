#include "store/profile_editor_rules.h"

#include <gtest/gtest.h>

namespace {

Profile Filled(const std::string& name) {
    return MakeProfile(name, "L", kFamilyPic16);
}

struct FormCase {
    const char* what;
    Profile form;
    int ownIndex;
    FormVerdict expected;
};

class CheckForm : public ::testing::TestWithParam<FormCase> {};

TEST_P(CheckForm, GivesTheFirstFailingCheck) {
    ProfileList list;
    AddDefaultProfiles(list);  // "Default PIC10, PIC12, PIC16", "Default PIC18"
    EXPECT_EQ(CheckProfileForm(GetParam().form, list, GetParam().ownIndex), GetParam().expected);
}

Profile With(Profile p, int reg, const std::string& value) {
    (reg < 8 ? p.Reg[reg] : p.Label) = value;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Editor, CheckForm,
    ::testing::Values(
        FormCase{"plain", Filled("Fast"), -1, FormVerdict::Accepted},
        FormCase{"only blanks", Filled("   "), -1, FormVerdict::Accepted},
        FormCase{"window1", Filled("Window1"), -1, FormVerdict::Accepted},
        FormCase{"blank window", Filled(" window"), -1, FormVerdict::Accepted},
        FormCase{"empty before all", With(Filled(""), 3, ""), -1, FormVerdict::NoName},
        FormCase{"reserved", With(Filled("wInDoW"), 3, ""), -1, FormVerdict::ReservedName},
        FormCase{"bracket", With(Filled("a]b"), 8, ""), -1, FormVerdict::UnstorableName},
        FormCase{"register 8", With(Filled("default pic18"), 7, ""), -1, FormVerdict::EmptyField},
        FormCase{"label", With(Filled("x"), 8, ""), -1, FormVerdict::EmptyField},
        FormCase{"exact name", Filled("Default PIC18"), -1, FormVerdict::NameTaken},
        FormCase{"other case", Filled("DEFAULT pic18"), -1, FormVerdict::NameTaken},
        FormCase{"own name recased", Filled("DEFAULT pic18"), 1, FormVerdict::Accepted},
        FormCase{"other's name", Filled("default pic18"), 0, FormVerdict::NameTaken}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& c : n)
            c = isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return n;
    });

TEST(SameIgnoringAsciiCase, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(SameIgnoringAsciiCase("Fast 1", "fAST 1"));
    EXPECT_FALSE(SameIgnoringAsciiCase("ФАСТ", "фаст"));
    EXPECT_FALSE(SameIgnoringAsciiCase("Fast", "Fast "));
}

TEST(NewProfilePosition, AfterSelectionElseAfterFirst) {
    EXPECT_EQ(NewProfilePosition(1, 3), 2);
    EXPECT_EQ(NewProfilePosition(2, 3), 3);
    EXPECT_EQ(NewProfilePosition(-1, 3), 1);
    EXPECT_EQ(NewProfilePosition(5, 3), 1);
    EXPECT_EQ(NewProfilePosition(-1, 1), 1);
    EXPECT_EQ(NewProfilePosition(-1, 0), 0);
}

TEST(ProfileToDelete, PrefersTheIndexThenTheFirstOfThatName) {
    ProfileList list{Filled("a"), Filled("b"), Filled("a")};
    EXPECT_EQ(ProfileToDelete(list, 2, "a"), 2);
    EXPECT_EQ(ProfileToDelete(list, 1, "a"), 0);
    EXPECT_EQ(ProfileToDelete(list, 1, "A"), -1);
}

}  // namespace
