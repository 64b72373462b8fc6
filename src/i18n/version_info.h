// The program's version information, taken from what the build compiled in,
// with the file version split into its four parts.
#pragma once

#include <string>

namespace orvalis {

inline constexpr const char* kInfoNotAvailable = "<info not available>";

struct TCEVersionInfo {
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string Internalname;
  std::string LegalCopyright;
  std::string LegalTradeMarks;
  std::string OriginalFilename;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;
  std::string MajorVersion;
  std::string MinorVersion;
  std::string Release;
  std::string Build;

  // This program's information.
  static TCEVersionInfo ForThisProgram();
  // Sets FileVersion and its four parts: split at "." (or, when there is
  // none, at ","); the parts are kInfoNotAvailable when the version is empty
  // or has neither separator.
  void SetFileVersion(const std::string& version);
};

}  // namespace orvalis
