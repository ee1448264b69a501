// Runs a built program as a user would: with its standard streams on real
// pipes, files, /dev/full, closed descriptors or a pseudo-terminal.
#ifndef LISTIO_TESTS_PROCESS_H
#define LISTIO_TESTS_PROCESS_H

#include <string>
#include <vector>

namespace lio::testing {

struct ProcessResult {
  std::string out;     // bytes the program wrote to standard output
  std::string err;     // bytes it wrote to standard error
  int exit_code = -1;  // -1 when it was killed by a signal
  int signal = 0;      // the signal that killed it, if any
};

enum class Output {
  kPipe,        // read by the test
  kDevFull,     // /dev/full: every write fails for lack of space
  kClosed,      // descriptor 1 closed
  kReadOnly,    // a file opened for reading only
  kBrokenPipe,  // a pipe whose reader has gone away
};

struct ProcessOptions {
  std::vector<std::string> args;
  // Written to the program's standard input pipe, one write per chunk, with
  // `chunk_delay_ms` between chunks; then the pipe is closed.
  std::vector<std::string> input;
  int chunk_delay_ms = 0;
  bool stdin_closed = false;
  Output output = Output::kPipe;
  std::vector<std::string> env;  // extra NAME=value entries
};

ProcessResult run_process(const std::string& path,
                          const ProcessOptions& options);

// Runs the program with standard input and output on a pseudo-terminal in
// canonical mode, without echo or output processing, so that the bytes read
// back are exactly those the program wrote. `typed` is queued as typed keys
// (LF for Enter, 0x04 for the end-of-input key); standard error is a pipe.
ProcessResult run_on_terminal(const std::string& path,
                              const std::string& typed);

// Path of a built program, from the directory CMake gave the tests.
std::string program_path(const std::string& name);

}  // namespace lio::testing

#endif
