// The program settings with their stored names and defaults, and the fixed
// orders in which they are read at start and written at exit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/text.h"  // ParseInteger reads the settings dialog's hit limit

namespace orvalis {

enum class tResultViewStyle { Preview, List, Detail };

// "Preview", "List" or "Detail" as stored.
std::string ResultViewStyleName(tResultViewStyle style);
// Read without regard to case; any other text means preview.
tResultViewStyle ParseResultViewStyle(std::string_view text);

// Where the settings are kept. Values are named by their stored names; a
// flag is an integer 0 or 1.
class tSettingsStore {
 public:
  virtual ~tSettingsStore() = default;
  // Nothing when the value is missing or cannot be read as its kind.
  virtual std::optional<std::string> ReadText(std::string_view name) = 0;
  virtual std::optional<std::int32_t> ReadInteger(std::string_view name) = 0;
  virtual void WriteText(std::string_view name, const std::string& value) = 0;
  virtual void WriteInteger(std::string_view name, std::int32_t value) = 0;
};

// Defaults the stored settings start from, and a run without stored
// settings (the command line) uses.
constexpr std::int32_t kDefaultRefinementLimit = 300;
constexpr const char* kDefaultNullText = "(Null)";
constexpr std::int32_t kDefaultThumbnailWidth = 160;
constexpr std::int32_t kDefaultThumbnailHeight = 120;

struct tSettings {
  std::string ResultViewerMode = "W";
  std::string ResultViewerAppname;
  std::string ResultViewerParams;
  // -1 keeps the window's design value.
  std::int32_t WindowTop = -1;
  std::int32_t WindowLeft = -1;
  std::int32_t WindowWidth = -1;
  std::int32_t WindowHeight = -1;
  std::int32_t QueryHeight = -1;
  std::int32_t SidebarWidth = -1;
  bool ShowSidebar = false;
  std::string LastQuery;
  std::int32_t ThumbnailWidth = kDefaultThumbnailWidth;
  std::int32_t ThumbnailHeight = kDefaultThumbnailHeight;
  bool GeneratePreview = false;
  bool UseNullText = true;
  bool StrDelimDoubleQuote = false;
  std::string NullText = kDefaultNullText;
  bool DontAskOnExit = true;
  std::int32_t RefinementLimit = kDefaultRefinementLimit;
  bool EnforceRefinement = true;
  std::string QueryFontFace = "Courier";
  std::int32_t QueryFontSize = 12;
  std::string ResultFontFace = "MS Sans Serif";
  std::int32_t ResultFontSize = 10;
  bool RunWizardOnStartup = true;
  tResultViewStyle ResultViewStyle = tResultViewStyle::Preview;
  // The viewer and the thumbnails show photos turned by their EXIF orientation.
  bool TurnByOrientation = true;

  // Each value on its own, in the order of the settings table; a value that
  // is missing or unreadable keeps what the settings hold.
  void ReadFrom(tSettingsStore& store);
  // All values, in the order of writing at exit.
  void WriteTo(tSettingsStore& store) const;

  // The viewer letter as it is compared: upper case.
  char ViewerModeLetter() const;
};

// The hit limit must be a whole positive number: a limit of zero or less
// would stop every run before its first file.
bool IsValidHitLimit(std::int64_t limit);

}  // namespace orvalis
