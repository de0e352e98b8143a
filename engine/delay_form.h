// The three forms of one delay request.
#pragma once

#include <string>
#include <string_view>

// Inline; a subroutine whose call and return the count includes; a subroutine that waits W
// times the count.
enum class DelayForm { Block, Subroutine, WTimes };

struct DelayRoutine {
    DelayForm form = DelayForm::Block;
    std::string name;  // the subroutine's label; unused for the block

    friend bool operator==(const DelayRoutine&, const DelayRoutine&) = default;
};

// "block", "subroutine", "w-times": the names loopsmith-cli's --plan writes.
constexpr std::string_view DelayFormName(DelayForm form) {
    switch (form) {
        case DelayForm::Subroutine:
            return "subroutine";
        case DelayForm::WTimes:
            return "w-times";
        case DelayForm::Block:
            break;
    }
    return "block";
}
