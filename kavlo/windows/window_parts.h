#pragma once
// The pieces every Kavlo window is laid out with: result and entry boxes sized for
// their texts, the suite's form layout, the model's messages shown through the desktop
// service.
#include "common/qt/desktop.h"
#include "common/qt/form_layout.h"
#include "common/qt/qt_text.h"

class QLineEdit;
class QWidget;

namespace kavlo {

using common::AddRow;
using common::Exclusive;
using common::InRow;
using common::MakeHeading;
using common::q;
using common::s;
using common::SetTextColour;
using common::ShowMessages;

// A box the program writes and the user reads, wide enough for `longest`.
QLineEdit* ResultBox(const char* name, const char* longest);
// A result box at least as wide as `longest` and as wide as the text it now shows, so a
// user line's large impedance is never cut off.
void FitToText(QLineEdit* box, const char* longest);
// A box the user types into, starting with `text`.
QLineEdit* EntryBox(const char* name, const char* text);

} // namespace kavlo
