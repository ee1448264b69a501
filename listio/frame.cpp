// The frame programs run in: start-up, run-time error reports, STOP and the
// end step.
#include <cstring>

#include "console.h"
#include "convert.h"
#include "listio.h"
#include "platform.h"

namespace lio {

Console g_console;

void console_setup(bool input_is_console, bool output_is_console) {
  g_console.output =
      &g_console.units[input_is_console && output_is_console ? 0 : 1];
  g_console.input_is_console = input_is_console;
}

void console_reset(bool input_is_console, bool output_is_console) {
  for (Unit& unit : g_console.units) {
    unit.position = 0;
    unit.last = -1;
    unit.line_pending = false;
    unit.mid_line = false;
    unit.ends_input = false;
  }
  g_console.end_step_done = false;
  console_setup(input_is_console, output_is_console);
}

namespace {

struct Message {
  int32_t number;
  const char* text;
};

constexpr Message kMessages[] = {
    {6100, "INTEGER overflow on input"},
    {6101, "invalid INTEGER"},
    {6102, "REAL indefinite ( uninitialized or previous error )"},
    {6103, "invalid REAL"},
    {6104, "REAL math overflow"},
    {6302, "multiple radix specifiers"},
    {6303, "illegal radix specifier"},
    {6407, "terminal buffer overflow"},
    {6421, "file read-only or locked against writing"},
    {6422, "no space left on device"},
    {6500, "file not open for reading or file locked"},
    {6501, "end of file encountered"},
    {6502, "positive integer expected in repeat field"},
    {6503, "multiple repeat field"},
    {6504, "invalid number in input"},
};

const char* message_text(int32_t number) {
  for (const Message& m : kMessages) {
    if (m.number == number) return m.text;
  }
  return "unknown error";
}

// Appends to a fixed buffer, cutting what does not fit.
struct Appender {
  char* data;
  size_t capacity;
  size_t length = 0;

  void add(const char* bytes, size_t count) {
    if (count > capacity - length) count = capacity - length;
    std::memcpy(data + length, bytes, count);
    length += count;
  }
  void add(const char* text) { add(text, std::strlen(text)); }
};

// Every way of ending but an interrupt runs the end step once, then exits.
// The frame calls it itself rather than registering it with the C library,
// which would cost every run the registration.
[[noreturn]] void end_process(int code) {
  lio_at_exit();
  g_streams->exit_process(code);
  __builtin_unreachable();
}

}  // namespace
}  // namespace lio

using namespace lio;

void lio_init(void) {
  fp_set_double_precision();
  bool input_console = stdin_is_console();
  bool output_console = input_console && stdout_is_console();
  fp_enable_traps();
  fp_install_fault_handler();
  console_setup(input_console, output_console);
  ignore_broken_pipes();
  fp_clear_flags();
}

void lio_report(int32_t number, lio_kind kind, const char* unit_name,
                const char* text) {
  char bytes[256];
  Appender out{bytes, sizeof bytes};
  out.add("\r\nrun-time error ");
  out.add(kind == LIO_KIND_MATH ? "M" : "F");
  char digits[kIntTextMax];
  out.add(digits, static_cast<size_t>(edit_int(number, digits)));
  if (kind == LIO_KIND_MATH) {
    out.add(": MATH");
  } else {
    out.add(kind == LIO_KIND_READ ? ": READ(" : ": WRITE(");
    out.add(unit_name != nullptr ? unit_name : "");
    out.add(")");
  }
  out.add("\r\n- ");
  out.add(text != nullptr ? text : "");
  out.add("\r\n");
  g_streams->write_error(bytes, out.length);
}

void lio_run_error(int32_t number, lio_kind kind) {
  lio_report(number, kind, kUnitName, message_text(number));
  end_process(1);
}

void lio_fp_fault(lio_fp_condition condition) {
  int32_t number = 6101;
  const char* text = "floating-point error: invalid";
  if (condition == LIO_FP_DIVIDE_BY_ZERO) {
    number = 6103;
    text = "floating-point error: divide by zero";
  } else if (condition == LIO_FP_OVERFLOW) {
    number = 6104;
    text = "floating-point error: overflow";
  }
  lio_report(number, LIO_KIND_MATH, nullptr, text);
  end_process(1);
}

void lio_stop(const char* text, int32_t length) {
  static constexpr char kDefault[] = "Stop - Program terminated.";
  if (text == nullptr) {
    text = kDefault;
    length = sizeof kDefault - 1;
  }
  if (length < 0) length = 0;
  // The owed line end, the line and its CR LF go out in one write when the
  // line is short, as it always is for the default text.
  char bytes[160];
  Appender out{bytes, sizeof bytes};
  if (g_console.output->line_pending) out.add("\r\n");
  if (out.length + static_cast<size_t>(length) + 2 <= sizeof bytes) {
    out.add(text, static_cast<size_t>(length));
    out.add("\r\n");
    g_streams->write_output(bytes, out.length);
  } else {
    if (out.length != 0) g_streams->write_output(bytes, out.length);
    g_streams->write_output(text, static_cast<size_t>(length));
    g_streams->write_output("\r\n", 2);
  }
  end_process(0);
}

void lio_at_exit(void) {
  if (g_console.end_step_done) return;
  g_console.end_step_done = true;
  if (g_console.output->line_pending) g_streams->write_output("\r\n", 2);
}
