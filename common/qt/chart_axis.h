#pragma once
// A chart axis whose tick labels are the suite's picture-mask texts.
#include <QCategoryAxis>
#include <QStringList>

#include <string>

namespace common {

// Qt's value axis knows only printf formats, so the ticks are categories labelled by
// common::Format and drawn on their values: a label reads exactly as the same number
// reads anywhere else in the program ("#,##0.#" shows 7 as "7.").
//
// Ticks sit on the multiples of the interval between minimum and maximum (AxisTicks:
// an interval of 0, the default, picks a step of 1, 2 or 5 times a power of ten). Labels
// follow every change of range, interval or mask, whoever makes it.
class MaskedAxis : public QCategoryAxis {
    Q_OBJECT
public:
    // `role` names the axis in tips and data headers while it has no title ("x", "Angle").
    explicit MaskedAxis(const QString& role, QObject* parent = nullptr);

    void setTitle(const QString& title) { setTitleText(title); }
    QString title() const { return titleText(); }
    // A range that is not finite is ignored; the ends of a reversed one are swapped and
    // an empty one is widened by 1 each way, so the chart never divides by a zero span.
    void setRange(double minimum, double maximum);
    void setMinimum(double minimum) { setRange(minimum, max()); }
    void setMaximum(double maximum) { setRange(min(), maximum); }
    double minimum() const { return min(); }
    double maximum() const { return max(); }
    void setInterval(double interval);
    double interval() const { return interval_; }
    // Empty: grouped digits with the decimals the interval needs (MaskForInterval).
    void setMask(const std::string& mask);
    const std::string& mask() const { return mask_; }
    // For an axis that comes round to its start (the angle of a polar chart): no label
    // at the maximum when there is one at the minimum.
    void setWrapsAround(bool wraps);

    // A value as this axis shows it.
    QString text(double value) const;
    // The title, or the role while there is none.
    QString name() const;
    // The labels on the axis, lowest first.
    const QStringList& tickLabels() const { return labels_; }

private:
    void relabel();

    QString role_;
    double interval_ = 0;
    std::string mask_;
    std::string shownMask_ = "#,##0";
    QStringList labels_;
    bool wraps_ = false;
    bool relabelling_ = false;
};

} // namespace common
