#pragma once
// The tuner's matching networks: the L-networks in their four arrangements, the low-pass
// pi and the high-pass tee, designed to turn the impedance at the line input into the
// resistance the transmitter wants to see.
#include "common/impedance.h"
#include "common/result.h"

#include <string>
#include <vector>

namespace kavlo {

// The user's choice on the setup page (optLNet1, optLNet2, optPiNet, optTeeNet).
enum class TunerChoice { LowPassL, HighPassL, Pi, Tee };

// The six networks the result pages draw. An L-network's arrangement follows from the
// load: the shunt element goes across the load or across the tuner's input.
enum class NetworkShape {
    HighPassShuntAtLoad,
    HighPassShuntAtInput,
    LowPassShuntAtLoad,
    LowPassShuntAtInput,
    Pi,
    Tee,
};
constexpr int ShapeCount = 6;

struct ShapeInfo {
    const char* schematic; // picture file beside the program
    const char* title;
    bool teePage; // shown on the second result page
};
const ShapeInfo& InfoOf(NetworkShape shape);

enum class Connection { Series, Shunt };

struct TunerPart {
    bool inductor;
    int number; // position from the source side, 1-based: "C1", "L2"
    Connection connection;
    double reactance; // ohm, negative for a capacitor
    double q;         // unloaded Q
    std::string label() const {
        return std::string(1, inductor ? 'L' : 'C') += std::to_string(number);
    }
};

struct TunerDesign {
    NetworkShape shape;
    std::vector<TunerPart> parts; // source side first: two for an L-network, else three
    bool strayAcrossLoad = false; // the stray capacitance is part of the load designed for
    double strayFarads = 0;
    double qeff = 0; // effective loaded Q
};

struct TunerRequest {
    TunerChoice choice = TunerChoice::LowPassL;
    double r = 50, x = 0; // the impedance at the line input, ohm
    double freq = 3.5;    // MHz
    double tunerR = 50;   // the resistance the network must present
    double coilQ = 200, capQ = 1000;
    double strayPF = 10;
    double piCapPF = 500, teeCapPF = 100;
};

// The network for the request, or the message that says why there is none.
common::Result<TunerDesign> DesignTuner(const TunerRequest& request);

// The load with the stray capacitance across it (0 pF is taken as 0.01 pF).
common::ImpedancePair AddStrayCapacitance(double strayFarads, double freq, double r, double x);

// Effective loaded Q of the pi: the output side (load across the lossy output capacitor
// x4) plus the input side (z0 across the input capacitor x1).
double CalcQPi(double x1, double x4, double capQ, double loadR, double loadX, double z0);
// Effective loaded Q of the tee: the output branch (load, stray included, in series with
// the lossy output capacitor x3) plus the input side (input capacitor x1 against z0).
double CalcQTee(double x1, double x3, double capQ, double loadR, double loadX, double z0);

// The 1.5:1 and 2:1 SWR bandwidths of a match of loaded Q `qeff` at f0 MHz, per cent of
// f0, and the line the result page shows.
struct Bandwidth {
    double pbw15 = 0;
    double pbw20 = 0;
    std::string text;
};
Bandwidth CalcPBW(double qeff, double f0);

// Component values at `freq` MHz from their reactances.
double CapacitancePF(double reactance, double freq);
double InductanceUH(double reactance, double freq);

} // namespace kavlo
