// The user's own result actions: one external program with a parameter
// template per action, kept in "ResultActions.ini" of the data folder. The
// menus built from them live with the windows.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

struct TResultAction {
  std::string Name;  // section name; "Action" + index once saved
  std::string Menu;
  std::string Program;
  std::string CmdLine;
  std::string Shortcut;
};

// One section of an INI text: its name and its key/value lines in order.
struct tIniSection {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Values;

  // The value of a key matched without regard to case; empty when missing.
  std::string Value(std::string_view key) const;
};

// Sections in file order. Lines before the first section, blank lines and
// lines starting with ";" are left out; line ends LF or CR LF.
std::vector<tIniSection> ParseIni(std::string_view text);

class TResultActions {
 public:
  void Clear() { fItems.clear(); }
  int Count() const { return static_cast<int>(fItems.size()); }
  void Add(TResultAction action) { fItems.push_back(std::move(action)); }
  // Throws std::out_of_range("Invalid action index") outside 0..Count-1.
  TResultAction& Items(int index);
  const TResultAction& Items(int index) const;

  // Appends the actions of the file whose program exists (as programExists
  // tells) and whose trimmed menu text is not empty. Returns the number of
  // sections read, or -1 when the file cannot be read (error then holds why).
  int LoadFromFile(const std::string& path,
                   const std::function<bool(const std::string&)>& programExists,
                   std::string& error);
  // Names the actions Action0, Action1, ... and writes them whole to a
  // temporary file renamed into place. False with error set on failure; the
  // file there before is then untouched.
  bool SaveToFile(const std::string& path, std::string& error);

  // The INI text SaveToFile writes.
  std::string IniText() const;

 private:
  std::vector<TResultAction> fItems;
};

}  // namespace orvalis
