#pragma once
// The analyser's controls as its forms make them: named for tests and tools, with the
// tool tip the form gives them.
#include "common/qt/form_support.h"

#include <QLineEdit>
#include <QPushButton>

class QDialog;
class QLayout;

namespace qelt {

// A button with its caption and tool tip.
inline QPushButton* Button(const char* name, const char* caption, const char* tip) {
    auto* b = common::Named<QPushButton>(name, caption);
    b->setToolTip(tip);
    return b;
}

// A box for a number, as wide as a number needs.
inline QLineEdit* NumberBox(const char* name, const char* tip = nullptr) {
    auto* edit = common::Named<QLineEdit>(name);
    if (tip) edit->setToolTip(tip);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("00000.000") + 16);
    return edit;
}

// A small dialog: its rows above OK and Cancel, at the size they need; OK is the default
// button and Cancel rejects.
void LayOutDialog(QDialog* dialog, QLayout* rows, QPushButton* ok, QPushButton* cancel);

} // namespace qelt
