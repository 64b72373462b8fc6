// Reading the field sidebar's list file.
#include "engine/side_tree.h"

#include "common/ascii_case.h"
#include "common/text.h"

namespace orvalis {

namespace {

bool IsIndent(char c) { return c == '\t' || c == ' '; }

// Control characters inside a node text would end up in the query text.
std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return out;
}

}  // namespace

std::string tSideTree::TipFor(std::string_view name) const {
  for (const tSideTreeTip& tip : Tips) {
    if (EqualsNoCase(tip.Name, name)) return tip.Tip;
  }
  return {};
}

std::optional<tSideTree> ParseSideTree(std::string_view bytes, tSideTreeRefusal* why) {
  const auto refuse = [why](tSideTreeRefusal reason) -> std::optional<tSideTree> {
    if (why) *why = reason;
    return std::nullopt;
  };
  if (bytes.size() > kMaxSideTreeBytes) return refuse(tSideTreeRefusal::Size);
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);

  tSideTree tree;
  // The path from the top to the node of the line before: open[level] is
  // that line's ancestor (or itself) at this level.
  std::vector<int> open;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    std::string_view line = bytes.substr(0, end);
    if (end == std::string_view::npos) {
      bytes = {};
    } else {
      const bool crLf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
      bytes.remove_prefix(end + (crLf ? 2 : 1));
    }
    if (line == "\x1A") continue;

    std::size_t indent = 0;
    while (indent < line.size() && IsIndent(line[indent])) ++indent;
    const std::string body = Printable(line.substr(indent));
    if (Trim(body, " ").empty()) continue;

    // The first node is a top node whatever its indent.
    const std::size_t level = open.empty() ? 0 : indent;
    if (level > open.size()) return refuse(tSideTreeRefusal::Format);  // more than one level deeper
    if (level >= static_cast<std::size_t>(kMaxSideTreeDepth))
      return refuse(tSideTreeRefusal::Depth);
    if (tree.Nodes.size() >= kMaxSideTreeNodes) return refuse(tSideTreeRefusal::Nodes);
    open.resize(level);

    tSideTreeNode node;
    node.Level = static_cast<int>(level);
    node.Parent = level == 0 ? -1 : open.back();
    const std::size_t equals = body.find('=');
    node.Text = body.substr(0, equals);
    if (equals != std::string::npos) {
      const std::string_view whole = Trim(body, " ");
      const std::size_t cut = whole.find('=');
      tree.Tips.push_back({std::string(whole.substr(0, cut)), std::string(whole.substr(cut + 1))});
    }
    open.push_back(static_cast<int>(tree.Nodes.size()));
    tree.Nodes.push_back(std::move(node));
  }
  return tree;
}

}  // namespace orvalis
