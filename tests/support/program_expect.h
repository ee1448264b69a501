// Expected bytes of whole program runs: fields, records and reports as the
// programs show them, a run with piped input, and a check of everything a
// run produced.
#ifndef LISTIO_TESTS_PROGRAM_EXPECT_H
#define LISTIO_TESTS_PROGRAM_EXPECT_H

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "process.h"

namespace lio::testing {

inline std::string right_justified(std::string_view text, size_t width) {
  std::string field(width > text.size() ? width - text.size() : 0, ' ');
  return field.append(text);
}

// A real as shown: its text right-justified in 15 columns.
inline std::string real_field(std::string_view text) {
  return right_justified(text, 15);
}

// An integer as shown: its text right-justified in 11 columns.
inline std::string int_field(std::string_view text) {
  return right_justified(text, 11);
}

// Standard output of a run whose input is redirected: each record after the
// first is preceded by the CR LF owed to the one before, and the end step
// ends the last one.
inline std::string piped(const std::vector<std::string>& records) {
  std::string out;
  for (const std::string& record : records) {
    if (!out.empty()) out += "\r\n";
    out += record;
  }
  return out + "\r\n";
}

// The report of an input statement on the console, e.g. ("F6103",
// "invalid REAL").
inline std::string read_report(std::string_view code, std::string_view text) {
  return "\r\nrun-time error " + std::string(code) + ": READ(CON)\r\n- " +
         std::string(text) + "\r\n";
}

// The report of an output statement on the console, e.g. ("F6422", "no space
// left on device").
inline std::string write_report(std::string_view code, std::string_view text) {
  return "\r\nrun-time error " + std::string(code) + ": WRITE(CON)\r\n- " +
         std::string(text) + "\r\n";
}

// The report of a trapped arithmetic fault, e.g. ("M6101", "invalid").
inline std::string math_report(std::string_view code, std::string_view word) {
  return "\r\nrun-time error " + std::string(code) +
         ": MATH\r\n- floating-point error: " + std::string(word) + "\r\n";
}

// Options for a run with `input` as the whole of a standard input pipe.
inline ProcessOptions with_input(const std::string& input,
                                 std::vector<std::string> args = {}) {
  ProcessOptions options;
  options.input = {input};
  options.args = std::move(args);
  return options;
}

// Runs the named program with `input` as the whole of its standard input.
inline ProcessResult run_with_input(const std::string& program,
                                    const std::string& input,
                                    std::vector<std::string> args = {}) {
  return run_process(program_path(program), with_input(input, std::move(args)));
}

inline void expect_run(const ProcessResult& run, const std::string& out,
                       const std::string& err, int exit_code) {
  EXPECT_EQ(run.out, out);
  EXPECT_EQ(run.err, err);
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exit_code, exit_code);
}

}  // namespace lio::testing

#endif
