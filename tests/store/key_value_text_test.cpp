#include "store/key_value_text.h"
#include "base/ascii.h"
#include "base/utf8.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

namespace {

using kv::Entry;
using kv::EntryKind;

Entry G(std::string n) {
    return {EntryKind::Group, std::move(n), {}};
}
Entry C(std::string n) {
    return {EntryKind::Comment, std::move(n), {}};
}
Entry K(std::string n, std::string v) {
    return {EntryKind::Key, std::move(n), std::move(v)};
}

struct ParseCase {
    const char* what;
    std::string bytes;
    std::vector<Entry> entries;
};

class ParseLines : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLines, GivesTheEntries) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(kv::ParseKeyValueText(c.bytes).entries, c.entries) << c.what;
    // The walk that keeps nothing sees the same entries.
    std::vector<Entry> walked;
    kv::ForEachEntry(c.bytes, [&walked](const kv::EntryView& e) {
        walked.push_back({e.kind, std::string(e.name), std::string(e.value)});
    });
    EXPECT_EQ(walked, c.entries) << c.what;
}

const std::string kBom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    KeyValueText, ParseLines,
    ::testing::Values(
        ParseCase{"comment loses one space", ";  two\r\n;none\r\n", {C(" two"), C("none")}},
        ParseCase{"group ends at first ]", "[Window] tail ]x\n", {G("Window")}},
        ParseCase{"group without ]", "[Win dow  \n", {G("Win dow  ")}},
        ParseCase{"group name not trimmed", "[ Window ]\n", {G(" Window ")}},
        ParseCase{"key without =", "NumberProf\n", {K("NumberProf", "")}},
        ParseCase{"blanks around key and value", "  Time=3  \n", {K("Time", "3  ")}},
        ParseCase{"tab blanks", "\tKey \t=\t v\n", {K("Key", "v")}},
        ParseCase{"value keeps further =", "a = b = c=\n", {K("a", "b = c=")}},
        ParseCase{"empty key", "=v\n", {K("", "v")}},
        ParseCase{"CR only", "a=1\rb=2\r", {K("a", "1"), K("b", "2")}},
        ParseCase{"LF CR runs and empty lines", "a=1\n\r\n\n\r\rb=2", {K("a", "1"), K("b", "2")}},
        ParseCase{"blank-only lines carry nothing", "  \t \r\na=1\r\n   ", {K("a", "1")}},
        ParseCase{"leading blanks before kinds", "  [G]\n\t; c\n", {G("G"), C("c")}},
        ParseCase{"Latin-1 without mark", "k=\xE9\xFF\n", {K("k", "\xC3\xA9\xC3\xBF")}},
        ParseCase{"UTF-8 after mark", kBom + "k=\xD0\xAF\n", {K("k", "\xD0\xAF")}},
        ParseCase{"mark only at the start, valid UTF-8", "k=" + kBom, {K("k", kBom)}},
        ParseCase{"mark only at the start, then Latin-1",
                  "k=" + kBom + "\xE9",
                  {K("k", "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA9")}},
        ParseCase{"UTF-8 without mark",
                  "[\xD0\x9C\xD0\xBE]\nk=\xE2\x82\xAC\n",
                  {G("\xD0\x9C\xD0\xBE"), K("k", "\xE2\x82\xAC")}},
        ParseCase{"overlong form is Latin-1", "k=\xC0\xAF\n", {K("k", "\xC3\x80\xC2\xAF")}},
        ParseCase{"NUL is an ordinary byte",
                  std::string("a=1\0b\n", 6),
                  {K("a", std::string("1\0b", 3))}}));

TEST(KeyValueText, EncodingFlagFollowsTheFile) {
    EXPECT_FALSE(kv::ParseKeyValueText("").utf8);
    EXPECT_TRUE(kv::ParseKeyValueText("a=1").utf8);
    EXPECT_TRUE(kv::ParseKeyValueText(kBom).utf8);
    EXPECT_TRUE(kv::ParseKeyValueText(kBom).entries.empty());
    // Two bytes of a mark are no mark: read as ISO 8859-1.
    EXPECT_EQ(kv::ParseKeyValueText("\xEF\xBB").entries,
              std::vector<Entry>{K("\xC3\xAF\xC2\xBB", "")});
}

TEST(KeyValueText, FilesBeyondTheGroupOrEntryLimitAreRefused) {
    std::string groups;
    for (std::size_t i = 0; i < kv::kMaxGroups; ++i)
        groups += "[g]\n  \n";
    EXPECT_TRUE(kv::WithinEntryLimits(groups));
    EXPECT_FALSE(kv::WithinEntryLimits(groups + " [g]"));
    std::string keys(kv::kMaxEntries * 2, '\n');
    for (std::size_t i = 0; i < keys.size(); i += 2)
        keys[i] = 'k';
    EXPECT_TRUE(kv::WithinEntryLimits(keys + "\r\n \t\n"));
    EXPECT_FALSE(kv::WithinEntryLimits(keys + "k"));
}

TEST(KeyValueText, RendersNormalisedLines) {
    const std::vector<Entry> entries{G("Window"), C("note"), K("Time", "3  "), K("x", "")};
    EXPECT_EQ(kv::RenderKeyValueText(entries, true),
              kBom + "\r\n[Window]\r\n; note\r\nTime = 3  \r\nx = \r\n");
    EXPECT_EQ(kv::RenderKeyValueText(entries, false),
              "[Window]\r\n; note\r\nTime = 3  \r\nx = \r\n");
    EXPECT_EQ(kv::RenderKeyValueText({}, false), "");
    EXPECT_EQ(kv::RenderKeyValueText({}, true), kBom + "\r\n");
}

TEST(KeyValueText, ALineBreakInAWrittenValueCannotSplitTheLine) {
    EXPECT_EQ(kv::RenderKeyValueText({G("a\r\nb"), K("k\n", "v\r[x]")}, false),
              "[a  b]\r\nk  = v [x]\r\n");
}

TEST(KeyValueText, NamesMatchFoldingAsciiLettersOnly) {
    EXPECT_TRUE(base::EqualFoldingAscii("WINDOW", "window"));
    EXPECT_TRUE(base::EqualFoldingAscii("Reg_1", "rEG_1"));
    EXPECT_FALSE(base::EqualFoldingAscii("Окно", "ОКНО"));
    EXPECT_FALSE(base::EqualFoldingAscii("\xC3\xA9", "\xC3\x89"));  // é vs É
    EXPECT_FALSE(base::EqualFoldingAscii("[", "{"));  // 0x5B and 0x7B differ by 0x20 too
    EXPECT_FALSE(base::EqualFoldingAscii("Window", "Window "));
    EXPECT_TRUE(base::EqualFoldingAscii("", ""));
}

struct IntegerCase {
    const char* value;
    std::int32_t expected;
};
class IntegerValues : public ::testing::TestWithParam<IntegerCase> {};
TEST_P(IntegerValues, ReadAsDecimal) {
    EXPECT_EQ(kv::ParseIntegerValue(GetParam().value), GetParam().expected) << GetParam().value;
}
INSTANTIATE_TEST_SUITE_P(KeyValueText, IntegerValues,
                         ::testing::Values(IntegerCase{"3", 3}, IntegerCase{"  -12x", -12},
                                           IntegerCase{"+7", 7}, IntegerCase{"", 0},
                                           IntegerCase{"abc", 0}, IntegerCase{"1e5", 1},
                                           IntegerCase{"0x1F", 0}, IntegerCase{"- 4", 0},
                                           IntegerCase{"2147483647", 2147483647},
                                           IntegerCase{"2147483648", 2147483647},
                                           IntegerCase{"-2147483648", -2147483647 - 1},
                                           IntegerCase{"-99999999999999999999999", -2147483647 - 1},
                                           IntegerCase{"000000000000000000000000000042", 42}));

// (std::bit_cast is missing from the browser build's library.)
template <class To, class From>
To BitCast(From from) {
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

struct DoubleCase {
    const char* value;
    double expected;
};
class DoubleValues : public ::testing::TestWithParam<DoubleCase> {};
TEST_P(DoubleValues, ReadTheLongestLeadingNumber) {
    const double got = kv::ParseDoubleValue(GetParam().value);
    EXPECT_EQ(BitCast<std::uint64_t>(got), BitCast<std::uint64_t>(GetParam().expected))
        << GetParam().value << " gave " << got;
}
INSTANTIATE_TEST_SUITE_P(
    KeyValueText, DoubleValues,
    ::testing::Values(DoubleCase{"4", 4.0}, DoubleCase{"4.5MHz", 4.5}, DoubleCase{"-0.25", -0.25},
                      DoubleCase{"+3", 3.0}, DoubleCase{".5", 0.5}, DoubleCase{"5.", 5.0},
                      DoubleCase{"1e3", 1000.0}, DoubleCase{"1E+2x", 100.0}, DoubleCase{"1e", 1.0},
                      DoubleCase{"1e-", 1.0}, DoubleCase{"3,5", 3.0}, DoubleCase{"e5", 0.0},
                      DoubleCase{".", 0.0}, DoubleCase{"abc", 0.0}, DoubleCase{"inf", 0.0},
                      DoubleCase{"0x10", 0.0},
                      DoubleCase{"1e999", std::numeric_limits<double>::infinity()},
                      DoubleCase{"-1e999", -std::numeric_limits<double>::infinity()},
                      DoubleCase{"1e-999", 0.0}, DoubleCase{"0.000e999", 0.0},
                      DoubleCase{"4.9406564584124654e-324", 4.9406564584124654e-324},
                      DoubleCase{"0.1000000000000000055511151231257827021181583404541015625",
                                 0.1}));

std::string PrintfG64(double v) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.64g", v);
    return buffer;
}

TEST(KeyValueText, DoublesAreWrittenLikePercentPoint64G) {
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(kv::FormatDoubleValue(4.0), "4");
    EXPECT_EQ(kv::FormatDoubleValue(20.0), "20");
    EXPECT_EQ(kv::FormatDoubleValue(0.1),
              "0.1000000000000000055511151231257827021181583404541015625");
    for (double v : {3.579545, -0.0, 1e-5, 1e100, 1.7976931348623157e308, 4.9406564584124654e-324,
                     123456789012345678.0, 0.5, 1e21, 1e15, 32.768}) {
        EXPECT_EQ(kv::FormatDoubleValue(v), PrintfG64(v)) << v;
    }
}

TEST(KeyValueText, EveryWrittenDoubleReadsBackExactly) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        double v = BitCast<double>(random());
        if (!std::isfinite(v))
            continue;
        const double back = kv::ParseDoubleValue(kv::FormatDoubleValue(v));
        ASSERT_EQ(BitCast<std::uint64_t>(back), BitCast<std::uint64_t>(v))
            << kv::FormatDoubleValue(v);
    }
}

TEST(KeyValueText, Latin1BecomesTwoByteUtf8) {
    EXPECT_EQ(kv::Latin1ToUtf8("a\x80\xBF\xC0\xFF"), "a\xC2\x80\xC2\xBF\xC3\x80\xC3\xBF");
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(base::SanitizeUtf8(kv::Latin1ToUtf8(all.substr(1))), kv::Latin1ToUtf8(all.substr(1)));
}

TEST(KeyValueText, SanitizingReplacesWhatIsNotUtf8) {
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(base::SanitizeUtf8("Язык €𝄞"), "Язык €𝄞");
    EXPECT_EQ(base::SanitizeUtf8("a\xFF"
                                 "b"),
              "a" + r + "b");
    EXPECT_EQ(base::SanitizeUtf8(std::string("a\0b", 3)), "a" + r + "b");
    EXPECT_EQ(base::SanitizeUtf8("\xC0\x80"), r + r);                  // overlong NUL
    EXPECT_EQ(base::SanitizeUtf8("\xED\xA0\x80"), r + r + r);          // surrogate
    EXPECT_EQ(base::SanitizeUtf8("\xF4\x90\x80\x80"), r + r + r + r);  // beyond U+10FFFF
    EXPECT_EQ(base::SanitizeUtf8("\xD0"), r);                          // cut short
}

}  // namespace
