// sumversus run as a whole process: three reals, the verdict on sum against
// product, and both values.
#include <string>

#include "gtest/gtest.h"
#include "process.h"
#include "program_expect.h"

namespace {

using namespace lio::testing;

const std::string kPrompt = "uneti tri broja";
const std::string kSumGreater = "zbir je veci od proizvoda";
const std::string kProductGreater = "proizvod je veci od zbira";
const std::string kEqual = "proizvod i zbir su jednaki";

struct VerdictCase {
  const char* typed;
  const std::string& verdict;
  const char* sum;      // as shown, before right-justification
  const char* product;  // likewise
};

TEST(Sumversus, VerdictAndBothValues) {
  const VerdictCase cases[] = {
      {"1 1 1\n", kSumGreater, "3.000000", "1.000000"},
      {"2 2 2\n", kProductGreater, "6.000000", "8.000000"},
      {"1 2 3\n", kEqual, "6.000000", "6.000000"},
      {"3 2 1\n", kEqual, "6.000000", "6.000000"},
      {"-1 -2 -3\n", kEqual, "-6.000000", "-6.000000"},
      // The product lies just below the sum and rounds up to it: the verdict
      // is taken on the unrounded product.
      {"0.6 3 4.5\n", kSumGreater, "8.100000", "8.100000"},
      // Just above the sum and rounds down to it.
      {"1.5 1.5 2.4\n", kEqual, "5.400000", "5.400000"},
      {"0.1 0.2 0.3\n", kSumGreater, "6.000000E-01", "6.000001E-03"},
      // (a + c) + b: adding b to a first would lose b.
      {"1e10 1e-10 -1e10\n", kSumGreater, "1.000000E-10", "-1.000000E+10"},
      {"1e-20 1e-20 1e-20\n", kSumGreater, "3.000000E-20", "0.000000E+00"},
      {"0 0 0\n", kEqual, "0.000000E+00", "0.000000E+00"},
      {"-1 2 -3\n", kProductGreater, "-2.000000", "6.000000"},
      {"3 -1 -2\n", kProductGreater, "0.000000E+00", "6.000000"},
      {"2 /\n", kSumGreater, "2.000000", "0.000000E+00"},
      // Underflow is no fault: the product becomes zero or a subnormal.
      {"1e-30 1e-30 1e-30\n", kSumGreater, "3.000000E-30", "0.000000E+00"},
      {"1e-20 1e-20 1e-3\n", kSumGreater, "1.000000E-03", "9.949219E-44"},
  };
  for (const VerdictCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_run(run_with_input("sumversus", c.typed),
               piped({kPrompt, c.verdict, "zbir = " + real_field(c.sum),
                      "proizvod = " + real_field(c.product)}),
               "", 0);
  }
}

// A sum or product beyond the single range traps when it is stored, before
// any verdict; the end step ends the prompt's line.
TEST(Sumversus, OverflowOnAssignmentIsReported) {
  for (const char* typed : {"2e38 2e38 0\n", "1e13 1e13 1e13\n",
                            "-3e38 -3e38 1\n", "1e20 -1e20 1e10\n"}) {
    SCOPED_TRACE(typed);
    expect_run(run_with_input("sumversus", typed), piped({kPrompt}),
               math_report("M6104", "overflow"), 1);
  }
}

TEST(Sumversus, RejectedInputIsReportedBeforeAnyComputation) {
  expect_run(run_with_input("sumversus", "1 2 x\n"), piped({kPrompt}),
             read_report("F6103", "invalid REAL"), 1);
}

}  // namespace
