// The field sidebar's list file "SideTree.ini": one tree node per line, its
// depth given by leading tabs and blanks; a line "name=tip" gives the node
// "name" and files "tip" under that name. Read only, never written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

inline constexpr std::string_view kSideTreeFileName = "SideTree.ini";

// Far beyond any hand-written list; a larger file is refused whole.
inline constexpr std::size_t kMaxSideTreeBytes = 1024u * 1024u;
// Deeper trees are refused: the tree control walks its nodes recursively.
inline constexpr int kMaxSideTreeDepth = 32;
// More nodes are refused: the tree control would slow down to a crawl.
inline constexpr std::size_t kMaxSideTreeNodes = 10000;

struct tSideTreeNode {
  std::string Text;  // the line after its indent, cut at the first "="
  int Parent = -1;   // index of the parent node, -1 for a top node
  int Level = 0;
};

struct tSideTreeTip {
  std::string Name;
  std::string Tip;
};

struct tSideTree {
  // Every node before its children, children in the order of the file.
  std::vector<tSideTreeNode> Nodes;
  // One entry per line that held a "=", in the order of the nodes.
  std::vector<tSideTreeTip> Tips;
  // The tip filed under this name (ASCII letters without regard to case);
  // the first entry wins. Empty when there is none.
  std::string TipFor(std::string_view name) const;
};

// Builds the tree from the file's bytes. Lines end with CR LF, LF or CR; a
// UTF-8 byte order mark is passed over; a line that is only the end-of-file
// mark (character 26) and blank lines are passed over. Returns nothing when a
// line is more than one level deeper than the line before, when the tree is
// deeper than kMaxSideTreeDepth, has more than kMaxSideTreeNodes nodes, or
// when the bytes exceed kMaxSideTreeBytes.
// why, when given, tells which of these refused the file.
enum class tSideTreeRefusal { Format, Size, Depth, Nodes };
std::optional<tSideTree> ParseSideTree(std::string_view bytes, tSideTreeRefusal* why = nullptr);

}  // namespace orvalis
