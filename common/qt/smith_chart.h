#pragma once
// A Smith chart drawn with QPainter: the reflection plane's unit circle with circles of
// constant normalised resistance and arcs of constant normalised reactance, curves and
// markers of reflection coefficients on it, one dashed circle of constant |gamma| (a
// constant-SWR circle), a legend below, and a tip for the point under the mouse.
//
//     auto* smith = new common::SmithChart("Smith1", this);
//     int line = smith->addCurve("Along the line", {Qt::blue});
//     int load = smith->addCurve("Load", {Qt::red, 2, true});        // markers, not joined
//     smith->setPoints(line, {{gamma0, "R 50, X 0"}, {gamma1, "..."}});
//     smith->setCircle(0.2, "SWR 1.50");
//
// The chart is black on white, so common::PrintWindow puts it on paper as it is; image()
// is what SaveImageAsPng takes.
#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <complex>
#include <vector>

namespace common {

struct SmithChartPoint {
    std::complex<double> gamma;
    QString tip; // what the mouse shows over the point
};

struct SmithCurveStyle {
    QColor color = Qt::black;
    double width = 2;     // pen width in pixels
    bool markers = false; // a dot at each point, not joined
};

class SmithChart : public QWidget {
    Q_OBJECT
public:
    explicit SmithChart(const QString& objectName, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const { return title_; }

    // Curves are numbered 0, 1, 2 ... in the order they were added. A line curve marks its
    // last point with a dot, so the direction of a path shows.
    int addCurve(const QString& name, const SmithCurveStyle& style = {});
    int curveCount() const { return static_cast<int>(curves_.size()); }
    void setPoints(int curve, std::vector<SmithChartPoint> points);
    const std::vector<SmithChartPoint>& points(int curve) const;
    void setCurveVisible(int curve, bool visible);
    bool isCurveVisible(int curve) const;

    // The dashed circle of constant |gamma| = radius, named in the legend; none for a
    // radius not above 0.
    void setCircle(double radius, const QString& name);
    double circleRadius() const { return circleRadius_; }

    // Where a reflection is drawn, in the widget's pixels.
    QPointF pixelOf(std::complex<double> gamma) const;
    // The tip of the visible point nearest to `at` within 8 pixels (of points in one place,
    // the one drawn last, on top); empty when none is.
    QString tipAt(QPointF at) const;
    // The chart as it is drawn, at the widget's size.
    QImage image();

    QSize sizeHint() const override { return {520, 560}; }
    QSize minimumSizeHint() const override { return {260, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Curve {
        QString name;
        SmithCurveStyle style;
        std::vector<SmithChartPoint> points;
        bool visible = true;
    };
    // The unit circle's centre and radius in pixels.
    QPointF centre() const;
    double radius() const;
    int legendHeight() const;
    void drawGrid(class QPainter& painter) const;
    void drawLegend(QPainter& painter) const;

    QString title_;
    std::vector<Curve> curves_;
    double circleRadius_ = 0;
    QString circleName_;
};

} // namespace common
