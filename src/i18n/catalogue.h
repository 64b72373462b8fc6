// The catalogue of user-visible texts: every text has one entry (key and
// German default) in catalogue_entries.h and is fetched by that entry, never
// by a key written at the call site.
//
//   ShowMessage(Text(tText::ConfirmExit));                  // in its declared form
//   label->setText(Ui(tText::frmMain_lblQuery_caption));   // in the windows
//
// Message entries are keyed by their name ("ConfirmExit"); control texts by
// window, control and property ("frmMain.actExecQuery.caption"), the names a
// language file uses for them.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace orvalis {

enum class tText : int {
#define ORVALIS_MESSAGE(key, german) key,
#define ORVALIS_MESSAGE_IF_PRESENT(key, german) key,
#define ORVALIS_CONTROL(window, control, property, german) window##_##control##_##property,
#include "i18n/catalogue_entries.h"
#undef ORVALIS_MESSAGE
#undef ORVALIS_MESSAGE_IF_PRESENT
#undef ORVALIS_CONTROL
};

struct tTextEntry {
  std::string_view Key;
  std::string_view German;
  // Form 2: a present but empty translation is taken (control texts and the
  // messages declared with ORVALIS_MESSAGE_IF_PRESENT).
  bool EmptyTranslationCounts = false;
};

// All entries, in the order of tText.
std::span<const tTextEntry> Catalogue();
const tTextEntry& Entry(tText text);

// The text in the form its entry declares: the translation, or the German
// default when it is missing (or empty, for form 1 messages).
std::string Text(tText text);
// Form 2: the translation when the key is present (even if empty), else the default.
std::string TextIfPresent(tText text);
// Text(text) with its first "%s" (or "%d") replaced by fill.
std::string TextWith(tText text, std::string_view fill);

}  // namespace orvalis
