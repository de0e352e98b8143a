// The shareable link: the text of the address's fragment that holds one delay request, made and
// read here, so that the page's address and loopsmith-cli --link agree.
//
//   #cycles=10000&wdt=0&profile=Default%20PIC18&form=block&declare=0&syntax=classic
//   #time=10&time-unit=ms&freq=4&freq-unit=MHz&wdt=1&profile=Mine&form=subroutine&name=Delay&...
//
// Keys in this order, each once: either cycles (the cycle field's text) or time, time-unit,
// freq and freq-unit (the calculator's fields and units, the words of loopsmith-cli); wdt (0 or
// 1); profile (its name; left out for none); form (block, subroutine or w-times); name (the
// routine's label; left out for the block); declare (0 or 1); syntax (classic or current). So
// the link holds all that makes the code. Values are UTF-8, percent-encoded: every byte but
// the letters, digits and - . _ ~ as %XX. A reader takes the keys in any order, "+" as itself
// and the unit words in any letter case; units default to us and MHz, wdt and declare to 0,
// form to block, syntax to the profile's own. The numbers are read as everywhere: wholly a
// number or refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/delay_code_text.h"
#include "engine/delay_form.h"

struct ShareRequest {
    std::string cyclesText;                     // as typed in the cycle field
    std::optional<CalculatorLines> calculator;  // instead: time and frequency as typed
    bool watchdog = false;
    std::string profile;  // "": none named
    DelayRoutine routine;
    std::optional<int> syntax;  // kSyntaxClassic or kSyntaxCurrent; none: the profile's own

    friend bool operator==(const ShareRequest&, const ShareRequest&) = default;
};

// The fragment, "#" first.
std::string MakeShareLink(const ShareRequest& request);

// What is wrong with a link that cannot be read; the page words it in the user's language.
enum class LinkFault {
    None,
    TooLong,
    UnknownKey,       // `what`: the key
    NoValue,          // `what`: the key
    GivenTwice,       // `what`: the key
    NotUtf8,          // `what`: the key whose value has a bad %XX or is not UTF-8
    CyclesOrTime,     // neither or both
    TimeWithoutFreq,  // one of the two alone
    TimeUnit,         // `what`: the value
    FrequencyUnit,    // `what`: the value
    Watchdog,         // `what`: the value
    Form,             // `what`: the value
    NoName,           // a subroutine or W-times form without its name
    NotANumber,       // `what`: the key whose value is not wholly a number
    Declare,          // `what`: the value
    Syntax,           // `what`: the value
};

// The request of a fragment ("#" first or not), or what is wrong with it.
struct ShareLinkRead {
    std::optional<ShareRequest> request;
    LinkFault fault = LinkFault::None;
    std::optional<std::string> what;  // the key or value at fault, for the faults that name one
};
ShareLinkRead ReadShareLink(std::string_view fragment);

// A fragment is a few dozen bytes. A longer one is refused, as is one whose request would be
// written longer (MakeShareLink never makes a link that ReadShareLink refuses).
inline constexpr std::size_t kMaxShareLinkSize = 2048;

// Whether the request's link (without its "#") is within kMaxShareLinkSize.
bool ShareLinkFits(const ShareRequest& request);
