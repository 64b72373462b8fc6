// The user's locale for both programs, read through Qt's QLocale (LC_ALL,
// LC_NUMERIC, LC_TIME, LANG and Qt's own locale data), so a German setting
// works without the C library's locales.
#pragma once

#include "common/locale_info.h"

namespace orvalis::platform {

// LocaleInfo::English() when Qt is not available or the locale is "C".
LocaleInfo SystemLocale();

}  // namespace orvalis::platform
