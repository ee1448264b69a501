// Editing a single-precision value with 7 significant digits.
//
// The rule is defined on the value's exact decimal expansion: cut it to 17
// significant digits, rounding half up on the 18th, then round that string
// half up to 7 digits on its 8th. Everything here is integer arithmetic on
// the value's bits, so it is exact and cannot raise a floating-point trap.
//
// The work is one scaling: n = floor(value * 10^q), with q chosen so that n
// has 18 or 19 digits, computed as a 64 x 128-bit product and a shift. The
// two roundings together are then one division of n by a constant.
#include <bit>
#include <cstring>

#include "convert.h"

namespace lio {
namespace {

using u128 = unsigned __int128;

constexpr uint64_t kPow10_10 = 10000000000ull;
constexpr uint64_t kPow10_18 = 1000000000000000000ull;

// 10^q for the scales a float needs, as T * 2^shift * multiplier with T a
// 128-bit value in [2^127, 2^128).
//
// q runs from -21 (values near 3.4e38 scaled down to 18 digits) to 62 (the
// smallest subnormal, 1.4e-45, scaled up).
// - 0 <= q <= 55: T is 5^q shifted left, so the entry is exact.
// - q > 55: 5^q no longer fits. The entry keeps 10^55's T, adds q - 55 to
//   its shift and has multiplier 5^(q-55) (at most 5^7), which is applied to
//   the float's 24-bit significand first; still exact.
// - q < 0: T is 2^s / 5^-q rounded up. The product with a significand m
//   then exceeds the exact m * 2^e * 10^q by less than m * 2^(e + shift)
//   <= 5^q, while a value m * 2^e / 10^-q that is not an integer lies at
//   least 5^q below the next one; so its floor is still exact. The bound
//   holds for every binary exponent up to 103 - q, which covers the largest
//   float's 104.
struct Pow10 {
  uint64_t high;
  uint64_t low;
  int shift;
  uint32_t multiplier;
};

constexpr int kMinQ = -21;
constexpr int kMaxQ = 62;
constexpr int kMaxExactQ = 55;

constexpr int bit_width(u128 x) {
  int width = 0;
  while (x != 0) {
    x >>= 1;
    ++width;
  }
  return width;
}

constexpr auto make_pow10_table() {
  struct Table {
    Pow10 entry[kMaxQ - kMinQ + 1];
  } table{};
  for (int q = kMinQ; q <= kMaxQ; ++q) {
    Pow10& entry = table.entry[q - kMinQ];
    entry.multiplier = 1;
    if (q < 0) {
      const int k = -q;
      u128 pow5 = 1;
      for (int i = 0; i < k; ++i) pow5 *= 5;
      const int c = bit_width(pow5);  // 2^(c-1) < 5^k < 2^c
      // ceil(2^(127 + c) / 5^k) by long division, one bit at a time.
      u128 quotient = 0;
      u128 remainder = 0;
      for (int bit = 127 + c; bit >= 0; --bit) {
        remainder = remainder * 2 + (bit == 127 + c ? 1 : 0);
        quotient <<= 1;
        if (remainder >= pow5) {
          remainder -= pow5;
          quotient |= 1;
        }
      }
      if (remainder != 0) ++quotient;
      entry.high = static_cast<uint64_t>(quotient >> 64);
      entry.low = static_cast<uint64_t>(quotient);
      entry.shift = -127 - c - k;
      continue;
    }
    const int exact_q = q < kMaxExactQ ? q : kMaxExactQ;
    u128 pow5 = 1;
    for (int i = 0; i < exact_q; ++i) pow5 *= 5;
    const int width = bit_width(pow5);
    const u128 t = pow5 << (128 - width);
    entry.high = static_cast<uint64_t>(t >> 64);
    entry.low = static_cast<uint64_t>(t);
    entry.shift = q + width - 128;
    for (int i = exact_q; i < q; ++i) entry.multiplier *= 5;
  }
  return table;
}

constexpr auto kPow10 = make_pow10_table();

// floor(m * 2^e * 10^q) for a result in [10^17, 2 * 10^18).
uint64_t scaled_floor(uint32_t m, int e, int q) {
  const Pow10& p = kPow10.entry[q - kMinQ];
  const uint64_t factor = static_cast<uint64_t>(m) * p.multiplier;
  // factor * T = upper * 2^64 + (bits below, which the shift drops): T is at
  // least 2^127 and the result below 2^61, so the shift is more than 64; the
  // result is at least 2^56 and upper below 2^107, so it is less than 115.
  const u128 upper = static_cast<u128>(factor) * p.high +
                     ((static_cast<u128>(factor) * p.low) >> 64);
  const int shift = -(e + p.shift);
  return static_cast<uint64_t>(upper >> (shift - 64));
}

// "00" to "99".
constexpr auto make_digit_pairs() {
  struct Pairs {
    char text[200];
  } pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs.text[2 * i] = static_cast<char>('0' + i / 10);
    pairs.text[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}

constexpr auto kDigitPairs = make_digit_pairs();

void put_pair(uint32_t value, char* out) {
  std::memcpy(out, kDigitPairs.text + 2 * value, 2);
}

int edit_special(uint32_t bits, char* out) {
  uint32_t fraction = bits & 0x7fffffu;
  const char* marker;
  if (fraction == 0) {
    marker = "1#INF";
  } else {
    // Widening quiets a signalling not-a-number by setting the top fraction
    // bit; the marker is chosen on the widened value.
    fraction |= 0x400000u;
    marker = (bits >> 31) != 0 && fraction == 0x400000u ? "1#IND" : "1#QNAN";
  }
  int length = static_cast<int>(std::strlen(marker));
  std::memcpy(out, marker, static_cast<size_t>(length));
  std::memset(out + length, '.', static_cast<size_t>(13 - length));
  return 13;
}

}  // namespace

int edit_real(float value, char* out) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  const uint32_t biased = (bits >> 23) & 0xffu;
  const uint32_t fraction = bits & 0x7fffffu;
  if (biased == 0xffu) return edit_special(bits, out);
  if (biased == 0 && fraction == 0) {
    std::memcpy(out, "0.000000E+00", 12);
    return 12;
  }

  const uint32_t m = biased == 0 ? fraction : fraction | 0x800000u;
  const int e = biased == 0 ? -149 : static_cast<int>(biased) - 150;

  // P is the decimal exponent: value = 0.d1d2... * 10^P. From the binary
  // exponent L = floor(log2 value), floor(L * log10 2) + 1 is P or P - 1, so
  // scaling by 10^(18 - that) gives 18 or 19 digits.
  const int binary_exponent = e + 31 - std::countl_zero(m);
  int p = ((binary_exponent * 78913) >> 18) + 1;
  const uint64_t n = scaled_floor(m, e, 18 - p);

  // Both roundings in one division. Let c be the 18-digit cut: n itself, or
  // floor(n / 10) when n has 19 digits. The 17 digits are
  // floor((c + 5) / 10) and the 7 digits floor((that + 5 * 10^9) / 10^10),
  // half up on the 8th of the 17. As floor((floor(a / u) + b) / v) is
  // floor((a + b * u) / (u * v)) for whole numbers, the 7 digits are
  // floor((n + 5 * 10^j + 5 * 10^(10 + j)) / 10^(11 + j)), with j = 1 for
  // 19 digits, else 0.
  const bool nineteen = n >= kPow10_18;
  p += nineteen ? 1 : 0;
  const uint64_t from18 = (n + 5 + 5 * kPow10_10) / (10 * kPow10_10);
  const uint64_t from19 = (n + 50 + 50 * kPow10_10) / (100 * kPow10_10);
  uint32_t s = static_cast<uint32_t>(nineteen ? from19 : from18);

  // The form goes by P after the 17-digit rounding, which carries into a
  // new leading digit only from 18 digits 99999999999999999x with x >= 5
  // (19-digit n are below 2 * 10^18, far from it).
  const bool carry17 = !nineteen && n >= kPow10_18 - 5;
  const int p17 = p + (carry17 ? 1 : 0);
  const bool fixed = p17 >= 1 && p17 <= 7;

  // Either carry leaves 10^7 here: P rises by one in all.
  if (s == 10000000u) {
    s = 1000000u;
    ++p;
  }

  // The seven digits. They are written straight to their places in the
  // text: assembling them in a buffer and copying it out would read back
  // bytes just stored one or two at a time, which stalls the processor.
  const uint32_t top = s / 10000;  // 100 to 999
  const uint32_t bottom = s % 10000;
  const char* pair1 = kDigitPairs.text + 2 * (top % 100);
  const char* pair2 = kDigitPairs.text + 2 * (bottom / 100);
  const char* pair3 = kDigitPairs.text + 2 * (bottom % 100);
  const char digits[7] = {static_cast<char>('0' + top / 100),
                          pair1[0],
                          pair1[1],
                          pair2[0],
                          pair2[1],
                          pair3[0],
                          pair3[1]};

  out[0] = '-';
  const int sign_length = static_cast<int>(bits >> 31);
  char* text = out + sign_length;
  if (fixed) {
    // P digits, the point, then the rest of the seven and zeros up to 6
    // places. A float in fixed form never carries to P = 8 (the largest
    // float below each power of ten up to 10^7 rounds to seven nines), so
    // the text, at most 14 characters and a sign, fits kRealTextMax.
    std::memcpy(text + 7, "0000000", 7);
    for (int i = 0; i < 7; ++i) text[i < p ? i : i + 1] = digits[i];
    text[p] = '.';
    return sign_length + p + 7;
  }
  text[0] = digits[0];
  text[1] = '.';
  std::memcpy(text + 2, pair1, 2);
  std::memcpy(text + 4, pair2, 2);
  std::memcpy(text + 6, pair3, 2);
  text[8] = 'E';
  const int exponent = p - 1;
  text[9] = exponent < 0 ? '-' : '+';
  put_pair(static_cast<uint32_t>(exponent < 0 ? -exponent : exponent),
           text + 10);
  return sign_length + 12;
}

}  // namespace lio
