#pragma once
// "Every Azimuth, Brisco": each stack's figure of merit against azimuth, drawn round the
// station (one curve a stack, its figure over flat ground as a dashed circle), and the
// same as a table with the strongest gain and its angle; saved as CSV or printed.
#include "brisco/core/azimuth_rating.h"

#include "results_table.h"

namespace common {
class PolarChart;
}

namespace brisco {

class frmAzimuths : public ResultsWindow {
    Q_OBJECT
public:
    explicit frmAzimuths(const Assessment& model);

    // Draws a rating of the model's stacks and shows the window.
    void showRating(const AzimuthRating& rating);

protected:
    std::vector<std::string> csvLines() const override { return AzimuthRatingCsv(rating_); }

private:
    const Assessment& model_;
    AzimuthRating rating_;

public:
    common::PolarChart* TChart1;
    QTableWidget* grdAzimuths;
};

} // namespace brisco
