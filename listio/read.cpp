// Input statements: free-form values taken from lines of standard input,
// with separators, null values, repeat counts and quoted or parenthesised
// values.
#include <cstring>

#include "console.h"
#include "convert.h"
#include "listio.h"
#include "platform.h"

namespace lio {
namespace {

inline constexpr int kValueMax = 259;  // characters of one value text
inline constexpr unsigned char kCtrlZ = 0x1a;

enum class Form { kPlain, kParenthesised, kQuoted };

struct InputStatement {
  bool started = false;
  // What ended the latest value: ',' at statement start, then ' ' (also for a
  // tab, a line end or a closing parenthesis), ',', '/', or the byte that
  // followed a closing quote.
  unsigned char last_separator = ',';
  int32_t repeat = 0;          // variables still to get the repeated value
  bool end_of_record = false;  // the latest value's scan already left its line

  char text[kValueMax] = {};
  int32_t length = 0;
  bool too_long = false;  // characters beyond kValueMax were dropped
  Form form = Form::kPlain;
  unsigned char quote = 0;
};

InputStatement g_in;

[[noreturn]] void fail(int number) { lio_run_error(number, LIO_KIND_READ); }

Unit& unit() { return *g_console.input; }

// Gathers redirected input up to a line end, a full buffer or the end of
// input, so that the bytes a statement sees do not depend on how the writer
// at the other end of a pipe happened to split its writes. Returns the count.
int gather(Unit& u) {
  int n = 0;
  for (;;) {
    int got = g_streams->read_input(u.buffer + n, kRecordBuffer - n, false);
    if (got == kReadFailed) fail(6500);
    if (got == 0) return n;
    n += got;
    if (n == kRecordBuffer || u.buffer[n - 1] == '\n') return n;
  }
}

// Start of the first line in `data` that ends in Ctrl-Z, CR, LF, or -1.
int ctrl_z_line(const char* data, int n) {
  const char* end = data + n;
  for (const char* p = data;
       (p = static_cast<const char*>(std::memchr(p, kCtrlZ, end - p))); ++p) {
    if (end - p >= 3 && p[1] == '\r' && p[2] == '\n') {
      while (p > data && p[-1] != '\n') --p;
      return static_cast<int>(p - data);
    }
  }
  return -1;
}

// Reads new data into the empty buffer and returns its first byte.
[[gnu::noinline]] unsigned char refill() {
  Unit& u = unit();
  if (u.ends_input) fail(6501);
  int n;
  if (g_console.input_is_console) {
    n = g_streams->read_input(u.buffer, kRecordBuffer, true);
    if (n == kReadFailed) fail(6500);
  } else {
    n = gather(u);
  }
  if (n == 0) {
    // End of input at the start of a line ends the input; inside a line it
    // only ends that line.
    if (!u.mid_line) fail(6501);
    u.buffer[0] = '\n';
    n = 1;
  }
  u.position = 0;
  u.last = n - 1;
  const unsigned char* b = reinterpret_cast<unsigned char*>(u.buffer);
  if (b[n - 1] != '\n') {
    if (n < kRecordBuffer) {
      u.buffer[n] = '\n';  // a last line without its line end is complete
      u.last = n;
    } else if (g_console.input_is_console) {
      fail(6407);  // 130 typed characters and CR LF fill the buffer
    }
  }
  // A line that ends in Ctrl-Z and CR LF ends the input. The lines before
  // it in the same data are still served; the input ends when that line is
  // reached.
  if (int at = ctrl_z_line(u.buffer, n); at >= 0) {
    if (at == 0) fail(6501);
    u.last = at - 1;
    u.ends_input = true;
  }
  u.mid_line = b[u.last] != '\n';
  u.position = 1;
  return b[0];
}

inline unsigned char take() {
  Unit& u = unit();
  if (u.position > u.last) return refill();
  return static_cast<unsigned char>(u.buffer[u.position++]);
}

// Leaves the current line.
void record_advance() {
  Unit& u = unit();
  if (g_console.input_is_console) {
    // Nothing taken yet means the line to leave has not been read.
    if (u.position == 0) take();
    u.last = -1;
    u.position = 0;
    u.mid_line = false;
  } else {
    while (take() != '\n') {
    }
  }
  u.line_pending = false;
}

void start_statement() {
  if (g_in.started) return;
  g_in.started = true;
  Unit& u = unit();
  if (g_console.shared() && u.line_pending) {
    // The user types on a fresh line; the flag stays set until the line the
    // user types has been left.
    g_streams->write_output("\r\n", 2);
    u.last = -1;
  }
  g_in.last_separator = ',';
  g_in.repeat = 0;
  g_in.end_of_record = false;
}

void append(unsigned char c) {
  if (g_in.length < kValueMax) {
    g_in.text[g_in.length++] = static_cast<char>(c);
  } else {
    g_in.too_long = true;
  }
}

IntResult int_of_text() {
  if (g_in.too_long) return {0, kErrInvalidInt};
  return scan_int(g_in.text, g_in.length);
}

// Scans the next value into the value state, ending at its separator.
void scan_value() {
  g_in.length = 0;
  g_in.too_long = false;
  g_in.form = Form::kPlain;
  g_in.end_of_record = false;
  for (;;) {
    unsigned char c = take();
    if (c == '\r' || c == '\n') {
      unit().position--;  // the line end is left by the record advance
      record_advance();
      if (g_in.form == Form::kQuoted) {
        take();  // a quoted value goes on after the next line's first byte
        continue;
      }
      // The value ends here when it has begun, or when a repeat count waits
      // for it; either way this line has now been left.
      if (g_in.length != 0 || (g_in.repeat != 0 && g_in.form == Form::kPlain)) {
        g_in.end_of_record = true;
      }
      c = ' ';
    } else if (g_in.form == Form::kQuoted) {
      if (c == g_in.quote) {
        unsigned char next = take();
        if (next != g_in.quote) {
          if (next == '\n') unit().position--;
          g_in.last_separator = next;
          return;
        }
      }
      append(c);
      continue;
    }

    switch (c) {
      case ' ':
      case '\t':
        if ((g_in.length == 0 && g_in.repeat == 0) ||
            g_in.form == Form::kParenthesised) {
          continue;
        }
        g_in.last_separator = ' ';
        return;
      case '(':
        if (g_in.length == 0) {
          g_in.form = Form::kParenthesised;
          continue;
        }
        break;
      case ')':
        if (g_in.form == Form::kParenthesised) {
          g_in.last_separator = ' ';
          return;
        }
        break;
      case '\'':
      case '"':
        if (g_in.length == 0) {
          g_in.form = Form::kQuoted;
          g_in.quote = c;
          continue;
        }
        break;
      case '*': {
        if (g_in.repeat != 0) fail(6503);
        IntResult count = int_of_text();
        if (count.error != 0) fail(count.error);
        if (count.value < 1) fail(6502);
        g_in.repeat = count.value - 1;
        g_in.length = 0;
        continue;
      }
      case ',':
        if (g_in.length == 0 && g_in.last_separator == ' ' &&
            g_in.repeat == 0) {
          g_in.last_separator = ',';  // blanks and a comma: one separator
          continue;
        }
        if (g_in.form != Form::kParenthesised) {
          g_in.last_separator = ',';
          return;
        }
        break;
      case '/':
        g_in.last_separator = '/';
        return;
      default:
        break;
    }
    append(c);
  }
}

// Gives the next value to a variable through `store`, which sees the value
// state; skipped items leave their variable alone.
template <typename Store>
void serve(Store store) {
  start_statement();
  if (g_in.repeat != 0) {
    --g_in.repeat;
  } else if (g_in.last_separator == '/') {
    return;
  } else {
    scan_value();
  }
  if (g_in.length == 0) return;  // a null value
  store();
}

}  // namespace
}  // namespace lio

using namespace lio;

void lio_read_begin(void) { g_in.started = false; }

void lio_read_int4(int32_t* variable) {
  serve([variable] {
    if (g_in.form != Form::kPlain) fail(6504);
    IntResult r = int_of_text();
    if (r.error != 0) fail(r.error);
    *variable = r.value;
  });
}

void lio_read_real4(float* variable) {
  serve([variable] {
    if (g_in.form != Form::kPlain) fail(6504);
    if (g_in.too_long) fail(kErrInvalidReal);
    RealResult r = scan_real(g_in.text, g_in.length);
    if (r.error != 0) fail(r.error);
    *variable = r.value;
  });
}

void lio_read_char(char* variable, int32_t length) {
  serve([variable, length] {
    if (length <= 0) return;
    int32_t copied = g_in.length < length ? g_in.length : length;
    std::memcpy(variable, g_in.text, static_cast<size_t>(copied));
    std::memset(variable + copied, ' ', static_cast<size_t>(length - copied));
  });
}

void lio_read_end(void) {
  start_statement();
  if (!g_in.end_of_record) record_advance();
  g_in.started = false;
}
