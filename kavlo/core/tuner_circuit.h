#pragma once
// The designed network at work: each part with the loss of its unloaded Q, the load (and
// the stray capacitance where the design counts it) at the far end, and the transmitter
// putting its power into the network's input.
#include "tuner_networks.h"

#include <complex>
#include <vector>

namespace kavlo {

using Phasor = std::complex<double>; // RMS volts or amperes

struct PartOperation {
    Phasor current;         // through the part
    Phasor voltage;         // across the part, its loss resistance included
    double dissipation = 0; // watts in its loss resistance
};

struct TunerOperation {
    std::complex<double> inputImpedance; // what the transmitter sees
    Phasor vin;                          // across the network's input, at 0 degrees
    Phasor vout;                         // across the load
    std::vector<PartOperation> parts;    // in the design's order
    double powerIn = 0;                  // watts into the network
    double powerLost = 0;                // watts the parts dissipate
    double powerToLoad = 0;              // watts into the network's load (the line input)
    double lostFraction = 0;             // powerLost / powerIn, also at no power
};

// Each part's impedance: its reactance with the series loss resistance |X| / Q.
std::complex<double> PartImpedance(const TunerPart& part);

// Solves the network as a circuit with `power` watts going into its input; the load
// r + jx is the impedance at the line input.
TunerOperation SolveTuner(const TunerDesign& design, double r, double x, double freq, double power);

} // namespace kavlo
