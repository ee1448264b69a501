// hello: reads a whole number and shows it, with one input statement and one
// output statement. listio::main provides main(), which sets up the console
// and runs lio_main.
#include "listio.h"

namespace {

int32_t n;

}  // namespace

int lio_main(void) {
  lio_read_begin();
  lio_read_int4(&n);
  lio_read_end();

  lio_write_begin();
  lio_write_text("n =", 3);
  lio_write_int4(n);
  lio_write_end();
  return 0;
}
