// letterband run as a whole process: one character read and its group of
// lower-case letters.
#include <string>

#include "gtest/gtest.h"
#include "process.h"
#include "program_expect.h"

namespace {

using namespace lio::testing;

const std::string kPrompt = "uneti jedan karakter";
const std::string kFirstTen =
    "Uneli ste jedno od prvih deset slova abecede (alfabeta)";
const std::string kKToY =
    "Uneti karakter je slovo k, l, m, n, o, p, u, v, w, x ili y";
const std::string kQToZ = "Uneti karakter je slovo q, r, s, t ili z";
const std::string kNotALetter = "Uneti karakter nije slovo";

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
    expect_run(run_with_input("letterband", c.typed),
               piped({kPrompt, c.message}), "", 0);
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
    expect_run(run_with_input("letterband", c.typed),
               piped({kPrompt, c.message}), "", 0);
  }
}

TEST(Letterband, RejectedInputIsReportedWithoutAMessage) {
  expect_run(run_with_input("letterband", "0*a\n"), piped({kPrompt}),
             read_report("F6502", "positive integer expected in repeat field"),
             1);
  expect_run(run_with_input("letterband", ""), piped({kPrompt}),
             read_report("F6501", "end of file encountered"), 1);
}

}  // namespace
