// An unsigned integer of any size, for exact rational arithmetic on decimal texts: products of
// a few 64-bit values overflow every built-in type. Only what exact decimal output needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace base {

class BigUnsigned {
  public:
    BigUnsigned(std::uint64_t value = 0);  // NOLINT(google-explicit-constructor): a number

    static BigUnsigned PowerOfTen(int exponent);

    bool IsZero() const { return limbs_.empty(); }
    std::string ToDecimal() const;

    friend BigUnsigned operator*(const BigUnsigned& a, const BigUnsigned& b);
    friend BigUnsigned operator+(const BigUnsigned& a, const BigUnsigned& b);
    // a - b for a >= b.
    friend BigUnsigned operator-(const BigUnsigned& a, const BigUnsigned& b);
    friend int Compare(const BigUnsigned& a, const BigUnsigned& b);  // -1, 0, 1
    friend bool operator==(const BigUnsigned& a, const BigUnsigned& b) = default;

    // Quotient and remainder; `divisor` not zero.
    struct Division;
    Division DividedBy(const BigUnsigned& divisor) const;

  private:
    void Trim();
    int BitLength() const;
    bool Bit(int i) const;
    void ShiftLeftOneAndSet(bool bit);

    std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limbs
};

struct BigUnsigned::Division {
    BigUnsigned quotient;
    BigUnsigned remainder;
};

}  // namespace base
