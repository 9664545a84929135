#pragma once
// The along-line graphs without their window: voltage and current, or the series
// resistance and reactance looking toward the load, at 201 points from the transmitter
// to the load, with every text the graph window shows.
#include "calculator.h"

#include "common/control_text.h"

#include <array>
#include <string>

namespace kavlo {

enum class GraphKind { VoltageCurrent, ResistanceReactance }; // optVoltCurr, optResisReac

constexpr int GraphPoints = 201;

// The graph window's text boxes.
struct GraphTexts {
    std::string txtPower, txtCable, txtFreq, txtTotalLoss, txtLoad;
    std::string txtMaxVolt, txtMaxVoltAt, txtMaxCurr, txtMaxCurrAt;
};
inline const std::array<common::ControlText<GraphTexts>, 9> GraphTextTable{{
    {"txtPower", &GraphTexts::txtPower},
    {"txtCable", &GraphTexts::txtCable},
    {"txtFreq", &GraphTexts::txtFreq},
    {"txtTotalLoss", &GraphTexts::txtTotalLoss},
    {"txtLoad", &GraphTexts::txtLoad},
    {"txtMaxVolt", &GraphTexts::txtMaxVolt},
    {"txtMaxVoltAt", &GraphTexts::txtMaxVoltAt},
    {"txtMaxCurr", &GraphTexts::txtMaxCurr},
    {"txtMaxCurrAt", &GraphTexts::txtMaxCurrAt},
}};

// A value axis' ends: from 0 or below to 0 or above, on whole steps of 1, 2 or 5
// times a power of ten.
struct ValueRange {
    double minimum = 0;
    double maximum = 1;
};

// One curve of the chart: its name, its points against the shown position.
struct GraphCurve {
    std::string name;
    const std::array<double, GraphPoints>* values;
};

struct AlongLineGraph {
    GraphKind kind = GraphKind::VoltageCurrent;
    std::array<double, GraphPoints> position{};      // feet from the transmitter
    std::array<double, GraphPoints> shownPosition{}; // in the window's unit
    std::array<double, GraphPoints> v{}, i{};        // RMS volts and amperes
    std::array<double, GraphPoints> rs{}, xs{};      // ohm, looking toward the load
    double vMax = 0, vMaxAt = 0;                     // the largest voltage, where (feet)
    double iMax = 0, iMaxAt = 0;
    double lengthShown = 0; // the bottom axis runs from 0 to this
    ValueRange leftRange, rightRange;

    GraphTexts texts;
    std::string caption, title, bottomTitle, leftTitle, rightTitle;
    // Series 0 is drawn red on the right axis, series 1 lime on the left one.
    GraphCurve rightCurve() const;
    GraphCurve leftCurve() const;
};

// The two curves as comma-separated text: the position in the window's unit, then the
// right axis' curve and the left one's (voltage and current, or resistance and
// reactance), exactly as the chart saves them.
std::string AlongLineCsv(const AlongLineGraph& graph);

// Builds the graph from the calculator's line as it stands, for `txPower` watts into
// the line.
AlongLineGraph BuildAlongLineGraph(const Calculator& calc, double txPower, GraphKind kind);

} // namespace kavlo
