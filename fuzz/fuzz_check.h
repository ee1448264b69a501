// Invariant checks of the fuzz targets. A failed check names the broken
// invariant and what was seen, then aborts, so that libFuzzer keeps the input
// and the corpus replay test fails.
#ifndef LISTIO_FUZZ_FUZZ_CHECK_H
#define LISTIO_FUZZ_FUZZ_CHECK_H

#include <cstdio>
#include <cstdlib>
#include <string>

namespace lio::fuzzing {

[[noreturn]] inline void check_failed(const char* condition,
                                      const std::string& detail) {
  std::fprintf(stderr, "fuzz invariant broken: %s\n%s\n", condition,
               detail.c_str());
  std::fflush(stderr);
  std::abort();
}

// Makes the bytes of a text readable in a failure message.
inline std::string escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace lio::fuzzing

// `detail` is an expression giving a std::string; it is only evaluated when
// the check fails, so the passing path stays cheap.
#define FUZZ_REQUIRE(condition, detail)                                   \
  do {                                                                    \
    if (!(condition)) ::lio::fuzzing::check_failed(#condition, (detail)); \
  } while (0)

#endif
