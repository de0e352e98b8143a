#include "engine/time_unit.h"

#include <array>
#include <cstddef>

#include "base/ascii.h"

namespace {

constexpr std::array<std::string_view, 6> kWords = {"us", "ms", "s", "min", "h", "d"};
constexpr std::array<std::uint64_t, 6> kMicroseconds = {1,        1000,       1000000,
                                                        60000000, 3600000000, 86400000000};

std::size_t Index(TimeUnit unit) {
    return static_cast<std::size_t>(unit);
}

}  // namespace

std::optional<TimeUnit> TimeUnitAt(int position) {
    if (position < 0 || position >= static_cast<int>(kWords.size()))
        return std::nullopt;
    return static_cast<TimeUnit>(position);
}

int TimeUnitPosition(std::optional<TimeUnit> unit) {
    return unit ? static_cast<int>(*unit) : -1;
}

std::string_view TimeUnitWord(std::optional<TimeUnit> unit) {
    return unit ? kWords[Index(*unit)] : "";
}

std::optional<TimeUnit> TimeUnitOfWord(std::string_view word) {
    for (std::size_t i = 0; i < kWords.size(); ++i) {
        if (base::EqualFoldingAscii(word, kWords[i]))
            return static_cast<TimeUnit>(i);
    }
    return std::nullopt;
}

std::uint64_t MicrosecondsPer(TimeUnit unit) {
    return kMicroseconds[Index(unit)];
}
