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

// The scaling for each binary exponent L, the value being m * 2^(L - 23)
// with m normalised to 24 bits: P is then floor(L * log10 2) + 1 or one
// more, and scaling by 10^(18 - that estimate) gives 18 or 19 digits. One
// lookup gives the estimate and the whole scaling, so nothing on the way to
// the product depends on more than the exponent bits.
struct Scale {
  uint64_t high;
  uint64_t low;
  uint32_t multiplier;
  int8_t shift;  // of the product's upper part; see scaled_floor
  int8_t p_estimate;
};

constexpr int kMinBinaryExponent = -149;
constexpr int kMaxBinaryExponent = 127;

constexpr auto make_scale_table() {
  struct Table {
    Scale entry[kMaxBinaryExponent - kMinBinaryExponent + 1];
  } table{};
  for (int l = kMinBinaryExponent; l <= kMaxBinaryExponent; ++l) {
    // floor(l * log10 2), exact for |l| < 1650.
    const int p_estimate = ((l * 78913) >> 18) + 1;
    const Pow10& pow10 = kPow10.entry[18 - p_estimate - kMinQ];
    Scale& scale = table.entry[l - kMinBinaryExponent];
    scale.high = pow10.high;
    scale.low = pow10.low;
    scale.multiplier = pow10.multiplier;
    scale.shift = static_cast<int8_t>(-(l - 23 + pow10.shift) - 64);
    scale.p_estimate = static_cast<int8_t>(p_estimate);
  }
  return table;
}

constexpr auto kScales = make_scale_table();

// The product m * T is at least 2^127 (T is) and the result below 2^61, so
// the product's shift is more than 64 and only its part above 2^64 matters;
// that part is below 2^107 and the result at least 2^56, so what is left of
// the shift is at most 51.
constexpr bool shifts_in_range() {
  for (const Scale& scale : kScales.entry) {
    if (scale.shift < 0 || scale.shift > 51) return false;
  }
  return true;
}
static_assert(shifts_in_range());

// floor(m * 2^(l - 23) * 10^(18 - estimate of P)), for a 24-bit m: 18 or
// 19 digits.
uint64_t scaled_floor(uint32_t m, const Scale& scale) {
  uint64_t factor = m;
  if (scale.multiplier != 1) factor *= scale.multiplier;  // below 1e-37
  const u128 upper = static_cast<u128>(factor) * scale.high +
                     ((static_cast<u128>(factor) * scale.low) >> 64);
  return static_cast<uint64_t>(upper >> scale.shift);
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

  // The significand normalised to 24 bits and the binary exponent L, the
  // value being m * 2^(L - 23).
  uint32_t m;
  int binary_exponent;
  if (biased != 0) {
    m = fraction | 0x800000u;
    binary_exponent = static_cast<int>(biased) - 127;
  } else {
    const int shift = std::countl_zero(fraction) - 8;
    m = fraction << shift;
    binary_exponent = -126 - shift;
  }

  // P is the decimal exponent: value = 0.d1d2... * 10^P.
  const Scale& scale = kScales.entry[binary_exponent - kMinBinaryExponent];
  const uint64_t n = scaled_floor(m, scale);
  int p = scale.p_estimate;

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
