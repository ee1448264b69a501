// Input statements with real pipes and pseudo-terminals.
#include <string>

#include "gtest/gtest.h"
#include "process.h"
#include "program_expect.h"

namespace {

using namespace lio::testing;

TEST(InputPipe, WriterSplittingLinesChangesNothing) {
  // The writer's pauses fall inside a value and between lines.
  ProcessOptions options;
  options.input = {"1", "2 3", " 4\n"};
  options.chunk_delay_ms = 50;
  ProcessResult r = run_process(program_path("sumversus"), options);
  EXPECT_EQ(r.out,
            "uneti tri broja\r\nproizvod je veci od zbira\r\n"
            "zbir =       19.000000\r\nproizvod =      144.000000\r\n");
  EXPECT_EQ(r.exit_code, 0);

  options.input = {"1\n", "\n", "2\n", "3\n"};
  r = run_process(program_path("najveci"), options);
  EXPECT_EQ(r.out, "Unesi brojeve\r\nc je najveci       3.000000\r\n");
}

TEST(InputPipe, EndOfInputAndClosedInput) {
  ProcessOptions empty;
  ProcessResult r = run_process(program_path("najveci"), empty);
  EXPECT_EQ(r.err, read_report("F6501", "end of file encountered"));
  EXPECT_EQ(r.out, "Unesi brojeve\r\n");
  EXPECT_EQ(r.exit_code, 1);

  ProcessOptions closed;
  closed.stdin_closed = true;
  r = run_process(program_path("najveci"), closed);
  EXPECT_EQ(r.err,
            read_report("F6500", "file not open for reading or file locked"));
  EXPECT_EQ(r.exit_code, 1);
}

TEST(InputPipe, ErrorLeavesTheOutputLineToTheEndStep) {
  // Redirected, the prompt's line end is owed until the end step, whether
  // the bad value ended its line or not.
  for (const char* typed : {"abc\n", "1e39 2 3\n"}) {
    ProcessOptions options;
    options.input = {typed};
    ProcessResult r = run_process(program_path("najveci"), options);
    EXPECT_EQ(r.out, "Unesi brojeve\r\n") << typed;
    EXPECT_EQ(r.exit_code, 1);
  }
}

TEST(InputTerminal, PromptLineEndsBeforeTheUserTypes) {
  ProcessResult r = run_on_terminal(program_path("najveci"), "1 2 3\n");
  EXPECT_EQ(r.out, "Unesi brojeve\r\nc je najveci       3.000000\r\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.exit_code, 0);
}

TEST(InputTerminal, ErrorBeforeAndAfterTheLineEndWasTaken) {
  // abc ends at the line end, which clears the line flag: the end step adds
  // nothing. 1e39 is rejected before the line end: the end step ends the
  // line the terminal's cursor is on.
  ProcessResult r = run_on_terminal(program_path("najveci"), "abc\n");
  EXPECT_EQ(r.out, "Unesi brojeve\r\n");
  EXPECT_EQ(r.err, read_report("F6103", "invalid REAL"));
  EXPECT_EQ(r.exit_code, 1);

  r = run_on_terminal(program_path("najveci"), "1e39 2 3\n");
  EXPECT_EQ(r.out, "Unesi brojeve\r\n\r\n");
  EXPECT_EQ(r.err, read_report("F6104", "REAL math overflow"));
  EXPECT_EQ(r.exit_code, 1);
}

TEST(InputTerminal, LinesOfAtMost130TypedCharacters) {
  ProcessResult r =
      run_on_terminal(program_path("letterband"), std::string(130, 'q') + "\n");
  EXPECT_EQ(r.out,
            "uneti jedan karakter\r\nUneti karakter je slovo q, r, s, t ili z"
            "\r\n");
  EXPECT_EQ(r.exit_code, 0);

  r = run_on_terminal(program_path("letterband"), std::string(131, 'q') + "\n");
  EXPECT_EQ(r.err, read_report("F6407", "terminal buffer overflow"));
  EXPECT_EQ(r.exit_code, 1);
}

TEST(InputTerminal, EndOfInputKeys) {
  // The end-of-input key at the start of a line, and Ctrl-Z typed before
  // Enter, both end the input.
  for (const char* typed : {"\x04", "\n\x04", "5\x1a\n", "\x1a\n"}) {
    ProcessResult r = run_on_terminal(program_path("squareband"), typed);
    EXPECT_EQ(r.err, read_report("F6501", "end of file encountered")) << typed;
    EXPECT_EQ(r.exit_code, 1);
  }
}

TEST(InputTerminal, EmptyLinesAreSkipped) {
  ProcessResult r = run_on_terminal(program_path("squareband"), "\n\n7\n");
  EXPECT_EQ(r.out,
            "unesi vrednost za k\r\nrezultat izmedju 50 i 100\r\n"
            "j=k**2+k-1=         55\r\n");
}

}  // namespace
