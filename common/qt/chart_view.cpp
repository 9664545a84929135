#include "chart_view.h"

#include "chart_export.h"
#include "common/number_text.h"

#include <QAction>
#include <QAreaSeries>
#include <QContextMenuEvent>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QScatterSeries>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>

namespace common {

struct ChartView::Series {
    // A curve is drawn as one or more lines (polar curves break where they cross 0),
    // markers as scattered points, bars as the area under one outline, lines[0],
    // standing on `base`.
    std::vector<QXYSeries*> lines;
    bool markers = false;
    QAreaSeries* area = nullptr;
    QLineSeries* base = nullptr;
    MaskedAxis* x = nullptr;
    MaskedAxis* y = nullptr;
    SeriesStyle style;
    SeriesPoints points;
    bool visible = true;
    double barWidth = 0;
    std::string marksMask;
    std::vector<QGraphicsSimpleTextItem*> marks;

    // The Qt series that stands for this one in the chart's legend and mappings.
    QAbstractSeries* shown() const {
        return area ? static_cast<QAbstractSeries*>(area) : lines.front();
    }
};

struct ChartView::Text {
    QGraphicsSimpleTextItem* item;
    QPointF at;
    Qt::Alignment anchor;
    QLineSeries* mapping;
};

namespace {

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// A point held within ten spans of each axis: Qt draws nonsense from lines that reach
// 1e300, and strokes a line a million pixels long for ages.
QPointF held(QPointF p, const MaskedAxis& x, const MaskedAxis& y) {
    auto hold = [](double v, const MaskedAxis& axis) {
        const double reach = 10 * (axis.maximum() - axis.minimum());
        return std::clamp(v, axis.minimum() - reach, axis.maximum() + reach);
    };
    return {hold(p.x(), x), hold(p.y(), y)};
}

// The top left corner that puts the `anchor` point of `size` at `p`.
QPointF corner(QPointF p, QSizeF size, Qt::Alignment anchor) {
    double left = anchor & Qt::AlignLeft    ? p.x()
                  : anchor & Qt::AlignRight ? p.x() - size.width()
                                            : p.x() - size.width() / 2;
    double top = anchor & Qt::AlignTop      ? p.y()
                 : anchor & Qt::AlignBottom ? p.y() - size.height()
                                            : p.y() - size.height() / 2;
    return {left, top};
}

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

} // namespace

ChartView::ChartView(QChart* chart, const QString& objectName, QWidget* parent)
    : QChartView(chart, parent) {
    setObjectName(objectName);
    setRenderHint(QPainter::Antialiasing);
    // Black on white on the screen and on paper alike, whatever the desktop's colours.
    chart->setTheme(QChart::ChartThemeLight);
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    setBackgroundBrush(Qt::white);
    setFrameShape(QFrame::NoFrame);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    connect(chart, &QChart::plotAreaChanged, this, [this] { placeTexts(); });

    auto command = [this](const QString& name, const QString& text, void (ChartView::*run)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, run);
        addAction(action);
    };
    command("mnuCopyImage", "Copy Image", &ChartView::copyImage);
    command("mnuSaveImage", "Save Image As PNG...", &ChartView::saveImage);
    command("mnuSaveData", "Save Data As CSV...", &ChartView::saveData);
}

ChartView::~ChartView() = default;

void ChartView::contextMenuEvent(QContextMenuEvent* event) {
    // The view's own menu: a graphics view hands right clicks to its scene, not to the
    // widget's action list.
    QMenu::exec(actions(), event->globalPos(), nullptr, this);
}

void ChartView::setTitle(const QString& title) { chart()->setTitle(title); }
QString ChartView::title() const { return chart()->title(); }
void ChartView::setLegendVisible(bool visible) { chart()->legend()->setVisible(visible); }

int ChartView::seriesCount() const { return static_cast<int>(series_.size()); }

ChartView::Series& ChartView::at(int series) { return series_.at(static_cast<size_t>(series)); }
const ChartView::Series& ChartView::at(int series) const {
    return series_.at(static_cast<size_t>(series));
}

QXYSeries* ChartView::newLine(int series, const QString& name) {
    Series& s = at(series);
    QXYSeries* line = nullptr;
    if (s.markers) {
        auto* points = new QScatterSeries(this);
        points->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
        line = points;
    } else {
        line = new QLineSeries(this);
    }
    line->setName(name);
    s.lines.push_back(line);
    chart()->addSeries(line);
    line->attachAxis(s.x);
    line->attachAxis(s.y);
    line->setVisible(s.visible);
    if (s.lines.size() > 1 || !s.style.data) hideFromLegend(chart(), line);
    connect(line, &QXYSeries::hovered, this,
            [this, series](QPointF p, bool entering) { showTip(series, p, entering); });
    return line;
}

void ChartView::followRanges(MaskedAxis* x, MaskedAxis* y) {
    for (MaskedAxis* axis : {x, y})
        if (!followed_.contains(axis)) {
            followed_ << axis;
            connect(axis, &QValueAxis::rangeChanged, this, [this] { redrawAll(); });
        }
}

int ChartView::newSeries(const QString& name, const SeriesStyle& style, MaskedAxis* x,
                         MaskedAxis* y) {
    followRanges(x, y);
    series_.push_back({});
    Series& s = series_.back();
    s.x = x;
    s.y = y;
    s.style = style;
    s.points.name = name.toStdString();
    return seriesCount() - 1;
}

int ChartView::addLineSeries(const QString& name, const SeriesStyle& style, MaskedAxis* x,
                             MaskedAxis* y) {
    const int id = newSeries(name, style, x, y);
    newLine(id, name);
    applyPen(at(id));
    return id;
}

int ChartView::addMarkerSeries(const QString& name, const SeriesStyle& style, MaskedAxis* x,
                               MaskedAxis* y) {
    const int id = newSeries(name, style, x, y);
    at(id).markers = true;
    newLine(id, name);
    applyPen(at(id));
    return id;
}

int ChartView::addBarSeries(const QString& name, const SeriesStyle& style, double barWidth,
                            const std::string& marksMask, MaskedAxis* x, MaskedAxis* y) {
    const int id = newSeries(name, style, x, y);
    Series& s = at(id);
    s.barWidth = barWidth;
    s.marksMask = marksMask;
    s.base = new QLineSeries(this);
    s.area = new QAreaSeries;
    s.area->setParent(this);
    auto* outline = new QLineSeries(this);
    s.lines.push_back(outline);
    s.area->setUpperSeries(outline);
    s.area->setLowerSeries(s.base);
    s.area->setName(name);
    chart()->addSeries(s.area);
    s.area->attachAxis(x);
    s.area->attachAxis(y);
    if (!style.data) hideFromLegend(chart(), s.area);
    connect(s.area, &QAreaSeries::hovered, this,
            [this, id](QPointF p, bool entering) { showTip(id, p, entering); });
    applyPen(s);
    return id;
}

void ChartView::setPoints(int series, const ChartValues& x, const ChartValues& y) {
    Series& s = at(series);
    const size_t n = std::min(x.values.size(), y.values.size());
    s.points.x.assign(x.values.begin(), x.values.begin() + n);
    s.points.y.assign(y.values.begin(), y.values.begin() + n);
    s.points.singleX = x.single;
    s.points.singleY = y.single;
    redraw(series);
}

const SeriesPoints& ChartView::points(int series) const { return at(series).points; }

void ChartView::clearPoints(int series) {
    setPoints(series, std::vector<double>(), std::vector<double>());
}

void ChartView::clearPoints() {
    for (int i = 0; i < seriesCount(); ++i) clearPoints(i);
}

ChartView::Pieces ChartView::drawnPieces(const std::vector<QPointF>& points, const MaskedAxis& x,
                                         const MaskedAxis& y) const {
    Pieces pieces(1);
    for (QPointF p : points) {
        if (finite(p))
            pieces.back() << held(p, x, y);
        else if (!pieces.back().isEmpty())
            pieces.emplace_back(); // a gap where the value is missing
    }
    if (pieces.size() > 1 && pieces.back().isEmpty()) pieces.pop_back();
    return pieces;
}

void ChartView::redrawAll() {
    for (int i = 0; i < seriesCount(); ++i) redraw(i);
}

void ChartView::redraw(int series) {
    removeMarks(series);
    Series& s = at(series);
    std::vector<QPointF> points;
    for (size_t i = 0; i < s.points.x.size(); ++i)
        points.emplace_back(s.points.x[i], s.points.y[i]);
    if (!s.area) {
        Pieces pieces = drawnPieces(points, *s.x, *s.y);
        while (s.lines.size() < pieces.size()) {
            newLine(series, QString::fromStdString(s.points.name));
            applyPen(s);
        }
        for (size_t i = 0; i < s.lines.size(); ++i)
            s.lines[i]->replace(i < pieces.size() ? pieces[i] : QList<QPointF>());
        return;
    }
    QList<QPointF> bars;
    for (QPointF p : points)
        if (finite(p)) bars << p;
    std::sort(bars.begin(), bars.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
    double width = s.barWidth;
    if (!(width > 0)) {
        double gap = std::numeric_limits<double>::infinity();
        for (qsizetype i = 1; i < bars.size(); ++i)
            if (bars[i].x() > bars[i - 1].x()) gap = std::min(gap, bars[i].x() - bars[i - 1].x());
        width = 0.6 * (std::isfinite(gap) ? gap : (s.x->maximum() - s.x->minimum()) / 50);
    }
    // One outline over all bars, down to 0 between them; the area fills it down to 0.
    QList<QPointF> outline, base;
    for (QPointF bar : bars) {
        const QPointF top = held(bar, *s.x, *s.y);
        const double left = top.x() - width / 2, right = top.x() + width / 2;
        outline << QPointF(left, 0) << QPointF(left, top.y()) << QPointF(right, top.y())
                << QPointF(right, 0);
        if (!s.marksMask.empty()) {
            auto* mark = new QGraphicsSimpleTextItem(
                QString::fromStdString(Format(bar.y(), s.marksMask)), chart());
            mark->setFont(s.y->labelsFont());
            mark->setBrush(s.y->labelsBrush());
            mark->setData(0, top);
            s.marks.push_back(mark);
        }
    }
    if (!outline.isEmpty())
        base << QPointF(outline.front().x(), 0) << QPointF(outline.back().x(), 0);
    s.lines.front()->replace(outline);
    s.base->replace(base);
    placeTexts();
}

void ChartView::removeMarks(int series) {
    for (QGraphicsSimpleTextItem* mark : at(series).marks) delete mark;
    at(series).marks.clear();
}

void ChartView::applyPen(Series& s) {
    QPen pen(s.style.color, s.style.width, s.style.pen, Qt::RoundCap, Qt::RoundJoin);
    if (s.area) {
        pen.setColor(s.style.color.darker(130));
        pen.setWidthF(1);
        s.area->setPen(pen);
        s.area->setBrush(s.style.color);
        return;
    }
    for (QXYSeries* line : s.lines) {
        if (auto* points = qobject_cast<QScatterSeries*>(line)) {
            points->setColor(s.style.color);
            points->setBorderColor(s.style.color.darker(150));
            points->setMarkerSize(5 * s.style.width);
        } else {
            line->setPen(pen);
        }
    }
}

void ChartView::setColor(int series, const QColor& color) {
    at(series).style.color = color;
    applyPen(at(series));
}
QColor ChartView::color(int series) const { return at(series).style.color; }

void ChartView::setPenStyle(int series, Qt::PenStyle style) {
    at(series).style.pen = style;
    applyPen(at(series));
}
Qt::PenStyle ChartView::penStyle(int series) const { return at(series).style.pen; }

void ChartView::setSeriesName(int series, const QString& name) {
    Series& s = at(series);
    s.points.name = name.toStdString();
    for (QXYSeries* line : s.lines) line->setName(name);
    if (s.area) s.area->setName(name);
}

void ChartView::setSeriesVisible(int series, bool visible) {
    Series& s = at(series);
    s.visible = visible;
    if (s.area)
        s.area->setVisible(visible);
    else
        for (QXYSeries* line : s.lines) line->setVisible(visible);
    placeTexts();
}
bool ChartView::isSeriesVisible(int series) const { return at(series).visible; }

QLineSeries* ChartView::mappingSeries(MaskedAxis* x, MaskedAxis* y) {
    for (QLineSeries* m : mappings_) {
        const auto axes = m->attachedAxes();
        if (axes.contains(x) && axes.contains(y)) return m;
    }
    // An empty, hidden series on the two axes maps their values to the chart as Qt does.
    auto* m = new QLineSeries(this);
    chart()->addSeries(m);
    m->attachAxis(x);
    m->attachAxis(y);
    m->setVisible(false);
    hideFromLegend(chart(), m);
    mappings_.push_back(m);
    return m;
}

int ChartView::addTextAt(const QString& text, QPointF at, Qt::Alignment anchor, MaskedAxis* x,
                         MaskedAxis* y) {
    auto* item = new QGraphicsSimpleTextItem(text, chart());
    item->setFont(x->labelsFont());
    item->setBrush(x->labelsBrush());
    item->setZValue(10);
    texts_.push_back({item, at, anchor, mappingSeries(x, y)});
    placeTexts();
    return static_cast<int>(texts_.size()) - 1;
}

QString ChartView::text(int label) const {
    return texts_.at(static_cast<size_t>(label)).item->text();
}

void ChartView::setText(int label, const QString& text) {
    texts_.at(static_cast<size_t>(label)).item->setText(text);
    placeTexts();
}

void ChartView::placeTexts() {
    for (Text& t : texts_) {
        QPointF p = chart()->mapToPosition(t.at, t.mapping);
        t.item->setPos(corner(p, t.item->boundingRect().size(), t.anchor));
    }
    const QRectF plot = chart()->plotArea().adjusted(-1, -1, 1, 1);
    for (Series& s : series_)
        for (QGraphicsSimpleTextItem* mark : s.marks) {
            QPointF p = chart()->mapToPosition(mark->data(0).toPointF(), s.shown());
            mark->setPos(corner(p - QPointF(0, 2), mark->boundingRect().size(),
                                Qt::AlignBottom | Qt::AlignHCenter));
            mark->setVisible(s.visible && plot.contains(p)); // no marks over the axes
        }
}

void ChartView::setTipText(std::function<QString(const ChartTip&)> tipText) {
    tipText_ = std::move(tipText);
}

QString ChartView::tipFor(int series, QPointF at) const {
    const Series& s = this->at(series);
    if (!s.style.data) return {};
    // The nearest point on the screen; a bar answers for its whole width.
    const QPointF mouse = chart()->mapToPosition(at, s.shown());
    double best = std::numeric_limits<double>::infinity();
    size_t nearest = s.points.x.size();
    for (size_t i = 0; i < s.points.x.size(); ++i) {
        const Pieces drawn = drawnPieces({{s.points.x[i], s.points.y[i]}}, *s.x, *s.y);
        if (drawn.front().isEmpty()) continue;
        QPointF d = chart()->mapToPosition(drawn.front().front(), s.shown()) - mouse;
        double distance = s.area ? std::fabs(d.x()) : std::hypot(d.x(), d.y());
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    if (nearest == s.points.x.size()) return {};
    ChartTip tip;
    tip.series = QString::fromStdString(s.points.name);
    tip.x = s.points.x[nearest];
    tip.y = s.points.y[nearest];
    tip.xText = s.x->text(tip.x);
    tip.yText = s.y->text(tip.y);
    tip.xName = s.x->name();
    tip.yName = s.y->name();
    if (tipText_) return tipText_(tip);
    return tip.series + "\n" + tip.xName + ": " + tip.xText + "\n" + tip.yName + ": " + tip.yText;
}

void ChartView::showTip(int series, QPointF at, bool entering) {
    const QString tip = entering ? tipFor(series, at) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    const QPointF spot = chart()->mapToScene(chart()->mapToPosition(at, this->at(series).shown()));
    QToolTip::showText(viewport()->mapToGlobal(mapFromScene(spot)), tip, this);
}

std::string ChartView::csvText() const {
    std::vector<SeriesPoints> shown;
    QString xName;
    for (const Series& s : series_) {
        if (!s.style.data || !s.visible || s.points.x.empty()) continue;
        if (shown.empty()) xName = s.x->name();
        shown.push_back(s.points);
    }
    return SeriesCsv(xName.toStdString(), shown);
}

QString ChartView::defaultFileName(const QString& suffix) const {
    QString name = title().simplified();
    for (QChar c : QStringLiteral("/\\:*?\"<>|")) name.replace(c, '-');
    return (name.isEmpty() ? objectName() : name) + suffix;
}

void ChartView::copyImage() { CopyImage(grab().toImage()); }

void ChartView::saveImage() { SaveImageAsPng(this, grab().toImage(), defaultFileName(".png")); }

void ChartView::saveData() { SaveTextAsCsv(this, csvText(), defaultFileName(".csv")); }

} // namespace common
