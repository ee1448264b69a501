// The integer scanner against a plain 128-bit reading of the same rules,
// on boundary texts and on random texts of every form.
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "convert.h"
#include "gtest/gtest.h"

namespace {

struct Outcome {
  int32_t value;  // 0 when error is set
  int error;
  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  if (o.error != 0) return os << "error " << o.error;
  return os << o.value;
}

Outcome scan(std::string_view text) {
  lio::IntResult r = lio::scan_int(text.data(), static_cast<int>(text.size()));
  if (r.error != 0) return {0, r.error};
  return {r.value, 0};
}

// The rules, read left to right; the first fault met decides the error.
Outcome oracle(std::string_view text) {
  using i128 = __int128;
  if (text == "-2147483648") return {INT32_MIN, 0};
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i++] == '-';
  }
  auto finish = [negative](i128 magnitude) {
    uint32_t bits = static_cast<uint32_t>(magnitude);
    if (negative) bits = ~bits + 1;
    return Outcome{static_cast<int32_t>(bits), 0};
  };

  i128 value = 0;
  bool digits = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\0' || c == '\x1a') return finish(value);  // the rest ignored
    if (c == '#') break;
    if (c < '0' || c > '9') return {0, lio::kErrInvalidInt};
    value = value * 10 + (c - '0');
    digits = true;
    if (value > INT32_MAX) return {0, lio::kErrIntOverflow};
  }
  if (i == text.size()) return finish(value);

  i128 radix = digits && value != 0 ? value : 16;
  if (radix < 2 || radix > 36) return {0, lio::kErrIllegalRadix};
  i128 limit = radix == 10 ? INT32_MAX : UINT32_MAX;
  value = 0;
  for (++i; i < text.size(); ++i) {
    char c = text[i];
    if (c == '#') return {0, lio::kErrMultipleRadix};
    int d = 99;
    if (c >= '0' && c <= '9') d = c - '0';
    if (c >= 'a' && c <= 'z') d = c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') d = c - 'A' + 10;
    if (d >= radix) return {0, lio::kErrInvalidInt};
    value = value * radix + d;
    if (value > limit) return {0, lio::kErrIntOverflow};
  }
  return finish(value);
}

std::string in_radix(uint64_t v, int radix, bool upper) {
  const char* digits = upper ? "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                             : "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string s;
  do {
    s.insert(s.begin(), digits[v % radix]);
    v /= radix;
  } while (v != 0);
  return s;
}

void expect_all(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    EXPECT_EQ(scan(text), oracle(text)) << "text \"" << text << "\"";
  }
}

TEST(ScanIntOracle, OracleReadsTheRules) {
  EXPECT_EQ(oracle("-2147483648"), (Outcome{INT32_MIN, 0}));
  EXPECT_EQ(oracle("+2147483648"), (Outcome{0, lio::kErrIntOverflow}));
  EXPECT_EQ(oracle("-16#FFFFFFFF"), (Outcome{1, 0}));
  EXPECT_EQ(oracle("#7f"), (Outcome{127, 0}));
  EXPECT_EQ(oracle("0#10"), (Outcome{16, 0}));
  EXPECT_EQ(oracle("1#0"), (Outcome{0, lio::kErrIllegalRadix}));
  EXPECT_EQ(oracle("37#0"), (Outcome{0, lio::kErrIllegalRadix}));
  EXPECT_EQ(oracle("2#102"), (Outcome{0, lio::kErrInvalidInt}));
  EXPECT_EQ(oracle("8#7#7"), (Outcome{0, lio::kErrMultipleRadix}));
  EXPECT_EQ(oracle("10#2147483648"), (Outcome{0, lio::kErrIntOverflow}));
  EXPECT_EQ(oracle("16#"), (Outcome{0, 0}));
  EXPECT_EQ(oracle(std::string_view("12\0x#", 5)), (Outcome{12, 0}));
  EXPECT_EQ(oracle("-12\x1a#zz"), (Outcome{-12, 0}));
}

TEST(ScanIntOracle, Boundaries) {
  std::vector<std::string> texts = {
      "",
      "+",
      "-",
      "0",
      "-0",
      "+0",
      "2147483647",
      "+2147483647",
      "-2147483647",
      "2147483648",
      "-2147483648",
      "-2147483649",
      "02147483647",
      "-02147483648",
      "99999999999",
      "4294967296",
      "#",
      "-#",
      "16#",
      "0#ff",
      "00#ff",
      "1#1",
      "37#1",
      "36#zz",
      "36#ZZ",
      "99999999999#1",
      "##",
      "#1#",
      "16#ff#",
      "16#g",
      "10#a",
      "1a",
      "a",
      " 1",
      "1 ",
      "1-",
      "+-1",
      "1.0",
      "1e3",
      std::string("\0", 1),
      std::string("7\0#zz", 5),
      std::string("\x1a", 1),
      "16#f\x1a",
      std::string("16#f\0", 5),
      "-16#80000000",
      "16#80000000",
      "-10#2147483647",
      "-10#2147483648",
  };
  for (int radix = 0; radix <= 37; ++radix) {
    std::string prefix = std::to_string(radix) + "#";
    for (uint64_t v :
         {uint64_t{0}, uint64_t{1}, uint64_t{2147483647}, uint64_t{2147483648},
          uint64_t{4294967295}, uint64_t{4294967296}}) {
      int r = radix >= 2 && radix <= 36 ? radix : 16;
      for (bool upper : {false, true}) {
        std::string digits = in_radix(v, r, upper);
        texts.push_back(prefix + digits);
        texts.push_back("-" + prefix + digits);
        texts.push_back("+" + prefix + "000" + digits);
      }
    }
    // The first letter past the radix's digits.
    if (radix >= 2 && radix < 36) {
      texts.push_back(prefix + "0123456789abcdefghijklmnopqrstuvwxyz"[radix]);
    }
  }
  expect_all(texts);
}

TEST(ScanIntOracle, RandomTexts) {
  std::mt19937_64 rng(31);
  auto pick = [&rng](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
  };
  static constexpr char kNoise[] = "#+-.eE xzZ09\x1a";
  long mismatches = 0;
  for (int i = 0; i < 2000000; ++i) {
    std::string text;
    int sign = pick(0, 3);
    if (sign == 1) text += '+';
    if (sign == 2) text += '-';
    int radix = 10;
    if (pick(0, 1) == 0) {
      // Radix form: radix 0 to 40 or none, often with leading zeros.
      radix = pick(-1, 40);
      if (radix >= 0) {
        text.append(pick(0, 3) == 0 ? pick(1, 3) : 0, '0');
        text += std::to_string(radix);
      }
      text += '#';
      if (radix < 2 || radix > 36) radix = radix == 0 || radix == -1 ? 16 : 36;
    }
    // A value near a limit or anywhere, in digits of the radix.
    uint64_t v;
    switch (pick(0, 3)) {
      case 0:
        v = 2147483647u + pick(-3, 3);
        break;
      case 1:
        v = 4294967295u + pick(-3, 3);
        break;
      default:
        v = rng() >> pick(0, 63);
    }
    std::string digits = in_radix(v, radix, pick(0, 1) == 0);
    if (pick(0, 4) == 0) digits.insert(0, pick(1, 4), '0');
    text += digits;
    // Sometimes a stray character, NUL or Ctrl-Z somewhere.
    if (pick(0, 3) == 0) {
      size_t at = pick(0, static_cast<int>(text.size()));
      int kind = pick(0, 2);
      char c = kind == 0   ? '\0'
               : kind == 1 ? kNoise[pick(0, sizeof kNoise - 2)]
                           : static_cast<char>(pick(0, 255));
      text.insert(at, 1, c);
    }
    Outcome got = scan(text), want = oracle(text);
    if (got != want && ++mismatches <= 20) {
      ADD_FAILURE() << "text \"" << text << "\": got " << got << ", want "
                    << want;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
