// Binds listio's streams to memory, so that statements can be run in-process
// against scripted input, and a process exit becomes an exception.
#ifndef LISTIO_TESTS_FAKE_STREAMS_H
#define LISTIO_TESTS_FAKE_STREAMS_H

#include <functional>
#include <string>
#include <vector>

namespace lio::testing {

struct FakeRun {
  std::string out;      // bytes written to standard output
  std::string err;      // bytes written to standard error
  int exit_code = 0;    // 0 when the body returned normally
  bool exited = false;  // the body ended through a process exit
  // What standard output held when each read of standard input was made.
  std::vector<std::string> out_at_read;
};

struct FakeSetup {
  // Each chunk is what one read of standard input returns; after the last
  // chunk, reads give end of input (or fail, with `read_fails`).
  std::vector<std::string> input;
  bool input_is_console = false;
  bool output_is_console = false;
  bool read_fails = false;
};

// Runs `body` as a program's main routine: sets up fresh console units, runs
// it, and runs the end step as a process exit would.
FakeRun run_fake(const FakeSetup& setup, const std::function<void()>& body);

}  // namespace lio::testing

#endif
