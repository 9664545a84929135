#pragma once
// The cores' std::string texts as Qt's QString and back, for the windows.
#include <QString>

#include <string>

namespace common {

inline QString q(const std::string& text) { return QString::fromStdString(text); }
inline std::string s(const QString& text) { return text.toStdString(); }

} // namespace common
