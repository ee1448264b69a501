// squareband run as a whole process: k read, the band of k*k + k - 1 in
// 32-bit wrap-around arithmetic, and the value.
#include <string>

#include "gtest/gtest.h"
#include "process.h"
#include "program_expect.h"

namespace {

using namespace lio::testing;

const std::string kPrompt = "unesi vrednost za k";
const std::string kLow = "rezultat manji od 50";
const std::string kMiddle = "rezultat izmedju 50 i 100";
const std::string kHigh = "rezultat veci od 100";

struct BandCase {
  const char* typed;
  const std::string& band;
  const char* j;
};

TEST(Squareband, BandsAndValues) {
  const BandCase cases[] = {
      {"0\n", kLow, "-1"},
      {"1\n", kLow, "1"},
      {"6\n", kLow, "41"},  // band edges: 6 | 7 and 9 | 10
      {"7\n", kMiddle, "55"},
      {"9\n", kMiddle, "89"},
      {"10\n", kHigh, "109"},
      {"-7\n", kLow, "41"},  // and the mirrored ones, -(k + 1)
      {"-8\n", kMiddle, "55"},
      {"-10\n", kMiddle, "89"},
      {"-11\n", kHigh, "109"},
      {"46340\n", kHigh, "2147441939"},
      {"46341\n", kLow, "-2147432675"},  // the square wraps
      {"65536\n", kHigh, "65535"},       // the square wraps to 0
      {"-65536\n", kLow, "-65537"},
      {"2147483647\n", kHigh, "2147483647"},   // the square wraps to 1
      {"-2147483648\n", kHigh, "2147483647"},  // k - 1 wraps too
      {"/\n", kLow, "-1"},                     // k keeps its 0
      {",\n", kLow, "-1"},
  };
  for (const BandCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_run(run_with_input("squareband", c.typed),
               piped({kPrompt, c.band, "j=k**2+k-1=" + int_field(c.j)}), "", 0);
  }
}

struct FaultCase {
  const char* typed;
  const char* code;
  const char* text;
};

TEST(Squareband, RejectedInputIsReportedBeforeAnyBand) {
  const FaultCase cases[] = {
      {"7.5\n", "F6101", "invalid INTEGER"},
      {"k\n", "F6101", "invalid INTEGER"},
      {"2147483648\n", "F6100", "INTEGER overflow on input"},
      {"", "F6501", "end of file encountered"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_run(run_with_input("squareband", c.typed), piped({kPrompt}),
               read_report(c.code, c.text), 1);
  }
}

}  // namespace
