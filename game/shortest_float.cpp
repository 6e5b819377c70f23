// The free-format digit generation of Steele & White as Burger & Dybvig state
// it, on small exact integers: it yields the shortest digits inside the
// float's rounding interval and, of the two last digits that may end them,
// the one nearer the value (an exact tie goes to the even digit).
#include "game/shortest_float.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/bit_cast.h"

namespace {

// An unsigned integer of kWords 32-bit words, least significant first. The
// largest number met is below 2^190 (a denormal's 2^151 denominator times
// 10^7 and the scaled numerator), so 256 bits leave room.
constexpr int kWords = 8;
struct Big {
    uint32_t w[kWords] = {};
};

Big fromU64(uint64_t v) {
    Big b;
    b.w[0] = static_cast<uint32_t>(v);
    b.w[1] = static_cast<uint32_t>(v >> 32);
    return b;
}

void mulSmall(Big& b, uint32_t factor) {
    uint64_t carry = 0;
    for (uint32_t& word : b.w) {
        const uint64_t p = uint64_t{word} * factor + carry;
        word = static_cast<uint32_t>(p);
        carry = p >> 32;
    }
}

void shiftLeft(Big& b, int bits) {
    for (; bits >= 32; bits -= 32) {
        for (int i = kWords - 1; i > 0; --i) b.w[i] = b.w[i - 1];
        b.w[0] = 0;
    }
    if (bits == 0) return;
    for (int i = kWords - 1; i > 0; --i) b.w[i] = (b.w[i] << bits) | (b.w[i - 1] >> (32 - bits));
    b.w[0] <<= bits;
}

Big add(const Big& a, const Big& b) {
    Big sum;
    uint64_t carry = 0;
    for (int i = 0; i < kWords; ++i) {
        const uint64_t s = uint64_t{a.w[i]} + b.w[i] + carry;
        sum.w[i] = static_cast<uint32_t>(s);
        carry = s >> 32;
    }
    return sum;
}

// a -= b, for a >= b.
void subtract(Big& a, const Big& b) {
    int64_t borrow = 0;
    for (int i = 0; i < kWords; ++i) {
        const int64_t d = int64_t{a.w[i]} - b.w[i] - borrow;
        a.w[i] = static_cast<uint32_t>(d);
        borrow = d < 0 ? 1 : 0;
    }
}

int compare(const Big& a, const Big& b) {
    for (int i = kWords - 1; i >= 0; --i)
        if (a.w[i] != b.w[i]) return a.w[i] < b.w[i] ? -1 : 1;
    return 0;
}

void mulPow10(Big& b, int power) {
    for (; power >= 9; power -= 9) mulSmall(b, 1000000000u);
    static const uint32_t kSmall[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    if (power > 0) mulSmall(b, kSmall[power]);
}

// The same few operations on a plain 64-bit integer: every number of the
// common floats (between about 1e-16 and 1e16) fits in it, and that is many
// times faster.
void mulSmall(uint64_t& v, uint32_t factor) { v *= factor; }
void shiftLeft(uint64_t& v, int bits) { v <<= bits; }
uint64_t add(uint64_t a, uint64_t b) { return a + b; }
void subtract(uint64_t& a, uint64_t b) { a -= b; }
int compare(uint64_t a, uint64_t b) { return a < b ? -1 : a > b ? 1 : 0; }
void mulPow10(uint64_t& v, int power) {
    for (; power > 0; --power) v *= 10;
}
template <typename Num>
Num numFrom(uint64_t v);
template <>
Big numFrom<Big>(uint64_t v) {
    return fromU64(v);
}
template <>
uint64_t numFrom<uint64_t>(uint64_t v) {
    return v;
}

// The digits of a positive finite float: value = 0.d1 d2 ... dn x 10^point.
struct Digits {
    char d[12];
    int count;
    int point;
};

// The float as mantissa x 2^e, and the first guess of the decimal point.
struct Parts {
    uint64_t mantissa;
    int e;
    bool inclusive;
    bool unevenGaps;
    int k;
};

Parts partsOf(uint32_t bits) {
    const uint32_t fraction = bits & 0x7FFFFFu;
    const int exponentField = static_cast<int>((bits >> 23) & 0xFFu);
    Parts p{};
    p.mantissa = exponentField ? (fraction | 0x800000u) : fraction;
    p.e = exponentField ? exponentField - 150 : -149;
    // The interval's ends belong to it when the mantissa is even (a tie reads
    // back to the even neighbour); below a power of two the lower gap is half.
    p.inclusive = (p.mantissa & 1) == 0;
    p.unevenGaps = fraction == 0 && exponentField > 1;
    // Off by at most one; put right in shortestDigits.
    p.k = static_cast<int>(std::ceil(std::log10(std::ldexp(static_cast<double>(p.mantissa), p.e)) - 1e-10));
    return p;
}

// True when every number shortestDigits works with stays below 2^60: the
// denominator s (2^(2-e) or 4 x 10^(k+1) at most), and r, mPlus below 10 s.
bool fitsIn64Bits(const Parts& p) {
    if (p.e >= 0) return p.k <= 15 && p.e <= 30;
    return -p.e <= 53 && p.k >= -15;
}

template <typename Num>
Digits shortestDigits(const Parts& p) {
    const bool inclusive = p.inclusive;
    // value = r / s; the interval is (r - mMinus, r + mPlus) / s.
    Num r, s, mPlus, mMinus;
    if (p.e >= 0) {
        r = numFrom<Num>(p.mantissa);
        shiftLeft(r, p.e + (p.unevenGaps ? 2 : 1));
        s = numFrom<Num>(p.unevenGaps ? 4 : 2);
        mMinus = numFrom<Num>(1);
        shiftLeft(mMinus, p.e);
        mPlus = mMinus;
        if (p.unevenGaps) shiftLeft(mPlus, 1);
    } else {
        r = numFrom<Num>(p.mantissa << (p.unevenGaps ? 2 : 1));
        s = numFrom<Num>(1);
        shiftLeft(s, -p.e + (p.unevenGaps ? 2 : 1));
        mMinus = numFrom<Num>(1);
        mPlus = numFrom<Num>(p.unevenGaps ? 2 : 1);
    }

    // The decimal point: the smallest k with (r + mPlus) / s below 10^k (or
    // at it, when the upper end is outside the interval).
    int k = p.k;
    if (k >= 0) {
        mulPow10(s, k);
    } else {
        mulPow10(r, -k);
        mulPow10(mPlus, -k);
        mulPow10(mMinus, -k);
    }
    auto reachesTop = [&](const Num& num) {
        const int c = compare(add(num, mPlus), s);
        return inclusive ? c >= 0 : c > 0;
    };
    while (reachesTop(r)) {
        mulSmall(s, 10);
        ++k;
    }
    for (;;) {
        Num r10 = r, p10 = mPlus;
        mulSmall(r10, 10);
        mulSmall(p10, 10);
        const int c = compare(add(r10, p10), s);
        if (inclusive ? c >= 0 : c > 0) break;
        r = r10;
        mPlus = p10;
        mulSmall(mMinus, 10);
        --k;
    }

    Digits out{};
    out.point = k;
    for (;;) {
        mulSmall(r, 10);
        mulSmall(mPlus, 10);
        mulSmall(mMinus, 10);
        int digit = 0;
        while (compare(r, s) >= 0) {
            subtract(r, s);
            ++digit;
        }
        const int low = compare(r, mMinus);
        const bool lowEnds = inclusive ? low <= 0 : low < 0;
        const bool highEnds = reachesTop(r);
        if (!lowEnds && !highEnds && out.count < 10) {
            out.d[out.count++] = static_cast<char>('0' + digit);
            continue;
        }
        if (lowEnds && highEnds) {
            Num twice = r;
            shiftLeft(twice, 1);
            const int half = compare(twice, s);
            if (half > 0 || (half == 0 && digit % 2 == 1)) ++digit;
        } else if (highEnds) {
            ++digit;
        }
        out.d[out.count++] = static_cast<char>('0' + digit);
        return out;
    }
}

size_t writeUnsigned(uint64_t v, char* out) {
    char reversed[24];
    size_t n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    for (size_t i = 0; i < n; ++i) out[i] = reversed[n - 1 - i];
    return n;
}

}  // namespace

size_t formatShortestFloat(float value, char* out) {
    const uint32_t bits = bitCast<uint32_t>(value);
    size_t at = 0;
    if (bits >> 31) out[at++] = '-';
    const uint32_t magnitude = bits & 0x7FFFFFFFu;
    if (magnitude > 0x7F800000u) return at + (std::memcpy(out + at, "nan", 3), 3);
    if (magnitude == 0x7F800000u) return at + (std::memcpy(out + at, "inf", 3), 3);
    if (magnitude == 0) return at + (out[at] = '0', 1);

    const Parts parts = partsOf(magnitude);
    const Digits digits = fitsIn64Bits(parts) ? shortestDigits<uint64_t>(parts) : shortestDigits<Big>(parts);
    const int n = digits.count;
    const int lastExponent = digits.point - n;  // value = D x 10^lastExponent
    const int scientificExponent = digits.point - 1;
    const int absExponent = scientificExponent < 0 ? -scientificExponent : scientificExponent;
    const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + (absExponent >= 100 ? 3 : 2);
    int fixedLength;
    if (lastExponent >= 0) {
        fixedLength = n + lastExponent;
    } else if (digits.point > 0) {
        fixedLength = n + 1;
    } else {
        fixedLength = 2 - digits.point + n;
    }

    if (fixedLength <= scientificLength) {
        if (lastExponent > 0) {
            // A whole number: written exactly, which is as short and nearer
            // than the shortest digits followed by zeros.
            const uint64_t mantissa = (magnitude & 0x7FFFFFu) | 0x800000u;
            const int e = static_cast<int>(magnitude >> 23) - 150;
            const uint64_t whole = e >= 0 ? mantissa << e : mantissa >> -e;
            return at + writeUnsigned(whole, out + at);
        }
        if (lastExponent == 0) {
            std::memcpy(out + at, digits.d, static_cast<size_t>(n));
            return at + static_cast<size_t>(n);
        }
        if (digits.point > 0) {
            std::memcpy(out + at, digits.d, static_cast<size_t>(digits.point));
            at += static_cast<size_t>(digits.point);
            out[at++] = '.';
            std::memcpy(out + at, digits.d + digits.point, static_cast<size_t>(n - digits.point));
            return at + static_cast<size_t>(n - digits.point);
        }
        out[at++] = '0';
        out[at++] = '.';
        for (int i = 0; i < -digits.point; ++i) out[at++] = '0';
        std::memcpy(out + at, digits.d, static_cast<size_t>(n));
        return at + static_cast<size_t>(n);
    }

    out[at++] = digits.d[0];
    if (n > 1) {
        out[at++] = '.';
        std::memcpy(out + at, digits.d + 1, static_cast<size_t>(n - 1));
        at += static_cast<size_t>(n - 1);
    }
    out[at++] = 'e';
    out[at++] = scientificExponent < 0 ? '-' : '+';
    if (absExponent < 10) out[at++] = '0';
    return at + writeUnsigned(static_cast<uint64_t>(absExponent), out + at);
}
