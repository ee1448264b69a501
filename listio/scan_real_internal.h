// The decimal-to-double step of the real scanner, visible to its tests so
// the exact big-integer rounding can be checked on every kind of input, not
// only on the rare ones the fast approximation cannot settle.
#ifndef LISTIO_SCAN_REAL_INTERNAL_H
#define LISTIO_SCAN_REAL_INTERNAL_H

#include <cstdint>

namespace lio::detail {

// Bit pattern of the positive double infinity: returned when the nearest
// double rounding goes beyond the largest finite double.
inline constexpr uint64_t kDoubleInfBits = 0x7FF0000000000000u;

// Bit pattern of the double nearest to d * 10^q (ties to even, subnormals
// and zero below the range), or kDoubleInfBits. d must be below 2^80; q may
// be any value.
uint64_t decimal_to_double_bits(unsigned __int128 d, int64_t q);
uint64_t decimal_to_double_bits(uint64_t d, int64_t q);

// The same result, but always settled by the exact big-integer comparison
// instead of the short paths.
uint64_t decimal_to_double_bits_exact(unsigned __int128 d, int64_t q);

}  // namespace lio::detail

#endif
