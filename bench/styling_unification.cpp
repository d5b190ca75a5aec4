// Font and tab-width unification over every body of a document, as the two commands run them.
// Every iteration starts from the bodies as read. Usage: bench_styling FILE.PWV [benchmark flags]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/outline_file.h"
#include "styling/unification.h"

namespace {

pw::Outline& Document() {
  static pw::Outline outline;
  return outline;
}

std::vector<std::optional<std::string>>& OriginalBodies() {
  static std::vector<std::optional<std::string>> bodies;
  return bodies;
}

void RestoreBodies() {
  size_t i = 0;
  Document().ForEach([&](pw::Node* node) { node->data()->Body = OriginalBodies()[i++]; });
}

void BM_UnifyFonts(benchmark::State& state) {
  pw::rich::CharFormat format;
  format.face = "ＭＳ ゴシック";
  format.size = 10.5;
  format.color = 0x00202020;
  for (auto _ : state) {
    state.PauseTiming();
    RestoreBodies();
    state.ResumeTiming();
    benchmark::DoNotOptimize(pw::styling::UnifyFonts(Document(), format, nullptr));
  }
}
BENCHMARK(BM_UnifyFonts)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UnifyTabStops(benchmark::State& state) {
  std::vector<double> stops;
  for (int k = 1; k <= pw::styling::kUnifiedTabStopCount; ++k) stops.push_back(36.0 * k);
  for (auto _ : state) {
    state.PauseTiming();
    RestoreBodies();
    state.ResumeTiming();
    benchmark::DoNotOptimize(pw::styling::UnifyTabStops(Document(), stops, nullptr));
  }
}
BENCHMARK(BM_UnifyTabStops)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: bench_styling FILE.PWV [benchmark flags]\n");
    return 1;
  }
  pw::ReadResult result = pw::ReadOutlineFile(argv[1], pw::ReadTarget::kMainTree, &Document());
  if (!result.status) {
    std::fprintf(stderr, "bench_styling: %s\n", result.status.message.c_str());
    return 1;
  }
  Document().ForEach([](pw::Node* node) { OriginalBodies().push_back(node->data()->Body); });
  std::printf("%zu nodes\n", Document().size());
  argv[1] = argv[0];
  int bench_argc = argc - 1;
  benchmark::Initialize(&bench_argc, argv + 1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
