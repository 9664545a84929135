#pragma once
// The line across a band: at each frequency the calculator's line and length with the
// impedance of that frequency at the known end (the typed one throughout, or a file's),
// the impedance at the other end, SWR at both ends and the total loss, as the calculator
// itself computes them at that frequency. The sweep window (frmSweep) and kavlo-cli
// --sweep both drive this one model.
#include "calculator.h"
#include "load_file.h"

#include "common/control_text.h"
#include "common/message.h"
#include "common/result.h"

#include <array>
#include <string>
#include <vector>

namespace kavlo {

struct SweepPoint {
    double freq = 0; // MHz
    double loadR = 0, loadX = 0, inputR = 0, inputX = 0;
    double swrLoad = 0, swrInput = 0;
    double totalLoss = 0; // dB
};

// The frequencies the calculator takes.
inline constexpr double LowestFreq = 0.02, HighestFreq = 6000;
inline constexpr int MostSweepPoints = 1001;

// The impedance r + jx at `count` frequencies evenly from `from` to `to` MHz.
LoadList TypedBand(double r, double x, double from, double to, int count);

// The calculator's line at each frequency of `loads`, the impedances at its known end. A
// user-defined line's attenuation is carried from the working frequency as the square root
// of the frequency ratio, as its dialog carries it. Fails, naming the file and line, for a
// frequency the calculator does not take, for an impedance at the input that no passive
// load gives through this line, or when the calculator has no line.
common::Result<std::vector<SweepPoint>> SweepLine(const Calculator& calc, const LoadList& loads);

// "MHz,LoadR,LoadX,InputR,InputX,SWRLoad,SWRInput,TotalLossDB", a row a frequency, every
// number to its last digit.
std::string SweepCsv(const std::vector<SweepPoint>& points);
// What the transmitter sees, the line's input, as a one-port Touchstone file against `ref`.
std::string SweepS1p(const std::vector<SweepPoint>& points, double ref,
                     const std::vector<std::string>& comments);
// One line a frequency for the companion's plain output.
std::string SweepLineText(const SweepPoint& point);

const Message BadBand{"Enter frequencies from 0.02 to 6000 MHz, the lower one first",
                      "Kavlo, Sweep"};
const Message BadPointCount{"Enter 2 to 1001 frequencies", "Kavlo, Sweep"};

// The sweep window's boxes: the band the typed impedance is swept over.
struct SweepBoxes {
    std::string from = "3.5";
    std::string to = "4";
    std::string points = "51";
};
inline const std::array<common::ControlText<SweepBoxes>, 3> SweepBoxTexts{{
    {"txtFrom", &SweepBoxes::from},
    {"txtTo", &SweepBoxes::to},
    {"txtPoints", &SweepBoxes::points},
}};

struct SweepDisplays {
    std::string lblSource; // where the load comes from
    std::string lblLine;   // the line swept
    std::string lblBest;   // the lowest SWR at the input, and where
    std::string lblLoss;   // the total loss's range
};
inline const std::array<common::ControlText<SweepDisplays>, 4> SweepDisplayTexts{{
    {"lblSource", &SweepDisplays::lblSource},
    {"lblLine", &SweepDisplays::lblLine},
    {"lblBest", &SweepDisplays::lblBest},
    {"lblLoss", &SweepDisplays::lblLoss},
}};

class SweepModel {
public:
    const SweepBoxes& boxes() const { return boxes_; }
    const SweepDisplays& displays() const { return displays_; }
    const std::vector<SweepPoint>& points() const { return points_; }
    bool fromFile() const { return !file_.points.empty(); }
    const LoadList& file() const { return file_; }

    void setFrom(const std::string& text) { boxes_.from = text; }
    void setTo(const std::string& text) { boxes_.to = text; }
    void setPoints(const std::string& text) { boxes_.points = text; }
    // The band boxes 5 % either side of `freq` MHz, within the calculator's frequencies.
    void centreOn(double freq);

    // The typed impedance over the boxes' band from now on.
    void useTyped() { file_ = {}; }
    // The file's loads from now on; a file that cannot be read leaves the load as it was
    // and says why.
    std::vector<Message> openFile(const std::string& path);

    // Sweeps the calculator's line as it stands. A refused band or file clears the
    // results beside its message.
    std::vector<Message> compute(const Calculator& calc);

    // The sweep as the companion and the window save it.
    std::string csv() const { return SweepCsv(points_); }
    std::string s1p(double ref) const;

private:
    void clear(const std::string& why);

    SweepBoxes boxes_;
    SweepDisplays displays_;
    LoadList file_;
    std::vector<SweepPoint> points_;
    std::string lineName_;
};

} // namespace kavlo
