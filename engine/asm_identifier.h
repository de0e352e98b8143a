// Which names the current Microchip assembler takes as register names and labels, and
// whether a profile's names can be written in its syntax.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/profile.h"

// A letter or an underscore, then letters, digits and underscores (ASCII); not one of the
// operand symbols f, w, c, b, not an instruction mnemonic of either family and not a directive
// or reserved word of gpasm or pic-as, in any letter case.
bool IsAsmIdentifier(std::string_view name);

// The first name of the profile that its syntax cannot take: registers 1..registerCount in
// order, then the label (not an identifier, or the name of one of those registers); nullopt
// when all can be written. Classic profiles take every name, as they always have; the label
// "$" (relative jumps) is allowed in both syntaxes.
std::optional<std::string> UnwritableProfileName(const Profile& profile, int registerCount = 8);

// Whether `name` can label a delay subroutine with this profile, in either syntax: an
// identifier, and not the loop label or the name of one of registers 1..registerCount.
bool IsSubroutineName(std::string_view name, const Profile& profile, int registerCount = 8);
