#include "window_parts.h"

#include "common/qt/desktop.h"
#include "common/qt/form_support.h"

#include <QLineEdit>

#include <algorithm>

namespace kavlo {
namespace {

// Room for a text in a box, frame and margins included.
int widthFor(const QLineEdit* box, const QString& longest) {
    return box->fontMetrics().horizontalAdvance(longest) + 16;
}

} // namespace

QLineEdit* ResultBox(const char* name, const char* longest) {
    auto* box = common::Named<QLineEdit>(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(widthFor(box, longest));
    return box;
}

void FitToText(QLineEdit* box, const char* longest) {
    box->setFixedWidth(std::max(widthFor(box, longest), widthFor(box, box->text())));
}

QLineEdit* EntryBox(const char* name, const char* text) {
    auto* box = common::Named<QLineEdit>(name, text);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(widthFor(box, QString(10, '0')));
    return box;
}

} // namespace kavlo
