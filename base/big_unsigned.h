// An unsigned integer of any size, for exact rational arithmetic on decimal texts: products of
// a few 64-bit values overflow every built-in type, and a typed number may have thousands of
// digits. Only what the calculator needs, in portable 32-bit limbs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace base {

class BigUnsigned {
  public:
    BigUnsigned(std::uint64_t value = 0);  // NOLINT(google-explicit-constructor): a number

    static BigUnsigned PowerOfTen(int exponent);
    // `digits` holds decimal digits only; none give 0.
    static BigUnsigned FromDecimal(std::string_view digits);

    bool IsZero() const { return limbs_.empty(); }
    bool IsOdd() const { return !limbs_.empty() && (limbs_[0] & 1u) != 0; }
    int BitLength() const;
    // The value modulo 2^64.
    std::uint64_t Low64() const;
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
    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend);

    std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limbs
};

struct BigUnsigned::Division {
    BigUnsigned quotient;
    BigUnsigned remainder;
};

}  // namespace base
