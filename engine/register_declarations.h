// The declarations of the registers a delay's code uses, written before the code so that a
// paste assembles as it is: a cblock at the profile's data address, or a section of shared /
// access RAM that the linker places.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/delay_code_text.h"
#include "engine/delay_form.h"
#include "engine/loop_plan.h"
#include "store/profile.h"

// Where the registers go: at `address` (classic cblock), or anywhere in the family's shared
// RAM when `relocatable`.
struct DataPlace {
    bool relocatable = false;
    unsigned address = 0;
};

// The family's default: common RAM at 0x70 on PIC10/12/16 (seen from every bank), the access
// bank from 0x00 on PIC18.
unsigned DefaultDataAddress(int family);

// The profile's DataAddress: empty for the family's default, "udata" (any letter case) for
// the linker's choice, else 0x followed by hex digits or plain decimal digits, below 0x10000.
// nullopt for any other text.
std::optional<DataPlace> ReadDataPlace(const Profile& profile);

// The names of the registers the code uses, each once, in register order: the nest's, and the
// W-times routine's counter. Names that are no plain identifier (an address such as 0x20, an
// expression) need no declaration and are left out.
std::vector<std::string> UsedRegisterNames(const LoopPlan& plan, DelayForm form,
                                           const Profile& profile);

// The declaration lines of `names` in the profile's syntax, then one empty line. The current
// assembler has no cblock: its registers always go into a psect the linker places.
std::string RegisterDeclarations(const std::vector<std::string>& names, const Profile& profile,
                                 const DataPlace& place, std::string_view lineEnd = kWindowLineEnd);
