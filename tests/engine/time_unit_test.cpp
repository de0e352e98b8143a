// A time unit's three forms (combo position, word, microseconds) name the same unit.
#include "engine/time_unit.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeUnit, PositionWordAndLengthAgree) {
    const char* const words[] = {"us", "ms", "s", "min", "h", "d"};
    const std::uint64_t microseconds[] = {1, 1000, 1000000, 60000000, 3600000000, 86400000000};
    for (int i = 0; i < 6; ++i) {
        const std::optional<TimeUnit> unit = TimeUnitAt(i);
        ASSERT_TRUE(unit);
        EXPECT_EQ(TimeUnitPosition(unit), i);
        EXPECT_EQ(TimeUnitWord(unit), words[i]);
        EXPECT_EQ(TimeUnitOfWord(words[i]), unit);
        EXPECT_EQ(MicrosecondsPer(*unit), microseconds[i]);
    }
    EXPECT_EQ(TimeUnitOfWord("MiN"), TimeUnit::Minutes);
    for (int outside : {-1, 6})
        EXPECT_EQ(TimeUnitPosition(TimeUnitAt(outside)), -1);
    EXPECT_EQ(TimeUnitWord(std::nullopt), "");
    EXPECT_FALSE(TimeUnitOfWord("µs") || TimeUnitOfWord("") || TimeUnitOfWord("sec"));
}

}  // namespace
