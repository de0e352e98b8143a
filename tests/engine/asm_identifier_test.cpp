// Names the current assembler takes, and the check of a whole profile and a subroutine name.
#include <gtest/gtest.h>

#include "engine/asm_identifier.h"

namespace {

TEST(AsmIdentifier, LettersDigitsUnderscoresButNoOperandSymbolOrMnemonic) {
    for (const char* good : {"Reg_1", "_x", "a", "Delay1ms", "ret", "gotox", "F1", "wreg"})
        EXPECT_TRUE(IsAsmIdentifier(good)) << good;
    for (const char* bad :
         {"",     "1Reg", "Reg-1", "Reg 1", "$",   "Reg.1",  "Рег",   "f",       "W",
          "c",    "B",    "nop",   "GOTO",  "Bra", "decfsz", "retlw", "movff",   "tstfsz",
          "lslf", "end",  "ORG",   "equ",   "If",  "list",   "high",  "include", "psect"})
        EXPECT_FALSE(IsAsmIdentifier(bad)) << bad;
}

TEST(AsmIdentifier, OnlyCurrentSyntaxProfilesAreChecked) {
    Profile p = MakeProfile("p", "$", kFamilyPic18);
    p.Reg[3] = "Reg 4";
    p.Reg[6] = "w";
    EXPECT_EQ(UnwritableProfileName(p), std::nullopt);  // classic writes any name
    p.Syntax = kSyntaxCurrent;
    EXPECT_EQ(UnwritableProfileName(p), "Reg 4");
    EXPECT_EQ(UnwritableProfileName(p, 3), std::nullopt);  // only the registers in use
    p.Label = "1st";
    EXPECT_EQ(UnwritableProfileName(p, 3), "1st");
    p.Label = "Reg_3";
    EXPECT_EQ(UnwritableProfileName(p, 3), "Reg_3");
    p.Label = "Reg_5";
    EXPECT_EQ(UnwritableProfileName(p, 3), std::nullopt);
}

TEST(AsmIdentifier, SubroutineNameClashesWithNothingOfTheProfile) {
    const Profile p = MakeProfile("p", "Loop", kFamilyPic16);
    EXPECT_TRUE(IsSubroutineName("Delay", p));
    EXPECT_FALSE(IsSubroutineName("Loop", p));
    EXPECT_FALSE(IsSubroutineName("Reg_8", p));
    EXPECT_TRUE(IsSubroutineName("Reg_8", p, 7));
    EXPECT_FALSE(IsSubroutineName("return", p));
    EXPECT_FALSE(IsSubroutineName("$", MakeProfile("p", "$", kFamilyPic16)));
}

}  // namespace
