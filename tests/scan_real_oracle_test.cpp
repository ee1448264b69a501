// The real scanner against MPFR, through the reference in real_oracle.h: it
// cuts the decimal to 24 significant digits on the text itself, has MPFR
// round it to a double (53 bits, the double exponent range, subnormals
// included), checks the two ranges, and has MPFR round that double to a
// single.
#include <gmp.h>
#include <mpfr.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <random>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "convert.h"
#include "gtest/gtest.h"
#include "real_oracle.h"
#include "scan_real_internal.h"

namespace {

constexpr int kKept = 24;

struct Outcome {
  uint32_t bits;  // of the single; 0 when error is set
  int error;
  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  if (o.error != 0) return os << "error " << o.error;
  return os << std::bit_cast<float>(o.bits) << " (0x" << std::hex << o.bits
            << std::dec << ")";
}

// Scans with the invalid, divide-by-zero and overflow traps enabled, as the
// programs run.
Outcome scan(std::string_view text) {
  constexpr int kTrapped = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
  std::feclearexcept(FE_ALL_EXCEPT);
  feenableexcept(kTrapped);
  lio::RealResult r =
      lio::scan_real(text.data(), static_cast<int>(text.size()));
  fedisableexcept(kTrapped);
  if (r.error != 0) return {0, r.error};
  return {std::bit_cast<uint32_t>(r.value), 0};
}

// The shared reference's outcome for a well-formed text.
Outcome oracle(std::string_view text) {
  const lio::testing::OracleReal want = lio::testing::oracle_scan_real(text);
  EXPECT_NE(want.error, lio::kErrInvalidReal) << "oracle cannot read " << text;
  if (want.error != 0) return {0, want.error};
  return {std::bit_cast<uint32_t>(want.value), 0};
}

// The single nearest to the cut decimal, rounded once: where it differs from
// the oracle's, the double rounding decided.
uint32_t direct_single(std::string_view text) {
  const std::optional<lio::testing::CutDecimal> cut =
      lio::testing::cut_decimal(text);
  EXPECT_TRUE(cut.has_value()) << "oracle cannot read " << text;
  if (!cut) return 0;
  return std::bit_cast<uint32_t>(lio::testing::nearest_single_once(*cut));
}

// Collects mismatches, reporting only the first few in full.
class Mismatches {
 public:
  ~Mismatches() { EXPECT_EQ(count_, 0) << count_ << " mismatches"; }
  void check(std::string_view text, const Outcome& got, const Outcome& want) {
    if (got == want) return;
    if (++count_ <= 20) {
      ADD_FAILURE() << "text \"" << text << "\": got " << got << ", want "
                    << want;
    }
  }

 private:
  long count_ = 0;
};

// ---------------------------------------------------------------------------
// Decimal texts built from digit strings.

using Rng = std::mt19937_64;

int uniform(Rng& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// Adds one unit in the last place of a digit string; may lengthen it.
std::string increment(std::string digits) {
  size_t k = digits.size();
  while (k-- > 0) {
    if (digits[k] != '9') {
      ++digits[k];
      return digits;
    }
    digits[k] = '0';
  }
  return "1" + digits;
}

// Takes one unit from the last place of a digit string that is not all
// zeros; the result keeps its length (leading zeros included).
std::string decrement(std::string digits) {
  size_t k = digits.size();
  while (k-- > 0) {
    if (digits[k] != '0') {
      --digits[k];
      return digits;
    }
    digits[k] = '9';
  }
  return digits;
}

// A decimal 0.digits * 10^point (digits without leading zeros) in a random
// form: the point anywhere, extra leading or trailing zeros, any exponent
// form, and the exponent digits sometimes padded.
std::string format_decimal(const std::string& digits, long point, bool negative,
                           Rng& rng) {
  std::string s;
  if (negative) {
    s += '-';
  } else if (uniform(rng, 0, 3) == 0) {
    s += '+';
  }
  int len = static_cast<int>(digits.size());
  // Digits before the point: within a few places of the digit string, or
  // where the value puts them.
  int before = uniform(rng, -4, len + 4);
  if (uniform(rng, 0, 3) == 0) {
    before = static_cast<int>(std::clamp<long>(point, -4, len + 4));
  }
  if (before <= 0) {
    if (uniform(rng, 0, 1) == 0) s += '0';
    s += '.';
    s.append(-before, '0');
    s += digits;
  } else if (before < len) {
    s.append(digits, 0, before);
    s += '.';
    s.append(digits, before);
  } else {
    s += digits;
    s.append(before - len, '0');
    if (uniform(rng, 0, 2) == 0) s += '.';
  }
  if (uniform(rng, 0, 4) == 0)
    s.insert(s[0] == '+' || s[0] == '-' ? 1 : 0, uniform(rng, 1, 3), '0');
  long exponent = point - before;
  if (exponent == 0 && uniform(rng, 0, 1) == 0) return s;
  std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
  if (uniform(rng, 0, 7) == 0) e.insert(0, uniform(rng, 1, 25), '0');
  static constexpr char kLetters[] = "eEdD";
  if (uniform(rng, 0, 4) == 0) {
    s += exponent < 0 ? '-' : '+';  // a sign alone
  } else {
    s += kLetters[uniform(rng, 0, 3)];
    if (exponent < 0) {
      s += '-';
    } else if (uniform(rng, 0, 1) == 0) {
      s += '+';
    }
  }
  return s + e;
}

// The exact significant digits of a binary value and its decimal point
// position: value = 0.digits * 10^point. The values here have at most
// 64 bits and exponents within the double range, so 1100 digits are exact.
struct Digits {
  std::string digits;
  long point;
};

Digits exact_digits(mpfr_srcptr v) {
  mpfr_exp_t e;
  char* raw = mpfr_get_str(nullptr, &e, 10, 1100, v, MPFR_RNDN);
  std::string d(raw);
  mpfr_free_str(raw);
  d.erase(d.find_last_not_of('0') + 1);
  return {d, static_cast<long>(e)};
}

// Texts at and around the decimal value: the exact digits, the neighbours
// at several lengths (truncated and one unit up), one unit more or less in
// the 24th digit, the 25th digit on either side of 5, and digits past the
// 25th that the cut must ignore.
std::vector<Digits> around(const Digits& x) {
  std::vector<Digits> out;
  const std::string& d = x.digits;
  auto add = [&](std::string digits, long point) {
    size_t nz = digits.find_first_not_of('0');
    if (nz == std::string::npos) return;
    point -= static_cast<long>(nz);
    digits.erase(0, nz);
    out.push_back({digits, point});
  };
  auto incremented = [&](const std::string& digits) {
    std::string up = increment(digits);
    add(up, x.point + static_cast<long>(up.size() - digits.size()));
  };
  add(d, x.point);
  for (size_t n : {9u, 16u, 17u, 18u, 20u, 23u, 24u, 25u, 26u, 30u}) {
    if (n >= d.size()) continue;
    add(d.substr(0, n), x.point);
    incremented(d.substr(0, n));
  }
  std::string at24 = d.size() >= kKept ? d.substr(0, kKept)
                                       : d + std::string(kKept - d.size(), '0');
  incremented(at24);
  if (d.size() <= kKept) add(decrement(at24), x.point);
  for (const char* tail : {"5", "4", "49999", "50000", "4999999999", "51"}) {
    add(at24 + tail, x.point);
  }
  if (d.size() < kKept) {
    std::string at30 = d + std::string(30 - d.size(), '0');
    add(increment(at30), x.point);  // dropped by the cut
    add(decrement(at30), x.point);  // rounds back up to d by the cut
  }
  return out;
}

// ---------------------------------------------------------------------------

TEST(ScanRealOracle, OracleCutsLikeTheRule) {
  using lio::testing::cut_decimal;
  using lio::testing::CutDecimal;
  EXPECT_EQ(cut_decimal("9999999999999999999999995"),
            (CutDecimal{false, "1000000000000000000000000", 1}));
  EXPECT_EQ(cut_decimal("-0.00999999999999999999999999951d+2"),
            (CutDecimal{true, "1000000000000000000000000", -24}));
  EXPECT_EQ(cut_decimal("1234567890.12345678901234449+3"),
            (CutDecimal{false, "123456789012345678901234", -11}));
  EXPECT_EQ(cut_decimal("12345678901234567890123456789"),
            (CutDecimal{false, "123456789012345678901235", 5}));
  // The exponent saturates.
  EXPECT_EQ(cut_decimal(".01D-000099999999999999999999"),
            (CutDecimal{false, "1", -10000000001}));
}

// Values between two binary neighbours: the midpoints, from both sides.
class Midpoints : public ::testing::Test {
 protected:
  void check_around(mpfr_srcptr value, Rng& rng) {
    for (const Digits& v : around(exact_digits(value))) {
      for (bool negative : {false, true}) {
        std::string text = format_decimal(v.digits, v.point, negative, rng);
        mismatches_.check(text, scan(text), oracle(text));
      }
    }
  }
  // The midpoint (2m + 1) * 2^(e - 1) of m * 2^e and (m + 1) * 2^e.
  void check_midpoint(uint64_t m, long e, Rng& rng) {
    mpfr_t h;
    mpfr_init2(h, 72);
    mpfr_set_ui_2exp(h, 2 * m + 1, e - 1, MPFR_RNDN);
    check_around(h, rng);
    mpfr_clear(h);
  }
  void check_value(uint64_t m, long e, Rng& rng) {
    mpfr_t h;
    mpfr_init2(h, 72);
    mpfr_set_ui_2exp(h, m, e, MPFR_RNDN);
    check_around(h, rng);
    mpfr_clear(h);
  }

  Mismatches mismatches_;
};

TEST_F(Midpoints, BetweenDoubles) {
  Rng rng(11);
  for (int i = 0; i < 6000; ++i) {
    // Normal doubles over the whole range, and subnormals.
    long e = uniform(rng, -1074, 971);
    uint64_t m = std::uniform_int_distribution<uint64_t>(
        uint64_t{1} << 52, (uint64_t{1} << 53) - 1)(rng);
    if (e == -1074) m >>= uniform(rng, 1, 52);
    check_midpoint(m, e, rng);
  }
  // Small mantissas give midpoints with few digits.
  for (long e = -1074; e <= 971; e += 7)
    check_midpoint(uniform(rng, 0, 7), e, rng);
}

TEST_F(Midpoints, BetweenSingles) {
  Rng rng(12);
  for (int i = 0; i < 6000; ++i) {
    long e = uniform(rng, -149, 104);
    uint64_t m =
        std::uniform_int_distribution<uint64_t>(1 << 23, (1 << 24) - 1)(rng);
    if (e == -149) m >>= uniform(rng, 1, 23);
    check_midpoint(m, e, rng);
  }
}

TEST_F(Midpoints, RangeEdges) {
  Rng rng(13);
  for (int round = 0; round < 40; ++round) {
    // The largest single and the midpoint beyond it; the double just above
    // it (the last that gives a single) with the midpoints on either side
    // and the next.
    check_value((uint64_t{1} << 24) - 1, 104, rng);
    check_midpoint((uint64_t{1} << 24) - 1, 104, rng);
    check_midpoint(uint64_t{0xFFFFFF} << 29, 75, rng);
    check_value((uint64_t{0xFFFFFF} << 29) + 1, 75, rng);
    check_midpoint((uint64_t{0xFFFFFF} << 29) + 1, 75, rng);
    check_midpoint((uint64_t{0xFFFFFF} << 29) + 2, 75, rng);
    // The largest double and the overflow threshold 2^1024 - 2^970.
    check_value((uint64_t{1} << 53) - 1, 971, rng);
    check_midpoint((uint64_t{1} << 53) - 1, 971, rng);
    // The smallest subnormal double, half of it, and the smallest normal.
    check_value(1, -1074, rng);
    check_midpoint(0, -1074, rng);
    check_midpoint(1, -1074, rng);
    check_value(1, -1022, rng);
    check_midpoint((uint64_t{1} << 52) - 1, -1074, rng);
    // The same for singles.
    check_value(1, -149, rng);
    check_midpoint(0, -149, rng);
    check_midpoint(1, -149, rng);
    check_value(1, -126, rng);
    check_midpoint((uint64_t{1} << 23) - 1, -149, rng);
  }
}

TEST(ScanRealOracle, DoubleRoundingDiffersFromDirect) {
  // Each lies within half a double unit of a midpoint between singles, on
  // the side away from the even single.
  const char* const texts[] = {
      "1.00000005960464477539063",     "1.00000017881393432617187",
      "1.26765067578609312741103e30",  "1.26765082690182057923967E+30",
      "9.31322630126629746882828e-10", "1.17549442088721072420960d-38",
      "2.10194769648722560638559-45",  "1073741888.00000000000001",
      "1073742015.99999999999999",     "-1.00000005960464477539063",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    Outcome want = oracle(text);
    ASSERT_EQ(want.error, 0);
    EXPECT_NE(want.bits, direct_single(text));
    EXPECT_EQ(scan(text), want);
  }
}

TEST(ScanRealOracle, CutsAndCarries) {
  Mismatches mismatches;
  Rng rng(14);
  for (int i = 0; i < 20000; ++i) {
    // 24 to 32 digits, often ending in a run of nines so that the 25th
    // digit's rounding carries some way or out of the first digit.
    int len = uniform(rng, 24, 32);
    std::string d(len, '9');
    int nines = uniform(rng, 0, 3) == 0 ? len : uniform(rng, 1, len);
    for (int k = 0; k < len - nines; ++k)
      d[k] = static_cast<char>('0' + uniform(rng, 0, 9));
    if (d[0] == '0') d[0] = '1';
    d[kKept] = static_cast<char>('0' + uniform(rng, 3, 6));
    long point = uniform(rng, -50, 50);
    if (uniform(rng, 0, 9) == 0) point = uniform(rng, -330, 320);
    std::string text = format_decimal(d, point, uniform(rng, 0, 1) == 1, rng);
    mismatches.check(text, scan(text), oracle(text));
  }
}

TEST(ScanRealOracle, ExponentForms) {
  Mismatches mismatches;
  Rng rng(15);
  const char* const mantissas[] = {
      "1",     "1.5",  ".5",       "2.",
      "-7.25", "+123", "0.000001", "1234567890123456789012345"};
  const char* const markers[] = {"e",  "E",  "d",  "D", "e+",
                                 "E-", "d+", "D-", "+", "-"};
  for (const char* m : mantissas) {
    for (const char* mark : markers) {
      for (int i = 0; i < 200; ++i) {
        std::string e = std::to_string(uniform(rng, 0, 400));
        if (i % 4 == 0) e.insert(0, uniform(rng, 1, 30), '0');
        if (i == 0) e = "99999999999999999999999";
        if (i == 1) e = "00000000000000000000000000000000000000";
        std::string text = std::string(m) + mark + e;
        mismatches.check(text, scan(text), oracle(text));
      }
    }
  }
}

// Random texts of every form, spread over the whole range and beyond.
std::string random_text(Rng& rng) {
  int shape = uniform(rng, 0, 99);
  int len;
  if (shape < 60) {
    len = uniform(rng, 1, 20);
  } else if (shape < 90) {
    len = uniform(rng, 21, 30);
  } else {
    len = uniform(rng, 1, 45);
  }
  std::string d(len, '0');
  int style = uniform(rng, 0, 9);
  for (char& c : d) {
    if (style == 0) {
      c = uniform(rng, 0, 2) == 0 ? '9'
                                  : static_cast<char>('0' + uniform(rng, 0, 9));
    } else if (style == 1) {
      c = uniform(rng, 0, 3) == 0 ? static_cast<char>('0' + uniform(rng, 0, 9))
                                  : '0';
    } else {
      c = static_cast<char>('0' + uniform(rng, 0, 9));
    }
  }
  if (d[0] == '0') d[0] = static_cast<char>('1' + uniform(rng, 0, 8));
  long point;
  int where = uniform(rng, 0, 9);
  if (where < 4) {
    point = uniform(rng, -40, 40);
  } else if (where < 9) {
    point = uniform(rng, -345, 312);
  } else {
    point = uniform(rng, -420, 420);
  }
  if (uniform(rng, 0, 199) == 0) d = "0";  // zero, with any exponent
  return format_decimal(d, point, uniform(rng, 0, 2) == 0, rng);
}

void check_random_stream(uint64_t seed, long count) {
  Mismatches mismatches;
  Rng rng(seed);
  for (long i = 0; i < count; ++i) {
    std::string text = random_text(rng);
    mismatches.check(text, scan(text), oracle(text));
  }
}

TEST(ScanRealOracle, RandomStream) { check_random_stream(20240611, 1000000); }

TEST(ScanRealOracle, LongRandomStream) {
  if (std::getenv("LISTIO_LONG") == nullptr) {
    GTEST_SKIP() << "set LISTIO_LONG=1 for the long run";
  }
  check_random_stream(987654321, 100000000);
}

// Random and mutated texts against the grammar written as a pattern.
TEST(ScanRealOracle, GrammarAgainstPattern) {
  const std::regex grammar(
      R"([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([EeDd][+-]?[0-9]+|[+-][0-9]+)?)");
  static constexpr char kAlphabet[] = "0123456789..++--eEdDq x\x1a\xff";
  Mismatches mismatches;
  Rng rng(16);
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    if (i % 2 == 0) {
      int len = uniform(rng, 0, 8);
      for (int k = 0; k < len; ++k) {
        text += kAlphabet[uniform(rng, 0, sizeof kAlphabet - 2)];
      }
      if (uniform(rng, 0, 20) == 0) text += '\0';
    } else {
      text = random_text(rng);
      size_t at = uniform(rng, 0, static_cast<int>(text.size()));
      char c = kAlphabet[uniform(rng, 0, sizeof kAlphabet - 2)];
      switch (uniform(rng, 0, 3)) {
        case 0:
          text.insert(at, 1, c);
          break;
        case 1:
          if (at < text.size()) text.erase(at, 1);
          break;
        case 2:
          if (at < text.size()) text[at] = c;
          break;
        default:
          text.insert(at, 1, '\0');
      }
    }
    Outcome got = scan(text);
    if (std::regex_match(text, grammar)) {
      mismatches.check(text, got, oracle(text));
    } else if (got.error != lio::kErrInvalidReal) {
      mismatches.check(text, got, {0, lio::kErrInvalidReal});
    }
  }
}

// ---------------------------------------------------------------------------
// The decimal-to-double step alone, both through its short paths and through
// the exact comparison only, against MPFR on d * 10^q.

std::string to_decimal(unsigned __int128 d) {
  std::string s;
  do {
    s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(d % 10)));
    d /= 10;
  } while (d != 0);
  return s;
}

// Both paths against MPFR on d * 10^q; counts a mismatch, reporting only the
// first few in full.
void check_both_paths(unsigned __int128 d, long q, long& mismatches) {
  const std::string digits = to_decimal(d);
  uint64_t want = lio::testing::nearest_double_bits(digits, q);
  uint64_t fast = lio::detail::decimal_to_double_bits(d, q);
  uint64_t exact = lio::detail::decimal_to_double_bits_exact(d, q);
  if ((fast != want || exact != want) && ++mismatches <= 20) {
    ADD_FAILURE() << digits << "e" << q << ": want 0x" << std::hex << want
                  << ", fast 0x" << fast << ", exact 0x" << exact;
  }
}

TEST(DecimalToDouble, BothPathsMatchMpfr) {
  Rng rng(17);
  long mismatches = 0;
  const unsigned __int128 kMaxD =
      static_cast<unsigned __int128>(10000000000000000000u) * 100000 - 1;
  for (int i = 0; i < 300000; ++i) {
    unsigned __int128 d;
    switch (i % 4) {
      case 0:  // up to 24 digits
        d = (static_cast<unsigned __int128>(rng()) << 64 | rng()) % kMaxD + 1;
        break;
      case 1:  // below 2^53, where the single-operation path applies
        d = (rng() >> 11) + 1;
        break;
      case 2:
        d = rng() >> uniform(rng, 0, 63);
        if (d == 0) d = 1;
        break;
      default:  // just above or below a power of two
        d = (static_cast<unsigned __int128>(1) << uniform(rng, 0, 79)) +
            uniform(rng, -1, 1);
        if (d == 0) d = 1;
    }
    long q = i % 8 == 0 ? uniform(rng, -30, 30) : uniform(rng, -360, 320);
    check_both_paths(d, q, mismatches);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(DecimalToDouble, MidpointsThroughTheExactPath) {
  // Midpoints of doubles written with up to 24 digits: d * 10^q exactly
  // halfway, and one unit of d to either side. They exist where (2m + 1) *
  // 2^(e-1) has few decimal digits: exponents from about -11 to 26.
  Rng rng(18);
  long mismatches = 0;
  for (int i = 0; i < 200000; ++i) {
    long e = uniform(rng, -10, 30);
    uint64_t m = std::uniform_int_distribution<uint64_t>(
        uint64_t{1} << 52, (uint64_t{1} << 53) - 1)(rng);
    // d * 10^q = (2m + 1) * 2^(e - 1)
    unsigned __int128 d = 2 * static_cast<unsigned __int128>(m) + 1;
    long q = 0;
    if (e - 1 >= 0) {
      d <<= e - 1;
    } else {
      for (long k = 0; k < 1 - e; ++k) d *= 5;
      q = e - 1;
    }
    while (d % 10 == 0) {
      d /= 10;
      ++q;
    }
    if (d >= static_cast<unsigned __int128>(1) << 80) continue;
    for (int delta : {-1, 0, 1}) check_both_paths(d + delta, q, mismatches);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(DecimalToDouble, JustOffMidpointsWithExactPowers) {
  // d * 10^q = o * 2^(k+q) + r * 2^q with o odd and 54 bits wide: a hair
  // off the midpoint o * 2^(k+q) between two doubles, down to 2^-76 of a
  // unit, where 10^q is exact in 128 bits. q <= 22 keeps 5^q below 2^53, so
  // an o with 5^q dividing o * 2^k + r can always be chosen.
  Rng rng(19);
  long mismatches = 0;
  mpz_t five, o, t, d;
  mpz_inits(five, o, t, d, nullptr);
  for (int i = 0; i < 100000; ++i) {
    int q = uniform(rng, 1, 22);
    int r = uniform(rng, -3, 3);
    mpz_ui_pow_ui(five, 5, q);
    // o * 2^k / 5^q must stay below 2^80.
    int k_max = 80 - 54 + static_cast<int>(mpz_sizeinbase(five, 2)) - 1;
    int k = uniform(rng, std::max(0, k_max - 12), k_max);
    // o = -r / 2^k modulo 5^q, moved into [2^53, 2^54) and made odd.
    mpz_set_ui(t, 1);
    mpz_mul_2exp(t, t, k);
    ASSERT_NE(mpz_invert(t, t, five), 0);
    mpz_mul_si(o, t, -r);
    mpz_mod(o, o, five);
    mpz_set_ui(t, 1);
    mpz_mul_2exp(t, t, 53);
    mpz_cdiv_q(t, t, five);  // the least multiple reaching 2^53
    mpz_add_ui(t, t, rng() % (((uint64_t{1} << 53) - 1) / mpz_get_ui(five)));
    mpz_addmul(o, t, five);
    if (mpz_even_p(o)) mpz_add(o, o, five);
    if (mpz_sizeinbase(o, 2) > 54) mpz_submul_ui(o, five, 2);
    mpz_mul_2exp(d, o, k);
    if (r >= 0) {
      mpz_add_ui(d, d, r);
    } else {
      mpz_sub_ui(d, d, -r);
    }
    ASSERT_TRUE(mpz_divisible_p(d, five));
    mpz_divexact(d, d, five);
    if (mpz_sizeinbase(d, 2) > 80) continue;
    std::string digits(mpz_sizeinbase(d, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, d);
    digits.resize(digits.find('\0'));
    unsigned __int128 dd = 0;
    for (char c : digits) dd = dd * 10 + (c - '0');
    check_both_paths(dd, q, mismatches);
  }
  mpz_clears(five, o, t, d, nullptr);
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
