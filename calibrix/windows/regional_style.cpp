#include "regional_style.h"

namespace calibrix {

namespace {

std::string plain(const QString& separator, const char* otherwise) {
    if (separator.size() != 1) return otherwise;
    const QChar c = separator[0];
    if (c.unicode() < 0x80) return std::string(1, c.toLatin1());
    if (c.isSpace() || c.category() == QChar::Separator_Space) return " ";
    if (c == QChar(0x2019) || c == QChar(0x2018) || c == QChar(0x02BC)) return "'";
    return otherwise;
}

} // namespace

NumberStyle RegionalStyle(const QLocale& locale) {
    NumberStyle style;
    style.decimalPoint = plain(locale.decimalPoint(), ".");
    if (!(locale.numberOptions() & QLocale::OmitGroupSeparator))
        style.groupSeparator =
            plain(locale.groupSeparator(), style.decimalPoint == "," ? " " : ",");
    style.leadingZero = true; // Qt's locales always write the zero before the point
    return style;
}

} // namespace calibrix
