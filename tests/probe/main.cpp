// A small program on listio for whole-process tests of the frame and of
// output statements. The scenario comes from LIO_PROBE, so that command-line
// arguments stay free to be ignored.
#include <cstdlib>
#include <cstring>

#include "listio.h"

namespace {

volatile double g_zero = 0.0;
volatile double g_one = 1.0;
volatile double g_huge = 1e300;
volatile double g_tiny = 1e-300;

void line(const char* text) {
  lio_write_begin();
  lio_write_text(text, static_cast<int32_t>(std::strlen(text)));
  lio_write_end();
}

void real_line(const char* label, float value) {
  lio_write_begin();
  lio_write_text(label, static_cast<int32_t>(std::strlen(label)));
  lio_write_real4(value);
  lio_write_end();
}

bool is(const char* scenario, const char* name) {
  return std::strcmp(scenario, name) == 0;
}

}  // namespace

int lio_main(void) {
  const char* scenario = std::getenv("LIO_PROBE");
  if (scenario == nullptr) scenario = "records";
  line("first");
  if (is(scenario, "records")) {
    line("second");
  } else if (is(scenario, "stop")) {
    lio_stop(nullptr, 0);
  } else if (is(scenario, "stop_text")) {
    lio_stop("bye", 3);
  } else if (is(scenario, "error")) {
    lio_run_error(6504, LIO_KIND_READ);
  } else if (is(scenario, "invalid")) {
    real_line("q", static_cast<float>(g_zero / g_zero));
  } else if (is(scenario, "divide")) {
    real_line("q", static_cast<float>(g_one / g_zero));
  } else if (is(scenario, "overflow")) {
    real_line("f", static_cast<float>(g_huge));
  } else if (is(scenario, "underflow")) {
    real_line("f", static_cast<float>(g_tiny));
  } else if (is(scenario, "long")) {
    // Many records in one statement: more than the inline record slots.
    lio_write_begin();
    for (int i = 0; i < 100; ++i) lio_write_text("0123456789", 10);
    lio_write_end();
  }
  return 0;
}
