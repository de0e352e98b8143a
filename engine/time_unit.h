// The calculator's time units. Their order is the time-unit combo's, so a unit's position is
// the number the settings file stores; links, JSON lines and batch lines write its word.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

enum class TimeUnit { Microseconds, Milliseconds, Seconds, Minutes, Hours, Days };

// The unit at a combo position; none outside 0..5 (a combo that shows no unit).
std::optional<TimeUnit> TimeUnitAt(int position);
// The combo position of a unit; -1 for none.
int TimeUnitPosition(std::optional<TimeUnit> unit);

// The unit's word: us ms s min h d; "" for none.
std::string_view TimeUnitWord(std::optional<TimeUnit> unit);
// The unit a word names, in any letter case; none when it names none.
std::optional<TimeUnit> TimeUnitOfWord(std::string_view word);

// Microseconds in one unit.
std::uint64_t MicrosecondsPer(TimeUnit unit);
