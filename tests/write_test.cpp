// Laying output statements out into records, and where line ends go.
#include <string>

#include "fake_streams.h"
#include "gtest/gtest.h"
#include "listio.h"

namespace {

using lio::testing::run_fake;

std::string text_of(char c, int n) {
  return std::string(static_cast<size_t>(n), c);
}

void write_text(const std::string& text) {
  lio_write_text(text.data(), static_cast<int32_t>(text.size()));
}

// Output of one statement, redirected, as the first of the program: records
// after the first get CR LF in front, and the end step ends the last line.
std::string one_statement(void (*items)()) {
  auto run = run_fake({}, [items] {
    lio_write_begin();
    items();
    lio_write_end();
  });
  EXPECT_FALSE(run.exited);
  return run.out;
}

TEST(WriteLayout, TextsAtTheEdgeOfTheRecord) {
  EXPECT_EQ(one_statement([] { write_text(text_of('a', 78)); }),
            text_of('a', 78) + "\r\n");
  // A text that fills the room ends its record; the statement then ends an
  // empty one.
  EXPECT_EQ(one_statement([] { write_text(text_of('b', 79)); }),
            text_of('b', 79) + "\r\n\r\n");
  EXPECT_EQ(one_statement([] { write_text(text_of('c', 80)); }),
            text_of('c', 79) + "\r\nc\r\n");
  EXPECT_EQ(one_statement([] { write_text(text_of('d', 200)); }),
            text_of('d', 79) + "\r\n" + text_of('d', 79) + "\r\n" +
                text_of('d', 42) + "\r\n");
}

TEST(WriteLayout, RealAfterTextFitsOnlyWithRoomToSpare) {
  EXPECT_EQ(one_statement([] {
              write_text(text_of('x', 63));
              lio_write_real4(1.0f);
            }),
            text_of('x', 63) + "       1.000000\r\n");
  EXPECT_EQ(one_statement([] {
              write_text(text_of('x', 64));
              lio_write_real4(1.0f);
            }),
            text_of('x', 64) + "\r\n       1.000000\r\n");
}

TEST(WriteLayout, SeparatorBlankBetweenNumbersOnly) {
  EXPECT_EQ(one_statement([] {
              lio_write_int4(5);
              lio_write_int4(7);
            }),
            std::string(10, ' ') + "5" + std::string(11, ' ') + "7\r\n");
  EXPECT_EQ(one_statement([] {
              write_text("a");
              lio_write_int4(5);
              write_text("b");
              lio_write_int4(7);
            }),
            "a" + std::string(10, ' ') + "5b" + std::string(10, ' ') + "7\r\n");
  // An empty text places nothing but still clears the separator flag.
  EXPECT_EQ(one_statement([] {
              lio_write_int4(5);
              lio_write_text("", 0);
              lio_write_text("ignored", -3);
              lio_write_int4(7);
            }),
            std::string(10, ' ') + "5" + std::string(10, ' ') + "7\r\n");
  EXPECT_EQ(one_statement([] {
              lio_write_int4(-2147483647 - 1);
              lio_write_real4(-1.5f);
            }),
            "-2147483648" + std::string(7, ' ') + "-1.500000\r\n");
}

TEST(WriteLayout, FullWidthNumberMovesToANewRecordWhole) {
  // Five separated reals take 15 + 4 * 16 = 79 columns: the fifth does not
  // fit in the 16 left after four, since a number needs room to spare.
  EXPECT_EQ(one_statement([] {
              for (int i = 0; i < 4; ++i) lio_write_real4(1.0f);
              lio_write_real4(-8000000.0f);
            }),
            "       1.000000        1.000000        1.000000        1.000000"
            "\r\n -8000000.000000\r\n");
  // A number after a text keeps to its field width on the new record.
  EXPECT_EQ(one_statement([] {
              write_text(text_of('t', 70));
              lio_write_real4(-8000000.0f);
            }),
            text_of('t', 70) + "\r\n-8000000.000000\r\n");
}

TEST(WriteLayout, EmptyStatementShowsAnEmptyLine) {
  auto run = run_fake({}, [] {
    lio_write_begin();
    lio_write_end();
    lio_write_begin();
    lio_write_end();
  });
  EXPECT_EQ(run.out, "\r\n\r\n");
}

TEST(WriteLayout, ManyRecordsInOneStatement) {
  std::string expected;
  for (int i = 0; i < 20; ++i) expected += text_of('r', 79) + "\r\n";
  expected += "\r\n";
  EXPECT_EQ(one_statement([] { write_text(text_of('r', 79 * 20)); }), expected);
}

TEST(WriteLayout, RootiterResultRecordTakesTwoLines) {
  EXPECT_EQ(one_statement([] {
              write_text("koren zadatog broja");
              lio_write_real4(2.0f);
              write_text(" sa tacnoscu e ");
              lio_write_real4(1.0e-3f);
              write_text(" iznosi ");
              lio_write_real4(1.41421354f);
            }),
            "koren zadatog broja       2.000000 sa tacnoscu e "
            "   1.000000E-03 iznosi \r\n       1.414214\r\n");
}

TEST(WriteLineEnds, FirstRecordHasNoLineEndBeforeIt) {
  auto run = run_fake({}, [] {
    lio_write_begin();
    write_text("one");
    lio_write_end();
    lio_write_begin();
    write_text("two");
    lio_write_end();
  });
  EXPECT_EQ(run.out, "one\r\ntwo\r\n");
}

TEST(WriteLineEnds, OnlyTheSharedConsoleEndsThePromptLineBeforeReading) {
  // The same bytes either way; only the moment of the prompt's CR LF
  // differs: before the user types on a console, with the next record
  // otherwise.
  struct Case {
    bool input_console, output_console;
    const char* out_when_reading;
  };
  for (const Case& c :
       {Case{true, true, "prompt\r\n"}, Case{true, false, "prompt"},
        Case{false, false, "prompt"}}) {
    float value = 0;
    auto run = run_fake({{"5\n"}, c.input_console, c.output_console}, [&] {
      lio_write_begin();
      write_text("prompt");
      lio_write_end();
      lio_read_begin();
      lio_read_real4(&value);
      lio_read_end();
      lio_write_begin();
      write_text("answer");
      lio_write_end();
    });
    SCOPED_TRACE(c.out_when_reading);
    EXPECT_EQ(value, 5.0f);
    ASSERT_EQ(run.out_at_read.size(), 1u);
    EXPECT_EQ(run.out_at_read[0], c.out_when_reading);
    EXPECT_EQ(run.out, "prompt\r\nanswer\r\n");
  }
}

TEST(WriteLineEnds, StopAfterAnOpenLineEndsItTwice) {
  auto run = run_fake({}, [] {
    lio_write_begin();
    write_text("x");
    lio_write_end();
    lio_stop(nullptr, 0);
  });
  EXPECT_TRUE(run.exited);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "x\r\nStop - Program terminated.\r\n\r\n");
}

TEST(WriteLineEnds, StopWithATextAndNoOpenLine) {
  auto run = run_fake({}, [] { lio_stop("done", 4); });
  EXPECT_EQ(run.out, "done\r\n");
  const std::string long_text(300, 's');
  run = run_fake({}, [&] { lio_stop(long_text.data(), 300); });
  EXPECT_EQ(run.out, long_text + "\r\n");
}

}  // namespace
