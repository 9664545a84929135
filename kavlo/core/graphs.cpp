#include "graphs.h"

#include "common/axis_ticks.h"
#include "common/constants.h"
#include "common/number_text.h"
#include "common/series_csv.h"

#include <algorithm>
#include <cmath>

namespace kavlo {

using common::Format;
using common::ParseNumber;

namespace {

// The series impedance looking toward the load, from the voltage and the current.
common::ImpedancePair impedanceAt(const LineSolution& s) {
    const double z = s.vMag / s.iMag;
    const double angle = (s.vPhase - s.iPhase) * common::PiDegrees / 180;
    return {z * std::cos(angle), z * std::sin(angle)};
}

ValueRange rangeOf(const std::array<double, GraphPoints>& values) {
    double low = 0, high = 0;
    for (double v : values)
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (high - low == 0) return {};
    const double step = common::NiceInterval(high - low);
    return {std::floor(low / step) * step, std::ceil(high / step) * step};
}

} // namespace

GraphCurve AlongLineGraph::rightCurve() const {
    return kind == GraphKind::VoltageCurrent ? GraphCurve{"Voltage (V)", &v}
                                             : GraphCurve{"Resistance (ohm)", &rs};
}

GraphCurve AlongLineGraph::leftCurve() const {
    return kind == GraphKind::VoltageCurrent ? GraphCurve{"Current (A)", &i}
                                             : GraphCurve{"Reactance (ohm)", &xs};
}

std::string AlongLineCsv(const AlongLineGraph& g) {
    const std::vector<double> x(g.shownPosition.begin(), g.shownPosition.end());
    std::vector<common::SeriesPoints> curves;
    for (const GraphCurve& c : {g.rightCurve(), g.leftCurve()})
        curves.push_back({c.name, x, std::vector<double>(c.values->begin(), c.values->end())});
    return common::SeriesCsv(g.bottomTitle, curves);
}

AlongLineGraph BuildAlongLineGraph(const Calculator& calc, double txPower, GraphKind kind) {
    AlongLineGraph g;
    g.kind = kind;
    // A power below nothing would make no voltage at all, not a number.
    const double power = txPower > 0 && std::isfinite(txPower) ? txPower : 0;
    const bool meters = calc.unitWord() == 'M';
    const double unit = meters ? common::FeetPerMetre : 1;
    double lengthShown = ParseNumber(calc.boxes().length);
    if (lengthShown == 0) lengthShown = 0.000001 / unit;
    const double length = lengthShown * unit;
    const LineDescription& line = calc.line();
    const double matchedLoss = line.atten * length / 100;

    const bool atLoad = calc.end() == KnownEnd::Load;
    const common::ImpedancePair load = atLoad ? calc.enteredImpedance() : calc.farImpedanceShown();

    for (int k = GraphPoints - 1; k >= 0; --k) {
        const bool end = k == GraphPoints - 1;
        const double x = end ? length : k * length / (GraphPoints - 1);
        const LineSolution s =
            CalcZ(line, matchedLoss, length, x, load.first, load.second, KnownEnd::Load, power);
        g.position[k] = x;
        g.shownPosition[k] = end ? lengthShown : k * lengthShown / (GraphPoints - 1);
        g.v[k] = s.vMag;
        g.i[k] = s.iMag;
        // The impedance does not depend on the power; with none, a watt finds it.
        const common::ImpedancePair z =
            impedanceAt(power > 0 ? s
                                  : CalcZ(line, matchedLoss, length, x, load.first, load.second,
                                          KnownEnd::Load, 1));
        g.rs[k] = z.first;
        g.xs[k] = z.second;
        if (s.vMag > g.vMax) {
            g.vMax = s.vMag;
            g.vMaxAt = x;
        }
        if (s.iMag > g.iMax) {
            g.iMax = s.iMag;
            g.iMaxAt = x;
        }
    }
    g.lengthShown = lengthShown;
    g.leftRange = rangeOf(*g.leftCurve().values);
    g.rightRange = rangeOf(*g.rightCurve().values);

    const Displays& d = calc.displays();
    GraphTexts& t = g.texts;
    const char* unitName = meters ? " Meters" : " Feet";
    t.txtPower = "At " + Format(txPower, "###0 W");
    t.txtCable = std::string(Catalogue[calc.cable()].listText);
    t.txtFreq = calc.boxes().freq + " MHz";
    t.txtTotalLoss = "Total Loss: " + d.txtTotalLoss + " dB";
    const double loadSwr = atLoad ? calc.solution().swrNear : calc.solution().swrFar;
    t.txtLoad = (atLoad ? "Load: " + BoxNumber(load.first) +
                              (load.second < 0 ? " - j " + BoxNumber(-load.second)
                                               : " + j " + BoxNumber(load.second))
                        : "Load: " + d.txtImpedIn) +
                "   SWR = " + Shown(loadSwr, "####.00");
    t.txtMaxVolt = Shown(g.vMax, "####.0 V");
    t.txtMaxVoltAt = "at " + Format(g.vMaxAt / unit, "###0.0") + unitName;
    t.txtMaxCurr = Shown(g.iMax, "##.0 A");
    t.txtMaxCurrAt = "at " + Format(g.iMaxAt / unit, "###0.0") + unitName;

    const bool volts = kind == GraphKind::VoltageCurrent;
    g.caption = volts ? "Kavlo, Voltage/Current Graph Along Line"
                      : "Kavlo, Series Resistance & Reactance Along Line";
    g.title = volts ? "RMS Voltage and Current" : "Series Resistance and Reactance";
    g.bottomTitle =
        meters ? "Length, in Meters, from Transmitter" : "Length, in Feet, from Transmitter";
    g.leftTitle = volts ? "Current, Amps" : "Reactance, Ohms";
    g.rightTitle = volts ? "Voltage, Volts" : "Resistance, Ohms";
    return g;
}

} // namespace kavlo
