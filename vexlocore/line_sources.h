#pragma once
// The installation as line sources in the plane of the profile: every element of every
// stacked antenna is a horizontal current broadside to the plane, at its place along the
// boom, weighted by its share of the antenna's drive, the antenna's phase and an equal
// share of the power. Their far fields add to the stack's free-space pattern, scaled so
// that |field|^2 is the gain over isotropic.
#include <complex>
#include <vector>

#include "ground.h"
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

// Adds to field (one value per elevation angle, radians) the sources' exact reflection in
// the plane through 'on' with unit tangent 'tangent'; where the plane blocks the view, the
// field is nothing.
void addPlaneReflection(const std::vector<LineSource>& sources, Point on, Point tangent,
                        const Ground& ground, double k, const std::vector<double>& angles,
                        std::vector<std::complex<double>>& field);

// The installation over the tower's plane alone: each element's direct field and its exact
// reflection.
std::vector<std::complex<double>> planeFarField(const Terrain& terrain,
                                                const Installation& installation,
                                                const std::vector<double>& angles);

} // namespace vexlo
