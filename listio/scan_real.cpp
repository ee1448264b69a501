// Real value texts. The decimal is cut to 24 significant digits, rounded to
// the nearest double and then to the nearest single. The decimal-to-binary
// step is integer arithmetic throughout: the programs run with the invalid,
// divide-by-zero and overflow traps enabled, so no floating-point operation
// here may be able to raise one, whatever the text.
#include <bit>
#include <cstdint>
#include <cstring>

#include "convert.h"
#include "scan_real_internal.h"

namespace lio {
namespace detail {
namespace {

using u128 = unsigned __int128;

// ---------------------------------------------------------------------------
// Powers of ten as 128-bit binary mantissas.
//
// For kMinPow10 <= q <= kMaxPow10, kPow10[q - kMinPow10] is T_q in
// [2^127, 2^128) with 10^q = (T_q + f) * 2^(floor_log2_pow10(q) - 127) for
// some 0 <= f < 1: the mantissa truncated, never rounded up. It is exact
// (f = 0) exactly when 0 <= q <= 55, the powers whose 5^q fits in 128 bits.
// The range covers every decimal that neither surely overflows nor surely
// rounds to zero: d * 10^q with 1 <= d < 2^80 is at least 10^309 above it
// and below 2^-1075 under it.

constexpr int kMinPow10 = -348;
constexpr int kMaxPow10 = 308;
constexpr int kExactPow10Max = 55;

// floor(log2(10^q)) over the table range (checked when the table is built).
constexpr int floor_log2_pow10(int q) { return (q * 217706) >> 16; }

struct Pow10 {
  uint64_t hi;
  uint64_t lo;
};

// Just enough of a big integer to build the table at compile time: 2^1024
// and the quotients below it.
struct TableBig {
  static constexpr int kWords = 17;
  uint64_t w[kWords] = {};

  constexpr int bit_length() const {
    for (int i = kWords - 1; i >= 0; --i) {
      if (w[i] != 0) return i * 64 + 64 - std::countl_zero(w[i]);
    }
    return 0;
  }
  // The 128 bits whose most significant one is bit `top`; bits below bit 0
  // read as zeros.
  constexpr u128 window(int top) const {
    u128 t = 0;
    for (int i = top; i > top - 128; --i) {
      bool set = i >= 0 && ((w[i / 64] >> (i % 64)) & 1) != 0;
      t = (t << 1) | (set ? 1 : 0);
    }
    return t;
  }
  constexpr void mul5() {
    uint64_t carry = 0;
    for (uint64_t& x : w) {
      u128 t = static_cast<u128>(x) * 5 + carry;
      x = static_cast<uint64_t>(t);
      carry = static_cast<uint64_t>(t >> 64);
    }
  }
  constexpr void div5() {  // floor
    uint64_t rem = 0;
    for (int i = kWords - 1; i >= 0; --i) {
      u128 cur = (static_cast<u128>(rem) << 64) | w[i];
      w[i] = static_cast<uint64_t>(cur / 5);
      rem = static_cast<uint64_t>(cur % 5);
    }
  }
};

struct Pow10Table {
  Pow10 entry[kMaxPow10 - kMinPow10 + 1];
  bool exponents_match;
};

constexpr Pow10Table make_pow10_table() {
  Pow10Table table{};
  table.exponents_match = true;
  auto store = [&table](int q, u128 t, int g) {
    table.entry[q - kMinPow10] = {static_cast<uint64_t>(t >> 64),
                                  static_cast<uint64_t>(t)};
    if (g != floor_log2_pow10(q) - 127) table.exponents_match = false;
  };
  // q >= 0: the leading 128 bits of 5^q, since 10^q = 5^q * 2^q.
  TableBig five{};
  five.w[0] = 1;
  for (int q = 0; q <= kMaxPow10; ++q) {
    if (q > 0) five.mul5();
    int b = five.bit_length();
    store(q, five.window(b - 1), q + b - 128);
  }
  // q < 0: X = floor(2^1024 / 5^n) with n = -q, built by dividing by 5
  // n times (a floor of a floor is the floor of the whole quotient). Its
  // leading 128 bits are floor(2^1024 / 5^n / 2^j) for the right j, so they
  // are truncated too. 10^q = 2^(1024 - n) / 5^n * 2^-1024.
  TableBig x{};
  x.w[16] = 1;
  for (int n = 1; n <= -kMinPow10; ++n) {
    x.div5();
    int b = x.bit_length();
    store(-n, x.window(b - 1), b - 128 - 1024 - n);
  }
  return table;
}

constexpr Pow10Table kPow10 = make_pow10_table();
static_assert(kPow10.exponents_match);
static_assert(kPow10.entry[0 - kMinPow10].hi == uint64_t{1} << 63 &&
              kPow10.entry[0 - kMinPow10].lo == 0);

// Powers of ten that doubles hold exactly.
constexpr double kExactDoublePow10[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// ---------------------------------------------------------------------------
// Exact comparison for the cases the 128-bit approximation cannot settle.

constexpr uint64_t kPow5[28] = {1,
                                5,
                                25,
                                125,
                                625,
                                3125,
                                15625,
                                78125,
                                390625,
                                1953125,
                                9765625,
                                48828125,
                                244140625,
                                1220703125,
                                6103515625,
                                30517578125,
                                152587890625,
                                762939453125,
                                3814697265625,
                                19073486328125,
                                95367431640625,
                                476837158203125,
                                2384185791015625,
                                11920928955078125,
                                59604644775390625,
                                298023223876953125,
                                1490116119384765625,
                                7450580596923828125};

// Non-negative integer of up to 2048 bits, least significant word first,
// without leading zero words. The comparison below never needs more than
// about 900 bits: d * 5^308 or (2m + 1) * 5^348, each shifted by less than
// the bit length of the other side.
class Big {
 public:
  explicit Big(u128 v) {
    while (v != 0) {
      w_[n_++] = static_cast<uint64_t>(v);
      v >>= 64;
    }
  }

  void mul(uint64_t m) {
    uint64_t carry = 0;
    for (int i = 0; i < n_; ++i) {
      u128 t = static_cast<u128>(w_[i]) * m + carry;
      w_[i] = static_cast<uint64_t>(t);
      carry = static_cast<uint64_t>(t >> 64);
    }
    if (carry != 0) w_[n_++] = carry;
  }

  void mul_pow5(int e) {
    for (; e >= 27; e -= 27) mul(kPow5[27]);
    if (e > 0) mul(kPow5[e]);
  }

  void shl(int bits) {
    if (n_ == 0 || bits == 0) return;
    int words = bits / 64, r = bits % 64;
    if (r != 0) {
      uint64_t carry = 0;
      for (int i = 0; i < n_; ++i) {
        uint64_t next = w_[i] >> (64 - r);
        w_[i] = (w_[i] << r) | carry;
        carry = next;
      }
      if (carry != 0) w_[n_++] = carry;
    }
    if (words != 0) {
      std::memmove(w_ + words, w_, sizeof(uint64_t) * n_);
      std::memset(w_, 0, sizeof(uint64_t) * words);
      n_ += words;
    }
  }

  friend int compare(const Big& a, const Big& b) {
    if (a.n_ != b.n_) return a.n_ < b.n_ ? -1 : 1;
    for (int i = a.n_ - 1; i >= 0; --i) {
      if (a.w_[i] != b.w_[i]) return a.w_[i] < b.w_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  static constexpr int kWords = 32;
  uint64_t w_[kWords];
  int n_ = 0;
};

// Whether d * 10^q, known to lie in [m, m + 1.5) units of 2^e2, rounds to
// m + 1 rather than m: compares it with the midpoint (2m + 1) * 2^(e2 - 1).
[[gnu::noinline]] bool rounds_up_exactly(u128 d, int q, uint64_t m, int e2) {
  Big a(d);
  Big b(static_cast<u128>(m) * 2 + 1);
  if (q >= 0) {
    a.mul_pow5(q);
  } else {
    b.mul_pow5(-q);
  }
  // a * 2^q against b * 2^(e2 - 1): shift both so the smaller power is 0.
  int low = q < e2 - 1 ? q : e2 - 1;
  a.shl(q - low);
  b.shl(e2 - 1 - low);
  int c = compare(a, b);
  return c > 0 || (c == 0 && (m & 1) != 0);
}

// ---------------------------------------------------------------------------
// The 128-bit approximation.
//
// With d = N * 2^-s (N normalised to [2^127, 2^128)) and 10^q = (T + f) *
// 2^g, d * 10^q = (P + N * f) * 2^(g - s), where P = N * T has 256 bits. The
// error N * f is below 2^128, so the value lies in [P, P + 2^128) and has the
// leading bit of P. Its rounding to p bits is fixed by P's bits unless the
// part below the kept bits sits just under the midpoint, where the error
// could carry it across; only then does the exact comparison run.

// Where rounding to a double cuts the top word h1 of hi.
struct Cut {
  int e_top;       // the value's top bit
  int p;           // bits kept: 53, fewer for a subnormal, < 0 for zero
  uint64_t m;      // the kept bits, the top p of hi, all within h1
  uint64_t r1;     // the k bits of h1 below them (10 <= k <= 64)
  uint64_t half1;  // r1 at the midpoint, given nothing below h1: bit k - 1
};

[[gnu::always_inline]] inline Cut cut_top_word(uint64_t h1, int q, int s) {
  // hi >= 2^126 since N, T >= 2^127: its top bit is 126 + top.
  int top = static_cast<int>(h1 >> 63);
  Cut c;
  c.e_top = top + 127 + floor_log2_pow10(q) - s;
  c.p = c.e_top >= -1022 ? 53 : c.e_top + 1075;
  if (c.p < 0) return c;
  int k = top + 63 - c.p;
  c.m = k < 64 ? h1 >> k : 0;
  c.r1 = k < 64 ? h1 & ((uint64_t{1} << k) - 1) : h1;
  c.half1 = uint64_t{1} << (k - 1);
  return c;
}

uint64_t double_bits(const Cut& c, bool up) {
  uint64_t mantissa = c.m + (up ? 1 : 0);
  // A carry out of the mantissa moves into the exponent field by itself,
  // and anything from 2^1024 up gives the infinity's pattern or above.
  uint64_t bits = c.p == 53
                      ? (static_cast<uint64_t>(c.e_top + 1022) << 52) + mantissa
                      : mantissa;
  return bits >= kDoubleInfBits ? kDoubleInfBits : bits;
}

// The rounding from the whole product. d is N * 2^-s with N = n1:n0;
// kExactOnly always settles it by the exact comparison.
template <bool kExactOnly>
[[gnu::noinline]] uint64_t round_by_product(u128 d, uint64_t n1, uint64_t n0,
                                            int s, int q) {
  const Pow10& t = kPow10.entry[q - kMinPow10];
  u128 p11 = static_cast<u128>(n1) * t.hi;
  u128 p10 = static_cast<u128>(n1) * t.lo;
  u128 hi, lo;
  if (n0 == 0) {
    hi = p11 + (p10 >> 64);
    lo = p10 << 64;
  } else {
    u128 p01 = static_cast<u128>(n0) * t.hi;
    u128 p00 = static_cast<u128>(n0) * t.lo;
    u128 mid =
        (p00 >> 64) + static_cast<uint64_t>(p10) + static_cast<uint64_t>(p01);
    lo = (mid << 64) | static_cast<uint64_t>(p00);
    hi = p11 + (p10 >> 64) + (p01 >> 64) + (mid >> 64);
  }
  u128 n = static_cast<u128>(n1) << 64 | n0;
  uint64_t h0 = static_cast<uint64_t>(hi);
  Cut c = cut_top_word(static_cast<uint64_t>(hi >> 64), q, s);
  if (c.p < 0) return 0;       // below 2^-1075: nearer to zero
  int e2 = c.e_top + 1 - c.p;  // exponent of the unit of m
  bool exact = q >= 0 && q <= kExactPow10Max;
  bool up;
  if (kExactOnly) {
    up = rounds_up_exactly(d, q, c.m, e2);
  } else if (c.r1 != c.half1 && c.r1 != c.half1 - 1) {
    up = c.r1 > c.half1;
  } else if (c.r1 == c.half1) {
    // At or above the midpoint; exactly on it only if nothing below is set
    // and there is no error.
    up = h0 != 0 || lo != 0 || !exact || (c.m & 1) != 0;
  } else if (h0 != ~uint64_t{0}) {
    up = false;  // under the midpoint by more than one unit of hi
  } else {
    // Under the midpoint by at most one unit of hi: the error carries the
    // value past it only if lo + N * f can reach 2^128.
    up = !exact && lo + n < lo ? rounds_up_exactly(d, q, c.m, e2) : false;
  }
  return double_bits(c, up);
}

// With d below 2^64 (n0 = 0) the top word of n1 * t.hi usually settles the
// rounding: the rest of the product adds at most a carry of one into that
// word, which moves the rounding only from just under the midpoint (and the
// top bit only with the value just under a power of two, where both
// readings give the same double).
[[gnu::always_inline]] inline uint64_t round_decimal(uint64_t d, int q) {
  int s = std::countl_zero(d);
  uint64_t n1 = d << s;
  const Pow10& t = kPow10.entry[q - kMinPow10];
  u128 p11 = static_cast<u128>(n1) * t.hi;
  Cut c = cut_top_word(static_cast<uint64_t>(p11 >> 64), q, s + 64);
  if (c.p >= 0 && c.r1 != c.half1 && c.r1 != c.half1 - 1) {
    return double_bits(c, c.r1 > c.half1);
  }
  return round_by_product<false>(d, n1, 0, s + 64, q);
}

// Results fixed by the range of q alone (d >= 1 below 2^80), else -1.
int64_t out_of_table(u128 d, int64_t q) {
  if (d == 0 || q < kMinPow10) return 0;
  if (q > kMaxPow10) return static_cast<int64_t>(kDoubleInfBits);
  return -1;
}

template <bool kExactOnly>
uint64_t round_decimal(u128 d, int q) {
  uint64_t d1 = static_cast<uint64_t>(d >> 64), d0 = static_cast<uint64_t>(d);
  if (d1 == 0) {
    if (!kExactOnly) return round_decimal(d0, q);
    int s = std::countl_zero(d0);
    return round_by_product<kExactOnly>(d, d0 << s, 0, s + 64, q);
  }
  int s = std::countl_zero(d1);
  u128 n = d << s;
  return round_by_product<kExactOnly>(d, static_cast<uint64_t>(n >> 64),
                                      static_cast<uint64_t>(n), s, q);
}

}  // namespace

// The usual case of at most 19 significant digits.
uint64_t decimal_to_double_bits(uint64_t d, int64_t q) {
  if (d == 0 || q < kMinPow10) return 0;
  if (q > kMaxPow10) return kDoubleInfBits;
  // Both operands exact: one correctly rounded operation, which cannot
  // overflow or underflow in this range.
  if (d <= uint64_t{1} << 53 && q >= -22 && q <= 22) {
    double x = static_cast<double>(d);
    x = q < 0 ? x / kExactDoublePow10[-q] : x * kExactDoublePow10[q];
    return std::bit_cast<uint64_t>(x);
  }
  return round_decimal(d, static_cast<int>(q));
}

uint64_t decimal_to_double_bits(u128 d, int64_t q) {
  if (d >> 64 == 0) return decimal_to_double_bits(static_cast<uint64_t>(d), q);
  if (int64_t r = out_of_table(d, q); r >= 0) return static_cast<uint64_t>(r);
  return round_decimal<false>(d, static_cast<int>(q));
}

uint64_t decimal_to_double_bits_exact(u128 d, int64_t q) {
  if (int64_t r = out_of_table(d, q); r >= 0) return static_cast<uint64_t>(r);
  return round_decimal<true>(d, static_cast<int>(q));
}

}  // namespace detail

namespace {

constexpr int kKeptDigits = 24;
constexpr int kHeadDigits = 19;  // what a 64-bit word takes without overflow
// Beyond this the exponent digits only saturate: with fewer than 2^31
// mantissa digits the value is then surely out of range either way.
constexpr int64_t kExponentCap = 1000000000000000;
// Largest magnitude that still rounds to a finite single: the double just
// above the largest single.
constexpr uint64_t kSingleRangeBits = 0x47EFFFFFE0000001u;

constexpr unsigned __int128 kPow10_23 =
    static_cast<unsigned __int128>(10000000000000000000u) * 10000;
constexpr unsigned __int128 kPow10_24 = kPow10_23 * 10;

uint64_t load8(const unsigned char* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Whether all eight bytes are decimal digits. For the lowest byte that is
// not, no carry or borrow comes in from below, and either the sum or the
// difference sets its top bit.
bool eight_digits(uint64_t v) {
  return (((v + 0x4646464646464646u) | (v - 0x3030303030303030u)) &
          0x8080808080808080u) == 0;
}

// The value of eight digits, the first in the lowest byte: pairs first,
// then the four pairs weighted in two multiplications.
uint64_t eight_digit_value(uint64_t v) {
  v -= 0x3030303030303030u;
  v = v * 10 + (v >> 8);  // byte 2i: the pair of digits 2i and 2i+1
  uint64_t a = (v & 0x000000FF000000FFu) * (100 + (uint64_t{1000000} << 32));
  uint64_t b =
      ((v >> 16) & 0x000000FF000000FFu) * (1 + (uint64_t{10000} << 32));
  return (a + b) >> 32;
}

// Reads a run of digits into value (value * 10 + digit each), eight at a
// time where possible. Past 19 digits the value wraps; callers count.
[[gnu::always_inline]] inline const unsigned char* read_digits(
    const unsigned char* p, const unsigned char* end, uint64_t& value) {
  uint64_t v = value;
  while (end - p >= 8) {
    uint64_t eight = load8(p);
    if (!eight_digits(eight)) break;
    v = v * 100000000 + eight_digit_value(eight);
    p += 8;
  }
  for (; p != end; ++p) {
    unsigned c = static_cast<unsigned>(*p) - '0';
    if (c > 9) break;
    v = v * 10 + c;
  }
  value = v;
  return p;
}

struct Decimal {
  unsigned __int128 digits;
  int64_t exponent;  // the value is digits * 10^exponent
};

// The cut of a well-formed mantissa (digits with at most one point) with
// more than 19 significant digits: the first 24 significant ones, the 24th
// raised when the 25th is 5 or more. Dropped digits before the point still
// scale the value.
Decimal cut_mantissa(const unsigned char* p, const unsigned char* end) {
  uint64_t head = 0, tail = 0;  // the first 19 digits, and up to 5 more
  uint64_t tail_scale = 1;      // 10 to the number of digits in tail
  int64_t exponent = 0;
  int significant = 0;  // counted up to kKeptDigits + 1
  bool after_point = false, round_up = false;
  for (; p != end; ++p) {
    if (*p == '.') {
      after_point = true;
      continue;
    }
    unsigned c = static_cast<unsigned>(*p) - '0';
    if (significant < kHeadDigits) {
      if (significant > 0 || c != 0) {
        head = head * 10 + c;
        ++significant;
      }
      if (after_point) --exponent;
    } else if (significant < kKeptDigits) {
      tail = tail * 10 + c;
      tail_scale *= 10;
      ++significant;
      if (after_point) --exponent;
    } else {
      if (significant == kKeptDigits) {
        round_up = c >= 5;
        ++significant;
      }
      if (!after_point) ++exponent;
    }
  }
  unsigned __int128 d =
      static_cast<unsigned __int128>(head) * tail_scale + tail;
  if (round_up && ++d == kPow10_24) {
    d = kPow10_23;  // a carry out of the first digit
    ++exponent;
  }
  return {d, exponent};
}

}  // namespace

RealResult scan_real(const char* text, int length) {
  constexpr RealResult kInvalid = {0.0f, kErrInvalidReal};
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* const end = p + (length > 0 ? length : 0);

  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }

  // The mantissa, read on the assumption that it has at most 19 significant
  // digits, which fit head; longer ones are read again and cut.
  const unsigned char* const mantissa_start = p;
  while (p != end && *p == '0') ++p;  // leading zeros are not significant
  const unsigned char* const integer_digits = p;
  uint64_t head = 0;
  p = read_digits(p, end, head);
  int64_t significant = p - integer_digits;
  int64_t fraction_digits = 0;
  bool any_digit = p != mantissa_start;
  if (p != end && *p == '.') {
    const unsigned char* const fraction_start = ++p;
    if (significant == 0) {
      while (p != end && *p == '0') ++p;
    }
    const unsigned char* const significant_start = p;
    p = read_digits(p, end, head);
    significant += p - significant_start;
    fraction_digits = p - fraction_start;
    any_digit = any_digit || p != fraction_start;
  }
  if (!any_digit) return kInvalid;
  const unsigned char* const mantissa_end = p;

  int64_t exponent = 0;
  if (p != end) {
    // An exponent letter with an optional sign, or a sign alone.
    unsigned char c = *p;
    bool exponent_negative = false;
    if ((c | 0x20) == 'e' || (c | 0x20) == 'd') {
      ++p;
      if (p != end && (*p == '+' || *p == '-')) {
        exponent_negative = *p == '-';
        ++p;
      }
    } else if (c == '+' || c == '-') {
      exponent_negative = c == '-';
      ++p;
    } else {
      return kInvalid;
    }
    if (p == end) return kInvalid;
    int64_t e = 0;
    for (; p != end; ++p) {
      unsigned digit = static_cast<unsigned>(*p) - '0';
      if (digit > 9) return kInvalid;
      if (e < kExponentCap) e = e * 10 + digit;
    }
    exponent = exponent_negative ? -e : e;
  }

  uint64_t bits = 0;
  if (significant != 0) {
    if (significant <= kHeadDigits) {
      bits = detail::decimal_to_double_bits(head, exponent - fraction_digits);
    } else {
      Decimal cut = cut_mantissa(mantissa_start, mantissa_end);
      bits =
          detail::decimal_to_double_bits(cut.digits, exponent + cut.exponent);
    }
    if (bits == detail::kDoubleInfBits) return {0.0f, kErrRealIndefinite};
    if (bits > kSingleRangeBits) return {0.0f, kErrRealOverflow};
  }
  if (negative) bits |= uint64_t{1} << 63;
  // In range, so the narrowing can only be inexact or underflow.
  return {static_cast<float>(std::bit_cast<double>(bits)), 0};
}

}  // namespace lio
