// Edits every finite float with lio::edit_real and compares each text with
// the reference built from the standard library's 17-digit conversion.
//
//   edit_exhaustive [--threads N]
//
// Progress and an estimate of the time left go to standard error; the first
// mismatches and a one-line summary go to standard output. The exit code is
// 0 when every text matched.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "convert.h"
#include "edit_oracle.h"

namespace {

using lio::testing::kReferenceTextMax;
using lio::testing::kSignBit;

// Positive finite patterns are 0 to 0x7f7fffff; each is checked with both
// signs.
constexpr uint32_t kMagnitudeCount = 0x7f800000u;
constexpr uint32_t kChunk = 1u << 20;
constexpr uint32_t kChunkCount = kMagnitudeCount / kChunk;
static_assert(kMagnitudeCount % kChunk == 0);
constexpr int kMismatchesShown = 20;

struct Shared {
  std::atomic<uint32_t> next_chunk{0};
  std::atomic<uint32_t> chunks_done{0};
  std::atomic<uint64_t> mismatches{0};
  std::mutex report_lock;
  int shown = 0;
};

void report_mismatch(Shared& shared, uint32_t bits, const char* got,
                     int got_length, const char* expected,
                     int expected_length) {
  std::lock_guard<std::mutex> lock(shared.report_lock);
  if (shared.shown >= kMismatchesShown) return;
  ++shared.shown;
  std::printf("mismatch 0x%08" PRIx32
              ": edit_real \"%.*s\", reference \"%.*s\"\n",
              bits, got_length, got, expected_length, expected);
  std::fflush(stdout);
}

// A byte loop rather than memcmp: the texts were just stored a byte or two
// at a time, and memcmp's wide loads of them stall on that.
bool same_text(const char* a, const char* b, int length) {
  for (int i = 0; i < length; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// Compares the editor's text for `bits` with the expected one.
bool check(Shared& shared, uint32_t bits, const char* expected,
           int expected_length) {
  // Room past the editor's limit, so that a text too long for it shows up
  // as a mismatch rather than an overrun.
  char got[2 * lio::kRealTextMax];
  const int got_length = lio::edit_real(std::bit_cast<float>(bits), got);
  if (got_length <= lio::kRealTextMax && got_length == expected_length &&
      same_text(got, expected, got_length)) {
    return true;
  }
  report_mismatch(shared, bits, got, got_length, expected, expected_length);
  return false;
}

void worker(Shared& shared) {
  uint64_t mismatches = 0;
  for (;;) {
    const uint32_t chunk = shared.next_chunk.fetch_add(1);
    if (chunk >= kChunkCount) break;
    const uint32_t first = chunk * kChunk;
    for (uint32_t bits = first; bits != first + kChunk; ++bits) {
      // The negative value's text is the positive one's with a sign in
      // front, except for zero.
      char expected[kReferenceTextMax + 1];
      const int length =
          lio::testing::reference_magnitude_text(bits, expected + 1);
      expected[0] = '-';
      if (!check(shared, bits, expected + 1, length)) ++mismatches;
      const bool zero = bits == 0;
      if (!check(shared, bits | kSignBit, zero ? expected + 1 : expected,
                 zero ? length : length + 1)) {
        ++mismatches;
      }
    }
    shared.chunks_done.fetch_add(1);
  }
  shared.mismatches.fetch_add(mismatches);
}

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
      .count();
}

int parse_threads(int argc, char** argv) {
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
      threads = static_cast<unsigned>(std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: %s [--threads N]\n", argv[0]);
      std::exit(2);
    }
  }
  if (threads < 1 || threads > 256) {
    std::fprintf(stderr, "%s: thread count must be 1 to 256\n", argv[0]);
    std::exit(2);
  }
  return static_cast<int>(threads);
}

}  // namespace

int main(int argc, char** argv) {
  const int thread_count = parse_threads(argc, argv);
  const bool terminal = isatty(STDERR_FILENO) != 0;
  const auto start = std::chrono::steady_clock::now();

  Shared shared;
  std::vector<std::thread> threads;
  for (int i = 0; i < thread_count; ++i) {
    threads.emplace_back(worker, std::ref(shared));
  }

  // Progress: a line rewritten in place on a terminal, a line every ten
  // seconds otherwise.
  double last_line = 0;
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    const uint32_t done = shared.chunks_done.load();
    if (done == kChunkCount) break;
    const double elapsed = seconds_since(start);
    if (!terminal && elapsed - last_line < 10) continue;
    if (terminal && elapsed - last_line < 1) continue;
    last_line = elapsed;
    const double fraction = static_cast<double>(done) / kChunkCount;
    const double left = done == 0 ? 0 : elapsed * (kChunkCount - done) / done;
    std::fprintf(stderr,
                 "%s%5.1f%% checked, %.0f s elapsed, about %.0f s left%s",
                 terminal ? "\r" : "", 100 * fraction, elapsed, left,
                 terminal ? "   " : "\n");
  }
  for (std::thread& thread : threads) thread.join();
  if (terminal) std::fputc('\n', stderr);

  const uint64_t checked = 2ull * kMagnitudeCount;
  const uint64_t mismatches = shared.mismatches.load();
  std::printf("edit_exhaustive: %" PRIu64 " finite floats checked, %" PRIu64
              " mismatches, %.1f s on %d threads\n",
              checked, mismatches, seconds_since(start), thread_count);
  return mismatches == 0 ? 0 : 1;
}
