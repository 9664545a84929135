#pragma once
// Free-space radiation of one antenna in the vertical plane through its boom.
//
// A Yagi of N elements is modelled as an end-fire array of N horizontal half-wave dipoles,
// parallel to each other and broadside to the plane of the profile, evenly spaced along
// the boom, with equal current amplitudes and a progressive phase lag of k d + pi/(2N) per
// element (half of the Hansen-Woodyard extra lag). The spacing d is the one free parameter:
// it is solved so that the array's three-dimensional directivity equals the free-space gain
// quoted for that type, so the pattern's shape (beamwidth, back lobe, nulls) follows from
// the physics rather than from a fitted curve. In the vertical plane the dipoles radiate
// equally in every direction, so the pattern there is the array factor alone; the dipole
// type is a single element with 2.15 dBi everywhere in that plane.
#include <complex>

namespace vexlo {

class AntennaPattern {
public:
    // type: 1 dipole, 2..6 that many elements, 7 eight elements; others are taken as 4.
    static const AntennaPattern& forType(int type);
    // The free-space gain quoted for the type, dBi.
    static double quotedGainDbi(int type);

    int elements() const { return elements_; }
    // Element n (0-based) as a line source: its offset along the boom from the middle, in
    // wavelengths, and its complex weight, scaled so that the elements' fields add up to a
    // far field whose |.|^2 is the directivity.
    double elementOffset(int n) const { return (n - 0.5 * (elements_ - 1)) * spacing_; }
    std::complex<double> elementWeight(int n) const;

private:
    AntennaPattern(int elements, double targetDbi);
    int elements_;
    double spacing_ = 0.0; // wavelengths
    double amplitude_ = 1.0;
};

} // namespace vexlo
