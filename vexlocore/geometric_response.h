#pragma once
// The elevation response with diffraction off: geometrical optics with its limits right.
// Each element's direct ray while it clears the terrain, and the reflection of every facet
// as the integral of its tangent-plane field (physical optics, in closed form, see
// physical_optics.h) over the part of it that both the element and the far observer see, so
// that a reflection fades out smoothly where its specular point leaves the facet rather than
// stopping. Where the direction dips below the plane of a facet the element sees while the
// direct ray clears the terrain, the facet's grazing field (coefficient -1) over all the
// element sees of it cancels the ray as its reflection did on the other side of grazing.
// Physical optics is right over a plane only for an antenna many wavelengths above it, so
// the first facet's plane reflects by its exact image instead, its integral taken away.
// Facets far enough from an element are integrated in closed form from the phase at their
// ends (SmoothFacet, physical_optics.h), nearer ones in such pieces, and a Yagi's elements
// share the facets they all see whole. In an edge's shadow the ground's reflections before
// and after the edge are diffracted over it with the direct ray (four rays).
#include <complex>
#include <vector>

#include "elevation_response.h"
#include "terrain.h"

namespace vexlo {

// Far field at each elevation angle (radians), |field|^2 the gain over isotropic; the terms
// of angles[log->index] go into log when given.
std::vector<std::complex<double>> geometricFarField(const Terrain& terrain,
                                                    const Installation& installation,
                                                    const std::vector<double>& angles,
                                                    LoggedAngle* log = nullptr);

} // namespace vexlo
