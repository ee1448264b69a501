// The real editor and scanner against the standard library on the same
// inputs, in one process. Each benchmark converts a whole fixed set of
// values per iteration; after the run a table gives the time per value of
// each and the ratio of listio's conversion to each baseline.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "convert.h"

namespace {

constexpr size_t kSetSize = 1024;

// Finite floats with pseudo-random bit patterns from a fixed seed: every
// binade equally likely, so both text forms and every exponent appear.
std::vector<float> random_floats() {
  std::mt19937 generator(20240607);
  std::vector<float> values;
  while (values.size() < kSetSize) {
    const uint32_t bits = static_cast<uint32_t>(generator());
    if ((bits & 0x7f800000u) != 0x7f800000u) {
      values.push_back(std::bit_cast<float>(bits));
    }
  }
  return values;
}

// Values of the kind the programs print: small integers, simple fractions,
// results of a few operations, and a few large and small magnitudes.
std::vector<float> typical_floats() {
  const float base[] = {0.0f,          1.0f,       -1.5f,    2.5f,
                        0.1f,          0.5f,       3.14159f, 1.4142135f,
                        12.5f,         100.0f,     -42.0f,   1234567.0f,
                        9999999.0f,    1.0e7f,     0.001f,   6.0e-3f,
                        8.1000004f,    5.4000001f, 1.0e10f,  -2.75e-5f,
                        3.4028235e38f, 1.0e-20f,   77.77f,   0.333333343f};
  std::vector<float> values;
  while (values.size() < kSetSize) {
    for (float value : base) values.push_back(value);
  }
  values.resize(kSetSize);
  return values;
}

std::vector<std::string> repeat_texts(const std::vector<std::string>& base) {
  std::vector<std::string> texts;
  while (texts.size() < kSetSize) {
    for (const std::string& text : base) texts.push_back(text);
  }
  texts.resize(kSetSize);
  return texts;
}

std::vector<std::string> typical_texts() {
  return repeat_texts({"2.5", "0.001", "1e10", "-123.456e-7", "3.4028234e38",
                       "1", "0", "-7.25", "100", "0.1", "12345.678", "1.0e-5"});
}

// The random floats written with `digits` significant digits.
std::vector<std::string> digit_texts(int digits) {
  std::vector<std::string> texts;
  for (float value : random_floats()) {
    char text[40];
    const auto result =
        std::to_chars(text, text + sizeof text, static_cast<double>(value),
                      std::chars_format::scientific, digits - 1);
    texts.emplace_back(text, result.ptr);
  }
  return texts;
}

const std::vector<float>& float_set(const std::string& name) {
  static const std::vector<float> random = random_floats();
  static const std::vector<float> typical = typical_floats();
  return name == "random" ? random : typical;
}

const std::vector<std::string>& text_set(const std::string& name) {
  static const std::vector<std::string> typical = typical_texts();
  static const std::vector<std::string> digits9 = digit_texts(9);
  static const std::vector<std::string> digits17 = digit_texts(17);
  if (name == "digits9") return digits9;
  if (name == "digits17") return digits17;
  return typical;
}

// Editors: listio's and the two baselines.

void edit_lio(benchmark::State& state, const std::vector<float>* values) {
  char out[32];
  for (auto _ : state) {
    for (float value : *values) {
      benchmark::DoNotOptimize(lio::edit_real(value, out));
      benchmark::ClobberMemory();
    }
  }
}

void edit_to_chars(benchmark::State& state, const std::vector<float>* values) {
  char out[32];
  for (auto _ : state) {
    for (float value : *values) {
      benchmark::DoNotOptimize(std::to_chars(out, out + sizeof out,
                                             static_cast<double>(value),
                                             std::chars_format::scientific, 16)
                                   .ptr);
      benchmark::ClobberMemory();
    }
  }
}

void edit_snprintf(benchmark::State& state, const std::vector<float>* values) {
  char out[32];
  for (auto _ : state) {
    for (float value : *values) {
      benchmark::DoNotOptimize(
          std::snprintf(out, sizeof out, "%.16e", static_cast<double>(value)));
      benchmark::ClobberMemory();
    }
  }
}

// Scanners: listio's and the baseline.

void scan_lio(benchmark::State& state, const std::vector<std::string>* texts) {
  for (auto _ : state) {
    for (const std::string& text : *texts) {
      benchmark::DoNotOptimize(
          lio::scan_real(text.data(), static_cast<int>(text.size())));
    }
  }
}

void scan_from_chars(benchmark::State& state,
                     const std::vector<std::string>* texts) {
  for (auto _ : state) {
    for (const std::string& text : *texts) {
      double value;
      benchmark::DoNotOptimize(
          std::from_chars(text.data(), text.data() + text.size(), value).ptr);
      benchmark::DoNotOptimize(value);
    }
  }
}

// One comparison: listio's conversion and its baselines on one input set.
struct Comparison {
  std::string name;
  std::string subject;
  std::vector<std::string> baselines;
};

std::vector<Comparison> register_benchmarks() {
  std::vector<Comparison> comparisons;
  for (const char* set : {"random", "typical"}) {
    const std::vector<float>* values = &float_set(set);
    const std::string group = std::string("edit/") + set;
    benchmark::RegisterBenchmark((group + "/lio::edit_real").c_str(), edit_lio,
                                 values);
    benchmark::RegisterBenchmark((group + "/to_chars_scientific_16").c_str(),
                                 edit_to_chars, values);
    benchmark::RegisterBenchmark((group + "/snprintf_%.16e").c_str(),
                                 edit_snprintf, values);
    comparisons.push_back(
        {group,
         group + "/lio::edit_real",
         {group + "/to_chars_scientific_16", group + "/snprintf_%.16e"}});
  }
  for (const char* set : {"typical", "digits9", "digits17"}) {
    const std::vector<std::string>* texts = &text_set(set);
    const std::string group = std::string("scan/") + set;
    benchmark::RegisterBenchmark((group + "/lio::scan_real").c_str(), scan_lio,
                                 texts);
    benchmark::RegisterBenchmark((group + "/from_chars_double").c_str(),
                                 scan_from_chars, texts);
    comparisons.push_back(
        {group, group + "/lio::scan_real", {group + "/from_chars_double"}});
  }
  return comparisons;
}

// Shows the usual table and keeps, for each benchmark, its fastest CPU time
// per iteration over repetitions (the least disturbed by other load).
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const double nanoseconds =
          run.GetAdjustedCPUTime() * time_unit_to_ns(run.time_unit);
      auto [entry, inserted] =
          best_.emplace(run.run_name.function_name, nanoseconds);
      if (!inserted) entry->second = std::min(entry->second, nanoseconds);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Nanoseconds per value, or a negative number when it did not run.
  double per_value(const std::string& name) const {
    auto found = best_.find(name);
    return found == best_.end() ? -1 : found->second / kSetSize;
  }

 private:
  static double time_unit_to_ns(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond:
        return 1e9;
      case benchmark::kMillisecond:
        return 1e6;
      case benchmark::kMicrosecond:
        return 1e3;
      default:
        return 1;
    }
  }

  std::map<std::string, double> best_;
};

void print_ratios(const std::vector<Comparison>& comparisons,
                  const RecordingReporter& reporter) {
  std::printf("\nCPU time per value; ratio = listio / baseline\n");
  for (const Comparison& comparison : comparisons) {
    const double subject = reporter.per_value(comparison.subject);
    if (subject < 0) continue;
    std::printf("%-40s %8.1f ns\n", comparison.subject.c_str(), subject);
    for (const std::string& baseline : comparison.baselines) {
      const double time = reporter.per_value(baseline);
      if (time <= 0) continue;
      std::printf("%-40s %8.1f ns   ratio %.2f\n", baseline.c_str(), time,
                  subject / time);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const std::vector<Comparison> comparisons = register_benchmarks();
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  print_ratios(comparisons, reporter);
  benchmark::Shutdown();
  return 0;
}
