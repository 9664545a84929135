#include "tuner_networks.h"

#include "number_texts.h"

#include "common/constants.h"
#include "common/number_text.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace kavlo {

using common::ImpedancePair;
using common::ParallelToSeries;
using common::SeriesToParallel;
using Complex = std::complex<double>;

namespace {

constexpr double TwoPi = common::TwoPiSingle;
// Beyond this a series capacitor is no longer a part one can buy or build.
constexpr double LargestSeriesCapPF = 99999;

const char* const WontWork = "This network won't work.";
const char* const WontMatch = "This won't match\nTry another network";
const char* const SeriesCapTooLarge =
    "  Series capacitor greater than 99999 pF. Try another network.";

common::Result<TunerDesign> refuse(std::string text) {
    return common::Result<TunerDesign>::Failure(std::move(text));
}

double capacitorReactance(double pf, double freq) { return -1 / (TwoPi * freq * 1e6 * pf * 1e-12); }

double strayFarads(double pf) { return pf == 0 ? 1e-14 : pf * 1e-12; }

bool seriesCapRealisable(double reactance, double freq) {
    return reactance < 0 && CapacitancePF(reactance, freq) <= LargestSeriesCapPF;
}

TunerPart part(bool inductor, int number, Connection connection, double reactance,
               const TunerRequest& r) {
    return {inductor, number, connection, reactance, inductor ? r.coilQ : r.capQ};
}

// Shunt element across the tuner's input, series element toward the load, which has the
// stray capacitance across it.
common::Result<TunerDesign> designLShuntAtInput(const TunerRequest& r, bool highPass) {
    const double rt = r.tunerR;
    if (!(r.r < rt)) return refuse("Choose another network");
    const double stray = strayFarads(r.strayPF);
    ImpedancePair load = AddStrayCapacitance(stray, r.freq, r.r, r.x);
    if (!(load.first < rt)) return refuse("Can't match this.");
    const double q = std::sqrt(rt / load.first - 1);
    TunerDesign d{highPass ? NetworkShape::HighPassShuntAtInput : NetworkShape::LowPassShuntAtInput,
                  {},
                  true,
                  stray,
                  0};
    double shunt, series;
    if (highPass) {
        shunt = rt / q;
        series = -q * load.first - load.second;
        if (series > 0) return refuse("This can't be matched with this network.");
        if (!seriesCapRealisable(series, r.freq)) return refuse(SeriesCapTooLarge);
    } else {
        shunt = -rt / q;
        series = q * load.first - load.second;
        if (series < 0)
            return refuse(" Need a series capacitor rather than inductor.\nChoose another network "
                          "configuration.");
    }
    d.parts = {part(highPass, 1, Connection::Shunt, shunt, r),
               part(!highPass, 2, Connection::Series, series, r)};
    d.qeff = std::max(rt / std::fabs(shunt), std::fabs(series) / load.first);
    return d;
}

// Series element from the tuner's input, shunt element across the load, whose parallel
// resistance is above the tuner's.
common::Result<TunerDesign> designLShuntAtLoad(const TunerRequest& r, bool highPass) {
    const double rt = r.tunerR;
    const ImpedancePair p = SeriesToParallel(r.r, r.x);
    const double rp = p.first, xp = p.second;
    const double q = std::sqrt(rp / rt - 1);
    double shunt, series;
    if (highPass) {
        if (xp == rp / q) return refuse("This network won't work. Try the low-pass L-network.");
        const double susceptance = q / rp - 1 / xp;
        if (!(susceptance > 0)) return refuse(WontMatch);
        shunt = 1 / susceptance;
        series = -q * rt;
        if (!seriesCapRealisable(series, r.freq)) return refuse(SeriesCapTooLarge);
    } else {
        if (std::fabs(xp + rp / q) < 0.1) return designLShuntAtInput(r, false);
        const double susceptance = -q / rp - 1 / xp;
        if (!(susceptance < 0)) return refuse(WontMatch);
        shunt = 1 / susceptance;
        series = q * rt;
    }
    TunerDesign d{highPass ? NetworkShape::HighPassShuntAtLoad : NetworkShape::LowPassShuntAtLoad,
                  {part(!highPass, 1, Connection::Series, series, r),
                   part(highPass, 2, Connection::Shunt, shunt, r)},
                  false,
                  strayFarads(r.strayPF),
                  std::max(q, rp / std::fabs(shunt))};
    return d;
}

common::Result<TunerDesign> designL(const TunerRequest& r, bool highPass) {
    const double rt = r.tunerR;
    const double rp = SeriesToParallel(r.r, r.x).first;
    // A load already on the tuner's resistance circle needs no L-network of this kind;
    // one whose series resistance is below the tuner's still takes the other arrangement.
    const bool tooClose = std::fabs(rp - rt) < 0.01;
    if (tooClose && !(r.r < rt - 0.01))
        return refuse("Such an L-network load won't work -- too close to " + BoxNumber(rt) +
                      " ohms");
    if (tooClose || !(rp > rt)) return designLShuntAtInput(r, highPass);
    // A load with both resistances on either side of the tuner's can take either
    // arrangement; when the one across the load would need a shunt part of the wrong kind,
    // the one across the input may still match.
    common::Result<TunerDesign> atLoad = designLShuntAtLoad(r, highPass);
    if (atLoad || !(r.r < rt)) return atLoad;
    common::Result<TunerDesign> atInput = designLShuntAtInput(r, highPass);
    return atInput ? std::move(atInput) : std::move(atLoad);
}

// Shunt input capacitor, series coil, shunt output capacitor across the load.
common::Result<TunerDesign> designPi(const TunerRequest& r) {
    const double rt = r.tunerR;
    if (!(r.r >= 0.1) || !std::isfinite(r.r) || !(std::fabs(r.x) / r.r <= 200))
        return refuse("The pi-network will not match this impedance. ");
    const double x3 = capacitorReactance(r.piCapPF, r.freq);
    // The output side: the load across the output capacitor with its loss, in series form.
    const Complex outputSide =
        1.0 / (1.0 / Complex(r.r, r.x) + 1.0 / Complex(std::fabs(x3) / r.capQ, x3));
    const double xs = outputSide.imag();
    const double rs = outputSide.real() + std::fabs(xs) / r.coilQ;
    if (!(rs < rt)) return refuse("Try a larger shunt output capacitor.");
    const double qin = std::sqrt(rt / rs - 1);
    const double coil = qin * rs - xs;
    if (!(coil > 0)) return refuse("Try a larger output capacitor.");
    const double x1 = -rt / qin;
    TunerDesign d{NetworkShape::Pi,
                  {part(false, 1, Connection::Shunt, x1, r),
                   part(true, 2, Connection::Series, coil, r),
                   part(false, 3, Connection::Shunt, x3, r)},
                  false,
                  strayFarads(r.strayPF),
                  CalcQPi(x1, x3, r.capQ, r.r, r.x, rt)};
    return d;
}

// Series input capacitor, shunt coil, series output capacitor toward the load, which has
// the stray capacitance across it.
common::Result<TunerDesign> designTee(const TunerRequest& r) {
    const double rt = r.tunerR;
    const double stray = strayFarads(r.strayPF);
    const ImpedancePair load = AddStrayCapacitance(stray, r.freq, r.r, r.x);
    const double x3 = capacitorReactance(r.teeCapPF, r.freq);
    const ImpedancePair p = SeriesToParallel(load.first + std::fabs(x3) / r.capQ, load.second + x3);
    const double rp = p.first, xp = p.second;
    if (!(rp > rt)) return refuse("Can't match this impedance -- use a smaller output capacitor.");
    const double q = std::sqrt(rp / rt - 1);
    if (xp == rp / q) return refuse("This impedance can't be matched. Start over.");
    const double susceptance = q / rp - 1 / xp;
    if (susceptance < 0)
        return refuse("This won't match -- a smaller (or larger) output capacitor is needed.");
    const double x1 = -q * rt;
    if (!seriesCapRealisable(x1, r.freq)) return refuse("Try a lower value of series capacitor.");
    TunerDesign d{NetworkShape::Tee,
                  {part(false, 1, Connection::Series, x1, r),
                   part(true, 2, Connection::Shunt, 1 / susceptance, r),
                   part(false, 3, Connection::Series, x3, r)},
                  true,
                  stray,
                  CalcQTee(x1, x3, r.capQ, load.first, load.second, rt)};
    return d;
}

} // namespace

const ShapeInfo& InfoOf(NetworkShape shape) {
    static const ShapeInfo infos[ShapeCount] = {
        {"Form2Network3.bmp", "High-Pass L-Network", false},
        {"Form2Network4.bmp", "High-Pass L-Network", false},
        {"Form1Network5.bmp", "Low-Pass L-Network", false},
        {"Form1Network6.bmp", "Low-Pass L-Network", false},
        {"Form3PiNet.bmp", "Low-Pass Pi-Network", false},
        {"Form4TeeNet2.bmp", "High-Pass Tee-Network", true},
    };
    return infos[static_cast<int>(shape)];
}

common::Result<TunerDesign> DesignTuner(const TunerRequest& r) {
    if (r.choice == TunerChoice::Pi) return designPi(r);
    // Nothing can be matched to a load that takes no power, or to no number at all.
    if (!(r.r > 0) || !std::isfinite(r.r) || !std::isfinite(r.x)) return refuse(WontWork);
    if (r.choice == TunerChoice::Tee) return designTee(r);
    return designL(r, r.choice == TunerChoice::HighPassL);
}

ImpedancePair AddStrayCapacitance(double strayFarads, double freq, double r, double x) {
    if (strayFarads == 0) strayFarads = 1e-14;
    const double xc = -1 / (2 * common::Pi * strayFarads * freq * 1e6);
    const ImpedancePair p = SeriesToParallel(r, x);
    const double susceptance = 1 / xc + 1 / p.second;
    // The stray capacitance resonating the load leaves its parallel resistance alone.
    if (susceptance == 0) return {p.first, 0};
    return ParallelToSeries(p.first, 1 / susceptance);
}

double CalcQPi(double x1, double x4, double capQ, double loadR, double loadX, double z0) {
    const Complex admittance =
        1.0 / Complex(loadR, loadX) + 1.0 / Complex(std::fabs(x4) / capQ, x4);
    return std::fabs(admittance.imag() / admittance.real()) + std::fabs(z0 / x1);
}

double CalcQTee(double x1, double x3, double capQ, double loadR, double loadX, double z0) {
    return std::fabs(loadX + x3) / (loadR + std::fabs(x3) / capQ) + std::fabs(x1 / z0);
}

Bandwidth CalcPBW(double qeff, double f0) {
    using common::Format;
    Bandwidth b;
    b.pbw15 = 100 * (f0 / (qeff * std::sqrt(6.0))) / f0;
    b.pbw20 = 100 * (f0 / (qeff * std::sqrt(2.0))) / f0;
    b.text = "Eff. Q = " + Shown(qeff, "#0.0");
    if (b.pbw15 < 30)
        b.text += "    1.5:1 SWR BW = " + Format(b.pbw15 * 10 * f0, "####0.0") + " kHz (" +
                  Format(b.pbw15, "#0.0") + "%) ";
    else
        b.text += "    1.5:1 SWR BW = Large, ";
    if (b.pbw20 < 30)
        b.text += "and 2:1 SWR BW = " + Format(b.pbw20 * 10 * f0, "####0.0") + " kHz (" +
                  Format(b.pbw20, "#0.0") + "%)";
    else
        b.text += " 2:1 SWR BW = Large";
    return b;
}

double CapacitancePF(double reactance, double freq) { return -1e6 / (TwoPi * freq * reactance); }

double InductanceUH(double reactance, double freq) { return reactance / (TwoPi * freq); }

} // namespace kavlo
