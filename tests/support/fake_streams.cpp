#include "fake_streams.h"

#include <cstring>

#include "console.h"
#include "listio.h"
#include "platform.h"

namespace lio::testing {
namespace {

struct ExitRequest {
  int code;
};

struct State {
  const FakeSetup* setup = nullptr;
  size_t next_chunk = 0;
  size_t offset = 0;  // bytes of the next chunk already read
  FakeRun* run = nullptr;
};

State g_state;

int fake_read(char* buffer, int capacity, bool console) {
  g_state.run->out_at_read.push_back(g_state.run->out);
  const auto& chunks = g_state.setup->input;
  if (g_state.next_chunk >= chunks.size()) {
    return g_state.setup->read_fails ? kReadFailed : 0;
  }
  // A chunk longer than the read stays queued, as in a pipe or terminal.
  const std::string& chunk = chunks[g_state.next_chunk];
  int n = static_cast<int>(chunk.size() - g_state.offset);
  if (n > capacity) n = capacity;
  std::memcpy(buffer, chunk.data() + g_state.offset, static_cast<size_t>(n));
  g_state.offset += static_cast<size_t>(n);
  if (g_state.offset == chunk.size()) {
    ++g_state.next_chunk;
    g_state.offset = 0;
  }
  if (console && n > 0 && buffer[n - 1] == '\n') {
    if (n < capacity) {
      buffer[n - 1] = '\r';
      buffer[n++] = '\n';
    } else {
      buffer[n - 1] = '\r';
    }
  }
  return n;
}

WriteStatus fake_write_output(const char* bytes, size_t count) {
  g_state.run->out.append(bytes, count);
  return WriteStatus::kOk;
}

void fake_write_error(const char* bytes, size_t count) {
  g_state.run->err.append(bytes, count);
}

void fake_exit(int code) { throw ExitRequest{code}; }

const Streams kFakeStreams = {fake_read, fake_write_output, fake_write_error,
                              fake_exit};

}  // namespace

FakeRun run_fake(const FakeSetup& setup, const std::function<void()>& body) {
  FakeRun run;
  g_state = State{&setup, 0, 0, &run};
  const Streams* saved = g_streams;
  g_streams = &kFakeStreams;
  console_reset(setup.input_is_console,
                setup.input_is_console && setup.output_is_console);
  try {
    body();
    lio_at_exit();
  } catch (const ExitRequest& request) {
    run.exited = true;
    run.exit_code = request.code;
    // The end step runs inside the process exit.
    try {
      lio_at_exit();
    } catch (const ExitRequest&) {
    }
  }
  g_streams = saved;
  return run;
}

}  // namespace lio::testing
