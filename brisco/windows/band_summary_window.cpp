#include "band_summary_window.h"

#include "common/number_text.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace brisco {

frmBands::frmBands(const Assessment& model)
    : ResultsWindow("frmBands", "Every Band, Brisco", "lblStatFile", model.folder(), "BANDS.csv"),
      model_(model), grdBands(MakeResultsTable("grdBands")) {
    cmdSave->setToolTip("Save the figures and their differences from slot 1 as CSV");
    content()->addWidget(
        new QLabel("Figure of merit, dB, at each band's centre (difference from slot 1)"));
    content()->addWidget(grdBands, 1);
    resize(1000, 260);
}

void frmBands::showSummary(const BandSummary& summary) {
    summary_ = summary;
    std::vector<std::string> headings{"Slot"};
    for (const StatisticsBand& band : StatisticsBands)
        headings.push_back(std::string(band.name) + "\n" + common::NumberText(band.centreMHz) +
                           " MHz");
    std::vector<std::vector<std::string>> rows;
    for (int n = 0; n < SlotCount; ++n) {
        if (!summary.inUse[n]) continue;
        std::vector<std::string> row{std::to_string(n + 1) + ": " + model_.terrain(n) + ", " +
                                     model_.heights(n) + " " + model_.type(n)};
        for (size_t b = 0; b < StatisticsBands.size(); ++b)
            row.push_back(BandSummaryCell(summary, n, b));
        rows.push_back(row);
    }
    ShowTable(grdBands, headings, rows);
    note->setText(QString::fromStdString("Rated by " + model_.texts().txtElevFile +
                                         "; an empty cell: no statistics for the band."));
    show();
    raise();
}

std::vector<std::string> frmBands::csvLines() const {
    return BandSummaryCsv(summary_, model_, BandColumns::MeritsAndDifferences);
}

} // namespace brisco
