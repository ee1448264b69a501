// letterband: says which group of lower-case letters a character belongs to.
#include "listio.h"

namespace {

char ch;

void write_line(const char* text, int32_t length) {
  lio_write_begin();
  lio_write_text(text, length);
  lio_write_end();
}

}  // namespace

int lio_main(void) {
  write_line("uneti jedan karakter", 20);

  lio_read_begin();
  lio_read_char(&ch, 1);
  lio_read_end();

  // Codes compare unsigned, so codes 128 to 255 lie above 'z'.
  const unsigned char code = static_cast<unsigned char>(ch);
  if (code >= 'a' && code <= 'j') {
    write_line("Uneli ste jedno od prvih deset slova abecede (alfabeta)", 55);
  } else if ((code >= 'k' && code <= 'p') || (code >= 'u' && code <= 'y')) {
    write_line("Uneti karakter je slovo k, l, m, n, o, p, u, v, w, x ili y",
               58);
  } else if ((code >= 'q' && code <= 't') || code == 'z') {
    write_line("Uneti karakter je slovo q, r, s, t ili z", 40);
  } else {
    write_line("Uneti karakter nije slovo", 25);
  }
  return 0;
}
