// najveci run as a whole process: prompt, three reals, the verdict naming the
// largest.
#include <string>

#include "gtest/gtest.h"
#include "process.h"
#include "program_expect.h"

namespace {

using namespace lio::testing;

const std::string kPrompt = "Unesi brojeve";

struct VerdictCase {
  const char* typed;
  const char* verdict;
  const char* value;  // as shown, before right-justification
};

TEST(Najveci, NamesTheLargestByItsLetter) {
  const VerdictCase cases[] = {
      {"1 2 3\n", "c je najveci", "3.000000"},
      {"3 2 1\n", "a je najveci", "3.000000"},
      {"5 5 1\n", "b je najveci", "5.000000"},  // a = b: b
      {"5 1 5\n", "c je najveci", "5.000000"},  // a = c: c, not a
      {"1 5 5\n", "c je najveci", "5.000000"},  // b = c: c
      {"2 2 2\n", "c je najveci", "2.000000"},
      {"-1 -2 -3\n", "a je najveci", "-1.000000"},
      {"2 3 1.25\n", "b je najveci", "3.000000"},
      {"0 -0 0\n", "c je najveci", "0.000000E+00"},
      {"1.00000001 1 0\n", "b je najveci", "1.000000"},  // a rounds to 1
      {"5 /\n", "a je najveci", "5.000000"},
      {"/\n", "c je najveci", "0.000000E+00"},
      {"1\n2\n3\n", "c je najveci", "3.000000"},  // one value a line
      {"-0 -1 -0\n", "c je najveci", "0.000000E+00"},
  };
  for (const VerdictCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_run(run_with_input("najveci", c.typed),
               piped({kPrompt, std::string(c.verdict) + real_field(c.value)}),
               "", 0);
  }
}

struct FaultCase {
  const char* typed;
  const char* code;
  const char* text;
};

// The prompt's line is still owed its CR LF when the report goes out; the
// end step writes it.
TEST(Najveci, RejectedInputIsReportedWithoutAVerdict) {
  const FaultCase cases[] = {
      {"abc\n", "F6103", "invalid REAL"},
      {"1e39 2 3\n", "F6104", "REAL math overflow"},
      {"", "F6501", "end of file encountered"},
      {"1 2\n", "F6501", "end of file encountered"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_run(run_with_input("najveci", c.typed), piped({kPrompt}),
               read_report(c.code, c.text), 1);
  }
}

struct TerminalCase {
  const char* typed;
  std::string out;
  std::string err;
  int exit_code;
};

// On a terminal the input statement ends the prompt's line before it reads,
// and leaving the typed line clears the debt: a fault found after the line
// end was consumed leaves nothing for the end step, one found before it
// leaves a CR LF.
TEST(Najveci, OnATerminal) {
  const std::string verdict = "c je najveci" + real_field("3.000000");
  const TerminalCase cases[] = {
      {"1 2 3\n", kPrompt + "\r\n" + verdict + "\r\n", "", 0},
      {"1\n2\n3\n", kPrompt + "\r\n" + verdict + "\r\n", "", 0},
      {"abc\n", kPrompt + "\r\n", read_report("F6103", "invalid REAL"), 1},
      {"1e39 2 3\n", kPrompt + "\r\n\r\n",
       read_report("F6104", "REAL math overflow"), 1},
      {"\x04", kPrompt + "\r\n\r\n",
       read_report("F6501", "end of file encountered"), 1},
  };
  for (const TerminalCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_run(run_on_terminal(program_path("najveci"), c.typed), c.out, c.err,
               c.exit_code);
  }
}

TEST(Najveci, CommandLineArgumentsChangeNothing) {
  const auto run =
      run_with_input("najveci", "3 2 1\n", {"-x", "--help", "1 2 3", ""});
  expect_run(run, piped({kPrompt, "a je najveci" + real_field("3.000000")}), "",
             0);
}

}  // namespace
