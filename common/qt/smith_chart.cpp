#include "smith_chart.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace common {
namespace {

constexpr double GridValues[] = {0.2, 0.5, 1, 2, 5};
constexpr int Margin = 28;      // room for the reactance labels round the rim
constexpr int TipReach = 8;     // pixels
constexpr int SwatchWidth = 22; // a legend entry's line

QString gridText(double value) { return QString::number(value); }

} // namespace

SmithChart::SmithChart(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SmithChart::setTitle(const QString& title) {
    title_ = title;
    update();
}

int SmithChart::addCurve(const QString& name, const SmithCurveStyle& style) {
    curves_.push_back({name, style, {}, true});
    update();
    return curveCount() - 1;
}

void SmithChart::setPoints(int curve, std::vector<SmithChartPoint> points) {
    curves_.at(curve).points = std::move(points);
    update();
}

const std::vector<SmithChartPoint>& SmithChart::points(int curve) const {
    return curves_.at(curve).points;
}

void SmithChart::setCurveVisible(int curve, bool visible) {
    curves_.at(curve).visible = visible;
    update();
}

bool SmithChart::isCurveVisible(int curve) const { return curves_.at(curve).visible; }

void SmithChart::setCircle(double radius, const QString& name) {
    circleRadius_ = radius > 0 && std::isfinite(radius) ? radius : 0;
    circleName_ = name;
    update();
}

int SmithChart::legendHeight() const { return 2 * fontMetrics().height() + 8; }

double SmithChart::radius() const {
    const int top = title_.isEmpty() ? 0 : fontMetrics().height() + 4;
    const double across = std::min(width(), height() - top - legendHeight()) - 2.0 * Margin;
    return std::max(across / 2, 10.0);
}

QPointF SmithChart::centre() const {
    const int top = title_.isEmpty() ? 0 : fontMetrics().height() + 4;
    return {width() / 2.0, top + Margin + radius()};
}

QPointF SmithChart::pixelOf(std::complex<double> gamma) const {
    const QPointF c = centre();
    return {c.x() + gamma.real() * radius(), c.y() - gamma.imag() * radius()};
}

QString SmithChart::tipAt(QPointF at) const {
    double nearest = TipReach + 0.5;
    QString tip;
    for (const Curve& curve : curves_) {
        if (!curve.visible) continue;
        for (const SmithChartPoint& p : curve.points) {
            const QPointF d = pixelOf(p.gamma) - at;
            const double distance = std::hypot(d.x(), d.y());
            if (distance <= nearest) { // a curve drawn later lies on top
                nearest = distance;
                tip = curve.name + "\n" + p.tip;
            }
        }
    }
    return tip;
}

QImage SmithChart::image() { return grab().toImage(); }

bool SmithChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = tipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void SmithChart::drawGrid(QPainter& painter) const {
    const QPointF c = centre();
    const double r = radius();
    auto circle = [&](std::complex<double> middle, double across) {
        painter.drawEllipse(pixelOf(middle), across * r, across * r);
    };
    QPainterPath inside;
    inside.addEllipse(c, r, r);

    painter.setPen(QPen(QColor(190, 190, 190), 1));
    painter.setClipPath(inside);
    for (double v : GridValues) {
        circle({v / (1 + v), 0}, 1 / (1 + v)); // resistance v
        circle({1, 1 / v}, 1 / v);             // reactance +v
        circle({1, -1 / v}, 1 / v);            // reactance -v
    }
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(pixelOf({-1, 0}), pixelOf({1, 0}));
    painter.drawEllipse(c, r, r);

    painter.setPen(QColor(90, 90, 90));
    const QFontMetrics metrics = fontMetrics();
    for (double v : GridValues) {
        // The resistance on the real axis, the reactance just outside the rim.
        const QPointF onAxis = pixelOf({(v - 1) / (v + 1), 0});
        painter.drawText(onAxis + QPointF(2, -3), gridText(v));
        for (double sign : {1.0, -1.0}) {
            const std::complex<double> z(0, sign * v);
            const std::complex<double> rim = (z - 1.0) / (z + 1.0);
            const QPointF out = c + (pixelOf(rim) - c) * (1 + 14 / r);
            const QString text = (sign > 0 ? "+j" : "-j") + gridText(v);
            const QRectF box(out.x() - metrics.horizontalAdvance(text) / 2.0,
                             out.y() - metrics.height() / 2.0, metrics.horizontalAdvance(text),
                             metrics.height());
            painter.drawText(box, Qt::AlignCenter, text);
        }
    }
    painter.drawText(pixelOf({-1, 0}) + QPointF(-14, -3), "0");
    painter.drawText(pixelOf({1, 0}) + QPointF(4, -3), QString::fromUtf8("\u221e"));
}

void SmithChart::drawLegend(QPainter& painter) const {
    const QFontMetrics metrics = fontMetrics();
    struct Entry {
        QString name;
        QPen pen;
        bool dot;
    };
    std::vector<Entry> entries;
    for (const Curve& curve : curves_)
        if (curve.visible && !curve.points.empty())
            entries.push_back(
                {curve.name, QPen(curve.style.color, curve.style.width), curve.style.markers});
    if (circleRadius_ > 0)
        entries.push_back({circleName_, QPen(Qt::darkGray, 1, Qt::DashLine), false});

    // As many entries a row as fit, two rows at most.
    double x = 8, y = height() - legendHeight() + 4 + metrics.ascent();
    for (const Entry& e : entries) {
        const double need = SwatchWidth + 6 + metrics.horizontalAdvance(e.name) + 16;
        if (x + need > width() && x > 8) {
            x = 8;
            y += metrics.height() + 2;
        }
        painter.setPen(e.pen);
        const double middle = y - metrics.ascent() / 2.0 + 1;
        if (e.dot) {
            painter.setBrush(e.pen.color());
            painter.drawEllipse(QPointF(x + SwatchWidth / 2.0, middle), 3, 3);
            painter.setBrush(Qt::NoBrush);
        } else
            painter.drawLine(QPointF(x, middle), QPointF(x + SwatchWidth, middle));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + SwatchWidth + 6, y), e.name);
        x += need;
    }
}

void SmithChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    if (!title_.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, 2, width(), fontMetrics().height()), Qt::AlignHCenter, title_);
        painter.setFont(font());
    }
    drawGrid(painter);

    if (circleRadius_ > 0) {
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        painter.drawEllipse(centre(), circleRadius_ * radius(), circleRadius_ * radius());
    }
    for (const Curve& curve : curves_) {
        if (!curve.visible || curve.points.empty()) continue;
        painter.setPen(QPen(curve.style.color, curve.style.width));
        painter.setBrush(curve.style.color);
        const double dot = std::max(3.0, curve.style.width + 1.5);
        if (curve.style.markers) {
            for (const SmithChartPoint& p : curve.points)
                painter.drawEllipse(pixelOf(p.gamma), dot, dot);
        } else {
            QPolygonF line;
            for (const SmithChartPoint& p : curve.points) line << pixelOf(p.gamma);
            painter.drawPolyline(line);
            painter.drawEllipse(line.back(), dot, dot);
        }
        painter.setBrush(Qt::NoBrush);
    }
    drawLegend(painter);
}

} // namespace common
