#pragma once
// The two networks that match a Yagi's feed point to its cable: the hairpin (a shorted
// two-wire stub across the feed point, the driven element left a little short) and the
// gamma (a rod beside the driven element, shorted to it at its far end, fed through a
// series capacitor). Each is designed from the feed-point impedance at one frequency;
// the sweep then asks for the SWR on the cable through it at every other. Lengths and
// diameters in inches, frequencies in MHz, impedances in ohms.
#include "units.h"

#include "common/result.h"

#include <string>

namespace qelt {

enum class Network { None, Gamma, Hairpin };

struct HairpinDesign {
    double shuntReactance = 0; // ohms: the inductive reactance the stub must show
    double inductance = 0;     // microhenries
    double lineImpedance = 0;  // ohms, of the two rods as a line
    double length = 0;         // inches
};

// The hairpin for a feed resistance `r` at `mhz` on a cable of `z0`, with rods of
// `rodDiameter` at `rodSpacing` centre to centre; or the message that stops it. The
// series reactance it needs comes from the driven element's tip, not from the feed
// point's reactance of the moment.
common::Result<HairpinDesign> DesignHairpin(double r, double z0, double mhz, double rodDiameter,
                                            double rodSpacing);

// What the rod and the element make together, before any feed point is known.
struct GammaLine {
    double elementDiameter = 0; // the section of the driven element beside the rod
    double stepUp = 0;          // the impedance step-up ratio
    double lineImpedance = 0;   // ohms, of rod and element as a line
};

// The driven element's first two section diameters `d1`, `d2` (0 when it has one
// section) and the rod's diameter and centre-to-centre spacing.
common::Result<GammaLine> GammaRodLine(double d1, double d2, double rodDiameter, double rodSpacing);

struct GammaDesign {
    GammaLine line;
    double t = 0;               // the reactance the gamma section must show, over the step-up
    double degrees = 0;         // electrical length of the gamma section
    double rodLength = 0;       // inches
    double seriesReactance = 0; // ohms, that the capacitor cancels
    double capacitance = 0;     // picofarads
};

// The rod length and capacitor that match r + jx at `mhz` through `line` to `z0`.
common::Result<GammaDesign> GammaMatch(double r, double x, double z0, double mhz,
                                       const GammaLine& line);

// SWR on a `z0` cable at `mhz` for a feed point r + jx seen through each network.
double HairpinSwr(double mhz, double r, double x, double z0, const HairpinDesign& hairpin);

// The gamma's stepped-up feed point in series form, the capacitor's reactance, and the
// SWR they give.
struct GammaFeed {
    double resistance = 0, reactance = 0; // Rs, Xs before the capacitor
    double capacitorReactance = 0;        // Xc
    double swr = 0;
};
GammaFeed GammaThrough(double mhz, double r, double x, double z0, const GammaDesign& gamma);

// The two result lines of a design, in the unit shown: the length, then the inductance
// or capacitance.
struct MatchResultTexts {
    std::string length, reactance;
};
MatchResultTexts HairpinTexts(const HairpinDesign& hairpin, Units units);
MatchResultTexts GammaTexts(const GammaDesign& gamma, Units units);

// "Gamma rod diameter: " / "Gamma rod spacing: " or the hairpin's.
struct RodCaptions {
    std::string diameter, spacing;
};
RodCaptions RodCaptionsFor(Network network);

} // namespace qelt
