#include "legend_stroke.h"
#include "polar_plot_window.h"

#include "common/number_text.h"
#include "common/qt/form_support.h"
#include "common/qt/qt_text.h"

#include <QBoxLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace qelt {
namespace {

const QColor ComparedColour(0, 0, 255);

} // namespace

void PolarPlotWindow::plotComparison(const Pattern* other, const std::string& name,
                                     const ViewChoices& view) {
    if (compared1_ < 0) {
        if (!other) return;
        compared1_ = TChart1->addLine("Compared 1", {ComparedColour, 2});
        compared2_ = TChart1->addLine("Compared 2", {ComparedColour, 2, Qt::DashLine});
        lblCompared = common::Named<QLabel>("lblCompared");
        lblCompared->setWordWrap(true);
        comparedRow_ = new QWidget;
        auto* line = new QHBoxLayout(comparedRow_);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(LegendStroke(ComparedColour), 0, Qt::AlignTop);
        line->addWidget(lblCompared, 1);
        // Under the strokes of the pattern's own cuts.
        static_cast<QBoxLayout*>(frmFrame1->layout())->insertWidget(2, comparedRow_);
    }
    for (int s : {compared1_, compared2_}) {
        TChart1->clearPoints(s);
        TChart1->setSeriesVisible(s, false);
    }
    comparedRow_->setVisible(other != nullptr);
    if (!other) return;
    const PolarCuts cuts =
        scale_ == PolarScale::Morwen ? MakeMorwenPolar(*other) : MakeLinearPolar(*other);
    const std::pair<int, const Curve*> shown[] = {
        {compared1_, view.azimuth ? &cuts.elementPlane : nullptr},
        {compared2_, view.elevation ? &cuts.normalPlane : nullptr},
    };
    for (const auto& [series, cut] : shown)
        if (cut) {
            TChart1->setPoints(series, cut->x, cut->y);
            TChart1->setSeriesVisible(series, true);
        }
    lblCompared->setText(
        common::q(name + ", peak " + common::Format(other->field.gain, "##0.0 dBi")));
}

} // namespace qelt
