#pragma once
// A short stroke in a curve's colour and pen, to stand before its name in a legend the
// window draws itself.
#include <QColor>

class QLabel;

namespace qelt {

QLabel* LegendStroke(const QColor& colour, Qt::PenStyle pen = Qt::SolidLine);

} // namespace qelt
