// Text for the outside world: ToDisplayUtf8 lives in common/utf8.h, so the
// language files read by the i18n module convert the same way.
#pragma once

#include "common/utf8.h"
