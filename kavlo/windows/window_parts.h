#pragma once
// The pieces every Kavlo window is laid out with: result and entry boxes sized for
// their texts, the suite's form layout, and the model's messages shown through the
// desktop service.
#include "kavlo/core/message.h"

#include "common/qt/form_layout.h"

#include <QString>

#include <string>
#include <vector>

class QLineEdit;
class QWidget;

namespace kavlo {

using common::AddRow;
using common::Exclusive;
using common::InRow;
using common::MakeHeading;
using common::SetTextColour;

inline QString q(const std::string& text) { return QString::fromStdString(text); }
inline std::string s(const QString& text) { return text.toStdString(); }

// A box the program writes and the user reads, wide enough for `longest`.
QLineEdit* ResultBox(const char* name, const char* longest);
// A box the user types into, starting with `text`.
QLineEdit* EntryBox(const char* name, const char* text);

// Message boxes, one after another.
void ShowMessages(QWidget* parent, const std::vector<Message>& messages);

} // namespace kavlo
