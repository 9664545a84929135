#pragma once
// The far field radiated by the field on the ground, at the elevation angles of the output:
// by Green's theorem the field above the terrain is the sources' own field plus the
// integral over the ground of (u jk (u_hat . n) - du/dn) exp(jk u_hat . r), which with the
// impedance condition du/dn = jk beta u is jk (u_hat . n - beta) times the integral of u.
// Units: the far field of a unit line source in empty space is 1.
#include <cmath>
#include <complex>
#include <vector>

#include "terrain.h"

namespace vexlo {

class GroundRadiation {
public:
    GroundRadiation(double k, std::complex<double> beta, const std::vector<double>& angles);

    // A straight piece of ground from 'origin' at 'angle' (radians, tangent above the
    // horizontal) with the ground field sampled every 'spacing' metres. The samples are
    // given as envelopes u exp(j gamma s), s from the origin, for the phase rate gamma that
    // makes them smooth; the integral is exact for envelopes linear between samples.
    void addGround(Point origin, double angle, double spacing, double gamma,
                   const std::vector<std::complex<double>>& envelope);
    // A face that blocks the marching field (the front of a step) from 'origin' up to
    // 'height' along 'up': the field it stops, given as pairs of plane waves
    // up[i] exp(j p[i] z) + down[i] exp(-j p[i] z) (i from 1), radiated as the aperture it
    // takes away.
    void addFace(Point origin, Point forward, Point up, double height, const std::vector<double>& p,
                 const std::vector<std::complex<double>>& upWaves,
                 const std::vector<std::complex<double>>& downWaves);

    const std::vector<std::complex<double>>& values() const { return values_; }
    // The value at one angle, for following single terms (the diagnostic log).
    std::complex<double> at(int angle) const { return values_[angle]; }

private:
    std::vector<std::complex<double>> faceUp_, faceDown_; // work of addFace
    // exp(jk u_hat . origin) at every angle: carried on from the end of the last piece
    // when this one starts there, else computed afresh.
    void phasesAt(Point origin);

    double k_;
    std::complex<double> beta_;
    std::vector<double> cos_, sin_;
    std::vector<std::complex<double>> values_;
    // Per angle, real and imaginary parts apart so that the loops over angles vectorise.
    std::vector<double> phaseRe_, phaseIm_, stepRe_, stepIm_, sumRe_, sumIm_;
    Point phasesFor_{std::nan(""), std::nan("")};
};

} // namespace vexlo
