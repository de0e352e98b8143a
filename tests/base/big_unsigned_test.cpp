// Division keeps its identity for every shape of limbs, including the rare step that guesses one
// too many and adds the divisor back; decimal texts go in and out whole.
#include <gtest/gtest.h>

#include <random>

#include "base/big_unsigned.h"

using base::BigUnsigned;

namespace {

TEST(BigUnsigned, DivisionKeepsItsIdentity) {
    std::mt19937_64 rng(7);
    const BigUnsigned limb(std::uint64_t{1} << 32);
    const auto random = [&](std::uint64_t limbs) {
        const std::uint64_t kinds[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        BigUnsigned x;
        while (limbs-- > 0)
            x = x * limb + BigUnsigned(rng() % 2 ? rng() >> 32 : kinds[rng() % 5]);
        return x;
    };
    const BigUnsigned two64 = limb * limb;
    std::vector<std::pair<BigUnsigned, BigUnsigned>> cases = {
        {BigUnsigned(0x7FFFFFFF) * two64 * limb + BigUnsigned(0x80000000) * two64,
         BigUnsigned(0x80000000) * two64 + BigUnsigned(1)}};
    for (int i = 0; i < 20000; ++i)
        cases.emplace_back(random(rng() % 12), random(1 + rng() % 6) + BigUnsigned(1));
    for (const auto& [n, d] : cases) {
        const BigUnsigned::Division q = n.DividedBy(d);
        ASSERT_EQ(q.quotient * d + q.remainder, n);
        ASSERT_LT(Compare(q.remainder, d), 0);
    }
}

TEST(BigUnsigned, DecimalTexts) {
    std::string digits = "1";
    for (int i = 0; i < 2000; ++i)
        digits += static_cast<char>('0' + i * 7 % 10);
    EXPECT_EQ(BigUnsigned::FromDecimal(digits).ToDecimal(), digits);
    EXPECT_EQ(BigUnsigned::PowerOfTen(2000).ToDecimal(), "1" + std::string(2000, '0'));
    EXPECT_EQ(BigUnsigned::FromDecimal("000").ToDecimal(), "0");
}

}  // namespace
