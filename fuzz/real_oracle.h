// A reference for real value texts, independent of lio::scan_real: the form
// is checked by its own small recogniser and the value is computed exactly
// with MPFR, then rounded to double (exponent range and subnormals included)
// and from there to single precision.
#ifndef LISTIO_FUZZ_REAL_ORACLE_H
#define LISTIO_FUZZ_REAL_ORACLE_H

#include <string_view>

namespace lio::fuzzing {

struct OracleReal {
  float value;
  int error;  // 0, 6102 (beyond double), 6103 (form), 6104 (beyond single)
};

OracleReal oracle_scan_real(std::string_view text);

}  // namespace lio::fuzzing

#endif
