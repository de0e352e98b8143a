// Long division keeps q × d + r = n, r < d, over every number of up to four limbs near 0, 2^31
// and 2^32: the shapes where a limb of the quotient is guessed one too many and added back.
#include <gtest/gtest.h>

#include "base/big_unsigned.h"

TEST(BigUnsigned, DivisionKeepsItsIdentity) {
    using base::BigUnsigned;
    const std::uint64_t kinds[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
    for (int code = 0; code < 625 * 125; ++code) {  // four limbs of n, three of d
        BigUnsigned n, d;
        for (int k = 0, c = code; k < 7; ++k, c /= 5)
            (k < 4 ? n : d) = (k < 4 ? n : d) * BigUnsigned(std::uint64_t{1} << 32) + kinds[c % 5];
        if (d.IsZero())
            continue;
        const BigUnsigned::Division q = n.DividedBy(d);
        ASSERT_EQ(q.quotient * d + q.remainder, n);
        ASSERT_LT(Compare(q.remainder, d), 0);
    }
}
