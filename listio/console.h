// The console units: the channels between statements and the console, and
// the process-wide state they live in, created by lio_init and kept to the
// end of the process.
#ifndef LISTIO_CONSOLE_H
#define LISTIO_CONSOLE_H

#include <cstdint>

namespace lio {

inline constexpr int kRecordBuffer = 132;
inline constexpr char kUnitName[] = "CON";

struct Unit {
  char buffer[kRecordBuffer] = {};
  int32_t position = 0;
  int32_t last = -1;          // index of the last valid byte; -1 when empty
  bool line_pending = false;  // a shown record still owes its CR LF
  bool mid_line = false;      // input so far ended inside a line
  bool ends_input = false;    // the next line after the buffer ends the input
};

struct Console {
  Unit units[2];
  Unit* input = &units[0];
  Unit* output = &units[0];
  bool input_is_console = false;  // standard input is a terminal
  bool end_step_done = false;

  bool shared() const { return input == output; }
};

extern Console g_console;

// Binds the units to the streams: one shared unit when both standard streams
// are consoles, else a unit for each direction. At start-up the units are in
// their initial state already.
void console_setup(bool input_is_console, bool output_is_console);

// Puts the units back in their initial state and binds them afresh, for
// running statements again within one process.
void console_reset(bool input_is_console, bool output_is_console);

}  // namespace lio

#endif
