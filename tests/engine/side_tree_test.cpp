// The field sidebar's list file: the level rules, tips, hostile bytes, and
// the list shipped with the program against the names the program knows.
#include "engine/side_tree.h"

#include "common/ascii_case.h"
#include "metadata/tag_table.h"
#include "query/builtin_functions.h"
#include "support/test_names.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

namespace orvalis {
namespace {

// Every node as its path from the top, "Kamera/Make", in tree order.
std::string Outline(const tSideTree& tree) {
  std::string out;
  for (const tSideTreeNode& node : tree.Nodes) {
    std::string path = node.Text;
    for (int parent = node.Parent; parent >= 0; parent = tree.Nodes[static_cast<std::size_t>(parent)].Parent) {
      path = tree.Nodes[static_cast<std::size_t>(parent)].Text + "/" + path;
    }
    if (!out.empty()) out += ", ";
    out += path;
  }
  return out;
}

struct tTreeCase {
  const char* Name;
  std::string File;
  const char* Outline;  // nullptr: the file is refused
};
std::string CaseText(const tTreeCase& c) { return c.Name; }
void PrintTo(const tTreeCase& c, std::ostream* os) { *os << test::Quoted(c.File); }

class SideTreeLevels : public ::testing::TestWithParam<tTreeCase> {};

TEST_P(SideTreeLevels, BuildsTheTreeOrRefusesTheFile) {
  const std::optional<tSideTree> tree = ParseSideTree(GetParam().File);
  if (!GetParam().Outline) {
    EXPECT_FALSE(tree.has_value()) << Outline(*tree);
  } else {
    ASSERT_TRUE(tree.has_value());
    EXPECT_EQ(Outline(*tree), GetParam().Outline);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, SideTreeLevels,
    ::testing::Values(
        tTreeCase{"siblings and children", "A\r\n\tB\r\n\tC\r\nD\r\n", "A, A/B, A/C, D"},
        tTreeCase{"a blank counts one level like a tab", "A\n B\n  C\n", "A, A/B, A/B/C"},
        tTreeCase{"a shallower line closes the deeper branches", "A\n\tB\n\t\tC\n\tD\nE\n\tF",
                  "A, A/B, A/B/C, A/D, E, E/F"},
        tTreeCase{"two levels deeper is refused", "A\n\t\tB\n", nullptr},
        tTreeCase{"an indented first line is a top node", "\t\tA\nB\n\tC", "A, B, B/C"},
        tTreeCase{"the next line's indent counts from level 0", "\tA\n\t\tB\n", nullptr},
        tTreeCase{"line ends CR, LF and CR LF", "A\r\tB\n\tC\r\nD", "A, A/B, A/C, D"},
        tTreeCase{"end-of-file mark and blank lines passed over", "A\r\n\r\n\t \r\n\tB\r\n\x1A",
                  "A, A/B"},
        tTreeCase{"byte order mark passed over", "\xEF\xBB\xBFMake\n", "Make"},
        tTreeCase{"node text cut at the first =", "Make=Hersteller=Firma\n", "Make"},
        tTreeCase{"control characters become blanks",
                  std::string("A\0B\n\tC\x7F", 7), "A B, A B/C\x7F"},
        tTreeCase{"nothing but blank lines is an empty tree", "\r\n\r\n", ""},
        tTreeCase{"deeper than the limit is refused",
                  [] {
                    std::string file;
                    for (int level = 0; level <= kMaxSideTreeDepth; ++level) file += std::string(static_cast<std::size_t>(level), '\t') + "x\n";
                    return file;
                  }(),
                  nullptr},
        tTreeCase{"larger than the limit is refused", std::string(kMaxSideTreeBytes + 1, 'x'), nullptr}),
    test::CaseNames());

TEST(SideTree, TipsAreFiledByNameWithoutRegardToCase) {
  const std::optional<tSideTree> tree =
      ParseSideTree("Kamera\n\tMake=Hersteller der Kamera\n\tModel = Modell \nMAKE=zweiter\n");
  ASSERT_TRUE(tree.has_value());
  EXPECT_EQ(tree->TipFor("make"), "Hersteller der Kamera");  // the first entry wins
  EXPECT_EQ(tree->TipFor("Model "), " Modell");              // name and tip from the trimmed line
  EXPECT_EQ(tree->Nodes[2].Text, "Model ");
  EXPECT_EQ(tree->TipFor("Kamera"), "");
  EXPECT_EQ(tree->Tips.size(), 3u);
}

// The list shipped beside the program.
class ShippedSideTree : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(ORVALIS_SOURCE_DIR "/data/SideTree.ini", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(bytes.empty());
    std::optional<tSideTree> parsed = ParseSideTree(bytes);
    ASSERT_TRUE(parsed.has_value());
    tree = std::move(*parsed);
  }

  static bool IsTagName(std::string_view text) {
    for (const tTagRow& row : TagTable) {
      if (EqualsNoCase(row.Name, text)) return true;
    }
    return false;
  }

  static bool IsLeaf(const tSideTree& tree, std::size_t node) {
    return node + 1 >= tree.Nodes.size() || tree.Nodes[node + 1].Parent != static_cast<int>(node);
  }

  tSideTree tree;
};

// A leaf is a field name of the tag table, a call of a built-in function,
// or words and signs of the statement and expression language.
TEST_F(ShippedSideTree, EveryEntryIsKnownToTheLanguage) {
  const std::set<std::string> words = {"select", "top",   "from", "where", "with",  "subdirs",
                                       "rownum", "and",   "or",   "not",   "true",  "false",
                                       "\"#results\""};
  for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
    if (!IsLeaf(tree, i)) continue;
    const std::string& text = tree.Nodes[i].Text;
    if (IsTagName(text)) continue;
    const std::size_t open = text.find('(');
    if (open != std::string::npos) {
      EXPECT_NE(FindBuiltinFunction(text.substr(0, open)), nullptr) << text;
      EXPECT_TRUE(text.ends_with(")")) << text;
      continue;
    }
    bool known = true;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find(' ', start);
      if (end == std::string::npos) end = text.size();
      const std::string word = AsciiLower(text.substr(start, end - start));
      const bool sign = word.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
      known = known && (sign || words.contains(word));
      start = end + 1;
    }
    EXPECT_TRUE(known) << "not a field name, function or keyword: " << text;
  }
}

TEST_F(ShippedSideTree, EveryEntryHasATipAndEveryFunctionIsListed) {
  std::set<std::string> listed;
  for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
    const std::string& text = tree.Nodes[i].Text;
    EXPECT_FALSE(tree.TipFor(text).empty()) << text;
    if (IsLeaf(tree, i)) listed.insert(AsciiLower(text.substr(0, text.find('('))));
  }
  for (const BuiltinFunction& function : BuiltinFunctions()) {
    EXPECT_TRUE(listed.contains(function.name)) << function.name;
  }
}

}  // namespace
}  // namespace orvalis
