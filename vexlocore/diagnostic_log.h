#pragma once
// The engine's diagnostic log: the terms of the far field at one elevation angle, appended as plain
// text to the file the caller has started. Layout (one item per line, numbers space-separated):
//
//   VexloCore1 rays at <angle> deg, <MHz> MHz, ground er <er> sigma <S/m> S/m,
//     diffraction on|off, antenna type <code>
//   ant kind facet wedge x_ft z_ft angle_deg coef_mag coef_deg path_ft field_mag field_deg
//   <one line per term>
//   Total field <mag> at <deg> deg, gain <dBi> dBi
//
// kind is D (the antenna's direct field) or the physical-optics integral of one facet:
// R when the facet holds the specular point of the reflection towards the angle, F when it
// holds the point where the direct ray meets it (its currents cancel the direct field
// beyond: the shadow), E when neither lies on it and only its ends radiate (the share
// that, summed over the terrain's breaks and crests, is their diffraction). Facets whose
// share is below 1e-4 are left out. facet numbers the cleaned profile: vertex 1 is the
// tower base, facet i runs from vertex i to i+1, facet 0 is the ground behind the tower and
// the facets after the last point are the curved continuation; wedge is always "-" (kept
// for the layout). x_ft, z_ft: the stationary point (the facet's middle for E, the antenna
// for D), feet, elevations after the effective-earth transform. angle_deg: grazing angle at
// the stationary point. coef: the Fresnel coefficient there (0 for E, 1 for D). path_ft:
// extra path over the same antenna's direct ray. field: the term's share of the
// installation's far field, weighted by its antenna's phase and power share, scaled so that
// |total|^2 is the gain over isotropic.
#include <string>

#include "elevation_response.h"

namespace vexlo {

// Appends the log; does nothing when the file cannot be opened.
void appendDiagnosticLog(const std::string& path, const Installation& installation,
                         const LoggedAngle& angle);

} // namespace vexlo
