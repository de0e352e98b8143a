#include "engine/share_link.h"

#include <algorithm>
#include <array>

#include "base/ascii.h"
#include "base/number_text.h"
#include "base/utf8.h"
#include "engine/batch_request.h"
#include "engine/time_unit.h"
#include "store/profile.h"

namespace {

constexpr std::array<DelayForm, 3> kForms = {DelayForm::Block, DelayForm::Subroutine,
                                             DelayForm::WTimes};
constexpr std::array<std::string_view, 11> kKeys = {"cycles",    "time",    "time-unit", "freq",
                                                    "freq-unit", "wdt",     "profile",   "form",
                                                    "name",      "declare", "syntax"};
constexpr std::array<std::string_view, 2> kSyntaxWords = {"classic", "current"};

bool Unreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

void AppendEncoded(std::string& out, std::string_view key, std::string_view value) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    out += out.size() > 1 ? "&" : "";
    out += key;
    out += '=';
    for (char c : value) {
        if (Unreserved(c)) {
            out += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
}

// The decoded text, or nothing for a stray "%" or bytes that are not UTF-8.
std::optional<std::string> Decoded(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            text += value[i];
            continue;
        }
        const int high = i + 2 < value.size() ? HexValue(value[i + 1]) : -1;
        const int low = i + 2 < value.size() ? HexValue(value[i + 2]) : -1;
        if (high < 0 || low < 0)
            return std::nullopt;
        text += static_cast<char>(high * 16 + low);
        i += 2;
    }
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t n = base::ValidSequenceLength(std::string_view(text).substr(at));
        if (n == 0)
            return std::nullopt;
        at += n;
    }
    return text;
}

template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& words, std::string_view word) {
    for (std::size_t i = 0; i < N; ++i)
        if (words[i] == word)
            return static_cast<int>(i);
    return -1;
}

ShareLinkRead Refused(LinkFault fault, std::optional<std::string> what = std::nullopt) {
    return {std::nullopt, fault, std::move(what)};
}

}  // namespace

std::string MakeShareLink(const ShareRequest& r) {
    std::string out = "#";
    if (r.calculator) {
        const CalculatorLines& c = *r.calculator;
        AppendEncoded(out, "time", c.timeText);
        AppendEncoded(out, "time-unit", TimeUnitWord(c.timeUnit));
        AppendEncoded(out, "freq", c.frequencyText);
        AppendEncoded(out, "freq-unit", FrequencyUnitWord(c.frequencyUnit));
    } else {
        AppendEncoded(out, "cycles", r.cyclesText);
    }
    AppendEncoded(out, "wdt", r.watchdog ? "1" : "0");
    if (!r.profile.empty())
        AppendEncoded(out, "profile", r.profile);
    AppendEncoded(out, "form", DelayFormName(r.routine.form));
    if (r.routine.form != DelayForm::Block)
        AppendEncoded(out, "name", r.routine.name);
    AppendEncoded(out, "declare", r.routine.declareRegisters ? "1" : "0");
    if (r.syntax)
        AppendEncoded(out, "syntax", kSyntaxWords[*r.syntax == kSyntaxCurrent ? 1 : 0]);
    return out;
}

bool ShareLinkFits(const ShareRequest& request) {
    return MakeShareLink(request).size() - 1 <= kMaxShareLinkSize;
}

ShareLinkRead ReadShareLink(std::string_view fragment) {
    if (!fragment.empty() && fragment.front() == '#')
        fragment.remove_prefix(1);
    if (fragment.size() > kMaxShareLinkSize)
        return Refused(LinkFault::TooLong);
    std::array<std::optional<std::string>, kKeys.size()> values;
    while (!fragment.empty()) {
        const std::string_view pair = fragment.substr(0, fragment.find('&'));
        fragment.remove_prefix(std::min(fragment.size(), pair.size() + 1));
        const std::size_t equals = pair.find('=');
        const std::string_view key = pair.substr(0, equals);
        const int k = IndexOf(kKeys, key);
        if (k < 0)
            return Refused(LinkFault::UnknownKey, base::SanitizeUtf8(key));
        if (equals == std::string_view::npos)
            return Refused(LinkFault::NoValue, std::string(key));
        if (values[static_cast<std::size_t>(k)])
            return Refused(LinkFault::GivenTwice, std::string(key));
        values[static_cast<std::size_t>(k)] = Decoded(pair.substr(equals + 1));
        if (!values[static_cast<std::size_t>(k)])
            return Refused(LinkFault::NotUtf8, std::string(key));
    }
    const auto& [cycles, time, timeUnit, freq, freqUnit, wdt, profile, form, name, declare,
                 syntax] = values;

    ShareRequest r;
    const bool calculator = time || timeUnit || freq || freqUnit;
    if (calculator == cycles.has_value())
        return Refused(LinkFault::CyclesOrTime);
    if (calculator) {
        if (!time || !freq)
            return Refused(LinkFault::TimeWithoutFreq);
        const std::optional<TimeUnit> t =
            timeUnit ? TimeUnitOfWord(*timeUnit) : TimeUnit::Microseconds;
        const int f = freqUnit ? FrequencyUnitIndex(*freqUnit) : 0;
        if (!t)
            return Refused(LinkFault::TimeUnit, *timeUnit);
        if (f < 0)
            return Refused(LinkFault::FrequencyUnit, *freqUnit);
        // As the fields hold them: a comma as the point, no blanks around.
        const std::optional<std::string> timeText = WholeDecimal(*time);
        const std::optional<std::string> freqText = WholeDecimal(*freq);
        if (!timeText)
            return Refused(LinkFault::NotANumber, "time");
        if (!freqText)
            return Refused(LinkFault::NotANumber, "freq");
        r.calculator = CalculatorLines{*timeText, t, *freqText, f};
    } else {
        if (!IsWholeCount(*cycles))
            return Refused(LinkFault::NotANumber, "cycles");
        r.cyclesText = base::TrimBlanks(*cycles);
    }
    if (wdt && *wdt != "0" && *wdt != "1")
        return Refused(LinkFault::Watchdog, *wdt);
    r.watchdog = wdt && *wdt == "1";
    r.profile = profile.value_or("");
    if (form) {
        const std::string_view word = *form;  // (a lambda may not name a structured binding)
        const auto found = std::find_if(kForms.begin(), kForms.end(),
                                        [word](DelayForm f) { return DelayFormName(f) == word; });
        if (found == kForms.end())
            return Refused(LinkFault::Form, *form);
        r.routine.form = *found;
    }
    if (r.routine.form != DelayForm::Block && (!name || name->empty()))
        return Refused(LinkFault::NoName);
    r.routine.name = name.value_or("");
    if (declare && *declare != "0" && *declare != "1")
        return Refused(LinkFault::Declare, *declare);
    r.routine.declareRegisters = declare && *declare == "1";
    if (syntax) {
        const int s = IndexOf(kSyntaxWords, *syntax);
        if (s < 0)
            return Refused(LinkFault::Syntax, *syntax);
        r.syntax = s == 1 ? kSyntaxCurrent : kSyntaxClassic;
    }
    // Read, it is the request; written anew, it must still be a link.
    if (!ShareLinkFits(r))
        return Refused(LinkFault::TooLong);
    return {r, LinkFault::None, std::nullopt};
}
