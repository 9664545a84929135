#include "window_parts.h"

#include "common/qt/desktop.h"
#include "common/qt/form_support.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

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

QLineEdit* EntryBox(const char* name, const char* text) {
    auto* box = common::Named<QLineEdit>(name, text);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(widthFor(box, QString(10, '0')));
    return box;
}

QWidget* InRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6); // a unit stands clear of its box
    for (QWidget* w : widgets) layout->addWidget(w);
    layout->addStretch();
    return row;
}

void AddRow(QGridLayout* grid, QWidget* caption, QWidget* value, QWidget* unit) {
    int row = grid->rowCount();
    grid->addWidget(caption, row, 0, Qt::AlignRight);
    grid->addWidget(unit ? InRow({value, unit}) : value, row, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
}

void AddRow(QGridLayout* grid, const char* caption, QWidget* value, const char* unit) {
    AddRow(grid, new QLabel(caption), value, unit ? new QLabel(unit) : nullptr);
}

void Exclusive(QWidget* owner, std::initializer_list<QRadioButton*> buttons) {
    auto* group = new QButtonGroup(owner);
    for (QRadioButton* b : buttons) group->addButton(b);
}

void SetTextColour(QWidget* control, bool red) {
    QPalette palette = control->palette();
    const QColor colour = red ? QColor(255, 0, 0) : QColor(0, 0, 255);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    control->setPalette(palette);
}

void ShowMessages(QWidget* parent, const std::vector<Message>& messages) {
    for (const Message& m : messages) common::desktop().message(parent, q(m.text), q(m.title));
}

void MakeHeading(QWidget* label, double scale) {
    QFont heading = label->font();
    heading.setPointSizeF(heading.pointSizeF() * scale);
    heading.setBold(true);
    label->setFont(heading);
}

} // namespace kavlo
