#include "engine/help_log.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace orvalis {

namespace {

std::string TimeOfDay() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

bool CanCreateFileIn(const std::filesystem::path& folder) {
  const std::filesystem::path probe = folder / ".orvalis-write-test";
  {
    std::ofstream out(probe);
    if (!out) return false;
  }
  std::error_code ignored;
  std::filesystem::remove(probe, ignored);
  return true;
}

}  // namespace

std::string THelpLog::ChooseFolder(const std::string& programFolder) {
  if (!programFolder.empty() && CanCreateFileIn(programFolder)) return programFolder;
  std::error_code error;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  return error ? std::string("/tmp") : temp.string();
}

void THelpLog::Start(const std::string& folder,
                     const std::vector<std::pair<std::string, std::string>>& header,
                     std::size_t firstBlock) {
  path_ = (std::filesystem::path(folder) / kHelpLogName).string();
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (i == firstBlock) Write("-");
    Write("!" + header[i].first + " " + header[i].second);
  }
}

std::string THelpLog::FormatLine(const std::string& text, const std::string& timeOfDay) {
  if (text == "-" || text == "=") return std::string(80, text[0]);
  if (!text.empty() && (text[0] == '!' || text[0] == '-' || text[0] == '=')) return text.substr(1);
  return text + "   " + timeOfDay;
}

void THelpLog::Write(const std::string& text) const {
  if (path_.empty()) return;
  std::ofstream out(path_, std::ios::app | std::ios::binary);
  out << FormatLine(text, TimeOfDay()) << '\n';
}

THelpLog& HelpLog() {
  static THelpLog log;
  return log;
}

}  // namespace orvalis
