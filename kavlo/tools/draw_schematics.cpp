// draw-schematics FOLDER: draws the six tuner networks the result pages show, as BMP
// pictures named as the program looks for them: the source on the left, the load on
// the right, each part labelled as in the component table.
#include "kavlo/core/tuner_networks.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <vector>

namespace {

using kavlo::Connection;
using kavlo::NetworkShape;

struct Sketch {
    bool inductor;
    Connection connection;
};

// The parts of each network, source side first.
std::vector<Sketch> partsOf(NetworkShape shape) {
    constexpr auto Series = Connection::Series, Shunt = Connection::Shunt;
    switch (shape) {
    case NetworkShape::HighPassShuntAtLoad:
        return {{false, Series}, {true, Shunt}};
    case NetworkShape::HighPassShuntAtInput:
        return {{true, Shunt}, {false, Series}};
    case NetworkShape::LowPassShuntAtLoad:
        return {{true, Series}, {false, Shunt}};
    case NetworkShape::LowPassShuntAtInput:
        return {{false, Shunt}, {true, Series}};
    case NetworkShape::Pi:
        return {{false, Shunt}, {true, Series}, {false, Shunt}};
    case NetworkShape::Tee:
        return {{false, Series}, {true, Shunt}, {false, Series}};
    }
    return {};
}

constexpr int Width = 420, Height = 170;
constexpr int Top = 50, Bottom = 140; // the two rails
constexpr int Left = 40, Right = Width - 40;

// A capacitor across the line from a to b: two plates, the gap in the middle.
void capacitor(QPainter& p, QPointF a, QPointF b) {
    const QPointF mid = (a + b) / 2;
    const bool across = a.y() == b.y(); // horizontal wire: vertical plates
    const QPointF gap = across ? QPointF(5, 0) : QPointF(0, 5);
    const QPointF plate = across ? QPointF(0, 14) : QPointF(14, 0);
    p.drawLine(a, mid - gap);
    p.drawLine(mid + gap, b);
    for (QPointF side : {mid - gap, mid + gap}) p.drawLine(side - plate, side + plate);
}

// An inductor from a to b: four turns in the middle.
void inductor(QPainter& p, QPointF a, QPointF b) {
    const QPointF mid = (a + b) / 2;
    const bool across = a.y() == b.y();
    constexpr double turn = 10, turns = 4;
    const QPointF half = across ? QPointF(turn * turns / 2, 0) : QPointF(0, turn * turns / 2);
    p.drawLine(a, mid - half);
    p.drawLine(mid + half, b);
    QPainterPath coil(mid - half);
    for (int k = 0; k < turns; ++k) {
        const QPointF start = mid - half + (across ? QPointF(k * turn, 0) : QPointF(0, k * turn));
        const QRectF box = across ? QRectF(start.x(), start.y() - turn / 2, turn, turn)
                                  : QRectF(start.x() - turn / 2, start.y(), turn, turn);
        if (across)
            coil.arcTo(box, 180, -180);
        else
            coil.arcTo(box, 90, 180);
    }
    p.drawPath(coil);
}

void terminal(QPainter& p, double x, const QString& caption) {
    p.setBrush(Qt::white);
    for (int y : {Top, Bottom}) p.drawEllipse(QPointF(x, y), 4, 4);
    p.setBrush(Qt::NoBrush);
    const QRectF label(x - 40, Bottom + 8, 80, 20);
    p.drawText(label, Qt::AlignCenter, caption);
}

QImage draw(NetworkShape shape) {
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setFont(QFont("DejaVu Sans", 11, QFont::Bold));

    const std::vector<Sketch> parts = partsOf(shape);
    // Each part gets a column: a series part spans it on the top rail, a shunt part
    // stands in its middle between the rails.
    const double column = double(Right - Left) / parts.size();
    p.drawLine(QPointF(Left, Bottom), QPointF(Right, Bottom));
    for (size_t k = 0; k < parts.size(); ++k) {
        const double x0 = Left + k * column, x1 = x0 + column, xm = (x0 + x1) / 2;
        const Sketch& part = parts[k];
        const QString label = QString(part.inductor ? "L" : "C") + QString::number(k + 1);
        auto symbol = part.inductor ? inductor : capacitor;
        if (part.connection == Connection::Series) {
            symbol(p, QPointF(x0, Top), QPointF(x1, Top));
            p.drawText(QRectF(xm - 30, Top - 42, 60, 20), Qt::AlignCenter, label);
        } else {
            p.drawLine(QPointF(x0, Top), QPointF(x1, Top));
            symbol(p, QPointF(xm, Top), QPointF(xm, Bottom));
            p.drawText(QRectF(xm + 18, (Top + Bottom) / 2 - 10, 40, 20), Qt::AlignLeft, label);
            p.setBrush(Qt::black);
            p.drawEllipse(QPointF(xm, Top), 3, 3);
            p.drawEllipse(QPointF(xm, Bottom), 3, 3);
            p.setBrush(Qt::NoBrush);
        }
    }
    p.setFont(QFont("DejaVu Sans", 10));
    terminal(p, Left, "Source");
    terminal(p, Right, "Load");
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-schematics FOLDER\n");
        return 2;
    }
    // Drawing text needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (int s = 0; s < kavlo::ShapeCount; ++s) {
        const auto shape = static_cast<NetworkShape>(s);
        const QString path = QString::fromLocal8Bit(argv[1]) + "/" + kavlo::InfoOf(shape).schematic;
        if (!draw(shape).save(path, "BMP")) {
            std::fprintf(stderr, "draw-schematics: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
