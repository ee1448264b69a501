// Behaviours the rest of the suite left unexercised, found by measuring
// coverage: bytes that only start a form when they come first, a repeat
// count between a blank and a comma, a failing console read, and special
// real values reaching an output item.
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "fake_streams.h"
#include "gtest/gtest.h"
#include "listio.h"

namespace {

using lio::testing::FakeRun;
using lio::testing::FakeSetup;
using lio::testing::run_fake;

FakeSetup redirected(const std::string& data) {
  FakeSetup setup;
  setup.input = {data};
  return setup;
}

// The number of the report, or "" when the run went through.
std::string error_of(const FakeRun& run) {
  if (!run.exited) return "";
  size_t at = run.err.find("error F");
  return at == std::string::npos ? "no report" : run.err.substr(at + 7, 4);
}

struct CharRow {
  const char* typed;
  std::string stored;  // the 4-byte variable afterwards
};

TEST(CoverageGaps, FormBytesInsideAPlainValueAreText) {
  // "(", ")" and quotes only open a form as the first byte of a value.
  const CharRow rows[] = {
      {"a(b)\n", "a(b)"}, {")x\n", ")x  "},    {"q)\n", "q)  "},
      {"it's\n", "it's"}, {"x\"y\n", "x\"y "}, {"(it's)\n", "it's"},
  };
  for (const CharRow& row : rows) {
    char variable[4] = {'#', '#', '#', '#'};
    FakeRun run = run_fake(redirected(row.typed), [&] {
      lio_read_begin();
      lio_read_char(variable, 4);
      lio_read_end();
    });
    EXPECT_EQ(error_of(run), "") << row.typed;
    EXPECT_EQ(std::string(variable, 4), row.stored) << row.typed;
  }
}

TEST(CoverageGaps, FormBytesInsideANumberAreInvalidCharacters) {
  // Stored as text, they make the number invalid rather than quoted or
  // parenthesised (6504).
  int32_t integer = 0;
  float real = 0.0f;
  EXPECT_EQ(error_of(run_fake(redirected("5(\n"),
                              [&] {
                                lio_read_begin();
                                lio_read_int4(&integer);
                                lio_read_end();
                              })),
            "6101");
  EXPECT_EQ(error_of(run_fake(redirected("1.5'\n"),
                              [&] {
                                lio_read_begin();
                                lio_read_real4(&real);
                                lio_read_end();
                              })),
            "6103");
}

TEST(CoverageGaps, CommaAfterARepeatCountIsNotMergedWithTheBlankBefore) {
  // Blanks and a comma make one separator only while no repeat count
  // waits: here the comma ends the repeated value as a null value, which
  // serves both remaining variables, and the 3 is dropped with the line.
  float r[3] = {7.0f, 7.0f, 7.0f};
  FakeRun run = run_fake(redirected("1 2*,3\n"), [&] {
    lio_read_begin();
    for (float& v : r) lio_read_real4(&v);
    lio_read_end();
  });
  EXPECT_EQ(error_of(run), "");
  EXPECT_EQ(r[0], 1.0f);
  EXPECT_EQ(r[1], 7.0f);
  EXPECT_EQ(r[2], 7.0f);
}

TEST(CoverageGaps, FailedConsoleReadIsReported) {
  FakeSetup setup;
  setup.input_is_console = true;
  setup.output_is_console = true;
  setup.input = {"5\n"};
  setup.read_fails = true;
  int32_t a = 0, b = 0;
  FakeRun run = run_fake(setup, [&] {
    lio_read_begin();
    lio_read_int4(&a);
    lio_read_end();
    lio_read_begin();
    lio_read_int4(&b);
    lio_read_end();
  });
  EXPECT_EQ(a, 5);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "\r\nrun-time error F6500: READ(CON)\r\n"
            "- file not open for reading or file locked\r\n");
}

struct SpecialRow {
  uint32_t bits;
  const char* record;
};

TEST(CoverageGaps, SpecialRealsAreRightJustifiedInTheirField) {
  const SpecialRow rows[] = {
      {0x7f800000u, "  1#INF........"},  // +infinity
      {0xff800000u, "  1#INF........"},  // -infinity: no sign
      {0xffc00000u, "  1#IND........"},  // the indefinite not-a-number
      {0x7fc00000u, "  1#QNAN......."},  // any other quiet one
      {0xffc00001u, "  1#QNAN......."},
  };
  for (const SpecialRow& row : rows) {
    FakeRun run = run_fake({}, [&] {
      lio_write_begin();
      lio_write_real4(std::bit_cast<float>(row.bits));
      lio_write_end();
    });
    EXPECT_EQ(run.out, std::string(row.record) + "\r\n")
        << std::hex << row.bits;
  }
}

}  // namespace
