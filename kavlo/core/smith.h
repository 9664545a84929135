#pragma once
// The Smith chart without its window: the load, the path along the line from the load to
// the input (drawn in by the line's loss), the tuner's path from the line input to the
// resistance it presents, part by part, and the swept load, each point as a reflection
// normalised to a reference resistance the user picks. The chart window (frmSmith) and
// kavlo-cli --smith both drive this one model.
#include "calculator.h"
#include "sweep.h"
#include "tuner_networks.h"

#include "common/control_text.h"
#include "common/message.h"

#include <array>
#include <complex>
#include <optional>
#include <string>
#include <vector>

namespace kavlo {

// (Z - ref) / (Z + ref).
std::complex<double> ReflectionOf(double r, double x, double ref);
// (1 + |gamma|) / (1 - |gamma|); infinite on the rim.
double SwrOf(std::complex<double> gamma);

struct SmithPoint {
    double position = 0; // along the path: from the load in the length unit, parts passed, MHz
    double freq = 0;     // MHz
    double r = 0, x = 0;
    std::complex<double> gamma;
};

inline constexpr int LinePathPoints = 201;

// The impedance looking toward the load at LinePathPoints places from the load (position
// 0, in the calculator's unit) to the line input.
std::vector<SmithPoint> LinePath(const Calculator& calc, double ref);
// From the line input r + jx through each part of the design (the stray capacitance first
// where the design counts it), each part's value grown from nothing to its own: the
// position counts the parts passed. Ends on what the transmitter sees.
std::vector<SmithPoint> TunerPath(const TunerDesign& design, double r, double x, double freq,
                                  double ref);
// The swept load, one point a frequency (position the frequency).
std::vector<SmithPoint> SweptLoad(const std::vector<SweepPoint>& sweep, double ref);

// "Position,R,X,GammaRe,GammaIm", a row a point, every number to its last digit.
std::string SmithCsv(const std::vector<SmithPoint>& points);

const Message BadReference{"Enter a reference resistance above 0 ohm", "Kavlo, Smith Chart"};

struct SmithBoxes {
    std::string ref = "50";
};
inline const std::array<common::ControlText<SmithBoxes>, 1> SmithBoxTexts{{
    {"txtRef", &SmithBoxes::ref},
}};

struct SmithDisplays {
    std::string lblLoad;  // the load, its reflection and SWR against the reference
    std::string lblInput; // the line input
    std::string lblTuner; // the tuner's input, or why there is no tuner path
};
inline const std::array<common::ControlText<SmithDisplays>, 3> SmithDisplayTexts{{
    {"lblLoad", &SmithDisplays::lblLoad},
    {"lblInput", &SmithDisplays::lblInput},
    {"lblTuner", &SmithDisplays::lblTuner},
}};

// The curves of the chart, in the order the chart draws them.
enum class SmithCurve { Line, Tuner, Sweep, Load };
inline constexpr int SmithCurveCount = 4;
const char* SmithCurveName(SmithCurve curve);

class SmithModel {
public:
    const SmithBoxes& boxes() const { return boxes_; }
    const SmithDisplays& displays() const { return displays_; }
    double ref() const { return ref_; }

    void setRef(const std::string& text) { boxes_.ref = text; }
    // Leaving the box: a reference not above 0 goes back to the last good one.
    std::vector<Message> leaveRef();

    // Everything the chart shows, from the calculator's line, the tuner design (none when
    // no tuner was designed or it no longer matches) and the sweep's points (none: no
    // swept load).
    void build(const Calculator& calc, const std::optional<TunerDesign>& tuner,
               const std::vector<SweepPoint>& sweep);

    const std::vector<SmithPoint>& curve(SmithCurve which) const {
        return curves_[static_cast<int>(which)];
    }
    // What the mouse shows over a point: where it is on its path, the frequency, R, X and
    // the SWR against the reference.
    std::string tip(SmithCurve which, std::size_t point) const;
    // The load's constant-SWR circle: |gamma| of the load.
    double swrRadius() const { return swrRadius_; }
    // Every curve as CSV, each headed by its name.
    std::string csv() const;

private:
    SmithBoxes boxes_;
    SmithDisplays displays_;
    double ref_ = 50;
    std::array<std::vector<SmithPoint>, SmithCurveCount> curves_;
    double swrRadius_ = 0;
    std::string unitName_ = "ft";
    std::vector<std::string> tunerParts_; // the parts the tuner path passes, line side first
};

} // namespace kavlo
