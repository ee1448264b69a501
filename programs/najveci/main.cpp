// najveci: names the largest of three numbers by its letter.
#include "listio.h"

namespace {

float a, b, c;

void write_verdict(const char* verdict, float value) {
  lio_write_begin();
  lio_write_text(verdict, 12);
  lio_write_real4(value);
  lio_write_end();
}

}  // namespace

int lio_main(void) {
  lio_write_begin();
  lio_write_text("Unesi brojeve", 13);
  lio_write_end();

  lio_read_begin();
  lio_read_real4(&a);
  lio_read_real4(&b);
  lio_read_real4(&c);
  lio_read_end();

  if (a > b) {
    if (a > c) {
      write_verdict("a je najveci", a);
    } else {
      write_verdict("c je najveci", c);
    }
  } else if (c >= b) {
    write_verdict("c je najveci", c);
  } else {
    write_verdict("b je najveci", b);
  }
  return 0;
}
