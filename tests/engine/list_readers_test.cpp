// The compact path list keeps every path byte for byte, whatever the sizes
// around the ends of its blocks.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/list_readers.h"

namespace orvalis::test {
namespace {

TEST(PathList, GivesBackEveryPathAsAdded) {
  std::vector<std::string> paths{"", "/a.jpg", ""};
  // Filled to a block's last byte, then one more that must start a new block,
  // a path longer than a block, and an empty path at a block's end.
  for (int i = 0; i < 256; ++i) paths.push_back("/" + std::string(4094, 'a' + i % 26) + "x");
  paths.push_back(std::string((1 << 20) + 5, 'L'));
  paths.push_back("");
  paths.push_back("/last.jpg");
  const tPathList list(paths);
  EXPECT_EQ(list.Size(), paths.size());
  EXPECT_EQ(list.ToVector(), paths);
}

}  // namespace
}  // namespace orvalis::test
