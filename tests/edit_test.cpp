// Editing integers and reals into their field texts.
#include <bit>
#include <cstdint>
#include <string>

#include "convert.h"
#include "gtest/gtest.h"

namespace {

std::string real_text(float value) {
  char out[lio::kRealTextMax];
  return std::string(out, static_cast<size_t>(lio::edit_real(value, out)));
}

std::string int_text(int32_t value) {
  char out[lio::kIntTextMax];
  return std::string(out, static_cast<size_t>(lio::edit_int(value, out)));
}

struct RealCase {
  uint32_t bits;
  const char* text;
};

TEST(EditReal, WorkedValues) {
  const RealCase cases[] = {
      {0x00000000u, "0.000000E+00"},     // 0.0
      {0x80000000u, "0.000000E+00"},     // -0.0 shows no sign
      {0x3f800000u, "1.000000"},         // 1.0
      {0xbfc00000u, "-1.500000"},        // -1.5
      {0x3dcccccdu, "1.000000E-01"},     // 0.1
      {0x3f000000u, "5.000000E-01"},     // 0.5
      {0x40000000u, "2.000000"},         // 2.0
      {0x3fb504f3u, "1.414214"},         // square root of 2
      {0x41480000u, "12.500000"},        // 12.5
      {0x42c80000u, "100.000000"},       // 100.0
      {0x47f1205au, "123456.700000"},    // 123456.703125
      {0x4996b438u, "1234567.000000"},   // 1234567.0
      {0xc996b438u, "-1234567.000000"},  // -1234567.0
      {0x4b18967fu, "9999999.000000"},   // 9999999.0, the last fixed value
      {0x4b189680u, "1.000000E+07"},     // 1.0E7
      {0x4b7ffff5u, "1.677721E+07"},     // 16777205: half up, not even
      {0x3a83126fu, "1.000000E-03"},     // 0.001
      {0x3727c5acu, "1.000000E-05"},     // 9.99999975E-06
      {0x3f7fffffu, "9.999999E-01"},     // largest single below 1
      {0x7f7fc99eu, "3.400000E+38"},     // 3.4E38
      {0x7f7fffffu, "3.402823E+38"},     // largest single
      {0x00000001u, "1.401298E-45"},     // smallest subnormal
      {0xcaf42400u, "-8000000.000000"},  // fills its field
  };
  for (const RealCase& c : cases) {
    EXPECT_EQ(real_text(std::bit_cast<float>(c.bits)), c.text)
        << std::hex << c.bits;
  }
}

TEST(EditReal, SpecialValuesShowMarkers) {
  EXPECT_EQ(real_text(std::bit_cast<float>(0x7f800000u)), "1#INF........");
  EXPECT_EQ(real_text(std::bit_cast<float>(0xff800000u)), "1#INF........");
  EXPECT_EQ(real_text(std::bit_cast<float>(0xffc00000u)), "1#IND........");
  EXPECT_EQ(real_text(std::bit_cast<float>(0x7fc00000u)), "1#QNAN.......");
  EXPECT_EQ(real_text(std::bit_cast<float>(0xffc00001u)), "1#QNAN.......");
  // A signalling one is shown as the quiet one widening makes of it.
  EXPECT_EQ(real_text(std::bit_cast<float>(0xff800000u | 0x1u)),
            "1#QNAN.......");
}

TEST(EditInt, Extremes) {
  EXPECT_EQ(int_text(0), "0");
  EXPECT_EQ(int_text(-1), "-1");
  EXPECT_EQ(int_text(2147483647), "2147483647");
  EXPECT_EQ(int_text(-2147483647 - 1), "-2147483648");
}

}  // namespace
