// Reading and writing a large document. The file comes from PLOTWEAVE_BENCH_DOC (made by
// make_big_document); without it the benchmark builds a 10,000-node document of its own.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/outline_file.h"
#include "core/recovery_copy.h"

namespace {

std::string DocumentPath() {
  if (const char* path = std::getenv("PLOTWEAVE_BENCH_DOC")) return path;
  std::string path = (std::filesystem::temp_directory_path() / "pw-bench-small.PWV").string();
  if (!std::filesystem::exists(path)) {
    pw::Outline outline;
    pw::Node* top = outline.Append(nullptr, "top", pw::NewNodeData(pw::nkRoot), 1);
    for (int i = 0; i < 10000; ++i) {
      pw::Node* n =
          outline.Append(top, "node " + std::to_string(i), pw::NewNodeData(pw::nkChild), 7);
      n->data()->Body = "{\\rtf1\\ansi\\ansicpg932 " + std::string(1000, 'x') + "\\par }";
    }
    pw::WriteOptions options;
    options.flush_to_disk = false;
    pw::WriteOutlineFile(path, outline, options);
  }
  return path;
}

void BM_ReadDocument(benchmark::State& state) {
  const std::string path = DocumentPath();
  for (auto _ : state) {
    pw::Outline outline;
    pw::ReadResult result = pw::ReadOutlineFile(path, pw::ReadTarget::kMainTree, &outline);
    if (!result.status) state.SkipWithError(result.status.message.c_str());
    benchmark::DoNotOptimize(outline.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond);

void BM_WriteDocument(benchmark::State& state) {
  const std::string path = DocumentPath();
  pw::Outline outline;
  pw::ReadOutlineFile(path, pw::ReadTarget::kMainTree, &outline);
  const std::string out = path + ".bench-out";
  pw::WriteOptions options;
  options.flush_to_disk = false;
  for (auto _ : state) {
    pw::Status status = pw::WriteOutlineFile(out, outline, options);
    if (!status) state.SkipWithError(status.message.c_str());
  }
  std::filesystem::remove(out);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond);

// The recovery copy the window writes every minute of editing: the whole document, atomically,
// without waiting for the disk. Its time is the pause the user could feel.
void BM_WriteRecoveryCopy(benchmark::State& state) {
  const std::string path = DocumentPath();
  pw::Outline outline;
  pw::ReadOutlineFile(path, pw::ReadTarget::kMainTree, &outline);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "pw-bench-recovery";
  pw::Status status;
  auto copy = pw::RecoveryCopy::Start(folder.string(), path, &status);
  if (!copy) {
    state.SkipWithError(status.message.c_str());
    return;
  }
  for (auto _ : state) {
    status = copy->Write(outline, 0, 0);
    if (!status) state.SkipWithError(status.message.c_str());
  }
  copy->Discard();
  std::filesystem::remove_all(folder);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_WriteRecoveryCopy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
