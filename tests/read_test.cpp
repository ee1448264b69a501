// Input statements: scanning, null values, repeat counts, quoted and
// parenthesised values, conversions and their errors, line handling.
#include <charconv>
#include <string>
#include <vector>

#include "fake_streams.h"
#include "gtest/gtest.h"
#include "listio.h"

namespace {

using lio::testing::FakeRun;
using lio::testing::FakeSetup;
using lio::testing::run_fake;

// Variables start at a value no row produces, so "unchanged" is visible.
constexpr int32_t kIntStart = 777;
constexpr float kRealStart = 777.0f;
constexpr char kCharStart = '#';

std::string show(float value) {
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

enum class Items { kInt, kReal, kChar, kThreeReals };

// Runs one input statement of `items` over `lines` (each one typed line with
// its Enter) and renders the variables, or "E<number>" after a report.
std::string read_items(Items items, const std::vector<std::string>& lines,
                       bool console) {
  FakeSetup setup;
  setup.input_is_console = console;
  setup.output_is_console = console;
  if (console) {
    setup.input = lines;
  } else {
    std::string all;
    for (const auto& line : lines) all += line;
    setup.input = {all};
  }
  int32_t i = kIntStart;
  float r[3] = {kRealStart, kRealStart, kRealStart};
  char c = kCharStart;
  FakeRun run = run_fake(setup, [&] {
    lio_read_begin();
    switch (items) {
      case Items::kInt:
        lio_read_int4(&i);
        break;
      case Items::kReal:
        lio_read_real4(&r[0]);
        break;
      case Items::kChar:
        lio_read_char(&c, 1);
        break;
      case Items::kThreeReals:
        for (float& v : r) lio_read_real4(&v);
        break;
    }
    lio_read_end();
  });
  if (run.exited) {
    // The report's number, as the user sees it.
    size_t at = run.err.find("error F");
    return at == std::string::npos ? "no report"
                                   : "E" + run.err.substr(at + 7, 4);
  }
  switch (items) {
    case Items::kInt:
      return std::to_string(i);
    case Items::kReal:
      return show(r[0]);
    case Items::kChar:
      return std::string(1, c);
    case Items::kThreeReals:
      return show(r[0]) + " " + show(r[1]) + " " + show(r[2]);
  }
  return "";
}

struct Row {
  Items items;
  std::vector<std::string> lines;
  std::string expected;
};

void check_rows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    for (bool console : {false, true}) {
      std::vector<std::string> lines = row.lines;
      EXPECT_EQ(read_items(row.items, lines, console), row.expected)
          << "input: " << ::testing::PrintToString(lines)
          << (console ? " on a console" : " redirected");
    }
  }
}

TEST(ReadStatement, Integers) {
  const Items I = Items::kInt;
  check_rows({
      {I, {"5\n"}, "5"},
      {I, {"  -17  \n"}, "-17"},
      {I, {"+0042\n"}, "42"},
      {I, {"5 6\n"}, "5"},
      {I, {"2147483647\n"}, "2147483647"},
      {I, {"2147483648\n"}, "E6100"},
      {I, {"-2147483648\n"}, "-2147483648"},
      {I, {"-2147483649\n"}, "E6100"},
      {I, {"16#1F\n"}, "31"},
      {I, {"#ff\n"}, "255"},
      {I, {"0#10\n"}, "16"},
      {I, {"2#101\n"}, "5"},
      {I, {"36#z\n"}, "35"},
      {I, {"16#FFFFFFFF\n"}, "-1"},
      {I, {"16#100000000\n"}, "E6100"},
      {I, {"10#2147483648\n"}, "E6100"},
      {I, {"-16#1\n"}, "-1"},
      {I, {"16#\n"}, "0"},
      {I, {"1#1\n"}, "E6303"},
      {I, {"37#1\n"}, "E6303"},
      {I, {"16#F#F\n"}, "E6302"},
      {I, {"16#G\n"}, "E6101"},
      {I, {"7.0\n"}, "E6101"},
      {I, {"1e2\n"}, "E6101"},
      {I, {"k\n"}, "E6101"},
      {I, {"--5\n"}, "E6101"},
      {I, {"-\n"}, "0"},
      {I, {"+\n"}, "0"},
      {I, {"'7'\n"}, "E6504"},
      {I, {"(7)\n"}, "E6504"},
      {I, {"''\n"}, "777"},
      {I, {",\n"}, "777"},
      {I, {"/\n"}, "777"},
      {I, {" ,5\n"}, "777"},
      {I, {"\n", "\n", "9\n"}, "9"},
      {I, {"3*4\n"}, "4"},
      {I, {"1*\n", "7\n"}, "7"},
      {I, {"*5\n"}, "E6502"},
      {I, {"0*5\n"}, "E6502"},
      {I, {"-1*5\n"}, "E6502"},
      {I, {"2*3*4\n"}, "E6503"},
      {I, {"a*b\n"}, "E6101"},
      {I, {"99999999999*1\n"}, "E6100"},
  });
}

TEST(ReadStatement, Reals) {
  const Items R = Items::kReal;
  check_rows({
      {R, {"2.5\n"}, "2.5"},
      {R, {"2\n"}, "2"},
      {R, {"2.\n"}, "2"},
      {R, {".5\n"}, "0.5"},
      {R, {"1.e5\n"}, "1e+05"},
      {R, {"1e3\n"}, "1000"},
      {R, {"1E+3\n"}, "1000"},
      {R, {"1d3\n"}, "1000"},
      {R, {"1.5+3\n"}, "1500"},
      {R, {"-.5e-1\n"}, "-0.05"},
      {R, {"1D-2\n"}, "0.01"},
      {R, {"2-1\n"}, "0.2"},
      {R, {"-0\n"}, "-0"},
      {R, {"1.5q3\n"}, "E6103"},
      {R, {"1e\n"}, "E6103"},
      {R, {"1+\n"}, "E6103"},
      {R, {".\n"}, "E6103"},
      {R, {"+\n"}, "E6103"},
      {R, {"abc\n"}, "E6103"},
      {R, {"1.5.3\n"}, "E6103"},
      {R, {".e5\n"}, "E6103"},
      {R, {"1e39\n"}, "E6104"},
      {R, {"3.4028235e38\n"}, "E6104"},
      {R, {"1.5d+300\n"}, "E6104"},
      {R, {"3.4028234e38\n"}, "3.4028235e+38"},
      {R, {"1e400\n"}, "E6102"},
      {R, {"1e-50\n"}, "0"},
      {R, {"(1,2)\n"}, "E6504"},
      {R, {"'1'\n"}, "E6504"},
      {R, {"2 0.001\n"}, "2"},
      {R, {"1,5\n"}, "1"},
      {R, {"0,001\n"}, "0"},
  });
}

TEST(ReadStatement, ThreeReals) {
  const Items T = Items::kThreeReals;
  check_rows({
      {T, {"1 2 3\n"}, "1 2 3"},         {T, {"1,2,3\n"}, "1 2 3"},
      {T, {"1\t2\t3\n"}, "1 2 3"},       {T, {"1\n", "2\n", "3\n"}, "1 2 3"},
      {T, {"1 2\n", "3\n"}, "1 2 3"},    {T, {"1\n", "\n", "2 3\n"}, "1 2 3"},
      {T, {"1,\n", "2,3\n"}, "1 2 3"},   {T, {"1,,3\n"}, "1 777 3"},
      {T, {"1 , , 3\n"}, "1 777 3"},     {T, {",2\n", "3\n"}, "777 2 3"},
      {T, {"1/\n"}, "1 777 777"},        {T, {"1 / 2 3\n"}, "1 777 777"},
      {T, {"1,/\n"}, "1 777 777"},       {T, {" /\n"}, "777 777 777"},
      {T, {"1 2 3 4\n"}, "1 2 3"},       {T, {"3*7\n"}, "7 7 7"},
      {T, {"2*1 5\n"}, "1 1 5"},         {T, {"1,2*,3\n"}, "1 777 777"},
      {T, {"2*\n", "5\n"}, "777 777 5"}, {T, {"1 2*\n", "5 6\n"}, "1 777 777"},
  });
}

TEST(ReadStatement, Characters) {
  const Items C = Items::kChar;
  check_rows({
      {C, {"a\n"}, "a"},          {C, {"abc\n"}, "a"},
      {C, {"  b\n"}, "b"},        {C, {"A\n"}, "A"},
      {C, {"'x'\n"}, "x"},        {C, {"'xyz'\n"}, "x"},
      {C, {"a,b\n"}, "a"},        {C, {"(q)\n"}, "q"},
      {C, {"\"z\"\n"}, "z"},      {C, {"''\n"}, "#"},
      {C, {"''''\n"}, "'"},       {C, {"'it''s'\n"}, "i"},
      {C, {"' '\n"}, " "},        {C, {"3*k\n"}, "k"},
      {C, {"*\n"}, "E6502"},      {C, {"a*\n"}, "E6101"},
      {C, {",\n"}, "#"},          {C, {"/\n"}, "#"},
      {C, {"'\n", "xa'\n"}, "a"}, {C, {std::string(130, 'm') + "\n"}, "m"},
  });
}

TEST(ReadStatement, EndOfInput) {
  for (Items items : {Items::kInt, Items::kReal, Items::kChar}) {
    EXPECT_EQ(read_items(items, {}, false), "E6501");
    EXPECT_EQ(read_items(items, {}, true), "E6501");
    EXPECT_EQ(read_items(items, {"\n", "  \n"}, false), "E6501");
  }
  // A line of Ctrl-Z and Enter ends the input, whatever comes before it.
  EXPECT_EQ(read_items(Items::kInt, {"5\x1a\n"}, true), "E6501");
  EXPECT_EQ(read_items(Items::kInt, {"\x1a\n"}, true), "E6501");
  EXPECT_EQ(read_items(Items::kInt, {"5\x1a\r\n"}, false), "E6501");
  // Three reals where only two come before the end.
  EXPECT_EQ(read_items(Items::kThreeReals, {"1 2\n"}, false), "E6501");
}

TEST(ReadStatement, ConsoleLineOfAtMost130Characters) {
  const std::string line130(130, 'm'), line131(131, 'm'), line200(200, 'm');
  EXPECT_EQ(read_items(Items::kChar, {line130 + "\n"}, true), "m");
  EXPECT_EQ(read_items(Items::kChar, {line131 + "\n"}, true), "E6407");
  EXPECT_EQ(read_items(Items::kChar, {line200 + "\n"}, true), "E6407");
  // Redirected lines are not limited.
  EXPECT_EQ(read_items(Items::kChar, {line200 + "\n"}, false), "m");
}

TEST(ReadStatement, FailedReadIsReported) {
  FakeSetup setup;
  setup.read_fails = true;
  int32_t value = 0;
  FakeRun run = run_fake(setup, [&] {
    lio_read_begin();
    lio_read_int4(&value);
    lio_read_end();
  });
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "\r\nrun-time error F6500: READ(CON)\r\n"
            "- file not open for reading or file locked\r\n");
}

// Several statements over one input, each rendering what it read.
std::string read_statements(const FakeSetup& setup, int statements) {
  std::string seen;
  FakeRun run = run_fake(setup, [&] {
    for (int s = 0; s < statements; ++s) {
      char c[2] = {'#', '#'};
      lio_read_begin();
      lio_read_char(c, 2);
      lio_read_end();
      seen += std::string(c, 2) + "|";
    }
  });
  if (run.exited) seen += "E" + run.err.substr(run.err.find("error F") + 7, 4);
  return seen;
}

TEST(ReadLines, EachStatementStartsOnANewLine) {
  for (bool console : {false, true}) {
    FakeSetup setup{{"ab cd\n", "ef\n"}, console, console};
    if (!console) setup.input = {"ab cd\nef\n"};
    EXPECT_EQ(read_statements(setup, 2), "ab|ef|") << console;
  }
}

TEST(ReadLines, ParenthesisedValueOverLinesKeepsTheRestOfItsLastLine) {
  FakeSetup setup{{"(a\nb) cd\nef\n"}};
  EXPECT_EQ(read_statements(setup, 2), "ab|cd|");
}

TEST(ReadLines, RepeatWithoutValueAtLineEndDropsNoFurtherLine) {
  // "2*" and Enter gives two null values and leaves that line only.
  FakeSetup setup{{"2*\nxy\n"}};
  std::string seen;
  run_fake(setup, [&] {
    char a = '#', b = '#', c[2] = {'#', '#'};
    lio_read_begin();
    lio_read_char(&a, 1);
    lio_read_char(&b, 1);
    lio_read_end();
    lio_read_begin();
    lio_read_char(c, 2);
    lio_read_end();
    seen = std::string{a, b, c[0], c[1]};
  });
  EXPECT_EQ(seen, "##xy");
}

TEST(ReadLines, PipeWriterSplittingALineDoesNotSplitAValue) {
  // What one read returns depends on the writer's timing; a value must not.
  int32_t a = 0, b = 0;
  FakeRun run = run_fake({{"1", "2 3", "\n"}}, [&] {
    lio_read_begin();
    lio_read_int4(&a);
    lio_read_int4(&b);
    lio_read_end();
  });
  EXPECT_FALSE(run.exited) << run.err;
  EXPECT_EQ(a, 12);
  EXPECT_EQ(b, 3);
}

TEST(ReadLines, LastLineWithoutLineEndIsComplete) {
  // Also when its last piece fills the record buffer exactly.
  for (size_t length : {1u, 131u, 132u, 133u, 264u, 300u}) {
    std::string line(length - 1, ' ');
    line += '7';
    int32_t value = 0;
    FakeRun run = run_fake({{line}}, [&] {
      lio_read_begin();
      lio_read_int4(&value);
      lio_read_end();
    });
    EXPECT_FALSE(run.exited) << length << run.err;
    EXPECT_EQ(value, 7) << length;
  }
}

TEST(ReadLines, CtrlZInsideRedirectedDataIsAByte) {
  // A Ctrl-Z that a full buffer's end happens to put three bytes from the
  // end is not a typed end of input.
  std::string data(129, ' ');
  data += "\x1a";
  data += "  9\n";
  FakeRun run = run_fake({{data}}, [] {
    int32_t value = 0;
    lio_read_begin();
    lio_read_int4(&value);
    lio_read_end();
  });
  EXPECT_FALSE(run.exited) << run.err;
}

TEST(ReadLines, CtrlZLineEndsTheInputWhenItIsReached) {
  // Lines before it in the same read are still served.
  EXPECT_EQ(read_items(Items::kInt, {"7\n\x1a\r\n"}, false), "7");
  EXPECT_EQ(read_items(Items::kThreeReals, {"1 2\n5\x1a\r\n3\n"}, false),
            "E6501");
  FakeSetup setup{{"ab\ncd\x1a\r\nef\n"}};
  EXPECT_EQ(read_statements(setup, 2), "ab|E6501");
}

TEST(ReadLines, OverlongValuesAreRejectedNotCut) {
  const std::string digits(300, '1');
  EXPECT_EQ(read_items(Items::kReal, {"0." + digits + "\n"}, false), "E6103");
  EXPECT_EQ(read_items(Items::kInt, {digits + "\n"}, false), "E6101");
  // A character value only needs its first characters.
  EXPECT_EQ(read_items(Items::kChar, {"q" + digits + "\n"}, false), "q");
  // A parenthesised value may run over lines up to the limit.
  std::string lines = "(";
  for (int i = 0; i < 30; ++i) lines += "abcdefghij\n";
  EXPECT_EQ(read_items(Items::kChar, {lines + ")\n"}, false), "a");
}

}  // namespace
