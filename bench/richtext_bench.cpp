// Body-to-lines, reading into documents and writing, over every body of a document.
// Usage: bench_richtext FILE.PWV [benchmark flags]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/outline_file.h"
#include "richtext/body_text.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace {

std::vector<std::string>& Bodies() {
  static std::vector<std::string> bodies;
  return bodies;
}

int64_t TotalBytes() {
  int64_t total = 0;
  for (const std::string& body : Bodies()) total += static_cast<int64_t>(body.size());
  return total;
}

void BM_BodyToLines(benchmark::State& state) {
  for (auto _ : state) {
    size_t lines = 0;
    for (const std::string& body : Bodies()) lines += pw::rich::BodyToLines(body).size();
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_BodyToLines)->Unit(benchmark::kMillisecond);

void BM_ReadRtf(benchmark::State& state) {
  for (auto _ : state) {
    size_t paragraphs = 0;
    for (const std::string& body : Bodies()) {
      paragraphs += pw::rich::ReadRtf(body).paragraphs.size();
    }
    benchmark::DoNotOptimize(paragraphs);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

void BM_ReadAndWriteRtf(benchmark::State& state) {
  for (auto _ : state) {
    size_t bytes = 0;
    for (const std::string& body : Bodies()) {
      bytes += pw::rich::WriteRtf(pw::rich::ReadRtf(body)).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_ReadAndWriteRtf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: bench_richtext FILE.PWV [benchmark flags]\n");
    return 1;
  }
  pw::Outline outline;
  pw::ReadResult result = pw::ReadOutlineFile(argv[1], pw::ReadTarget::kMainTree, &outline);
  if (!result.status) {
    std::fprintf(stderr, "bench_richtext: %s\n", result.status.message.c_str());
    return 1;
  }
  outline.ForEach([](pw::Node* node) {
    if (node->data()->Body) Bodies().push_back(*node->data()->Body);
  });
  std::printf("%zu bodies, %lld bytes\n", Bodies().size(), static_cast<long long>(TotalBytes()));
  argv[1] = argv[0];
  int bench_argc = argc - 1;
  benchmark::Initialize(&bench_argc, argv + 1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
