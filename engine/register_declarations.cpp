#include "engine/register_declarations.h"

#include <algorithm>
#include <cstdio>

#include "base/ascii.h"
#include "engine/w_times_routine.h"

namespace {

constexpr std::string_view kBlankField = "            ";  // the label field of the code

bool IsPlainName(std::string_view name) {
    const auto letter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    return !name.empty() && letter(name[0]) && std::all_of(name.begin(), name.end(), [&](char c) {
        return letter(c) || (c >= '0' && c <= '9');
    });
}

std::optional<unsigned> ReadAddress(std::string_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        const char lower = base::FoldAscii(c);
        unsigned digit = 0;
        if (base::IsDigit(c))
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && lower >= 'a' && lower <= 'f')
            digit = static_cast<unsigned>(lower - 'a' + 10);
        else
            return std::nullopt;
        value = value * base + digit;
    }
    if (value > 0xFFFF)
        return std::nullopt;
    return value;
}

// A name in the label field, padded as the loop head's label is.
void AppendLabel(std::string& out, std::string_view name, bool colon) {
    out += name;
    std::size_t n = name.size();
    if (colon) {
        out += ':';
        ++n;
    }
    out.append(n < 12 ? 12 - n : 1, ' ');
}

void AppendDirective(std::string& out, std::string_view directive, std::string_view operand,
                     std::string_view lineEnd) {
    out += kBlankField;
    out += directive;
    if (!operand.empty()) {
        out.append(directive.size() < 12 ? 12 - directive.size() : 1, ' ');
        out += operand;
    }
    out += lineEnd;
}

}  // namespace

unsigned DefaultDataAddress(int family) {
    return family == kFamilyPic18 ? 0x00 : 0x70;
}

std::optional<DataPlace> ReadDataPlace(const Profile& profile) {
    const std::string& text = profile.DataAddress;
    if (text.empty())
        return DataPlace{false, DefaultDataAddress(profile.TypePIC)};
    if (base::EqualFoldingAscii(text, "udata"))
        return DataPlace{true, 0};
    if (const auto address = ReadAddress(text))
        return DataPlace{false, *address};
    return std::nullopt;
}

std::vector<std::string> UsedRegisterNames(const LoopPlan& plan, DelayForm form,
                                           const Profile& profile) {
    int used = std::clamp(plan.registerCount, 1, 8);
    if (form == DelayForm::WTimes)
        used = std::min(WTimesCounter(plan), 8);
    std::vector<std::string> names;
    for (int k = 0; k < used; ++k) {
        const std::string& name = profile.Reg[static_cast<std::size_t>(k)];
        if (IsPlainName(name) && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

std::string RegisterDeclarations(const std::vector<std::string>& names, const Profile& profile,
                                 const DataPlace& place, std::string_view lineEnd) {
    const bool pic18 = profile.TypePIC == kFamilyPic18;
    const std::string_view shared = pic18 ? "udata_acs" : "udata_shr";
    std::string out;
    if (profile.Syntax == kSyntaxCurrent) {
        AppendDirective(out, "PSECT", shared, lineEnd);
        for (const std::string& name : names) {
            AppendLabel(out, name, true);
            out += "DS          1";
            out += lineEnd;
        }
        AppendDirective(out, "PSECT", "code", lineEnd);
    } else if (place.relocatable) {
        AppendDirective(out, shared, "", lineEnd);
        for (const std::string& name : names) {
            AppendLabel(out, name, false);
            out += "res         1";
            out += lineEnd;
        }
        // Back to program memory: the code that follows must not land in the data section.
        AppendDirective(out, "code", "", lineEnd);
    } else {
        char address[12];
        std::snprintf(address, sizeof address, "0x%02X", place.address);
        AppendDirective(out, "cblock", address, lineEnd);
        for (const std::string& name : names)
            AppendDirective(out, name, "", lineEnd);
        AppendDirective(out, "endc", "", lineEnd);
    }
    out += lineEnd;
    return out;
}
