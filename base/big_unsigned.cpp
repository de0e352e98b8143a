#include "base/big_unsigned.h"

#include <algorithm>

namespace base {

BigUnsigned::BigUnsigned(std::uint64_t value) {
    while (value != 0) {
        limbs_.push_back(static_cast<std::uint32_t>(value));
        value >>= 32;
    }
}

BigUnsigned BigUnsigned::PowerOfTen(int exponent) {
    BigUnsigned out(1);
    for (int i = 0; i < exponent; ++i)
        out = out * BigUnsigned(10);
    return out;
}

void BigUnsigned::Trim() {
    while (!limbs_.empty() && limbs_.back() == 0)
        limbs_.pop_back();
}

int BigUnsigned::BitLength() const {
    if (limbs_.empty())
        return 0;
    int bits = 32 * static_cast<int>(limbs_.size() - 1);
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1)
        ++bits;
    return bits;
}

bool BigUnsigned::Bit(int i) const {
    return ((limbs_[static_cast<std::size_t>(i / 32)] >> (i % 32)) & 1u) != 0;
}

void BigUnsigned::ShiftLeftOneAndSet(bool bit) {
    std::uint32_t carry = bit ? 1u : 0u;
    for (std::uint32_t& limb : limbs_) {
        const std::uint32_t next = limb >> 31;
        limb = (limb << 1) | carry;
        carry = next;
    }
    if (carry != 0)
        limbs_.push_back(carry);
}

BigUnsigned operator*(const BigUnsigned& a, const BigUnsigned& b) {
    BigUnsigned out;
    if (a.IsZero() || b.IsZero())
        return out;
    out.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
    for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
            const std::uint64_t t =
                static_cast<std::uint64_t>(a.limbs_[i]) * b.limbs_[j] + out.limbs_[i + j] + carry;
            out.limbs_[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        out.limbs_[i + b.limbs_.size()] = static_cast<std::uint32_t>(carry);
    }
    out.Trim();
    return out;
}

BigUnsigned operator+(const BigUnsigned& a, const BigUnsigned& b) {
    BigUnsigned out;
    const std::size_t n = std::max(a.limbs_.size(), b.limbs_.size());
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t t = carry + (i < a.limbs_.size() ? a.limbs_[i] : 0u) +
                                (i < b.limbs_.size() ? b.limbs_[i] : 0u);
        out.limbs_.push_back(static_cast<std::uint32_t>(t));
        carry = t >> 32;
    }
    if (carry != 0)
        out.limbs_.push_back(static_cast<std::uint32_t>(carry));
    return out;
}

BigUnsigned operator-(const BigUnsigned& a, const BigUnsigned& b) {
    BigUnsigned out = a;
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < out.limbs_.size(); ++i) {
        std::int64_t t = static_cast<std::int64_t>(out.limbs_[i]) - borrow -
                         (i < b.limbs_.size() ? static_cast<std::int64_t>(b.limbs_[i]) : 0);
        borrow = t < 0 ? 1 : 0;
        if (t < 0)
            t += std::int64_t{1} << 32;
        out.limbs_[i] = static_cast<std::uint32_t>(t);
    }
    out.Trim();
    return out;
}

int Compare(const BigUnsigned& a, const BigUnsigned& b) {
    if (a.limbs_.size() != b.limbs_.size())
        return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
        if (a.limbs_[i] != b.limbs_[i])
            return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
}

// Bit by bit: the numbers here have a few hundred bits at most.
BigUnsigned::Division BigUnsigned::DividedBy(const BigUnsigned& divisor) const {
    Division d;
    for (int i = BitLength() - 1; i >= 0; --i) {
        d.remainder.ShiftLeftOneAndSet(Bit(i));
        const bool fits = Compare(d.remainder, divisor) >= 0;
        if (fits)
            d.remainder = d.remainder - divisor;
        d.quotient.ShiftLeftOneAndSet(fits);
    }
    return d;
}

std::string BigUnsigned::ToDecimal() const {
    if (IsZero())
        return "0";
    std::string digits;
    BigUnsigned rest = *this;
    const BigUnsigned ten(10);
    while (!rest.IsZero()) {
        const Division d = rest.DividedBy(ten);
        digits += static_cast<char>('0' + (d.remainder.IsZero() ? 0 : d.remainder.limbs_[0]));
        rest = d.quotient;
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

}  // namespace base
