#pragma once
// The engine's diagnostic log: the terms of the far field at one elevation angle, appended as plain
// text to the file the caller has started. Layout (one item per line, numbers space-separated):
//
//   VexloCore1 rays at <angle> deg, <MHz> MHz, ground er <er> sigma <S/m> S/m,
//     diffraction on|off, antenna type <code>
//   [Note: <why the answer is not the model's own: input refused, a fallback taken>]
//   ant kind facet wedge x_ft z_ft angle_deg coef_mag coef_deg path_ft field_mag field_deg
//   <one line per term>
//   Total field <mag> at <deg> deg, gain <dBi> dBi
//
// kind is D, the antenna's direct field, then with diffraction on: R, the antenna's
// reflection in the plane of the first facet (the exact closed form the rest corrects); G,
// one piece of terrain beyond where it leaves that plane, the share of the far field its
// marched ground field radiates; P, the plane's own continuation beyond that point, taken
// away (one line). With diffraction off: R, the physical-optics reflection integral of a
// facet holding the specular point; F, a facet the direction dips below, its grazing field
// cancelling the direct ray; E, a facet whose integral is only its two end terms; then per
// antenna R on facet 1, the exact reflection in the first facet's plane, and P, that
// plane's own physical-optics integral, which it replaces. Terms
// below 1e-4 are left out. facet numbers the cleaned profile: vertex 1 is the tower base,
// facet i runs from vertex i to i+1, facet 0 is the ground behind the tower and the facets
// after the last point are the curved continuation; for G the last facet of the piece;
// wedge is always "-" (kept for the layout). x_ft, z_ft: the specular point for R, the
// middle of the piece for G, P and E, the antenna for D; feet, elevations after the
// effective-earth transform. angle_deg: grazing angle at the specular point. coef: the
// Fresnel coefficient there (1 for D, 0 where none). path_ft: extra path over the same
// antenna's direct ray for R. field: the term's share of the installation's far field,
// weighted by its antenna's phase and power share, scaled so that |total|^2 is the gain over
// isotropic; the terms of all antennas add up to the total.
#include <string>

#include "elevation_response.h"

namespace vexlo {

// Appends the log; does nothing when the file cannot be opened.
void appendDiagnosticLog(const std::string& path, const Installation& installation,
                         const LoggedAngle& angle);

} // namespace vexlo
