// squareband: says in which band k*k + k - 1 falls, in 32-bit arithmetic.
#include <cstdint>

#include "listio.h"

namespace {

int32_t k, j;

void write_line(const char* text, int32_t length) {
  lio_write_begin();
  lio_write_text(text, length);
  lio_write_end();
}

// k*k + k - 1 with two's-complement wrap-around: the power k**2 is formed by
// multiplying 1 by k twice, each product wrapped to 32 bits.
int32_t square_plus_k_minus_1(int32_t value) {
  uint32_t square = 1u;
  square *= static_cast<uint32_t>(value);
  square *= static_cast<uint32_t>(value);
  return static_cast<int32_t>(static_cast<uint32_t>(value) + square - 1u);
}

}  // namespace

int lio_main(void) {
  write_line("unesi vrednost za k", 19);

  lio_read_begin();
  lio_read_int4(&k);
  lio_read_end();

  int32_t value = square_plus_k_minus_1(k);
  if (value >= 100) {
    write_line("rezultat veci od 100", 20);
  } else if (value >= 50) {
    write_line("rezultat izmedju 50 i 100", 25);
  } else {
    write_line("rezultat manji od 50", 20);
  }

  j = square_plus_k_minus_1(k);
  lio_write_begin();
  lio_write_text("j=k**2+k-1=", 11);
  lio_write_int4(j);
  lio_write_end();
  return 0;
}
