// letterband run as a whole process: one character read and its group of
// lower-case letters.
#include <string>

#include "gtest/gtest.h"
#include "process.h"
#include "program_expect.h"

namespace {

using lio::testing::program_path;
using lio::testing::run_process;
using program_test::expect_run;
using program_test::piped;
using program_test::read_report;
using program_test::with_input;

const std::string kPrompt = "uneti jedan karakter";
const std::string kFirstTen =
    "Uneli ste jedno od prvih deset slova abecede (alfabeta)";
const std::string kKToY =
    "Uneti karakter je slovo k, l, m, n, o, p, u, v, w, x ili y";
const std::string kQToZ = "Uneti karakter je slovo q, r, s, t ili z";
const std::string kNotALetter = "Uneti karakter nije slovo";

lio::testing::ProcessResult run_piped(const std::string& input) {
  return run_process(program_path("letterband"), with_input(input));
}

struct GroupCase {
  const char* typed;
  const std::string& message;
};

TEST(Letterband, GroupsIncludeTheirBounds) {
  const GroupCase cases[] = {
      {"a\n", kFirstTen},   {"j\n", kFirstTen},   {"k\n", kKToY},
      {"p\n", kKToY},       {"q\n", kQToZ},       {"t\n", kQToZ},
      {"u\n", kKToY},       {"y\n", kKToY},       {"z\n", kQToZ},
      {"`\n", kNotALetter},  // code 96, just below 'a'
      {"{\n", kNotALetter},  // code 123, just above 'z'
      {"A\n", kNotALetter}, {"Z\n", kNotALetter}, {"7\n", kNotALetter},
  };
  for (const GroupCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_run(run_piped(c.typed), piped({kPrompt, c.message}), "", 0);
  }
}

TEST(Letterband, CharacterAsTheInputDeliversIt) {
  const GroupCase cases[] = {
      {"\x80\n", kNotALetter},  // codes 128 and up compare above 'z'
      {"\xe9\n", kNotALetter}, {"\xff\n", kNotALetter},
      {"'z'\n", kQToZ},        // quotes are not part of the value
      {"' '\n", kNotALetter},  // a quoted blank
      {"abc\n", kFirstTen},    // the first character counts
      {"  r\n", kQToZ},        // leading blanks are skipped
      {"\n\nk\n", kKToY},      // so are empty lines
      {"/\n", kNotALetter},    // ch keeps its code 0
      {",\n", kNotALetter},
  };
  for (const GroupCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_run(run_piped(c.typed), piped({kPrompt, c.message}), "", 0);
  }
}

TEST(Letterband, RejectedInputIsReportedWithoutAMessage) {
  expect_run(run_piped("0*a\n"), piped({kPrompt}),
             read_report("F6502", "positive integer expected in repeat field"),
             1);
  expect_run(run_piped(""), piped({kPrompt}),
             read_report("F6501", "end of file encountered"), 1);
}

}  // namespace
