// rootiter: square root by the halving iteration z = (x / y + y) / 2, with a
// repeat dialogue for new precisions.
#include <cstdint>

#include "listio.h"

namespace {

float x, e, y, z, r;
int32_t n, answer;

// No input that ends under the stopping rule needs anywhere near this many
// approximations (from the largest single, about 70); the cap only ends a
// negative x wandering under a negative precision.
constexpr int32_t kMaxApproximations = 10000;

void write_line(const char* text, int32_t length) {
  lio_write_begin();
  lio_write_text(text, length);
  lio_write_end();
}

// Runs one pass of the iteration, setting r and n. The pass ends at the first
// decrease y - t below e, with t unrounded. A pass that would never end (the
// stored approximation no longer changes while the decrease stays at or
// above e, or the cap is reached) ends with the approximation it has.
void iterate() {
  n = 1;
  y = x;
  for (;;) {
    const double t = (static_cast<double>(x) / y + y) / 2;
    z = static_cast<float>(t);
    const double d = y - t;
    if (d < e || z == y || n >= kMaxApproximations) break;
    y = z;
    ++n;
  }
  r = z;
}

}  // namespace

int lio_main(void) {
  static const char kFrame[] =
      "*****************************************************";

  write_line("uneti broj ciji se koren racuna", 31);
  lio_read_begin();
  lio_read_real4(&x);
  lio_read_end();

  for (;;) {
    write_line("uneti tacnost izracunavanja e", 29);
    lio_read_begin();
    lio_read_real4(&e);
    lio_read_end();

    iterate();

    lio_write_begin();
    lio_write_text("koren zadatog broja", 19);
    lio_write_real4(x);
    lio_write_text(" sa tacnoscu e ", 15);
    lio_write_real4(e);
    lio_write_text(" iznosi ", 8);
    lio_write_real4(r);
    lio_write_end();

    lio_write_begin();
    lio_write_text("broj iteracija je ", 18);
    lio_write_int4(n);
    lio_write_end();

    write_line(kFrame, 53);
    write_line("Zelite li ponoviti unos?", 24);
    write_line("DA ---- uneti 1", 15);
    write_line("NE ---- uneti 0", 15);
    write_line(kFrame, 53);

    lio_read_begin();
    lio_read_int4(&answer);
    lio_read_end();
    if (answer != 1) lio_stop(nullptr, 0);
  }
}
