// The frame seen from outside: exit codes, reports, STOP, the end step, and
// output streams that fail or go away.
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "gtest/gtest.h"
#include "platform.h"
#include "process.h"
#include "program_expect.h"

namespace {

using namespace lio::testing;

ProcessResult probe(const std::string& scenario, Output output = Output::kPipe,
                    std::vector<std::string> args = {}) {
  ProcessOptions options;
  options.env = {"LIO_PROBE=" + scenario};
  options.output = output;
  options.args = std::move(args);
  return run_process(LISTIO_PROBE, options);
}

struct Ending {
  const char* scenario;
  const char* out;
  const char* err;
  int exit_code;
};

TEST(FrameProcess, WaysOfEnding) {
  const std::string invalid = math_report("M6101", "invalid");
  const std::string divide = math_report("M6103", "divide by zero");
  const std::string overflow = math_report("M6104", "overflow");
  const std::string bad_input = read_report("F6504", "invalid number in input");
  const Ending cases[] = {
      {"records", "first\r\nsecond\r\n", "", 0},
      {"stop", "first\r\nStop - Program terminated.\r\n\r\n", "", 0},
      {"stop_text", "first\r\nbye\r\n\r\n", "", 0},
      {"error", "first\r\n", bad_input.c_str(), 1},
      // Nothing after the faulting operation is written.
      {"invalid", "first\r\n", invalid.c_str(), 1},
      {"divide", "first\r\n", divide.c_str(), 1},
      {"overflow", "first\r\n", overflow.c_str(), 1},
      // Underflow is no fault: the result is zero and the program goes on.
      {"underflow", "first\r\nf   0.000000E+00\r\n", "", 0},
  };
  for (const Ending& c : cases) {
    ProcessResult r = probe(c.scenario);
    EXPECT_EQ(r.out, c.out) << c.scenario;
    EXPECT_EQ(r.err, c.err) << c.scenario;
    EXPECT_EQ(r.exit_code, c.exit_code) << c.scenario;
  }
}

TEST(FrameProcess, ArgumentsChangeNothing) {
  ProcessResult plain = probe("records");
  ProcessResult junk =
      probe("records", Output::kPipe, {"-x", "--help", "1 2 3"});
  EXPECT_EQ(junk.out, plain.out);
  EXPECT_EQ(junk.err, plain.err);
  EXPECT_EQ(junk.exit_code, plain.exit_code);
}

TEST(FrameProcess, FullDeviceIsReported) {
  ProcessResult r = probe("records", Output::kDevFull);
  EXPECT_EQ(r.err, write_report("F6422", "no space left on device"));
  EXPECT_EQ(r.exit_code, 1);
}

TEST(FrameProcess, OutputOpenOnlyForReadingIsRefused) {
  ProcessResult r = probe("records", Output::kReadOnly);
  EXPECT_EQ(r.err,
            write_report("F6421", "file read-only or locked against writing"));
  EXPECT_EQ(r.exit_code, 1);
}

TEST(FrameProcess, OutputThatWentAwayIsOutlived) {
  for (Output output : {Output::kClosed, Output::kBrokenPipe}) {
    for (const char* scenario : {"records", "stop", "long"}) {
      ProcessResult r = probe(scenario, output);
      EXPECT_EQ(r.signal, 0) << scenario;
      EXPECT_EQ(r.exit_code, 0) << scenario;
      EXPECT_EQ(r.err, "") << scenario;
    }
  }
}

TEST(FrameProcess, StatementOfManyRecords) {
  std::string expected = "first";
  for (int i = 0; i < 12; ++i) {
    expected += "\r\n";
    for (int j = 0; j < 79; ++j)
      expected += static_cast<char>('0' + (i * 79 + j) % 10);
  }
  expected += "\r\n";
  for (int j = 0; j < 1000 - 12 * 79; ++j)
    expected += static_cast<char>('0' + (12 * 79 + j) % 10);
  expected += "\r\n";
  ProcessResult r = probe("long");
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(r.exit_code, 0);
}

TEST(PlatformWrite, PartialTransfersAreCarriedOn) {
  // A non-blocking pipe takes a large write in pieces; every byte must
  // arrive, in order.
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  fcntl(fds[1], F_SETFL, O_NONBLOCK);
  std::string data(1 << 20, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
  std::string received;
  std::thread reader([&] {
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0) {
      received.append(buffer, static_cast<size_t>(n));
    }
  });
  EXPECT_EQ(lio::write_all(fds[1], data.data(), data.size()),
            lio::WriteStatus::kOk);
  close(fds[1]);
  reader.join();
  close(fds[0]);
  EXPECT_TRUE(received == data);
}

}  // namespace
