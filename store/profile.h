// One named profile (how the code is spelled for one target) and the ordered list of all.
#pragma once

#include <array>
#include <string>
#include <vector>

inline constexpr int kFamilyPic16 = 0;  // "PIC10/12/16": goto
inline constexpr int kFamilyPic18 = 1;  // "PIC 18": bra, ACCESS/BANKED
inline constexpr int kAccessBank = 0;   // "ACCESS"
inline constexpr int kBanked = 1;       // "BANKED"

// The assembler the code is spelled for.
inline constexpr int kSyntaxClassic = 0;  // MPASM and gpasm: ".251", ",F", a label without colon
inline constexpr int kSyntaxCurrent = 1;  // XC8's PIC Assembler: "251", ",f", ",c", "Loop:"

struct Profile {
    std::string Name;
    std::array<std::string, 8> Reg;  // Reg1..Reg8 at indices 0..7
    std::string Label;               // "$": no label, relative jumps
    int TypePIC = kFamilyPic16;
    std::array<int, 8> RegType{};  // RegType1..RegType8 at indices 0..7
    int Syntax = kSyntaxClassic;   // any value other than kSyntaxCurrent spells classic
    // Where declared registers go: "" the family's shared RAM, "udata" the linker's choice,
    // or an address ("0x70"), as stored.
    std::string DataAddress;

    friend bool operator==(const Profile&, const Profile&) = default;
};

// Its order is the item order of the profile combo and the profile list.
using ProfileList = std::vector<Profile>;

// "Default PIC10, PIC12, PIC16" and "Default PIC18", appended in this order.
void AddDefaultProfiles(ProfileList& list);

// Registers "Reg_1".."Reg_8", all ACCESS; the label and family as given.
Profile MakeProfile(std::string name, std::string label, int family);
