// The main window's Compare: a menu on its button chooses another antenna file, the
// design before the last change, or no comparison; the second antenna's result lines
// stand under the design's, its curves are dashed on the chart and blue on the polar
// plots, and the legend names it.
#include "controls.h"
#include "legend_stroke.h"
#include "main_chart.h"
#include "main_window.h"

#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
#include "common/qt/qt_text.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace qelt {

void frmQelt::setUpComparison() {
    cmdCompare = Button("cmdCompare", "&Compare",
                        "Compare with another antenna file or with the design before the last "
                        "change");
    auto* menu = new QMenu(cmdCompare);
    const std::tuple<const char*, const char*, void (frmQelt::*)()> items[] = {
        {"mnuCompareFile", "Another antenna &file...", &frmQelt::mnuCompareFile_Click},
        {"mnuCompareBefore", "The design &before the last change",
         &frmQelt::mnuCompareBefore_Click},
        {"mnuCompareNone", "&No comparison", &frmQelt::mnuCompareNone_Click},
    };
    for (const auto& [name, text, slot] : items) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
    }
    cmdCompare->setMenu(menu);

    // The compared lines in the result lines' face and width.
    auto line = [this](const char* name) {
        auto* l = common::Named<QLabel>(name);
        l->setFont(lblF1->font());
        l->setMinimumWidth(lblF1->minimumWidth());
        return l;
    };
    fraCompared = common::Named<QGroupBox>("fraCompared");
    auto* lines = new QVBoxLayout(fraCompared);
    lblCompare = common::Named<QLabel>("lblCompare");
    lines->addWidget(lblCompare);
    for (QLabel** l : {&lblC1, &lblC2, &lblC3, &lblC4, &lblC5}) {
        const std::string name = "lblC" + std::to_string(l - &lblC1 + 1);
        *l = line(name.c_str());
        lines->addWidget(*l);
    }
    fraCompared->hide();
    comparedSwatch_ = LegendStroke(MainChart::Swr, Qt::DashLine);
    lblCompareLegend = common::Named<QLabel>("lblCompareLegend");
}

void frmQelt::showComparison() {
    const std::optional<Comparison>& other = model_.comparison();
    const bool shown = model_.loaded() && other.has_value();
    fraCompared->setVisible(shown);
    comparedSwatch_->setVisible(shown && !model_.chartPattern());
    lblCompareLegend->setVisible(shown && !model_.chartPattern());
    cmdCompare->setEnabled(model_.loaded() && !engineMissing_);
    if (!shown) return;
    fraCompared->setTitle("Compared with");
    lblCompare->setText(common::q(other->name));
    const ResultLines lines = model_.comparisonLines();
    lblC1->setText(common::q(lines.freq));
    lblC2->setText(common::q(lines.gain));
    lblC3->setText(common::q(lines.ratio));
    lblC4->setText(common::q(lines.impedance));
    lblC5->setText(common::q(lines.swr));
    lblCompareLegend->setText(common::q("Dashed: " + other->name));
    if (!model_.chartPattern()) TChart1->showComparison(model_.comparisonChart());
}

void frmQelt::mnuCompareFile_Click() {
    const common::FileChoice choice = common::desktop().openFile(
        this,
        {"Select antenna file to compare", common::q(defaults_.antennaFolder), {}, AntennaFilter});
    if (!choice.chosen()) return;
    analyse([&](const EngineRoutines& r, const SweepProgress&) {
        return model_.compareWithFile(r, choice.path.toStdString());
    });
}

void frmQelt::mnuCompareBefore_Click() {
    analyse([this](const EngineRoutines& r, const SweepProgress&) {
        return model_.compareWithBefore(r);
    });
}

void frmQelt::mnuCompareNone_Click() {
    model_.clearComparison();
    showModel();
    if (const EngineRoutines* routines = engine()) showPolarPlots(*routines);
}

} // namespace qelt
