// lio::scan_real against an exact reference on arbitrary value texts: the
// same error number, and on success the same single-precision bit pattern
// (the sign of zero included). The scanner runs inside input statements,
// where invalid operation, division by zero and overflow trap, so it must
// raise none of those flags either.
#include <bit>
#include <cfenv>
#include <cstdint>
#include <cstdio>
#include <string>

#include "convert.h"
#include "fuzz_check.h"
#include "real_oracle.h"

namespace {

std::string describe(float value, int error) {
  char text[64];
  std::snprintf(text, sizeof text, "error %d, value %.9g (bits %08x)", error,
                static_cast<double>(value), std::bit_cast<uint32_t>(value));
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Value texts longer than this are cut off before scanning by the input
  // statement; longer fuzz inputs only slow the search down.
  if (size > 300) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);

  std::feclearexcept(FE_ALL_EXCEPT);
  const lio::RealResult got =
      lio::scan_real(text.data(), static_cast<int>(text.size()));
  const int flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  FUZZ_REQUIRE(flags == 0, "scan_real raised floating-point flags " +
                               std::to_string(flags) + " on \"" +
                               lio::fuzzing::escaped(text) + "\"");

  const lio::testing::OracleReal want = lio::testing::oracle_scan_real(text);
  const bool same = got.error == want.error &&
                    (got.error != 0 || std::bit_cast<uint32_t>(got.value) ==
                                           std::bit_cast<uint32_t>(want.value));
  FUZZ_REQUIRE(same, "text \"" + lio::fuzzing::escaped(text) +
                         "\"\n  scan_real: " + describe(got.value, got.error) +
                         "\n  reference: " + describe(want.value, want.error));
  return 0;
}
