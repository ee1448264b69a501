// sumversus: compares the sum and the product of three numbers.
#include "listio.h"

namespace {

float a, b, c, zbir, proizvod;

void write_line(const char* text, int32_t length) {
  lio_write_begin();
  lio_write_text(text, length);
  lio_write_end();
}

void write_value(const char* label, int32_t length, float value) {
  lio_write_begin();
  lio_write_text(label, length);
  lio_write_real4(value);
  lio_write_end();
}

}  // namespace

int lio_main(void) {
  write_line("uneti tri broja", 15);

  lio_read_begin();
  lio_read_real4(&a);
  lio_read_real4(&b);
  lio_read_real4(&c);
  lio_read_end();

  // Double precision from single operands, c added to a first; assignment
  // rounds to single and traps when the result is beyond its range.
  zbir = static_cast<float>((static_cast<double>(a) + c) + b);
  const double t = (static_cast<double>(a) * c) * b;
  proizvod = static_cast<float>(t);

  // The first test compares the product before it was rounded.
  if (t < zbir) {
    write_line("zbir je veci od proizvoda", 25);
  } else if (proizvod > zbir) {
    write_line("proizvod je veci od zbira", 25);
  } else if (proizvod == zbir) {
    write_line("proizvod i zbir su jednaki", 26);
  }

  write_value("zbir = ", 7, zbir);
  write_value("proizvod = ", 11, proizvod);
  return 0;
}
