#pragma once
// The installation as line sources in the plane of the profile: every element of every
// stacked antenna is a horizontal current broadside to the plane, at its place along the
// boom, weighted by its share of the antenna's drive, the antenna's phase and an equal
// share of the power. Their far fields add to the stack's free-space pattern, scaled so
// that |field|^2 is the gain over isotropic.
#include <complex>
#include <vector>

#include "terrain.h"

namespace vexlo {

struct Installation;

struct LineSource {
    Point at;                    // metres, the terrain's coordinates
    std::complex<double> weight; // far-field amplitude
    int antenna;                 // index into Installation::antennas
};

std::vector<LineSource> lineSources(const Terrain& terrain, const Installation& installation,
                                    double wavelength);

// Far field of the sources towards elevation theta, phase referred to the origin.
std::complex<double> farField(const std::vector<LineSource>& sources, double k, double theta);

// The same sources mirrored in the line through 'on' with unit tangent 'tangent'.
std::vector<LineSource> mirrored(const std::vector<LineSource>& sources, Point on, Point tangent);

} // namespace vexlo
