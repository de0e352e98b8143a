#include "store/profile.h"

Profile MakeProfile(std::string name, std::string label, int family) {
    Profile p;
    p.Name = std::move(name);
    for (int k = 0; k < 8; ++k) p.Reg[k] = "Reg_" + std::to_string(k + 1);
    p.Label = std::move(label);
    p.TypePIC = family;
    return p;
}

void AddDefaultProfiles(ProfileList& list) {
    list.push_back(MakeProfile("Default PIC10, PIC12, PIC16", "$", kFamilyPic16));
    list.push_back(MakeProfile("Default PIC18", "$", kFamilyPic18));
}
