#include "azimuth_rating_window.h"

#include "output_graph_window.h"
#include "results_table.h"

#include "common/cli_options.h"
#include "common/number_text.h"
#include "common/qt/polar_chart.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace brisco {
namespace {

std::string figure(const std::optional<double>& merit) {
    return merit ? common::Format(*merit, "0.0") : std::string();
}

std::vector<std::string> ratingRow(const std::string& first,
                                   const std::array<StackRating, SlotCount>& stacks,
                                   const std::array<bool, SlotCount>& rated) {
    std::vector<std::string> row{first};
    for (int n = 0; n < SlotCount; ++n) {
        if (!rated[n]) continue;
        row.push_back(figure(stacks[n].merit));
        row.push_back(common::Format(stacks[n].maxGain, "0.0"));
        row.push_back(common::Format(stacks[n].peakAngle, "0.00"));
    }
    return row;
}

} // namespace

frmAzimuths::frmAzimuths(const Assessment& model)
    : ResultsWindow("frmAzimuths", "Every Azimuth, Brisco", "lblFreq", model.folder(),
                    "AZIMUTHS.csv"),
      model_(model), TChart1(new common::PolarChart("TChart1")),
      grdAzimuths(MakeResultsTable("grdAzimuths")) {
    TChart1->setTitle("Figure of Merit against Azimuth, dB");
    TChart1->axis(common::PolarAxis::Radial).setMask("#0.0");
    // Each slot's curve and its circle over flat ground, shown for the slots rated.
    for (int n = 0; n < SlotCount; ++n) {
        TChart1->addLine(QString("Stack %1").arg(n + 1), {SlotColour(n)});
        TChart1->addLine(QString("Stack %1 over flat ground").arg(n + 1),
                         {SlotColour(n), 1, Qt::DashLine, false});
    }
    auto* sides = new QHBoxLayout;
    sides->addWidget(TChart1, 1);
    sides->addWidget(grdAzimuths);
    content()->addLayout(sides, 1);
    resize(1100, 600);
}

void frmAzimuths::showRating(const AzimuthRating& rating) {
    rating_ = rating;
    TChart1->clearPoints();
    // The rose closes when the azimuths go all the way round.
    const bool round = rating.rows.size() > 2 &&
                       rating.rows.front().azimuth + 360 - rating.rows.back().azimuth <=
                           (rating.rows[1].azimuth - rating.rows[0].azimuth) * 1.5 + 1e-9;
    double low = 1e9, high = -1e9;
    std::vector<std::string> headings{"Azimuth"};
    for (int n = 0; n < SlotCount; ++n) {
        const int curve = 2 * n, reference = 2 * n + 1;
        TChart1->setSeriesVisible(curve, rating.stack[n]);
        TChart1->setSeriesVisible(reference, rating.stack[n]);
        if (!rating.stack[n]) continue;
        const QString name = QString::fromStdString(StackName(model_, n));
        std::vector<double> azimuths, merits;
        for (const AzimuthRow& row : rating.rows) {
            if (!row.stacks[n].merit) continue;
            azimuths.push_back(row.azimuth);
            merits.push_back(*row.stacks[n].merit);
        }
        if (round && !azimuths.empty()) {
            azimuths.push_back(azimuths.front() + 360);
            merits.push_back(merits.front());
        }
        TChart1->setSeriesName(curve, name);
        TChart1->setPoints(curve, azimuths, merits);
        for (double m : merits) {
            low = std::min(low, m);
            high = std::max(high, m);
        }
        if (const std::optional<double>& flat = rating.flat[n].merit) {
            std::vector<double> circle, level;
            for (int a = 0; a <= 360; a += 5) {
                circle.push_back(a);
                level.push_back(*flat);
            }
            TChart1->setPoints(reference, circle, level);
            low = std::min(low, *flat);
            high = std::max(high, *flat);
        }
        const std::string stack = std::to_string(n + 1);
        headings.push_back("FOM " + stack);
        headings.push_back("Gain " + stack);
        headings.push_back("Angle " + stack);
    }
    if (low > high) low = high = 0;
    const double bottom = std::floor(low - 2), top = std::ceil(high + 1);
    TChart1->axis(common::PolarAxis::Radial).setRange(bottom, top);
    TChart1->axis(common::PolarAxis::Radial)
        .setInterval(top - bottom > 12  ? 5
                     : top - bottom > 5 ? 2
                                        : 1);

    std::vector<std::vector<std::string>> rows{ratingRow("Flat", rating.flat, rating.stack)};
    for (const AzimuthRow& row : rating.rows)
        rows.push_back(ratingRow(common::ShortestText(row.azimuth), row.stacks, rating.stack));
    ShowTable(grdAzimuths, headings, rows);

    std::string about = "Freq. = " + common::Format(model_.frequency(), "###.0 MHz");
    if (!model_.texts().txtElevFile.empty()) about += ", rated by " + model_.texts().txtElevFile;
    about += ". FOM: figure of merit, dB; Gain: the strongest, dBi, at Angle, deg. Dashed "
             "circles and the Flat row: each stack over flat ground.";
    note->setText(QString::fromStdString(about));
    show();
    raise();
}

} // namespace brisco
