// The help log "HHDebug.txt": a diagnostic trail of help calls, help errors
// and programs that could not be started, switched on by a file
// "debug.debug" beside the program or by "/debug" on the command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orvalis {

inline constexpr const char* kHelpLogName = "HHDebug.txt";
inline constexpr const char* kDebugSwitchFile = "debug.debug";

class THelpLog {
 public:
  // Where the log goes: the program folder when a file can be created there,
  // else the system's temporary folder.
  static std::string ChooseFolder(const std::string& programFolder);

  // Switches the log on: deletes an old log in `folder` and writes the
  // header, one "label value" line per pair, with a separator line of "-"
  // after the first `firstBlock` pairs.
  void Start(const std::string& folder,
             const std::vector<std::pair<std::string, std::string>>& header,
             std::size_t firstBlock);
  bool Enabled() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }

  // Appends one line (nothing when the log is off): "-" or "=" alone is a
  // line of 80 such characters; a text starting with "!", "-" or "=" is
  // written without that character; any other text gets three blanks and
  // the time of day. The file is opened and closed for every line, so the
  // trail survives a crash.
  void Write(const std::string& text) const;

  // The line as Write puts it into the file, without the line break.
  static std::string FormatLine(const std::string& text, const std::string& timeOfDay);

 private:
  std::string path_;
};

// The log of this run; off until Start is called.
THelpLog& HelpLog();

}  // namespace orvalis
