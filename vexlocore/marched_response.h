#pragma once
// The far field of the installation over the terrain with diffraction: the exact answer
// over the plane of the first facet (direct field plus its Fresnel reflection), corrected
// by what the real terrain does differently beyond the point where it leaves that plane:
// the ground field marched over the terrain radiates in place of the one marched over the
// plane. Both marches share everything up to that point, so over a plane the correction is
// nothing and the closed form holds exactly; where the ground bends, its field carries the
// reflection of the whole lit surface, the shadows and the diffraction over every crest in
// turn, out to the curved earth beyond the profile.
#include <complex>
#include <vector>

#include "elevation_response.h"
#include "line_sources.h"
#include "terrain.h"

namespace vexlo {

class MarchedResponse {
public:
    MarchedResponse(const Terrain& terrain, const Installation& installation);

    // Far field at each elevation angle (radians), |field|^2 the gain over isotropic: of the
    // whole stack, or (antenna >= 0) of that antenna's elements alone, with its terms at
    // angles[log->index] kept in log when given.
    std::vector<std::complex<double>> farField(const std::vector<double>& angles, int antenna = -1,
                                               LoggedAngle* log = nullptr) const;

private:
    const Terrain& terrain_;
    double wavelength_, k_;
    std::complex<double> permittivity_;
    std::vector<LineSource> sources_;
};

} // namespace vexlo
