#include "legend_stroke.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace qelt {

QLabel* LegendStroke(const QColor& colour, Qt::PenStyle pen) {
    QPixmap stroke(28, 12);
    stroke.fill(Qt::transparent);
    QPainter painter(&stroke);
    painter.setPen(QPen(colour, 2.5, pen));
    painter.drawLine(2, 6, 26, 6);
    auto* label = new QLabel;
    label->setPixmap(stroke);
    return label;
}

} // namespace qelt
