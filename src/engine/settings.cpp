// The program settings: defaults, read and write orders, value checks.
#include "engine/settings.h"

#include <limits>

#include "common/ascii_case.h"

namespace orvalis {

namespace {

void ReadText(tSettingsStore& store, std::string_view name, std::string& value) {
  if (auto read = store.ReadText(name)) value = *read;
}

void ReadInteger(tSettingsStore& store, std::string_view name, std::int32_t& value) {
  if (auto read = store.ReadInteger(name)) value = *read;
}

// Like ReadInteger, but a value outside [low, high] counts as unreadable.
void ReadIntegerIn(tSettingsStore& store, std::string_view name, std::int32_t& value,
                   std::int32_t low, std::int32_t high) {
  if (auto read = store.ReadInteger(name)) {
    if (*read >= low && *read <= high) value = *read;
  }
}

void ReadFlag(tSettingsStore& store, std::string_view name, bool& value) {
  if (auto read = store.ReadInteger(name)) value = *read != 0;
}

void WriteFlag(tSettingsStore& store, std::string_view name, bool value) {
  store.WriteInteger(name, value ? 1 : 0);
}

// Thumbnails are bitmaps kept for every hit; a hand-edited size must not
// make them huge or empty.
constexpr std::int32_t kMinThumbnailSide = 16;
constexpr std::int32_t kMaxThumbnailSide = 1024;
constexpr std::int32_t kMaxFontSize = 200;

}  // namespace

std::string ResultViewStyleName(tResultViewStyle style) {
  switch (style) {
    case tResultViewStyle::List: return "List";
    case tResultViewStyle::Detail: return "Detail";
    case tResultViewStyle::Preview: break;
  }
  return "Preview";
}

tResultViewStyle ParseResultViewStyle(std::string_view text) {
  const std::string lowered = AsciiLower(text);
  if (lowered == "list") return tResultViewStyle::List;
  if (lowered == "detail") return tResultViewStyle::Detail;
  return tResultViewStyle::Preview;
}

void tSettings::ReadFrom(tSettingsStore& store) {
  ReadText(store, "ResultViewerMode", ResultViewerMode);
  ReadText(store, "ResultViewerAppname", ResultViewerAppname);
  ReadText(store, "ResultViewerParams", ResultViewerParams);
  ReadInteger(store, "WindowTop", WindowTop);
  ReadInteger(store, "WindowLeft", WindowLeft);
  ReadInteger(store, "WindowWidth", WindowWidth);
  ReadInteger(store, "WindowHeight", WindowHeight);
  ReadInteger(store, "QueryHeight", QueryHeight);
  ReadInteger(store, "SidebarWidth", SidebarWidth);
  ReadFlag(store, "ShowSidebar", ShowSidebar);
  ReadText(store, "LastQuery", LastQuery);
  ReadIntegerIn(store, "ThumbnailWidth", ThumbnailWidth, kMinThumbnailSide, kMaxThumbnailSide);
  ReadIntegerIn(store, "ThumbnailHeight", ThumbnailHeight, kMinThumbnailSide, kMaxThumbnailSide);
  ReadFlag(store, "GeneratePreview", GeneratePreview);
  ReadFlag(store, "UseNullText", UseNullText);
  ReadFlag(store, "StrDelimDoubleQuote", StrDelimDoubleQuote);
  ReadText(store, "NullText", NullText);
  ReadFlag(store, "DontAskOnExit", DontAskOnExit);
  if (auto limit = store.ReadInteger("RefinementLimit")) {
    if (IsValidHitLimit(*limit)) RefinementLimit = *limit;
  }
  ReadFlag(store, "EnforceRefinement", EnforceRefinement);
  ReadText(store, "QueryFontFace", QueryFontFace);
  ReadIntegerIn(store, "QueryFontSize", QueryFontSize, 1, kMaxFontSize);
  ReadText(store, "ResultFontFace", ResultFontFace);
  ReadIntegerIn(store, "ResultFontSize", ResultFontSize, 1, kMaxFontSize);
  ReadFlag(store, "RunWizardOnStartup", RunWizardOnStartup);
  if (auto style = store.ReadText("ResultViewStyle"))
    ResultViewStyle = ParseResultViewStyle(*style);
  ReadFlag(store, "TurnByOrientation", TurnByOrientation);
}

void tSettings::WriteTo(tSettingsStore& store) const {
  store.WriteInteger("WindowWidth", WindowWidth);
  store.WriteInteger("WindowHeight", WindowHeight);
  store.WriteInteger("QueryHeight", QueryHeight);
  store.WriteInteger("SidebarWidth", SidebarWidth);
  store.WriteInteger("WindowTop", WindowTop);
  store.WriteInteger("WindowLeft", WindowLeft);
  WriteFlag(store, "ShowSidebar", ShowSidebar);
  store.WriteText("ResultViewerMode", ResultViewerMode);
  store.WriteText("ResultViewerAppname", ResultViewerAppname);
  store.WriteText("ResultViewerParams", ResultViewerParams);
  store.WriteText("LastQuery", LastQuery);
  store.WriteInteger("ThumbnailWidth", ThumbnailWidth);
  store.WriteInteger("ThumbnailHeight", ThumbnailHeight);
  WriteFlag(store, "GeneratePreview", GeneratePreview);
  WriteFlag(store, "UseNullText", UseNullText);
  store.WriteText("NullText", NullText);
  WriteFlag(store, "DontAskOnExit", DontAskOnExit);
  WriteFlag(store, "StrDelimDoubleQuote", StrDelimDoubleQuote);
  store.WriteInteger("RefinementLimit", RefinementLimit);
  WriteFlag(store, "EnforceRefinement", EnforceRefinement);
  store.WriteText("QueryFontFace", QueryFontFace);
  store.WriteInteger("QueryFontSize", QueryFontSize);
  store.WriteText("ResultFontFace", ResultFontFace);
  store.WriteInteger("ResultFontSize", ResultFontSize);
  WriteFlag(store, "RunWizardOnStartup", RunWizardOnStartup);
  store.WriteText("ResultViewStyle", ResultViewStyleName(ResultViewStyle));
  WriteFlag(store, "TurnByOrientation", TurnByOrientation);
}

char tSettings::ViewerModeLetter() const {
  if (ResultViewerMode.empty()) return '\0';
  return AsciiUpper(ResultViewerMode[0]);
}

bool IsValidHitLimit(std::int64_t limit) {
  return limit >= 1 && limit <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace orvalis
