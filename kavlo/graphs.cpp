#include "graphs.h"

#include "common/constants.h"
#include "common/number_text.h"

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

} // namespace

GraphCurve AlongLineGraph::rightCurve() const {
    return kind == GraphKind::VoltageCurrent ? GraphCurve{"Voltage", &v}
                                             : GraphCurve{"Resistance", &rs};
}

GraphCurve AlongLineGraph::leftCurve() const {
    return kind == GraphKind::VoltageCurrent ? GraphCurve{"Current", &i}
                                             : GraphCurve{"Reactance", &xs};
}

AlongLineGraph BuildAlongLineGraph(const Calculator& calc, double txPower, GraphKind kind) {
    AlongLineGraph g;
    g.kind = kind;
    const bool meters = calc.unitWord() == 'M';
    const double unit = meters ? common::FeetPerMetre : 1;
    double length = ParseNumber(calc.boxes().length) * unit;
    if (length == 0) length = 0.000001;
    const LineDescription& line = calc.line();
    const double matchedLoss = line.atten * length / 100;

    const bool atLoad = calc.end() == KnownEnd::Load;
    const common::ImpedancePair load = atLoad ? calc.enteredImpedance() : calc.farImpedanceShown();

    for (int k = GraphPoints - 1; k >= 0; --k) {
        const double x = k == GraphPoints - 1 ? length : k * length / (GraphPoints - 1);
        const LineSolution s =
            CalcZ(line, matchedLoss, length, x, load.first, load.second, KnownEnd::Load, txPower);
        g.position[k] = x;
        g.shownPosition[k] = x / unit;
        g.v[k] = s.vMag;
        g.i[k] = s.iMag;
        // The impedance does not depend on the power; with none, a watt finds it.
        const common::ImpedancePair z =
            impedanceAt(txPower > 0 ? s
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
    g.lengthShown = length / unit;

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
    g.title = volts ? "RMS Voltage and Current Along the Line"
                    : "Series Resistance and Reactance Along the Line";
    g.bottomTitle =
        meters ? "Length, in Meters, from Transmitter" : "Length, in Feet, from Transmitter";
    g.leftTitle = volts ? "Current, Amps" : "Reactance, Ohms";
    g.rightTitle = volts ? "Voltage, Volts" : "Resistance, Ohms";
    return g;
}

} // namespace kavlo
