// lio::edit_real against the reference in edit_oracle.h on a sample that
// reaches every binade: a regular stride through all bit patterns, the edges
// of each binade, and the floats around each power of ten, where the form
// and the carries change.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "convert.h"
#include "edit_oracle.h"
#include "gtest/gtest.h"

namespace {

using lio::testing::is_finite_pattern;
using lio::testing::kSignBit;

std::string edited(uint32_t bits) {
  char out[lio::kRealTextMax];
  return std::string(out, static_cast<size_t>(
                              lio::edit_real(std::bit_cast<float>(bits), out)));
}

std::string reference(uint32_t bits) {
  char out[lio::testing::kReferenceTextMax];
  return std::string(
      out, static_cast<size_t>(lio::testing::reference_text(bits, out)));
}

// Compares the editor with the reference on every pattern, naming the first
// few that differ rather than flooding the log.
::testing::AssertionResult edits_match(const std::vector<uint32_t>& patterns) {
  constexpr int kShown = 10;
  int mismatches = 0;
  std::string shown;
  for (uint32_t bits : patterns) {
    const std::string got = edited(bits);
    const std::string expected = reference(bits);
    if (got == expected) continue;
    if (++mismatches <= kShown) {
      char line[96];
      std::snprintf(line, sizeof line, "\n  0x%08x: \"%s\", reference \"%s\"",
                    bits, got.c_str(), expected.c_str());
      shown += line;
    }
  }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << mismatches << " of " << patterns.size()
         << " texts differ:" << shown;
}

uint32_t nearest_float_bits(const std::string& text) {
  float value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return std::bit_cast<uint32_t>(value);
}

// The reference is only worth comparing with if it is right itself: known
// texts, including the cases where the two roundings carry.
TEST(EditSample, ReferenceGivesKnownTexts) {
  const struct {
    uint32_t bits;
    const char* text;
  } cases[] = {
      {0x00000000u, "0.000000E+00"},    {0x80000000u, "0.000000E+00"},
      {0x3f800000u, "1.000000"},        {0x3dcccccdu, "1.000000E-01"},
      {0x3fb504f3u, "1.414214"},        {0x4b18967fu, "9999999.000000"},
      {0x4b189680u, "1.000000E+07"},    {0x4b7ffff5u, "1.677721E+07"},
      {0xc996b438u, "-1234567.000000"}, {0x3f7fffffu, "9.999999E-01"},
      {0x7f7fffffu, "3.402823E+38"},    {0x00000001u, "1.401298E-45"},
      {0x3c23d70au, "1.000000E-02"},    {0x411fffffu, "9.999999"},
      {0xbd7ffffeu, "-6.249999E-02"},   {0x358637bdu, "1.000000E-06"},
      {0x9af1c900u, "-1.000000E-22"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(reference(c.bits), c.text) << std::hex << c.bits;
  }
}

TEST(EditSample, EveryMultipleOfAPrime) {
  constexpr uint64_t kStride = 10007;
  std::vector<uint32_t> patterns;
  for (uint64_t bits = 0; bits <= UINT32_MAX; bits += kStride) {
    if (is_finite_pattern(static_cast<uint32_t>(bits))) {
      patterns.push_back(static_cast<uint32_t>(bits));
    }
  }
  EXPECT_TRUE(edits_match(patterns));
}

TEST(EditSample, BinadeEdges) {
  std::vector<uint32_t> patterns;
  for (uint32_t biased = 0; biased < 0xff; ++biased) {
    const uint32_t smallest = biased == 0 ? 1 : biased << 23;
    const uint32_t largest = biased << 23 | 0x7fffffu;
    for (uint32_t sign : {0u, kSignBit}) {
      patterns.push_back(sign | smallest);
      patterns.push_back(sign | largest);
    }
  }
  EXPECT_TRUE(edits_match(patterns));
}

TEST(EditSample, AroundPowersOfTen) {
  std::vector<uint32_t> patterns;
  for (int k = -45; k <= 38; ++k) {
    const uint32_t nearest = nearest_float_bits("1e" + std::to_string(k));
    ASSERT_TRUE(is_finite_pattern(nearest) && nearest != 0) << k;
    for (uint32_t bits = nearest - 1; bits <= nearest + 1; ++bits) {
      patterns.push_back(bits);
      patterns.push_back(bits | kSignBit);
    }
  }
  EXPECT_TRUE(edits_match(patterns));
}

// Values with exactly eight significant digits, the last a 5: the 7-digit
// rounding goes up on these ties whatever the parity of the 7th digit.
// Such a value is u / 2^k with u odd and below 2^24 and u * 5^k an eight-digit
// number ending in 5; a stride through u keeps the sample small.
TEST(EditSample, TiesInTheEighthDigit) {
  constexpr uint64_t kLow = 10000000, kHigh = 100000000;
  std::vector<uint32_t> patterns;
  uint64_t pow5 = 1;
  for (int k = 0; k <= 11; ++k, pow5 *= 5) {
    // u * 5^k ends in 5 when u is odd, and for k = 0 when u ends in 5.
    const uint64_t first = k == 0 ? kLow + 5 : ((kLow + pow5 - 1) / pow5) | 1;
    const uint64_t step = k == 0 ? 10 * 97 : 2 * 97;
    for (uint64_t u = first; u * pow5 < kHigh && u < (1u << 24); u += step) {
      const float value = std::ldexp(static_cast<float>(u), -k);
      patterns.push_back(std::bit_cast<uint32_t>(value));
      patterns.push_back(std::bit_cast<uint32_t>(-value));
    }
  }
  ASSERT_GT(patterns.size(), 1000u);
  EXPECT_TRUE(edits_match(patterns));
}

}  // namespace
