#include "form_layout.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace common {

QWidget* InRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    for (QWidget* w : widgets) layout->addWidget(w);
    layout->addStretch();
    return row;
}

void AddRow(QGridLayout* grid, QWidget* caption, QWidget* value, QWidget* unit) {
    const int row = grid->rowCount();
    if (caption) grid->addWidget(caption, row, 0, Qt::AlignRight);
    grid->addWidget(unit ? InRow({value, unit}) : value, row, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
}

void AddRow(QGridLayout* grid, const char* caption, QWidget* value, const char* unit) {
    AddRow(grid, caption ? new QLabel(caption) : nullptr, value, unit ? new QLabel(unit) : nullptr);
}

void Exclusive(QWidget* owner, std::initializer_list<QRadioButton*> buttons) {
    auto* group = new QButtonGroup(owner);
    for (QRadioButton* b : buttons) group->addButton(b);
}

void MakeHeading(QWidget* label, double scale) {
    QFont heading = label->font();
    heading.setPointSizeF(heading.pointSizeF() * scale);
    heading.setBold(true);
    label->setFont(heading);
}

void SetTextColour(QWidget* control, bool red) {
    QPalette palette = control->palette();
    const QColor colour = red ? QColor(255, 0, 0) : QColor(0, 0, 255);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    control->setPalette(palette);
}

} // namespace common
