// Editing a single-precision value with 7 significant digits.
//
// The rule is defined on the value's exact decimal expansion: cut it to 17
// significant digits, rounding half up on the 18th, then round that string
// half up to 7 digits on its 8th. Everything here is integer arithmetic on
// the value's bits, so it is exact and cannot raise a floating-point trap.
#include <bit>
#include <cstring>

#include "convert.h"

namespace lio {
namespace {

using u128 = unsigned __int128;

constexpr uint64_t kPow10[] = {1ull,
                               10ull,
                               100ull,
                               1000ull,
                               10000ull,
                               100000ull,
                               1000000ull,
                               10000000ull,
                               100000000ull,
                               1000000000ull,
                               10000000000ull,
                               100000000000ull,
                               1000000000000ull,
                               10000000000000ull,
                               100000000000000ull,
                               1000000000000000ull,
                               10000000000000000ull,
                               100000000000000000ull,
                               1000000000000000000ull};

// 5^q for the scales a float can need: with 18 digits wanted and values down
// to 1.4e-45, q stays below 64, and 5^63 < 2^147.
struct Pow5 {
  u128 high;  // bits 64 and up
  uint64_t low;
};

constexpr int kMaxPow5 = 64;

constexpr auto make_pow5_table() {
  struct Table {
    Pow5 entry[kMaxPow5];
  } table{};
  u128 high = 0;
  uint64_t low = 1;
  for (int q = 0; q < kMaxPow5; ++q) {
    table.entry[q] = {high, low};
    u128 low_product = static_cast<u128>(low) * 5;
    high = high * 5 + (low_product >> 64);
    low = static_cast<uint64_t>(low_product);
  }
  return table;
}

constexpr auto kPow5 = make_pow5_table();

// floor(m * 2^e * 10^q) for a value whose result lies below 2^63.
uint64_t scaled_floor(uint32_t m, int e, int q) {
  if (q < 0) {
    // Only values of 1e18 and more get here, so e > 0 and m * 2^e < 2^128.
    u128 x = static_cast<u128>(m) << e;
    u128 divisor = 1;
    for (int i = 0; i < -q; ++i) divisor *= 10;
    return static_cast<uint64_t>(x / divisor);
  }
  const Pow5& p = kPow5.entry[q];
  u128 low_product = static_cast<u128>(m) * p.low;
  u128 high = static_cast<u128>(m) * p.high + (low_product >> 64);
  uint64_t low = static_cast<uint64_t>(low_product);
  int shift = e + q;  // m * 5^q * 2^shift
  if (shift >= 0) {
    // The result is small, so m * 5^q fits in the low word.
    return low << shift;
  }
  int k = -shift;
  if (k >= 192) return 0;
  if (k >= 64) return static_cast<uint64_t>(high >> (k - 64));
  if (k == 0) return low;
  return static_cast<uint64_t>((high << (64 - k)) | (low >> k));
}

// Writes `count` decimal digits of `value`, leading zeros included.
void put_digits(uint64_t value, int count, char* out) {
  for (int i = count - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
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

  uint32_t m = biased == 0 ? fraction : fraction | 0x800000u;
  int e = biased == 0 ? -149 : static_cast<int>(biased) - 150;

  // P is the decimal exponent: value = 0.d1d2... * 10^P. From the binary
  // exponent L = floor(log2 value), floor(L * log10 2) + 1 is P or P - 1,
  // so the first scaling has 18 or 19 digits; a 19th digit is cut by an
  // exact floor division.
  int binary_exponent = e + 31 - std::countl_zero(m);
  int p = ((binary_exponent * 78913) >> 18) + 1;
  uint64_t n = scaled_floor(m, e, 18 - p);
  if (n >= kPow10[18]) {
    n /= 10;
    ++p;
  } else if (n < kPow10[17]) {
    --p;
    n = scaled_floor(m, e, 18 - p);
  }

  // 17 significant digits, half up on the 18th.
  uint64_t d17 = n / 10 + (n % 10 >= 5 ? 1 : 0);
  if (d17 == kPow10[17]) {
    d17 = kPow10[16];
    ++p;
  }
  const bool fixed = p >= 1 && p <= 7;

  // 7 significant digits, half up on the 8th of the 17.
  uint64_t s = d17 / kPow10[10];
  if ((d17 / kPow10[9]) % 10 >= 5) ++s;
  if (s == kPow10[7]) {
    s = kPow10[6];
    ++p;
  }

  int length = 0;
  if ((bits >> 31) != 0) out[length++] = '-';
  char digits[7];
  put_digits(s, 7, digits);
  if (fixed) {
    // P digits before the point; digits past the seventh are zeros.
    for (int i = 0; i < p; ++i) out[length++] = i < 7 ? digits[i] : '0';
    out[length++] = '.';
    for (int i = p; i < p + 6; ++i) out[length++] = i < 7 ? digits[i] : '0';
    return length;
  }
  out[length++] = digits[0];
  out[length++] = '.';
  std::memcpy(out + length, digits + 1, 6);
  length += 6;
  out[length++] = 'E';
  int exponent = p - 1;
  out[length++] = exponent < 0 ? '-' : '+';
  if (exponent < 0) exponent = -exponent;
  put_digits(static_cast<uint64_t>(exponent), 2, out + length);
  return length + 2;
}

}  // namespace lio
