#pragma once
// "Every Band, Brisco": each slot's figure of merit at the centre of every band column of
// the statistics file, with its difference from slot 1; saved as CSV or printed.
#include "brisco/core/band_summary.h"

#include "results_table.h"

namespace brisco {

class frmBands : public ResultsWindow {
    Q_OBJECT
public:
    explicit frmBands(const Assessment& model);

    void showSummary(const BandSummary& summary);

protected:
    std::vector<std::string> csvLines() const override;

private:
    const Assessment& model_;
    BandSummary summary_;

public:
    QTableWidget* grdBands;
};

} // namespace brisco
