#include "engine/asm_identifier.h"

#include <algorithm>
#include <iterator>

namespace {

// The mnemonics of the PIC10/12/16 (baseline, mid-range, enhanced mid-range) and PIC18 (with
// its extended set) instructions, lower case.
constexpr std::string_view kMnemonics[] = {
    "addfsr", "addlw",  "addulnk", "addwf",  "addwfc", "andlw",  "andwf",  "asrf",  "bc",
    "bcf",    "bn",     "bnc",     "bnn",    "bnov",   "bnz",    "bov",    "bra",   "brw",
    "bsf",    "btfsc",  "btfss",   "btg",    "bz",     "call",   "callw",  "clrf",  "clrw",
    "clrwdt", "comf",   "cpfseq",  "cpfsgt", "cpfslt", "daw",    "dcfsnz", "decf",  "decfsz",
    "goto",   "incf",   "incfsz",  "infsnz", "iorlw",  "iorwf",  "lfsr",   "lslf",  "lsrf",
    "movf",   "movff",  "movffl",  "moviw",  "movlb",  "movlp",  "movlw",  "movsf", "movss",
    "movwf",  "movwi",  "mullw",   "mulwf",  "negf",   "nop",    "option", "pop",   "push",
    "pushl",  "rcall",  "reset",   "retfie", "retlw",  "return", "rlcf",   "rlf",   "rlncf",
    "rrcf",   "rrf",    "rrncf",   "setf",   "sleep",  "subfsr", "subfwb", "sublw", "subulnk",
    "subwf",  "subwfb", "swapf",   "tblrd",  "tblwt",  "tris",   "tstfsz", "xorlw", "xorwf",
};

// The directives and reserved words of gpasm (with MPASM's) and of pic-as, lower case: as a
// label each would be read as the directive, or refused.
constexpr std::string_view kReservedWords[] = {
    "__badram",  "__badrom",  "__config",  "__idlocs",  "__maxram", "__maxrom",  "access_ovr",
    "align",     "and",       "asmopt",    "bankisel",  "banksel",  "callstack", "cblock",
    "code",      "code_pack", "config",    "constant",  "da",       "dabs",      "data",
    "db",        "ddw",       "de",        "define",    "dlabs",    "ds",        "dt",
    "dtm",       "dw",        "elif",      "else",      "elsif",    "end",       "endc",
    "endif",     "endm",      "endw",      "eq",        "equ",      "error",     "errorlevel",
    "exitm",     "expand",    "extern",    "fill",      "float24",  "fncall",    "fnconf",
    "fnroot",    "fnsize",    "ge",        "global",    "gt",       "high",      "highword",
    "idata",     "idata_acs", "idlocs",    "if",        "ifdef",    "ifndef",    "include",
    "irp",       "irpc",      "le",        "list",      "local",    "low",       "lowword",
    "lt",        "macro",     "messg",     "mod",       "ne",       "noexpand",  "nolist",
    "not",       "nul",       "or",        "org",       "page",     "pagesel",   "pageselw",
    "processor", "psect",     "radix",     "rept",      "res",      "rol",       "ror",
    "set",       "shl",       "shr",       "signat",    "space",    "subtitle",  "title",
    "udata",     "udata_acs", "udata_ovr", "udata_shr", "undefine", "upper",     "variable",
    "warning",   "while",     "xor",
};

// The operand symbols of the current syntax: destination f/w, access c/b.
constexpr std::string_view kOperandSymbols[] = {"f", "w", "c", "b"};

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool Listed(std::string_view lower, const auto& list) {
    return std::find(std::begin(list), std::end(list), lower) != std::end(list);
}

}  // namespace

bool IsAsmIdentifier(std::string_view name) {
    if (name.empty() || !(IsLetter(name[0]) || name[0] == '_'))
        return false;
    std::string lower;
    for (char c : name) {
        if (!IsLetter(c) && !IsDigit(c) && c != '_')
            return false;
        lower += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return !Listed(lower, kOperandSymbols) && !Listed(lower, kMnemonics) &&
           !Listed(lower, kReservedWords);
}

std::optional<std::string> UnwritableProfileName(const Profile& profile, int registerCount) {
    if (profile.Syntax != kSyntaxCurrent)
        return std::nullopt;
    const int L = std::clamp(registerCount, 1, 8);
    for (int k = 0; k < L; ++k) {
        if (!IsAsmIdentifier(profile.Reg[k]))
            return profile.Reg[k];
    }
    // A label that names a register too would be one symbol defined twice.
    if (profile.Label != "$" &&
        (!IsAsmIdentifier(profile.Label) || std::find(profile.Reg.begin(), profile.Reg.begin() + L,
                                                      profile.Label) != profile.Reg.begin() + L)) {
        return profile.Label;
    }
    return std::nullopt;
}

bool IsSubroutineName(std::string_view name, const Profile& profile, int registerCount) {
    if (!IsAsmIdentifier(name) || name == profile.Label)
        return false;
    const int L = std::clamp(registerCount, 1, 8);
    return std::none_of(profile.Reg.begin(), profile.Reg.begin() + L,
                        [&](const std::string& reg) { return reg == name; });
}
