#include "matching.h"

#include "common/constants.h"
#include "common/number_text.h"

#include <cmath>
#include <complex>

namespace qelt {
namespace {

using common::Format;

const char* const StartOver = "Start over with different parameters";

// A gamma section is shorter than a quarter wave in free space by its velocity factor.
constexpr double GammaVelocityFactor = 0.956;
// Degrees of the gamma rod per inch and MHz: 360 / (0.956 x 11802.85).
constexpr double GammaDegreesPerInchMHz = 0.03190492;
// Zero feed-point parts would divide by zero in the parallel forms.
constexpr double Tiny = 0.00000001;

double nonZero(double v) { return v == 0 ? Tiny : v; }

// acosh, as the two-wire line formulas spell it.
double arcCosh(double x) { return std::log(x + std::sqrt(x * x - 1)); }

double swrOf(std::complex<double> z, double z0) {
    const double rho = std::abs((z - z0) / (z + z0));
    return (1 + rho) / (1 - rho);
}

// r + jx in parallel form: the resistance and reactance that, side by side, make it.
struct Parallel {
    double r, x;
};
Parallel parallelForm(double r, double x) {
    const double q = x / r;
    return {r * (1 + q * q), x * (1 + q * q) / (q * q)};
}

const char* unitWord(Units units) { return units == Units::English ? "inches" : "mm"; }

} // namespace

common::Result<HairpinDesign> DesignHairpin(double r, double z0, double mhz, double rodDiameter,
                                            double rodSpacing) {
    using Failure = common::Result<HairpinDesign>;
    // A feed resistance at or above the cable's needs no shunt inductance, and at the
    // cable's the formula divides by zero.
    if (!(r < z0) || !(r > 0)) return Failure::Failure("Hairpin match won't work");
    if (rodSpacing < rodDiameter) return Failure::Failure("Choose wider spacing.");
    HairpinDesign h;
    h.shuntReactance = z0 * std::sqrt(r / (z0 - r));
    h.inductance = h.shuntReactance / (common::TwoPiReactance * mhz);
    h.lineImpedance = 276 * std::log10(2 * rodSpacing / rodDiameter);
    const double wavelength = common::WavelengthInchesMHz / mhz;
    h.length = wavelength / common::TwoPiReactance * std::atan(h.shuntReactance / h.lineImpedance);
    if (!std::isfinite(h.length) || !(h.length > 0) || !std::isfinite(h.inductance))
        return Failure::Failure(StartOver);
    return h;
}

common::Result<GammaLine> GammaRodLine(double d1, double d2, double rodDiameter,
                                       double rodSpacing) {
    using Failure = common::Result<GammaLine>;
    const double d = rodDiameter, s = rodSpacing;
    GammaLine g;
    // The rod runs beside the second section when the first is a much fatter stub.
    const double D = (d2 != 0 && d2 < d1 / 2) ? d2 : d1;
    g.elementDiameter = D;
    // Rod and element touch when their centres are closer than their radii together.
    if ((D + d) / 2 > s) return Failure::Failure("Choose wider spacing");
    const double x1 = (4 * s * s - D * D + d * D) / (4 * s * d);
    if (x1 * x1 - 1 < 0) return Failure::Failure(StartOver);
    const double a1 = arcCosh(x1);
    const double x2 = (4 * s * s + D * D - d * d) / (4 * s * D);
    if (x2 * x2 - 1 < 0) return Failure::Failure(StartOver);
    const double a2 = arcCosh(x2);
    g.stepUp = (1 + a1 / a2) * (1 + a1 / a2);
    g.lineImpedance = 60 * arcCosh((4 * s * s - D * D - d * d) / (2 * D * d));
    if (!std::isfinite(g.stepUp) || !std::isfinite(g.lineImpedance) || !(g.lineImpedance > 0))
        return Failure::Failure(StartOver);
    return g;
}

common::Result<GammaDesign> GammaMatch(double r, double x, double z0, double mhz,
                                       const GammaLine& line) {
    using Failure = common::Result<GammaDesign>;
    GammaDesign g;
    g.line = line;
    const double q = line.stepUp * r - z0;
    const double zz = r * r + x * x;
    const double a = z0 * x / q;
    const double b = z0 * zz / q;
    if (a * a + b < 0)
        return Failure::Failure("Z0 too large. Start over with different parameters");
    g.t = a + std::sqrt(a * a + b);
    if ((z0 * x) * (z0 * x) + z0 * q * zz < 0) return Failure::Failure(StartOver);
    const double theta = std::atan(g.t * line.stepUp / line.lineImpedance);
    g.degrees = theta * 360 / common::TwoPiMatch;
    g.rodLength =
        GammaVelocityFactor * (common::WavelengthInchesMHzGamma / mhz) * theta / common::TwoPiMatch;
    g.seriesReactance = (z0 / r) * zz / g.t + z0 * x / r;
    g.capacitance = 1000000 / (common::TwoPiMatch * g.seriesReactance * mhz);
    // A stepped-up resistance equal to the cable's divides by zero.
    if (!std::isfinite(g.capacitance) || !std::isfinite(g.rodLength))
        return Failure::Failure(StartOver);
    if (g.capacitance < 0) return Failure::Failure("This requires an inductor, not a capacitor");
    // A shorted section that would have to look capacitive has no length below a quarter
    // wave: the formula gives a negative one.
    if (!(g.rodLength > 0)) return Failure::Failure(StartOver);
    return g;
}

double HairpinSwr(double mhz, double r, double x, double z0, const HairpinDesign& hairpin) {
    const Parallel p = parallelForm(nonZero(r), nonZero(x));
    const double stub = 2 * common::PiHairpin * hairpin.inductance * mhz;
    const std::complex<double> y(1 / p.r, -1 / p.x - 1 / stub);
    return swrOf(1.0 / y, z0);
}

GammaFeed GammaThrough(double mhz, double r, double x, double z0, const GammaDesign& gamma) {
    const double pi = common::PiPattern;
    const double stepUp = gamma.line.stepUp;
    const double degrees = GammaDegreesPerInchMHz * mhz * gamma.rodLength;
    const double shorted = gamma.line.lineImpedance * std::tan(degrees * pi / 180);
    const Parallel p = parallelForm(stepUp * nonZero(r), stepUp * nonZero(x));
    const double xpar = shorted * p.x / (shorted + p.x);
    const double q2 = p.r / xpar;
    GammaFeed f;
    f.resistance = p.r / (1 + q2 * q2);
    f.reactance = q2 * q2 * xpar / (1 + q2 * q2);
    f.capacitorReactance = 1 / (2 * pi * mhz * gamma.capacitance * 0.000001);
    f.swr = swrOf({f.resistance, f.reactance - f.capacitorReactance}, z0);
    return f;
}

MatchResultTexts HairpinTexts(const HairpinDesign& hairpin, Units units) {
    return {"Hairpin length = " + Format(ShownDimension(hairpin.length, units), "##0.00 ") +
                unitWord(units),
            "Hairpin inductance = " + Format(hairpin.inductance, "#0.00 uH")};
}

MatchResultTexts GammaTexts(const GammaDesign& gamma, Units units) {
    return {"Gamma rod length = " + Format(ShownDimension(gamma.rodLength, units), "##0.00 ") +
                unitWord(units),
            "Gamma capacitance = " + Format(gamma.capacitance, "##0.0 pF")};
}

RodCaptions RodCaptionsFor(Network network) {
    if (network == Network::Hairpin) return {"Hairpin rod diameter: ", "Hairpin rod spacing: "};
    return {"Gamma rod diameter: ", "Gamma rod spacing: "};
}

} // namespace qelt
