#include "i18n/version_info.h"

namespace orvalis {

#ifndef ORVALIS_VERSION
#define ORVALIS_VERSION "0.0.0"
#endif

TCEVersionInfo TCEVersionInfo::ForThisProgram() {
  TCEVersionInfo info;
  info.CompanyName = "Farrowlight";
  info.FileDescription = "Orvalis – JPEG-Fotos nach ihren Metadaten finden";
  info.Internalname = "orvalis";
  info.LegalCopyright = "© 2026 Farrowlight";
  info.LegalTradeMarks = "";
  info.OriginalFilename = "orvalis";
  info.ProductName = "Orvalis";
  info.ProductVersion = ORVALIS_VERSION;
  info.Comments = "";
  // The build's version has three parts; the file version carries a fourth,
  // the build number, as version resources do.
  info.SetFileVersion(std::string(ORVALIS_VERSION) + ".0");
  return info;
}

void TCEVersionInfo::SetFileVersion(const std::string& version) {
  FileVersion = version;
  MajorVersion = MinorVersion = Release = Build = kInfoNotAvailable;
  char separator = '.';
  if (version.find('.') == std::string::npos) {
    if (version.find(',') == std::string::npos) return;
    separator = ',';
  }
  // Major, minor and release end at a separator; the build is the rest.
  // Missing parts stay empty.
  std::string* parts[] = {&MajorVersion, &MinorVersion, &Release, &Build};
  for (std::string* part : parts) part->clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < 4 && start <= version.size(); ++i) {
    const std::size_t end = (i == 3) ? std::string::npos : version.find(separator, start);
    if (end == std::string::npos) {
      *parts[i] = version.substr(start);
      break;
    }
    *parts[i] = version.substr(start, end - start);
    start = end + 1;
  }
}

}  // namespace orvalis
