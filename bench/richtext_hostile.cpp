// Hostile RTF bodies: many tab stops over many paragraphs, and a huge font name used by many
// runs. Reading them must cost time and memory in proportion to their size.
// Usage: bench_rtf_hostile [benchmark flags]   times reading 1 MB bodies of each kind
//        bench_rtf_hostile write DIR           writes them (and the smaller ones) as .rtf files
//        bench_rtf_hostile read FILE           reads one file into a document, for whole-process
//                                              timing and peak memory
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "richtext/rtf_reader.h"

namespace {

// `stops` tab stops in one paragraph format, then paragraph marks up to about `size` bytes.
std::string TabStopsBody(size_t stops, size_t size) {
  std::string rtf = "{\\rtf1\\ansi ";
  for (size_t i = 1; i <= stops; ++i) rtf += "\\tx" + std::to_string(i);
  rtf += ' ';
  while (rtf.size() + 5 < size) rtf += "\\par ";
  rtf += '}';
  return rtf;
}

// A font whose name is `name_length` bytes long, then one-letter paragraphs up to `size` bytes.
std::string FontNameBody(size_t name_length, size_t size) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil " + std::string(name_length, 'F') + ";}}\\f0 ";
  while (rtf.size() + 7 < size) rtf += "x\\par ";
  rtf += '}';
  return rtf;
}

void BM_ReadTabStops(benchmark::State& state) {
  const std::string body = TabStopsBody(20000, 1 << 20);
  for (auto _ : state) benchmark::DoNotOptimize(pw::rich::ReadRtf(body).paragraphs.size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(body.size()));
}
BENCHMARK(BM_ReadTabStops)->Unit(benchmark::kMillisecond);

void BM_ReadLongFontName(benchmark::State& state) {
  const std::string body = FontNameBody(40000, 1 << 20);
  for (auto _ : state) benchmark::DoNotOptimize(pw::rich::ReadRtf(body).paragraphs.size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(body.size()));
}
BENCHMARK(BM_ReadLongFontName)->Unit(benchmark::kMillisecond);

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "write") == 0) {
    const std::string dir = argv[2];
    bool ok = WriteFile(dir + "/tabstops-229k.rtf", TabStopsBody(20000, 229000)) &&
              WriteFile(dir + "/fontname-400k.rtf", FontNameBody(40000, 400000)) &&
              WriteFile(dir + "/tabstops-1m.rtf", TabStopsBody(20000, 1 << 20)) &&
              WriteFile(dir + "/fontname-1m.rtf", FontNameBody(40000, 1 << 20));
    return ok ? 0 : 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "read") == 0) {
    std::ifstream in(argv[2], std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    pw::rich::RichDocument document = pw::rich::ReadRtf(bytes);
    size_t runs = 0;
    for (const pw::rich::Paragraph& paragraph : document.paragraphs) runs += paragraph.runs.size();
    std::printf("%zu paragraphs, %zu runs\n", document.paragraphs.size(), runs);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
