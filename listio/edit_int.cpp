#include "convert.h"

namespace lio {

int edit_int(int32_t value, char* out) {
  // Negate in unsigned arithmetic so that -2147483648 has a magnitude.
  uint32_t magnitude = static_cast<uint32_t>(value);
  int length = 0;
  if (value < 0) {
    magnitude = 0u - magnitude;
    out[length++] = '-';
  }
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) out[length++] = digits[--count];
  return length;
}

}  // namespace lio
