#pragma once
// Uniform-theory diffraction coefficient of a wedge for an electric field parallel to its
// edge, with the usual heuristic for imperfectly conducting faces: the two reflection
// terms are weighted by the faces' own reflection coefficients instead of -1.
#include <complex>

namespace vexlo {

struct WedgeIllumination {
    double phiIncident;         // angle of the source seen from the edge, from face 0
    double kL;                  // wavenumber times the distance parameter (source to edge)
    std::complex<double> face0; // reflection coefficient of face 0 (0 leaves the term out)
    std::complex<double> faceN; // reflection coefficient of face n
};

// Diffraction coefficient divided by the square root of the distance parameter, so that
// the far field diffracted towards angle phi (from face 0) is the incident field at the
// edge times exp(-jk s') times this value times the far-field phase of the edge. The
// wedge's open (air) angle is n pi, 0 < n <= 2.
std::complex<double> wedgeDiffraction(double n, double phi, const WedgeIllumination& source);

} // namespace vexlo
