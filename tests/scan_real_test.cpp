// Table of real value texts and what the scanner must make of them.
#include <bit>
#include <cfenv>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert.h"
#include "gtest/gtest.h"

namespace {

using namespace std::string_view_literals;

// The programs run with these traps enabled, so scanning must not raise
// them whatever the text.
class FpTraps {
 public:
  static constexpr int kTrapped = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
  FpTraps() {
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(kTrapped);
  }
  ~FpTraps() { fedisableexcept(kTrapped); }
  FpTraps(const FpTraps&) = delete;
  FpTraps& operator=(const FpTraps&) = delete;
};

// A decimal rounded to the nearest double and then to the nearest single:
// the compiler rounds the literal to double exactly, the cast to single.
constexpr float via_double(double d) { return static_cast<float>(d); }

struct Case {
  std::string text;
  float value;  // compared bit for bit when error is 0
  int error;
};

Case ok(std::string_view text, float value) {
  return {std::string(text), value, 0};
}
Case bad(std::string_view text, int error) {
  return {std::string(text), 0.0f, error};
}

void check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    lio::RealResult r;
    {
      FpTraps traps;
      r = lio::scan_real(c.text.data(), static_cast<int>(c.text.size()));
    }
    SCOPED_TRACE("text \"" + c.text + "\"");
    EXPECT_EQ(r.error, c.error);
    if (c.error == 0) {
      EXPECT_EQ(std::bit_cast<uint32_t>(r.value),
                std::bit_cast<uint32_t>(c.value))
          << "got " << r.value << ", want " << c.value;
    }
  }
}

constexpr float kMaxSingle = 0x1.fffffep127f;

TEST(ScanRealDeathTest, TrapsAreArmedWhileScanning) {
  // Without this the table could not notice a trapping conversion.
  EXPECT_DEATH(
      {
        FpTraps traps;
        volatile float x = kMaxSingle;
        x = x * 2.0f;
      },
      "");
}

TEST(ScanReal, EveryFormOfTheGrammar) {
  check({
      ok("2.5", 2.5f),
      ok("2", 2.0f),
      ok("2.", 2.0f),
      ok(".5", 0.5f),
      ok("1.e5", 1e5f),
      ok("1e3", 1000.0f),
      ok("1E+3", 1000.0f),
      ok("1d3", 1000.0f),
      ok("1D-2", via_double(0.01)),
      ok("1.5+3", 1500.0f),
      ok("2-1", via_double(0.2)),
      ok("-.5e-1", via_double(-0.05)),
      ok("+7", 7.0f),
      ok("7+0", 7.0f),
      ok("7-0", 7.0f),
      ok("12.e-1", via_double(1.2)),
      ok(".5d+1", 5.0f),
      ok("-2.5D+2", -250.0f),
      ok("1.5E+03", 1500.0f),
      ok("0", 0.0f),
      ok("+0", 0.0f),
      ok("000", 0.0f),
      ok("0.", 0.0f),
      ok("-0", -0.0f),
      ok("-.0", -0.0f),
      ok("-0.0e-5", -0.0f),
      ok("-0+99", -0.0f),
  });
}

TEST(ScanReal, InvalidTexts) {
  check({
      bad("", lio::kErrInvalidReal),
      bad("+", lio::kErrInvalidReal),
      bad("-", lio::kErrInvalidReal),
      bad(".", lio::kErrInvalidReal),
      bad("+.", lio::kErrInvalidReal),
      bad("-.e1", lio::kErrInvalidReal),
      bad(".e5", lio::kErrInvalidReal),
      bad("e5", lio::kErrInvalidReal),
      bad("1e", lio::kErrInvalidReal),
      bad("1E+", lio::kErrInvalidReal),
      bad("1d-", lio::kErrInvalidReal),
      bad("1+", lio::kErrInvalidReal),
      bad("1-", lio::kErrInvalidReal),
      bad("1.5.3", lio::kErrInvalidReal),
      bad("1..", lio::kErrInvalidReal),
      bad("1.5q3", lio::kErrInvalidReal),
      bad("abc", lio::kErrInvalidReal),
      bad("1x", lio::kErrInvalidReal),
      bad("0x10", lio::kErrInvalidReal),
      bad("inf", lio::kErrInvalidReal),
      bad("nan", lio::kErrInvalidReal),
      bad("1,5", lio::kErrInvalidReal),
      bad("1 ", lio::kErrInvalidReal),
      bad(" 1", lio::kErrInvalidReal),
      bad("1 e5", lio::kErrInvalidReal),
      bad("1e 5", lio::kErrInvalidReal),
      bad("1e5.0", lio::kErrInvalidReal),
      bad("1e5e5", lio::kErrInvalidReal),
      bad("1e5+", lio::kErrInvalidReal),
      bad("1e+-5", lio::kErrInvalidReal),
      bad("1+e5", lio::kErrInvalidReal),
      bad("1++5", lio::kErrInvalidReal),
      bad("1ee5", lio::kErrInvalidReal),
      bad("+-1", lio::kErrInvalidReal),
      bad("--1", lio::kErrInvalidReal),
      bad("1\0"sv, lio::kErrInvalidReal),
      bad("\0"sv, lio::kErrInvalidReal),
      bad("1\x1a"sv, lio::kErrInvalidReal),
      bad("1e\x33\0"sv, lio::kErrInvalidReal),
      bad("\xb1", lio::kErrInvalidReal),
      bad("1\xc5", lio::kErrInvalidReal),
  });
}

TEST(ScanReal, RangeLimits) {
  check({
      // Beyond the single range but a finite double.
      bad("1e39", lio::kErrRealOverflow),
      bad("3.4028235e38", lio::kErrRealOverflow),
      bad("-3.4028235e38", lio::kErrRealOverflow),
      bad("1.5d+300", lio::kErrRealOverflow),
      bad("0.00001e+310", lio::kErrRealOverflow),
      bad("1.7976931348623157e308", lio::kErrRealOverflow),
      bad("1.7976931348623158e308", lio::kErrRealOverflow),  // largest double
      // The largest single and the double just above it still give it.
      ok("3.4028234e38", kMaxSingle),
      ok("-3.4028234e38", -kMaxSingle),
      ok("3.402823466385289e38", kMaxSingle),
      ok("3.4028234663852891e38", kMaxSingle),
      bad("3.4028234663852892e38", lio::kErrRealOverflow),
      // Rounds to no finite double.
      bad("1e400", lio::kErrRealIndefinite),
      bad("-1e400", lio::kErrRealIndefinite),
      bad("1.7976931348623159e308", lio::kErrRealIndefinite),
      // Below the ranges: subnormal singles and zeros, the sign kept.
      ok("1e-50", 0.0f),
      ok("-1e-50", -0.0f),
      ok("1e-400", 0.0f),
      ok("-1e-400", -0.0f),
      ok("4.9406564584124654e-324", 0.0f),
      ok("1e-45", 0x1p-149f),
      ok("-1e-45", -0x1p-149f),
      ok("7e-46", 0.0f),  // under half the smallest subnormal single
      ok("7.1e-46", 0x1p-149f),
      ok("1.1754943e-38", 0x1p-126f),
      ok("1.1754942e-38", 0x1.fffffcp-127f),
  });
}

TEST(ScanReal, ExponentDigitStrings) {
  std::string zeros60(60, '0');
  check({
      ok("1e0000000000000000000003", 1000.0f),
      ok("1.5+0000000000000000000002", 150.0f),
      ok("1-00000000000000000000001", via_double(0.1)),
      bad("1e99999999999999999999", lio::kErrRealIndefinite),
      bad("1e2147483648", lio::kErrRealIndefinite),
      bad("1+4294967296", lio::kErrRealIndefinite),
      ok("1e-99999999999999999999", 0.0f),
      ok("-1d-99999999999999999999", -0.0f),
      ok("1e-2147483649", 0.0f),
      ok("0e99999999999999999999", 0.0f),
      // Digits dropped beyond the 24th still count for the magnitude, and
      // leading zeros do not count as significant.
      ok("1" + zeros60 + "e-60", 1.0f),
      ok("1" + zeros60 + "-60", 1.0f),
      ok("0." + zeros60 + "1e61", 1.0f),
      ok(zeros60 + "12.5", 12.5f),
      ok("1" + zeros60.substr(0, 30) + ".5", via_double(1e30)),
      bad("1" + std::string(400, '0'), lio::kErrRealIndefinite),
      ok("0." + std::string(400, '0') + "1e400", via_double(0.1)),
  });
}

TEST(ScanReal, TwentyFourSignificantDigits) {
  check({
      ok("123456789012345678901234", via_double(123456789012345678901234.0)),
      ok("12345678901234567890.1", via_double(12345678901234567890.1)),
      ok("0.000123456789012345678901", via_double(0.000123456789012345678901)),
      ok("98765432109876543210987e-30",
         via_double(98765432109876543210987e-30)),
      ok("-1.23456789012345678901234e-20",
         via_double(-1.23456789012345678901234e-20)),
      // The 25th digit rounds the 24th half up, carrying through nines and
      // out of the first digit into the next decade.
      ok("9999999999999999999999995", via_double(1e25)),
      ok("9999999999999999999999994", via_double(9.99999999999999999999999e24)),
      ok("99999999999999999999999.95", via_double(1e23)),
      ok("0.99999999999999999999999951", 1.0f),
      ok("0.000999999999999999999999999999", via_double(0.001)),
      ok("-9999999999999999999999999999e-28", -1.0f),
      ok("1.99999999999999999999999951", 2.0f),
      // Next to the midpoint between the doubles 1 + 2^-24 (itself midway
      // between the singles 1 and 1 + 2^-23) and 1 + 2^-24 + 2^-52, which is
      // 1.000000059604644886412927462...: the single taken depends on the
      // side of it the cut decimal lies on, whatever the dropped digits say.
      ok("1.00000005960464488641292", 1.0f),
      ok("1.00000005960464488641293", 0x1.000002p0f),
      ok("1.0000000596046448864129250", 0x1.000002p0f),
      ok("1.0000000596046448864129249999", 1.0f),
      // The midpoint between 1 + 3 * 2^-24 - 2^-52 and 1 + 3 * 2^-24 (a tie
      // between singles that goes up to the even 1 + 2^-22) is
      // 1.000000178813934215149572537...; the text lies above it but its cut
      // lies below.
      ok("1.0000001788139342151495749", 0x1.000002p0f),
      ok("1.00000017881393421514958", 0x1.000004p0f),
  });
}

TEST(ScanReal, DoubleRoundingIsKept) {
  check({
      // 1 + 2^-24 + 5e-24 rounds to the double 1 + 2^-24, a tie between
      // singles that goes to the even 1 (directly it would go up).
      ok("1.00000005960464477539063", 1.0f),
      // 1 + 3 * 2^-24 - 5e-24 rounds to the double 1 + 3 * 2^-24, a tie that
      // goes up to the even 1 + 2^-22 (directly it would go down).
      ok("1.00000017881393432617187", 0x1.000004p0f),
      ok("-1.00000005960464477539063", -1.0f),
      // 3 * 2^-150 just under, a tie between subnormal singles.
      ok("2.10194769648722560638559e-45", 0x1p-148f),
  });
}

}  // namespace
