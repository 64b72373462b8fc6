// Every input kept in fuzz/regressions/<target>/ (a crash, a hang or a limit
// breach once found, or a hostile input written by hand) runs through the
// body of its fuzz target; under the sanitizer build a bad read is a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../../fuzz/harness.h"
#include "support/test_names.h"

namespace orvalis::fuzz {
namespace {

struct KeptInput {
  std::string target;
  std::filesystem::path file;
};
std::string CaseText(const KeptInput& c) { return c.target + "_" + c.file.filename().string(); }
void PrintTo(const KeptInput& c, std::ostream* os) { *os << c.file.string(); }

std::vector<KeptInput> KeptInputs() {
  std::vector<KeptInput> inputs;
  for (const tFuzzTarget& target : FuzzTargets()) {
    const std::filesystem::path folder = std::filesystem::path(ORVALIS_SOURCE_DIR) / "fuzz" /
                                         "regressions" / std::string(target.name);
    if (!std::filesystem::is_directory(folder)) continue;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) inputs.push_back({std::string(target.name), file});
  }
  return inputs;
}

class KeptFuzzInput : public ::testing::TestWithParam<KeptInput> {};

TEST_P(KeptFuzzInput, RunsClean) {
  const KeptInput& c = GetParam();
  std::ifstream in(c.file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(bytes.empty()) << c.file;
  for (const tFuzzTarget& target : FuzzTargets()) {
    if (target.name != c.target) continue;
    EXPECT_NO_THROW(target.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  }
}

INSTANTIATE_TEST_SUITE_P(Regressions, KeptFuzzInput, ::testing::ValuesIn(KeptInputs()),
                         test::CaseNames{});

}  // namespace
}  // namespace orvalis::fuzz
