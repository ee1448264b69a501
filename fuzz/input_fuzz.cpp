// Input statements on arbitrary bytes, through the in-memory stream seam.
//
// The first bytes of a fuzz input choose how the run is set up, the rest is
// what standard input delivers:
//
//   byte 0   bit 0: standard input is a console
//            bit 1: standard output is a console (one shared unit when both)
//            bit 2: reads fail, instead of ending the input, after the data
//            bit 3: every LF ends a read chunk, as typed lines do
//            bit 4: the byte 0xFF ends a read chunk and is dropped, so that
//                   two in a row make a read of nothing
//   byte 1   longest read chunk, 0 for no limit
//   byte 2   number of operations n (taken modulo kMaxOps + 1)
//   n bytes  the operations (see run_operations)
//   rest     the input data
//
// Every run must keep these invariants, whatever the bytes: no crash or
// undefined behaviour (the sanitizers see to that), a report on standard
// error exactly when the process ended with code 1, in the report's exact
// shape and with an error number the item in progress can raise; reals stored
// are finite single-precision values; character variables hold only bytes of
// the input or blanks; no trapped floating-point flag is raised; output lines
// stay within a record; and the same input gives the same run twice.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "fake_streams.h"
#include "fuzz_check.h"
#include "listio.h"

namespace {

using lio::fuzzing::escaped;

constexpr size_t kMaxOps = 24;
constexpr int kCharMax = 8;
// Bytes after each character variable that must stay untouched.
constexpr int kCharGuard = 8;
constexpr size_t kRecordRoom = 79;
constexpr unsigned char kChunkBreak = 0xff;

// What is in progress when the process ends: it bounds the error numbers
// that can be raised.
enum class Step { kNone, kInt, kReal, kChar, kEnd, kWrite };

struct Plan {
  lio::testing::FakeSetup setup;
  std::vector<uint8_t> ops;
  std::string data;
};

// Every item has a variable of its own, indexed by its operation, so that
// what each variable holds can be judged on its own.
struct Variables {
  int32_t ints[kMaxOps] = {};
  float reals[kMaxOps] = {};
  char chars[kMaxOps][kCharMax + kCharGuard] = {};
  int32_t char_lengths[kMaxOps] = {};

  bool operator==(const Variables& other) const {
    return std::memcmp(this, &other, sizeof *this) == 0;
  }
};

struct Outcome {
  lio::testing::FakeRun run;
  Variables vars;
  Step step = Step::kNone;
  int fp_flags = 0;
};

Plan plan_of(const uint8_t* bytes, size_t size) {
  Plan plan;
  size_t at = 0;
  auto next = [&]() -> uint8_t { return at < size ? bytes[at++] : 0; };
  uint8_t flags = next();
  size_t longest = next();
  size_t count = next() % (kMaxOps + 1);
  for (size_t i = 0; i < count; ++i) plan.ops.push_back(next());
  if (at < size) {
    plan.data.assign(reinterpret_cast<const char*>(bytes + at), size - at);
  }

  plan.setup.input_is_console = flags & 1;
  plan.setup.output_is_console = flags & 2;
  plan.setup.read_fails = flags & 4;
  bool split_lines = flags & 8;
  bool breaks = flags & 16;
  std::string chunk;
  auto close_chunk = [&] {
    plan.setup.input.push_back(chunk);
    chunk.clear();
  };
  for (unsigned char c : plan.data) {
    if (breaks && c == kChunkBreak) {
      close_chunk();
      continue;
    }
    chunk += static_cast<char>(c);
    if ((split_lines && c == '\n') || (longest != 0 && chunk.size() == longest))
      close_chunk();
  }
  if (!chunk.empty()) close_chunk();
  return plan;
}

// Texts of the output statements: long enough to need several records.
constexpr char kText[] =
    "Unesi brojeve, pa jos nekoliko reci da bi red bio dugacak i presao "
    "granicu od sedamdeset i devet kolona.";

// Runs the operations as statements. Op bits 0-2: 0-1 integer item, 2-3 real
// item, 4-5 character item of length 1 + bits 3-5, 6 a new input statement,
// 7 an output statement (bits 3-4: text length in steps of 30; then the
// latest integer and real read) followed by a new input statement.
void run_operations(const std::vector<uint8_t>& ops, Variables& vars,
                    Step& step) {
  size_t last_int = 0, last_real = 0;
  lio_read_begin();
  for (size_t i = 0; i < ops.size(); ++i) {
    const uint8_t op = ops[i];
    switch (op & 7) {
      case 0:
      case 1:
        step = Step::kInt;
        lio_read_int4(&vars.ints[i]);
        last_int = i;
        break;
      case 2:
      case 3:
        step = Step::kReal;
        lio_read_real4(&vars.reals[i]);
        last_real = i;
        break;
      case 4:
      case 5:
        step = Step::kChar;
        vars.char_lengths[i] = 1 + ((op >> 3) & 7);
        lio_read_char(vars.chars[i], vars.char_lengths[i]);
        break;
      case 6:
        step = Step::kEnd;
        lio_read_end();
        lio_read_begin();
        break;
      default: {
        step = Step::kEnd;
        lio_read_end();
        step = Step::kWrite;
        lio_write_begin();
        lio_write_text(kText, static_cast<int32_t>(30 * ((op >> 3) & 3)));
        lio_write_int4(vars.ints[last_int]);
        lio_write_real4(vars.reals[last_real]);
        lio_write_end();
        lio_read_begin();
        break;
      }
    }
    step = Step::kNone;
  }
  step = Step::kEnd;
  lio_read_end();
  step = Step::kNone;
}

Outcome run_once(const Plan& plan) {
  Outcome outcome;
  std::feclearexcept(FE_ALL_EXCEPT);
  outcome.run = lio::testing::run_fake(plan.setup, [&] {
    run_operations(plan.ops, outcome.vars, outcome.step);
  });
  outcome.fp_flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  return outcome;
}

const char* message_of(int number) {
  switch (number) {
    case 6100:
      return "INTEGER overflow on input";
    case 6101:
      return "invalid INTEGER";
    case 6102:
      return "REAL indefinite ( uninitialized or previous error )";
    case 6103:
      return "invalid REAL";
    case 6104:
      return "REAL math overflow";
    case 6302:
      return "multiple radix specifiers";
    case 6303:
      return "illegal radix specifier";
    case 6407:
      return "terminal buffer overflow";
    case 6500:
      return "file not open for reading or file locked";
    case 6501:
      return "end of file encountered";
    case 6502:
      return "positive integer expected in repeat field";
    case 6503:
      return "multiple repeat field";
    case 6504:
      return "invalid number in input";
    default:
      return nullptr;
  }
}

// Whether the step in progress can raise `number` at all.
bool can_raise(Step step, int number, const Plan& plan) {
  switch (number) {
    case 6407:  // only a console line overflows the buffer
      return plan.setup.input_is_console && step != Step::kWrite;
    case 6500:
      return plan.setup.read_fails && step != Step::kWrite;
    case 6501:
      return step != Step::kWrite;
    case 6102:
    case 6103:
    case 6104:
      return step == Step::kReal;
    case 6504:
      return step == Step::kInt || step == Step::kReal;
    default:  // integer syntax, also of repeat counts
      return step == Step::kInt || step == Step::kReal || step == Step::kChar;
  }
}

void check_report(const Outcome& o, const Plan& plan) {
  const std::string& err = o.run.err;
  static constexpr char kHead[] = "\r\nrun-time error F";
  static constexpr char kUnit[] = ": READ(CON)\r\n- ";
  const size_t head = sizeof kHead - 1;
  const size_t unit = sizeof kUnit - 1;
  FUZZ_REQUIRE(err.size() > head + 4 + unit && err.compare(0, head, kHead) == 0,
               "report: " + escaped(err));
  int number = 0;
  for (size_t i = head; i < head + 4; ++i) {
    FUZZ_REQUIRE(err[i] >= '0' && err[i] <= '9', "report: " + escaped(err));
    number = number * 10 + (err[i] - '0');
  }
  const char* text = message_of(number);
  FUZZ_REQUIRE(text != nullptr, "unexpected error number in " + escaped(err));
  std::string expected =
      std::string(kHead) + std::to_string(number) + kUnit + text + "\r\n";
  FUZZ_REQUIRE(err == expected, "report: " + escaped(err));
  FUZZ_REQUIRE(can_raise(o.step, number, plan),
               "error " + std::to_string(number) + " from step " +
                   std::to_string(static_cast<int>(o.step)));
}

void check_variables(const Outcome& o, const Plan& plan) {
  for (float r : o.vars.reals) {
    FUZZ_REQUIRE(std::isfinite(r) && std::fabs(r) <= 3.40282347e38f,
                 "real stored: " + std::to_string(r));
  }
  bool in_input[256] = {};
  in_input[static_cast<unsigned char>(' ')] = true;
  for (unsigned char c : plan.data) in_input[c] = true;
  for (size_t i = 0; i < kMaxOps; ++i) {
    const char* var = o.vars.chars[i];
    const int length = o.vars.char_lengths[i];
    const std::string held(var, kCharMax + kCharGuard);
    // An item changes its whole variable or none of it, and nothing beyond.
    bool untouched = true;
    for (int k = 0; k < length; ++k) untouched = untouched && var[k] == 0;
    for (int k = 0; k < kCharMax + kCharGuard; ++k) {
      const bool inside = k < length && !untouched;
      FUZZ_REQUIRE(
          inside ? in_input[static_cast<unsigned char>(var[k])] : var[k] == 0,
          "character variable of length " + std::to_string(length) + " holds " +
              escaped(held));
    }
  }
}

// Each record shows at most its room; CR LF only ever ends a record.
void check_output(const Outcome& o) {
  const std::string& out = o.run.out;
  size_t start = 0;
  for (;;) {
    size_t end = out.find("\r\n", start);
    size_t line = (end == std::string::npos ? out.size() : end) - start;
    FUZZ_REQUIRE(line <= kRecordRoom, "output line too long: " + escaped(out));
    if (end == std::string::npos) break;
    start = end + 2;
  }
}

void check(const Outcome& o, const Plan& plan) {
  const lio::testing::FakeRun& run = o.run;
  FUZZ_REQUIRE(!run.exited || run.exit_code == 1,
               "exit code " + std::to_string(run.exit_code));
  FUZZ_REQUIRE(
      run.exited == !run.err.empty(),
      std::string(run.exited ? "exit without report" : "report without exit") +
          ": " + escaped(run.err));
  if (run.exited) check_report(o, plan);
  FUZZ_REQUIRE(o.fp_flags == 0,
               "floating-point flags raised: " + std::to_string(o.fp_flags));
  check_variables(o, plan);
  check_output(o);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Plan plan = plan_of(data, size);
  const Outcome first = run_once(plan);
  check(first, plan);
  // No state may outlive a run: the same input must give the same run.
  const Outcome second = run_once(plan);
  FUZZ_REQUIRE(
      first.run.out == second.run.out && first.run.err == second.run.err &&
          first.run.exited == second.run.exited && first.vars == second.vars,
      "second run differs: " + escaped(second.run.out) + " / " +
          escaped(second.run.err));
  return 0;
}
