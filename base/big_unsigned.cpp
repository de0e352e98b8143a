#include "base/big_unsigned.h"

#include <algorithm>

namespace base {

BigUnsigned::BigUnsigned(std::uint64_t value) {
    while (value != 0) {
        limbs_.push_back(static_cast<std::uint32_t>(value));
        value >>= 32;
    }
}

// By squaring: a text with thousands of fraction digits needs powers as long.
BigUnsigned BigUnsigned::PowerOfTen(int exponent) {
    BigUnsigned out(1);
    BigUnsigned square(10);
    for (int e = exponent; e > 0; e >>= 1) {
        if ((e & 1) != 0)
            out = out * square;
        if (e > 1)
            square = square * square;
    }
    return out;
}

BigUnsigned BigUnsigned::FromDecimal(std::string_view digits) {
    BigUnsigned out;
    // Nine digits at a time, the odd ones first.
    std::size_t chunk = digits.size() % 9 == 0 ? 9 : digits.size() % 9;
    for (std::size_t i = 0; i < digits.size(); i += chunk, chunk = 9) {
        std::uint32_t value = 0, scale = 1;
        for (std::size_t k = i; k < i + chunk; ++k) {
            value = value * 10 + static_cast<std::uint32_t>(digits[k] - '0');
            scale *= 10;
        }
        out.MultiplyAdd(scale, value);
    }
    return out;
}

void BigUnsigned::MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
        const std::uint64_t t = static_cast<std::uint64_t>(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    if (carry != 0)
        limbs_.push_back(static_cast<std::uint32_t>(carry));
}

std::uint64_t BigUnsigned::Low64() const {
    std::uint64_t value = limbs_.empty() ? 0 : limbs_[0];
    if (limbs_.size() > 1)
        value |= static_cast<std::uint64_t>(limbs_[1]) << 32;
    return value;
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

// Knuth's algorithm D (as in Hacker's Delight, divmnu): one limb of quotient per step, so a
// quotient of a few limbs costs a few passes over the divisor however long both are.
BigUnsigned::Division BigUnsigned::DividedBy(const BigUnsigned& divisor) const {
    Division d;
    if (Compare(*this, divisor) < 0) {
        d.remainder = *this;
        return d;
    }
    constexpr std::uint64_t kBase = std::uint64_t{1} << 32;
    const std::size_t n = divisor.limbs_.size();
    const std::size_t m = limbs_.size();
    d.quotient.limbs_.assign(m - n + 1, 0);
    if (n == 1) {
        const std::uint64_t v = divisor.limbs_[0];
        std::uint64_t r = 0;
        for (std::size_t i = m; i-- > 0;) {
            const std::uint64_t cur = (r << 32) | limbs_[i];
            d.quotient.limbs_[i] = static_cast<std::uint32_t>(cur / v);
            r = cur % v;
        }
        d.quotient.Trim();
        d.remainder = BigUnsigned(r);
        return d;
    }
    // Normalize: the divisor's top limb gets its high bit set. (A shift by 32 - s of a 64-bit
    // value is 0 when s is 0, where a 32-bit shift by 32 would be undefined.)
    int s = 0;
    while (((divisor.limbs_.back() << s) & 0x80000000u) == 0)
        ++s;
    const auto high = [s](std::uint32_t lower) {
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(lower) >> (32 - s));
    };
    std::vector<std::uint32_t> vn(n), un(m + 1);
    for (std::size_t i = n - 1; i > 0; --i)
        vn[i] = (divisor.limbs_[i] << s) | high(divisor.limbs_[i - 1]);
    vn[0] = divisor.limbs_[0] << s;
    un[m] = high(limbs_[m - 1]);
    for (std::size_t i = m - 1; i > 0; --i)
        un[i] = (limbs_[i] << s) | high(limbs_[i - 1]);
    un[0] = limbs_[0] << s;

    for (std::size_t j = m - n + 1; j-- > 0;) {
        const std::uint64_t top = (static_cast<std::uint64_t>(un[j + n]) << 32) | un[j + n - 1];
        std::uint64_t qhat = top / vn[n - 1];
        std::uint64_t rhat = top % vn[n - 1];
        while (qhat >= kBase || qhat * vn[n - 2] > ((rhat << 32) | un[j + n - 2])) {
            --qhat;
            rhat += vn[n - 1];
            if (rhat >= kBase)
                break;
        }
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t p = qhat * vn[i];
            const std::int64_t t = static_cast<std::int64_t>(un[i + j]) - borrow -
                                   static_cast<std::int64_t>(p & 0xFFFFFFFFu);
            un[i + j] = static_cast<std::uint32_t>(t);
            borrow = static_cast<std::int64_t>(p >> 32) - (t >> 32);
        }
        const std::int64_t t = static_cast<std::int64_t>(un[j + n]) - borrow;
        un[j + n] = static_cast<std::uint32_t>(t);
        if (t < 0) {  // qhat was one too large: add the divisor back
            --qhat;
            std::uint64_t carry = 0;
            for (std::size_t i = 0; i < n; ++i) {
                const std::uint64_t sum = static_cast<std::uint64_t>(un[i + j]) + vn[i] + carry;
                un[i + j] = static_cast<std::uint32_t>(sum);
                carry = sum >> 32;
            }
            un[j + n] += static_cast<std::uint32_t>(carry);
        }
        d.quotient.limbs_[j] = static_cast<std::uint32_t>(qhat);
    }
    d.quotient.Trim();
    d.remainder.limbs_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto low =
            static_cast<std::uint32_t>(static_cast<std::uint64_t>(un[i + 1]) << (32 - s));
        d.remainder.limbs_[i] = (un[i] >> s) | low;
    }
    d.remainder.Trim();
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
