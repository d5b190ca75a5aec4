// Golden files of the exports, compared byte for byte. A mismatch leaves the output as
// NAME.actual in the test's temporary folder, so it can be looked at and, when right, copied
// over the golden file.
#ifndef PLOTWEAVE_TESTS_EXPORT_GOLDEN_H_
#define PLOTWEAVE_TESTS_EXPORT_GOLDEN_H_

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace pw::testing {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void ExpectGolden(const std::string& actual, const std::string& name) {
  const std::string golden_path = std::string(PW_EXPORT_GOLDEN_DIR) + "/" + name;
  const std::string golden = ReadBytes(golden_path);
  if (actual == golden) return;
  const std::string actual_path = ::testing::TempDir() + name + ".actual";
  std::ofstream(actual_path, std::ios::binary) << actual;
  ADD_FAILURE() << name << " differs from " << golden_path << "; output in " << actual_path;
}

}  // namespace pw::testing

#endif  // PLOTWEAVE_TESTS_EXPORT_GOLDEN_H_
