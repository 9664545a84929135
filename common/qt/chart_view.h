#pragma once
// What every chart of the suite has in common: series of points from arrays, their
// colours and pens, text labels at data coordinates, value tips under the mouse, and a
// context menu that copies the image, saves it as PNG and saves the numbers as CSV.
// Chart (chart.h) and PolarChart (polar_chart.h) add their axes and series kinds; a
// window uses one of those, never this class alone.
#include "chart_axis.h"
#include "common/series_csv.h"

#include <QChartView>
#include <QColor>
#include <QPointF>
#include <QString>

#include <concepts>
#include <functional>
#include <ranges>
#include <string>
#include <vector>

class QAbstractSeries;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QXYSeries;

namespace common {

struct SeriesStyle {
    QColor color = Qt::black;
    double width = 2;                 // pen width in pixels
    Qt::PenStyle pen = Qt::SolidLine; // Qt::DotLine for the dotted curves of a printout
    // False for what is drawn only as a guide (grid circles, a reference line): it gets
    // no tip, no legend entry and no column in the saved data.
    bool data = true;
};

// An array a chart takes its numbers from: contiguous, of double or float.
template <typename Range>
concept ChartArray = std::ranges::contiguous_range<Range> &&
    (std::same_as<std::ranges::range_value_t<Range>, double> ||
     std::same_as<std::ranges::range_value_t<Range>, float>);

// The numbers of one coordinate of a curve, from any ChartArray: std::vector, std::array,
// std::span (`std::span(gain).first(137)` for the first points). Single precision is
// remembered, so the saved data read as the numbers were computed.
struct ChartValues {
    template <ChartArray Range>
    ChartValues(const Range& values)
        : values(std::ranges::begin(values), std::ranges::end(values)),
          single(std::same_as<std::ranges::range_value_t<Range>, float>) {}
    std::vector<double> values;
    bool single;
};

// The point under the mouse, as a tip tells it. On a polar chart x is the angle and y
// the radius.
struct ChartTip {
    QString series;
    double x = 0, y = 0;
    QString xText, yText; // the values through the masks of the series' axes
    QString xName, yName; // the titles of those axes, or their roles
};

class ChartView : public QChartView {
    Q_OBJECT
public:
    ~ChartView() override;

    void setTitle(const QString& title);
    QString title() const;
    // The programs draw their own legend labels; a chart shows Qt's legend until told not to.
    void setLegendVisible(bool visible);

    // Series are numbered 0, 1, 2 ... in the order they were added.
    int seriesCount() const;

    // Replaces the points of one series. Only as many points as the shorter array holds
    // are taken. A point whose values are not finite is kept in the data (an empty cell)
    // but not drawn: the curve has a gap there.
    void setPoints(int series, const ChartValues& x, const ChartValues& y);
    const SeriesPoints& points(int series) const;
    // Empties one series, or all of them; styles, axes and texts stay.
    void clearPoints(int series);
    void clearPoints();

    void setColor(int series, const QColor& color);
    QColor color(int series) const;
    // Switchable at any time, as a printout with dotted curves needs.
    void setPenStyle(int series, Qt::PenStyle style);
    Qt::PenStyle penStyle(int series) const;
    // The name the tips, the legend and the saved CSV give the series.
    void setSeriesName(int series, const QString& name);
    void setSeriesVisible(int series, bool visible);
    bool isSeriesVisible(int series) const;

    // The text of a text label, numbered in the order they were added.
    QString text(int label) const;
    void setText(int label, const QString& text);

    // The tip text under the mouse; the default names the series and gives x and y in
    // the axes' masks, one per line: "Slot 1", "Takeoff Angle, Degrees: 5.",
    // "Gain, dBi: 7.3". A window may word it itself (say, dB below the peak).
    void setTipText(std::function<QString(const ChartTip&)> tipText);
    // The tip for the point of `series` nearest the chart position `at` (in data units),
    // as the mouse shows it; empty for a series without tips or points.
    QString tipFor(int series, QPointF at) const;

    // The numbers of every visible data series (SeriesCsv), headed by the x axis' name.
    std::string csvText() const;
    // The context menu's commands; they go through the desktop's dialogs and messages.
    void copyImage();
    void saveImage();
    void saveData();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

    // `chart` becomes the view's; the view takes `objectName` so windows and tests find it.
    ChartView(QChart* chart, const QString& objectName, QWidget* parent);

    int addLineSeries(const QString& name, const SeriesStyle& style, MaskedAxis* x, MaskedAxis* y);
    // Diamonds at the points, 5 pen widths across, not joined.
    int addMarkerSeries(const QString& name, const SeriesStyle& style, MaskedAxis* x,
                        MaskedAxis* y);
    // Bars: filled rectangles standing on y = 0 at their own x, `barWidth` wide in x
    // units (0: 0.6 of the closest spacing); `marksMask` not empty puts each bar's value
    // over it in that mask.
    int addBarSeries(const QString& name, const SeriesStyle& style, double barWidth,
                     const std::string& marksMask, MaskedAxis* x, MaskedAxis* y);
    // A text label whose `anchor` point (Qt::AlignCenter, Qt::AlignBottom | Qt::AlignHCenter
    // ...) sits at `at` in the units of the two axes, following every resize.
    int addTextAt(const QString& text, QPointF at, Qt::Alignment anchor, MaskedAxis* x,
                  MaskedAxis* y);
    // The pieces a curve is drawn in: one per run of finite points, each value held
    // within ten spans of its axis; a polar chart also brings angles round into its
    // range and breaks the curve where it crosses 0.
    using Pieces = std::vector<QList<QPointF>>;
    virtual Pieces drawnPieces(const std::vector<QPointF>& points, const MaskedAxis& x,
                               const MaskedAxis& y) const;

private:
    struct Series;
    struct Text;

    Series& at(int series);
    const Series& at(int series) const;
    void redraw(int series);
    void redrawAll();
    void applyPen(Series& series);
    void removeMarks(int series);
    int newSeries(const QString& name, const SeriesStyle& style, MaskedAxis* x, MaskedAxis* y);
    QXYSeries* newLine(int series, const QString& name);
    // Series are drawn again when an axis they stand on changes its range.
    void followRanges(MaskedAxis* x, MaskedAxis* y);
    QLineSeries* mappingSeries(MaskedAxis* x, MaskedAxis* y);
    void placeTexts();
    void showTip(int series, QPointF at, bool entering);
    QString defaultFileName(const QString& suffix) const;

    std::vector<Series> series_;
    std::vector<Text> texts_;
    std::vector<QLineSeries*> mappings_;
    QList<MaskedAxis*> followed_;
    std::function<QString(const ChartTip&)> tipText_;
};

} // namespace common
