// A reference for real value texts, independent of lio::scan_real: the form
// is checked by its own small recogniser, the mantissa is cut to 24
// significant digits on the text itself, and the value is computed exactly
// with GMP and MPFR, then rounded to double (exponent range and subnormals
// included) and from there to single precision.
#ifndef LISTIO_TESTS_REAL_ORACLE_H
#define LISTIO_TESTS_REAL_ORACLE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lio::testing {

// A real text's value once cut: (negative ? -1 : 1) * digits * 10^scale.
// `digits` has no leading zeros and at most 24 digits, 25 where raising the
// 24th carried out of the first; zero is "0".
struct CutDecimal {
  bool negative = false;
  std::string digits;
  int64_t scale = 0;

  bool operator==(const CutDecimal&) const = default;
};

// The text cut to 24 significant digits: the 24th is raised when the 25th is
// 5 or more, and the digits after the 24th count only for the magnitude.
// Exponents beyond 10^9 are saturated, which changes no outcome. Empty when
// the text does not have the form of a real.
std::optional<CutDecimal> cut_decimal(std::string_view text);

struct OracleReal {
  float value;
  int error;  // 0, 6102 (beyond double), 6103 (form), 6104 (beyond single)
};

// What scanning the text must give: the cut decimal rounded to the nearest
// double, and that double to the nearest single.
OracleReal oracle_scan_real(std::string_view text);

// The single nearest to the cut decimal, rounded once: where it differs from
// oracle_scan_real's value, the rounding through double decided.
float nearest_single_once(const CutDecimal& decimal);

// Bits of the double nearest to digits * 10^scale, not cut (an infinity's
// beyond the double range); at most 38 digits.
uint64_t nearest_double_bits(const std::string& digits, int64_t scale);

}  // namespace lio::testing

#endif
