// Pure conversions between values and their texts: no global state, no I/O,
// no allocation, and no floating-point operation that can raise a trapped
// exception. The statements build on these; tests and benchmarks call them
// directly.
#ifndef LISTIO_CONVERT_H
#define LISTIO_CONVERT_H

#include <cstdint>

namespace lio {

// Field widths of the numeric items.
inline constexpr int kIntField = 11;
inline constexpr int kRealField = 15;

// Longest text of an edited integer ("-2147483648") and real.
inline constexpr int kIntTextMax = 11;
inline constexpr int kRealTextMax = 15;

// Edits `value` as a decimal integer into `out` (at least kIntTextMax bytes).
// Returns the length, 1 to 11.
int edit_int(int32_t value, char* out);

// Edits `value` into `out` (at least kRealTextMax bytes) with 7 significant
// digits: fixed form (6 digits after the point) for 1 <= |value| < 1e7,
// exponent form otherwise. Returns the length. Infinities and quiet
// not-a-numbers give their 13-character marker texts; a signalling
// not-a-number is shown as the quiet one it becomes when widened.
int edit_real(float value, char* out);

// Error numbers the scanners can return; 0 is success.
inline constexpr int kErrIntOverflow = 6100;
inline constexpr int kErrInvalidInt = 6101;
inline constexpr int kErrRealIndefinite = 6102;
inline constexpr int kErrInvalidReal = 6103;
inline constexpr int kErrRealOverflow = 6104;
inline constexpr int kErrMultipleRadix = 6302;
inline constexpr int kErrIllegalRadix = 6303;

struct IntResult {
  int32_t value;
  int error;  // 0, kErrIntOverflow, kErrInvalidInt, kErrMultipleRadix,
              // kErrIllegalRadix
};

// Converts an integer value text (decimal, or radix form "r#digits") to a
// 32-bit value.
IntResult scan_int(const char* text, int length);

struct RealResult {
  float value;
  int error;  // 0, kErrInvalidReal, kErrRealIndefinite, kErrRealOverflow
};

// Converts a real value text to single precision: the decimal cut to 24
// significant digits (the 24th rounded half up on the 25th), rounded to the
// nearest double, then to the nearest single (both ties to even).
RealResult scan_real(const char* text, int length);

}  // namespace lio

#endif
