#pragma once
// The user's regional number style, as Qt knows it.
#include "number_style.h"

#include <QLocale>

namespace calibrix {

NumberStyle RegionalStyle(const QLocale& locale);

} // namespace calibrix
