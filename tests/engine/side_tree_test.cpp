// The field sidebar's list file: the level rules, tips, hostile bytes, and
// the list shipped with the program against the names the program knows.
#include "engine/side_tree.h"

#include "common/ascii_case.h"
#include "metadata/tag_table.h"
#include "query/builtin_functions.h"
#include "support/test_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace orvalis {
namespace {

// Every node as its path from the top, "Kamera/Make", in tree order.
std::string Outline(const tSideTree& tree) {
  std::string out;
  for (const tSideTreeNode& node : tree.Nodes) {
    std::string path = node.Text;
    for (int up = node.Parent; up >= 0; up = tree.Nodes[static_cast<std::size_t>(up)].Parent) {
      path = tree.Nodes[static_cast<std::size_t>(up)].Text + "/" + path;
    }
    out += (out.empty() ? "" : ", ") + path;
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
  ASSERT_EQ(tree.has_value(), GetParam().Outline != nullptr);
  if (tree) {
    EXPECT_EQ(Outline(*tree), GetParam().Outline);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, SideTreeLevels,
    // clang-format off
    ::testing::Values(
        tTreeCase{"a shallower line closes the deeper branches", "A\n\tB\n\t C\n\tD\nE\n F", "A, A/B, A/B/C, A/D, E, E/F"},
        tTreeCase{"two levels deeper is refused", "A\n\t\tB\n", nullptr},
        tTreeCase{"an indented first line is a top node", "\t\tA\nB\n\tC", "A, B, B/C"},
        tTreeCase{"line ends CR, LF and CR LF", "A\r\tB\n\tC\r\nD", "A, A/B, A/C, D"},
        tTreeCase{"end-of-file mark, blank lines and byte order mark passed over",
                  "\xEF\xBB\xBF" "A\r\n\r\n\t \r\n\tB\r\n\x1A", "A, A/B"},
        tTreeCase{"text cut at the first =, control characters become blanks",
                  std::string("A\0B=x=y\n\tC\x7F", 11), "A B, A B/C\x7F"},
        tTreeCase{"deeper than the limit is refused",
                  [] {
                    std::string file;
                    for (std::size_t level = 0; level <= static_cast<std::size_t>(kMaxSideTreeDepth); ++level) file += std::string(level, '\t') + "x\n";
                    return file;
                  }(),
                  nullptr},
        tTreeCase{"more nodes than the limit is refused",
                  [] {
                    std::string file;
                    for (std::size_t node = 0; node <= kMaxSideTreeNodes; ++node) file += "x\n";
                    return file;
                  }(),
                  nullptr},
        tTreeCase{"larger than the limit is refused", std::string(kMaxSideTreeBytes + 1, 'x'), nullptr}),
    // clang-format on
    test::CaseNames());

TEST(SideTree, TipsAreFiledByNameWithoutRegardToCase) {
  const std::optional<tSideTree> tree =
      ParseSideTree("Make=Hersteller der Kamera\n Model = Modell \nMAKE=zweiter\n");
  ASSERT_TRUE(tree.has_value());
  EXPECT_EQ(tree->TipFor("make"), "Hersteller der Kamera");  // the first entry wins
  EXPECT_EQ(tree->TipFor("Model "), " Modell");              // taken from the trimmed line
  EXPECT_EQ(tree->TipFor("Kamera"), "");
}

// The list shipped beside the program: every entry has a tip, every field
// name is one the program knows, every function is listed.
TEST(SideTree, TheShippedListNamesOnlyWhatTheProgramKnows) {
  std::ifstream in(ORVALIS_SOURCE_DIR "/data/SideTree.ini", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::optional<tSideTree> tree = ParseSideTree(bytes);
  ASSERT_TRUE(tree.has_value());
  const std::string words[] = {"select", "top", "from", "where", "rownum",
                               "and",    "or",  "not",  "true",  "false"};
  std::vector<std::string> functions;
  for (const tSideTreeNode& node : tree->Nodes) {
    const std::string& text = node.Text;
    EXPECT_FALSE(tree->TipFor(text).empty()) << text;
    if (const std::size_t open = text.find('('); open != std::string::npos) {
      functions.push_back(text.substr(0, open));
      EXPECT_NE(FindBuiltinFunction(functions.back()), nullptr) << text;
    } else if (node.Parent >= 0 && std::ranges::all_of(text, [](char c) {
                 return std::isalpha(static_cast<unsigned char>(c));
               })) {
      const bool known =
          std::ranges::any_of(TagTable,
                              [&](const tTagRow& row) { return EqualsNoCase(row.Name, text); }) ||
          std::ranges::find(words, AsciiLower(text)) != std::end(words);
      EXPECT_TRUE(known) << "neither a field name nor a keyword: " << text;
    }
  }
  for (const BuiltinFunction& function : BuiltinFunctions()) {
    EXPECT_NE(std::ranges::find(functions, function.name), functions.end()) << function.name;
  }
}

}  // namespace
}  // namespace orvalis
