// The one seam between listio and the operating system. Everything else in
// listio is platform-free; tests and fuzzers bind the streams to memory by
// installing a table of their own.
#ifndef LISTIO_PLATFORM_H
#define LISTIO_PLATFORM_H

#include <cstddef>

#include "listio.h"

namespace lio {

// Outcome of writing a whole buffer to standard output.
enum class WriteStatus {
  kOk,
  kDeviceFull,     // no space, or a write that moved nothing without error
  kAccessRefused,  // the stream refuses writing (permissions, read-only)
  kOtherFailure,   // a closed pipe or descriptor, an I/O error
};

// A read result of -1 means the read failed.
inline constexpr int kReadFailed = -1;

struct Streams {
  // Reads at most `capacity` bytes of standard input into `buffer`: the
  // count, 0 at end of input (a closed pipe included), kReadFailed on
  // failure. A console read gives one typed line, its Enter as CR LF.
  int (*read_input)(char* buffer, int capacity, bool console);
  // Writes all of `bytes` to standard output, retrying partial transfers.
  WriteStatus (*write_output)(const char* bytes, size_t count);
  // Writes all of `bytes` to standard error; failures are of no interest.
  void (*write_error)(const char* bytes, size_t count);
  // Ends the process with `code`; the end step has run. Must not return.
  void (*exit_process)(int code);
};

// The streams in use; the POSIX ones unless a test installed others.
extern const Streams* g_streams;
extern const Streams kPosixStreams;

// Writes all of `bytes` to `fd`, going on after partial transfers.
WriteStatus write_all(int fd, const char* bytes, size_t count);

// Process set-up, done once by lio_init.
bool stdin_is_console();
bool stdout_is_console();
void ignore_broken_pipes();

// Floating-point control.
void fp_set_double_precision();
void fp_enable_traps();
void fp_install_fault_handler();
void fp_clear_flags();

}  // namespace lio

#endif
