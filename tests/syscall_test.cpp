// The system calls behind the programs' statements, seen with strace: a
// record goes to the operating system in one write, its owed CR LF in front
// of its content, and redirected input is read a buffer at a time, not a
// byte or a value at a time.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "process.h"

namespace {

using namespace lio::testing;

// One read of standard input or write to standard output.
struct Call {
  char kind;  // 'r' or 'w'
  std::string bytes;

  bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Call& c) {
  os << c.kind << '"';
  for (char ch : c.bytes) {
    if (ch == '\r') {
      os << "\\r";
    } else if (ch == '\n') {
      os << "\\n";
    } else {
      os << ch;
    }
  }
  return os << '"';
}

std::string find_strace() {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    std::string candidate = dir + "/strace";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

// Decodes the \xHH escapes strace -xx prints for every byte of a buffer.
std::string decode(const std::string& quoted) {
  std::string bytes;
  for (size_t i = 0; i + 4 <= quoted.size(); i += 4) {
    if (quoted.compare(i, 2, "\\x") != 0) break;  // the count check catches it
    bytes += static_cast<char>(std::stoi(quoted.substr(i + 2, 2), nullptr, 16));
  }
  return bytes;
}

// The reads of descriptor 0 and writes to descriptor 1 in a trace written by
// strace -qq -xx -s N -e trace=read,write.
std::vector<Call> parse_trace(const std::string& file) {
  std::vector<Call> calls;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    char kind;
    size_t open;
    if (line.rfind("read(0, \"", 0) == 0) {
      kind = 'r';
      open = 9;
    } else if (line.rfind("write(1, \"", 0) == 0) {
      kind = 'w';
      open = 10;
    } else {
      continue;
    }
    size_t close = line.find('"', open);
    if (close == std::string::npos) continue;
    std::string bytes = decode(line.substr(open, close - open));
    // A read shows the bytes it got; its result says how many that was.
    size_t result = line.rfind("= ");
    if (result == std::string::npos) continue;
    if (std::stol(line.substr(result + 2)) != static_cast<long>(bytes.size())) {
      ADD_FAILURE() << "strace cut a buffer short: " << line;
    }
    calls.push_back({kind, bytes});
  }
  return calls;
}

class SystemCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    strace_ = find_strace();
    if (strace_.empty()) GTEST_SKIP() << "strace is not installed";
    char dir[] = "/tmp/listio_syscalls_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    trace_ = dir_ + "/trace";
  }
  void TearDown() override {
    if (dir_.empty()) return;
    unlink(trace_.c_str());
    unlink((dir_ + "/traced").c_str());
    rmdir(dir_.c_str());
  }

  std::vector<std::string> strace_args(const std::string& program) const {
    // A sanitizer build's leak check needs ptrace, which strace holds.
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::string asan_options = "ASAN_OPTIONS=";
    if (asan != nullptr && *asan != '\0') {
      asan_options += std::string(asan) + ":";
    }
    asan_options += "detect_leaks=0";
    return {"-qq",
            "-e",
            "trace=read,write",
            "-e",
            "signal=none",
            "-xx",
            "-s",
            "4096",
            "-E",
            asan_options,
            "-o",
            trace_,
            program_path(program)};
  }

  // Runs the program under strace with its input from a pipe.
  std::vector<Call> traced_on_pipe(const std::string& program,
                                   const std::string& input,
                                   std::string* out = nullptr) {
    ProcessOptions options;
    options.args = strace_args(program);
    options.input = {input};
    ProcessResult r = run_process(strace_, options);
    EXPECT_EQ(r.exit_code, 0) << program << ": " << r.err;
    if (out != nullptr) *out = r.out;
    return parse_trace(trace_);
  }

  // Runs the program under strace on a terminal: the terminal runner starts
  // a program without arguments, so a small script holds the command line.
  std::vector<Call> traced_on_terminal(const std::string& program,
                                       const std::string& typed) {
    std::string script = dir_ + "/traced";
    {
      std::ofstream s(script);
      s << "#!/bin/sh\nexec '" << strace_ << "'";
      for (const std::string& a : strace_args(program)) s << " '" << a << "'";
      s << "\n";
    }
    EXPECT_EQ(chmod(script.c_str(), 0700), 0);
    ProcessResult r = run_on_terminal(script, typed);
    EXPECT_EQ(r.exit_code, 0) << program << ": " << r.err;
    return parse_trace(trace_);
  }

  std::string strace_;
  std::string dir_;
  std::string trace_;
};

struct Dialogue {
  const char* program;
  const char* input;
  bool on_terminal;
  std::vector<Call> calls;  // reads of standard input, writes to output
};

// The exact calls of a few dialogues: the owed CR LF travels with the next
// record, or alone when an input statement on a terminal starts the user's
// line or when the program ends; a line typed on a terminal is one read.
TEST_F(SystemCalls, OneWritePerRecord) {
  const Dialogue cases[] = {
      {"najveci",
       "1 2 3\n",
       false,
       {{'w', "Unesi brojeve"},
        {'r', "1 2 3\n"},
        {'w', "\r\nc je najveci       3.000000"},
        {'w', "\r\n"}}},
      {"najveci",
       "1 2 3\n",
       true,
       {{'w', "Unesi brojeve"},
        {'w', "\r\n"},
        {'r', "1 2 3\n"},
        {'w', "c je najveci       3.000000"},
        {'w', "\r\n"}}},
      {"squareband",
       "5\n",
       true,
       {{'w', "unesi vrednost za k"},
        {'w', "\r\n"},
        {'r', "5\n"},
        {'w', "rezultat manji od 50"},
        {'w', "\r\nj=k**2+k-1=         29"},
        {'w', "\r\n"}}},
  };
  for (const Dialogue& d : cases) {
    std::vector<Call> calls = d.on_terminal
                                  ? traced_on_terminal(d.program, d.input)
                                  : traced_on_pipe(d.program, d.input);
    EXPECT_EQ(calls, d.calls)
        << d.program << (d.on_terminal ? " on a terminal" : " on a pipe");
  }
}

// Every program with redirected input: each write but the last is one
// record, CR LF first unless it is the first record, with no line end
// inside (but for the STOP line, which ends in its own); the last write is
// the end step's CR LF; the writes add up to the output. Input shorter than
// the buffer is taken in one read.
TEST_F(SystemCalls, RecordsAndReadsOfEveryProgram) {
  const struct {
    const char* program;
    const char* input;
  } cases[] = {
      {"letterband", "q\n"},
      {"najveci", "3 1 2\n"},
      {"rootiter", "2\n0.001\n1\n0.1\n0\n"},
      {"squareband", "10\n"},
      {"sumversus", "1,2,3\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    std::string out;
    std::vector<Call> calls = traced_on_pipe(c.program, c.input, &out);
    ASSERT_GE(calls.size(), 3u);
    std::string written;
    int reads = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
      const Call& call = calls[i];
      if (call.kind == 'r') {
        EXPECT_EQ(call.bytes, c.input);
        ++reads;
        continue;
      }
      written += call.bytes;
      if (i + 1 == calls.size()) {
        EXPECT_EQ(call.bytes, "\r\n") << "the end step";
        continue;
      }
      std::string content = call.bytes;
      if (i == 0) {
        EXPECT_NE(content.substr(0, 2), "\r\n") << "nothing is owed yet";
      } else {
        ASSERT_EQ(content.substr(0, 2), "\r\n") << call;
        content.erase(0, 2);
      }
      // The STOP line brings its own CR LF.
      const std::string stop_line = "Stop - Program terminated.\r\n";
      if (content == stop_line) continue;
      EXPECT_FALSE(content.empty()) << "a lone line end at write " << i;
      EXPECT_EQ(content.find_first_of("\r\n"), std::string::npos)
          << "more than one record in " << call;
    }
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(written, out);
  }
}

// Redirected input longer than the record buffer is read 132 bytes at a
// time.
TEST_F(SystemCalls, LongRedirectedLineIsReadABufferAtATime) {
  std::string line = "b" + std::string(199, ' ') + "\n";  // 201 bytes
  std::vector<Call> calls = traced_on_pipe("letterband", line + "unused\n");
  std::vector<size_t> reads;
  for (const Call& c : calls) {
    if (c.kind == 'r') reads.push_back(c.bytes.size());
  }
  EXPECT_EQ(reads, (std::vector<size_t>{132, 76}));
}

}  // namespace
