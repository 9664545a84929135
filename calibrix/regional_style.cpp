#include "regional_style.h"

namespace calibrix {

NumberStyle RegionalStyle(const QLocale& locale) {
    NumberStyle style;
    style.decimalPoint = locale.decimalPoint().toStdString();
    if (!(locale.numberOptions() & QLocale::OmitGroupSeparator))
        style.groupSeparator = locale.groupSeparator().toStdString();
    style.leadingZero = true; // Qt's locales always write the zero before the point
    return style;
}

} // namespace calibrix
