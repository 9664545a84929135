#pragma once
// The user's regional number style, as Qt knows it, in plain 8-bit characters: the
// table file is read by assembler tools that know nothing of Unicode, so a separator
// outside ASCII becomes its plain counterpart (a blank for the narrow or no-break
// spaces, an apostrophe for the typographic one) or, failing that, the C style's.
#include "calibrix/core/number_style.h"

#include <QLocale>

namespace calibrix {

NumberStyle RegionalStyle(const QLocale& locale);

} // namespace calibrix
