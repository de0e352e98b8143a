#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr std::int64_t kOutOfRange = std::numeric_limits<std::int64_t>::min();

TEST(ReadIntegerText, ReadsEachBaseWhollyOrNotAtAll) {
    EXPECT_EQ(ReadIntegerText("1000000"), 1000000);
    EXPECT_EQ(ReadIntegerText(" \t+42 "), 42);
    EXPECT_EQ(ReadIntegerText("-17"), -17);
    EXPECT_EQ(ReadIntegerText("$FF"), 255);
    EXPECT_EQ(ReadIntegerText("%1011"), 11);
    EXPECT_EQ(ReadIntegerText("-$10"), -16);
    EXPECT_EQ(ReadIntegerText(""), 0);
    EXPECT_EQ(ReadIntegerText("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    // A prefix is never the count: these once read as 42, 255, 5, 10 and 1000.
    for (const char* junk : {"+42abc", "$fFg1", "%1012", "10 000", "1000.9", "x12", "$", "-"})
        EXPECT_EQ(ReadIntegerText(junk), kOutOfRange) << junk;
}

TEST(ReadIntegerText, ValuesBeyondSixtyFourBitsAreOutOfRangeInsteadOfWrapping) {
    EXPECT_EQ(ReadIntegerText("$10000000000000005"), kOutOfRange);  // would wrap to 5
    EXPECT_EQ(ReadIntegerText("9223372036854775808"), kOutOfRange);
    EXPECT_EQ(ReadIntegerText("9999999999999999999"), kOutOfRange);
    EXPECT_EQ(ReadIntegerText("-9223372036854775809"), kOutOfRange);
    EXPECT_EQ(ReadIntegerText("%" + std::string(64, '1')), kOutOfRange);
    EXPECT_EQ(ReadIntegerText("$7FFFFFFFFFFFFFFF"), std::numeric_limits<std::int64_t>::max());
}

TEST(ReadDecimalText, ReadsTheLeadingNumberLikeTheCScan) {
    EXPECT_EQ(ReadDecimalText("4"), 4.0);
    EXPECT_EQ(ReadDecimalText("0.5"), 0.5);
    EXPECT_EQ(ReadDecimalText("3.579545"), 3.579545);
    EXPECT_EQ(ReadDecimalText("  -2.5e3xyz"), -2500.0);
    EXPECT_EQ(ReadDecimalText("+1."), 1.0);
    EXPECT_EQ(ReadDecimalText(".25"), 0.25);
    EXPECT_EQ(ReadDecimalText("1.2.3"), 1.2);
    EXPECT_EQ(ReadDecimalText(""), 0.0);
    EXPECT_EQ(ReadDecimalText("abc"), 0.0);
    EXPECT_EQ(ReadDecimalText("+-1"), 0.0);
    EXPECT_TRUE(std::isinf(ReadDecimalText("1e999")));
    EXPECT_EQ(ReadDecimalText("1e-999"), 0.0);
    EXPECT_EQ(ReadDecimalText("0." + std::string(400, '0') + "1"),
              0.0);  // underflow without exponent
    EXPECT_TRUE(std::isinf(ReadDecimalText("1" + std::string(400, '0'))));
}

TEST(WriteTrimmedDecimal, KeepsTenPlacesAndDropsTrailingZeros) {
    EXPECT_EQ(WriteTrimmedDecimal(4.0), "4");
    EXPECT_EQ(WriteTrimmedDecimal(4.5), "4.5");
    EXPECT_EQ(WriteTrimmedDecimal(3.579545), "3.579545");
    EXPECT_EQ(WriteTrimmedDecimal(10.0), "10");
    EXPECT_EQ(WriteTrimmedDecimal(0.0), "0");
    EXPECT_EQ(WriteTrimmedDecimal(100.0), "100");
    EXPECT_EQ(WriteTrimmedDecimal(0.00000000001), "0");
    EXPECT_EQ(WriteTrimmedDecimal(32.768), "32.768");
}

TEST(WriteIntegerText, PlainDigits) {
    EXPECT_EQ(WriteIntegerText(0), "0");
    EXPECT_EQ(WriteIntegerText(-5), "-5");
    EXPECT_EQ(WriteIntegerText(9223372036854775800), "9223372036854775800");
}

}  // namespace
