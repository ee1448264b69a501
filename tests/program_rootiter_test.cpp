// rootiter run as a whole process: the halving iteration for a square root,
// its two-line result record, the repeat dialogue and the STOP line.
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "process.h"
#include "program_expect.h"

namespace {

using namespace lio::testing;

const std::string kAskX = "uneti broj ciji se koren racuna";
const std::string kAskE = "uneti tacnost izracunavanja e";
const std::string kFrame(53, '*');
const std::string kStop = "Stop - Program terminated.";

// The loop must end for every input; a run that does not is killed after a
// few seconds and shows up as exit code 124 instead of hanging the test.
ProcessResult run_piped(const std::string& input) {
  return run_process("/usr/bin/timeout",
                     with_input(input, {"5", program_path("rootiter")}));
}

// Shown values of one pass, as written before right-justification.
struct Pass {
  std::string e;
  std::string r;
  std::string n;
};

// The records of one pass, from the prompt for e to the dialogue's closing
// frame line. The result record takes two lines: its last real does not fit
// after the 72 columns of the first.
std::vector<std::string> pass_records(const std::string& x, const Pass& pass) {
  return {kAskE,
          "koren zadatog broja" + real_field(x) + " sa tacnoscu e " +
              real_field(pass.e) + " iznosi ",
          real_field(pass.r),
          "broj iteracija je " + int_field(pass.n),
          kFrame,
          "Zelite li ponoviti unos?",
          "DA ---- uneti 1",
          "NE ---- uneti 0",
          kFrame};
}

// Standard output, with redirected input, of a run that asks for x, makes
// the given passes and then stops: STOP ends the owed line, writes its own
// line with CR LF, and the end step writes one more CR LF because the output
// side's line is still marked open.
std::string stopped_run(const std::string& x, const std::vector<Pass>& passes) {
  std::vector<std::string> records = {kAskX};
  for (const Pass& pass : passes) {
    for (std::string& record : pass_records(x, pass)) records.push_back(record);
  }
  records.push_back(kStop);
  return piped(records) + "\r\n";
}

struct PassCase {
  const char* x_typed;
  const char* e_typed;
  const char* x_shown;
  Pass pass;
};

// Each case typed as x, e and the answer 0: one pass, then STOP.
template <size_t N>
void expect_single_passes(const PassCase (&cases)[N]) {
  for (const PassCase& c : cases) {
    const std::string input =
        std::string(c.x_typed) + "\n" + c.e_typed + "\n0\n";
    SCOPED_TRACE(input);
    expect_run(run_piped(input), stopped_run(c.x_shown, {c.pass}), "", 0);
  }
}

TEST(Rootiter, OnePassPerWorkedExample) {
  const PassCase cases[] = {
      {"2", "0.001", "2.000000", {"1.000000E-03", "1.414214", "4"}},
      {"2", "0.1", "2.000000", {"1.000000E-01", "1.416667", "2"}},
      {"2", "1", "2.000000", {"1.000000", "1.500000", "1"}},
      // The last y lies below the unrounded t: d < 0 ends the pass.
      {"2", "0", "2.000000", {"0.000000E+00", "1.414214", "5"}},
      {"3", "0.0001", "3.000000", {"1.000000E-04", "1.732051", "4"}},
      {"9", "0.5", "9.000000", {"5.000000E-01", "3.023530", "3"}},
      {"10", "0.001", "10.000000", {"1.000000E-03", "3.162278", "5"}},
      {"100", "0.01", "100.000000", {"1.000000E-02", "10.000000", "7"}},
      {"1", "0.001", "1.000000", {"1.000000E-03", "1.000000", "1"}},
      {"0.25", "0.001", "2.500000E-01", {"1.000000E-03", "6.250000E-01", "1"}},
      {"-4", "0.001", "-4.000000", {"1.000000E-03", "-1.500000", "1"}},
      {"1e30", "1", "1.000000E+30", {"1.000000", "1.000000E+15", "55"}},
  };
  expect_single_passes(cases);
}

// The decrease is taken from the unrounded t, not from the stored z: for 15
// the 6th step decreases by 3.48e-7 (z only by 2.38e-7), not below e, so a
// 7th follows; for 55 the 7th decreases by 2.43e-7 (z by 4.77e-7) and ends
// the pass.
TEST(Rootiter, DecreaseIsTakenBeforeRounding) {
  const PassCase cases[] = {
      {"15", "3e-7", "15.000000", {"3.000000E-07", "3.872983", "7"}},
      {"55", "3e-7", "55.000000", {"3.000000E-07", "7.416198", "7"}},
  };
  expect_single_passes(cases);
}

// Under the stopping rule alone these passes never end: at the exact root
// every step decreases by 0 (not below e = 0); for 5 and 10 with e = 1e-9
// the approximation settles on the single just above the root and the
// decrease stays about 3.3e-8 and 3.8e-8; for negative x with negative e the
// approximations wander or cycle. A pass ends when the stored approximation
// stops changing, or at the 10000th approximation.
TEST(Rootiter, PassesThatWouldNeverEndStillEnd) {
  const PassCase cases[] = {
      // 4 -> 2.5 -> 2.05 -> 2.0006 -> 2 -> 2 (unchanged at the 5th).
      {"4", "0", "4.000000", {"0.000000E+00", "2.000000", "5"}},
      // The first step already gives y back.
      {"1", "0", "1.000000", {"0.000000E+00", "1.000000", "1"}},
      // 2.2360680103302 (the single above the root 2.2360679775) twice.
      {"5", "1e-9", "5.000000", {"1.000000E-09", "2.236068", "6"}},
      {"10", "1e-9", "10.000000", {"1.000000E-09", "3.162278", "6"}},
      // Positive x with e < 0 settles on the single nearest the root.
      {"2", "-1", "2.000000", {"-1.000000", "1.414214", "5"}},
      // The largest magnitudes take the longest way down, without overflow.
      {"3.4e38", "0", "3.400000E+38", {"0.000000E+00", "1.843909E+19", "69"}},
      // -3 -> -1 -> 1 -> -1 -> ...: the decreases -2 and 2 are never below
      // e = -2, so the cycle runs to the cap, which falls on an even step.
      {"-3", "-2", "-3.000000", {"-2.000000", "1.000000", "10000"}},
      // Wanders until the decrease -> below e, at the 14th approximation.
      {"-4", "-10", "-4.000000", {"-10.000000", "-63.828720", "14"}},
      // Wanders with no end under the rule: the cap ends it.
      {"-4", "-1e30", "-4.000000", {"-1.000000E+30", "-2.420879E-02", "10000"}},
  };
  expect_single_passes(cases);
}

TEST(Rootiter, OnlyAnAnswerOfOneRepeats) {
  const Pass pass = {"1.000000", "1.500000", "1"};
  for (const char* answer : {"0", "2", "-1", "10"}) {
    SCOPED_TRACE(answer);
    expect_run(run_piped(std::string("2\n1\n") + answer + "\n"),
               stopped_run("2.000000", {pass}), "", 0);
  }
}

// Values left unchanged keep what they held: answer is 0 on the first pass
// and 1 on every later one, e keeps the previous pass's value, x its 0.
TEST(Rootiter, NullAndSlashAnswersKeepTheAnswer) {
  const Pass e_one = {"1.000000", "1.500000", "1"};
  const Pass e_tenth = {"1.000000E-01", "1.416667", "2"};
  const Pass e_thousandth = {"1.000000E-03", "1.414214", "4"};
  expect_run(run_piped("2\n1\n/\n"), stopped_run("2.000000", {e_one}), "", 0);
  expect_run(run_piped("2\n1\n,\n"), stopped_run("2.000000", {e_one}), "", 0);
  expect_run(run_piped("2\n1\n1\n0.1\n/\n0.001\n,\n0.1\n0\n"),
             stopped_run("2.000000", {e_one, e_tenth, e_thousandth, e_tenth}),
             "", 0);
  // A slash for e on a later pass keeps the previous e.
  expect_run(run_piped("2\n0.1\n1\n/\n0\n"),
             stopped_run("2.000000", {e_tenth, e_tenth}), "", 0);
}

// The whole console run: the input statement ends each prompt's line before
// it reads, the typed line (not echoed here) leaves the cursor on a fresh
// line, and STOP finds no line open, so nothing follows its line.
TEST(Rootiter, WholeConsoleRun) {
  const std::string expected =
      "uneti broj ciji se koren racuna\r\n"
      "uneti tacnost izracunavanja e\r\n"
      "koren zadatog broja       2.000000 sa tacnoscu e    1.000000E-03 "
      "iznosi \r\n"
      "       1.414214\r\n"
      "broj iteracija je           4\r\n"
      "*****************************************************\r\n"
      "Zelite li ponoviti unos?\r\n"
      "DA ---- uneti 1\r\n"
      "NE ---- uneti 0\r\n"
      "*****************************************************\r\n"
      "uneti tacnost izracunavanja e\r\n"
      "koren zadatog broja       2.000000 sa tacnoscu e    1.000000E-01 "
      "iznosi \r\n"
      "       1.416667\r\n"
      "broj iteracija je           2\r\n"
      "*****************************************************\r\n"
      "Zelite li ponoviti unos?\r\n"
      "DA ---- uneti 1\r\n"
      "NE ---- uneti 0\r\n"
      "*****************************************************\r\n"
      "Stop - Program terminated.\r\n";
  expect_run(run_on_terminal(program_path("rootiter"), "2\n0.001\n1\n0.1\n0\n"),
             expected, "", 0);
}

TEST(Rootiter, ZeroXIsAnInvalidOperation) {
  // Nothing follows the prompt for e but the end step's CR LF.
  const std::string out = kAskX + "\r\n" + kAskE + "\r\n";
  const std::string err = math_report("M6101", "invalid");
  expect_run(run_piped("0\n0.001\n"), out, err, 1);
  expect_run(run_piped("/\n0.001\n"), out, err, 1);  // x keeps its 0
  // On a terminal the input statement ended the line, so the end step has
  // nothing left to write: the same bytes.
  expect_run(run_on_terminal(program_path("rootiter"), "0\n0.001\n"), out, err,
             1);
}

// -1 -> (1 + -1) / 2 = 0 with a decrease of -1, not below e = -1: the next
// quotient is -1 / 0.
TEST(Rootiter, ZeroApproximationIsADivisionByZero) {
  expect_run(run_piped("-1\n-1\n"), kAskX + "\r\n" + kAskE + "\r\n",
             math_report("M6103", "divide by zero"), 1);
}

TEST(Rootiter, RejectedInputIsReported) {
  std::vector<std::string> first_pass = {kAskX};
  for (std::string& record :
       pass_records("2.000000", {"1.000000", "1.500000", "1"})) {
    first_pass.push_back(record);
  }
  const std::string after_first_pass = piped(first_pass);
  expect_run(run_piped("2\n1\nDA\n"), after_first_pass,
             read_report("F6101", "invalid INTEGER"), 1);
  expect_run(run_piped("2\n1\n"), after_first_pass,
             read_report("F6501", "end of file encountered"), 1);
  expect_run(run_piped("x\n"), kAskX + "\r\n",
             read_report("F6103", "invalid REAL"), 1);
}

}  // namespace
