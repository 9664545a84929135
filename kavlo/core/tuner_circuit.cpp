#include "tuner_circuit.h"

#include "common/constants.h"

#include <cmath>

namespace kavlo {

using Complex = std::complex<double>;

std::complex<double> PartImpedance(const TunerPart& part) {
    return {std::fabs(part.reactance) / part.q, part.reactance};
}

namespace {

Complex parallel(Complex a, Complex b) { return a * b / (a + b); }

// The operation for 1 W into the network; every voltage and current scales with the
// square root of the power, every power with the power.
TunerOperation solveForOneWatt(const TunerDesign& design, Complex load, double freq) {
    const Complex stray(0, -1 / (2 * common::Pi * design.strayFarads * freq * 1e6));
    const Complex farEnd = design.strayAcrossLoad ? parallel(load, stray) : load;

    // From the load back to the input: the impedance each part looks into.
    Complex z = farEnd;
    for (auto part = design.parts.rbegin(); part != design.parts.rend(); ++part)
        z = part->connection == Connection::Series ? z + PartImpedance(*part)
                                                   : parallel(z, PartImpedance(*part));

    TunerOperation op;
    op.inputImpedance = z;
    // |V|^2 Re(1/Z) = 1 W, with the input voltage as the phase reference.
    op.vin = std::sqrt(1 / (1.0 / z).real());
    op.powerIn = 1;

    // From the input to the load: the current through and voltage across each part.
    Phasor v = op.vin, i = op.vin / z;
    for (const TunerPart& part : design.parts) {
        PartOperation p;
        const Complex zp = PartImpedance(part);
        if (part.connection == Connection::Series) {
            p.current = i;
            p.voltage = i * zp;
            v -= p.voltage;
        } else {
            p.voltage = v;
            p.current = v / zp;
            i -= p.current;
        }
        p.dissipation = std::norm(p.current) * zp.real();
        op.powerLost += p.dissipation;
        op.parts.push_back(p);
    }
    op.vout = v;
    op.powerToLoad = std::norm(v / load) * load.real();
    op.lostFraction = op.powerLost;
    return op;
}

} // namespace

TunerOperation SolveTuner(const TunerDesign& design, double r, double x, double freq,
                          double power) {
    TunerOperation op = solveForOneWatt(design, Complex(r, x), freq);
    const double scale = std::sqrt(power);
    op.vin *= scale;
    op.vout *= scale;
    for (PartOperation& p : op.parts) {
        p.current *= scale;
        p.voltage *= scale;
        p.dissipation *= power;
    }
    op.powerIn = power;
    op.powerLost *= power;
    op.powerToLoad *= power;
    return op;
}

} // namespace kavlo
