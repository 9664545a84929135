#pragma once
// The engine's diagnostic log: the rays at one elevation angle, appended as plain text to
// the file the caller has started. Layout (one item per line, numbers space-separated):
//
//   VexloCore1 rays at <angle> deg, <MHz> MHz, ground er <er> sigma <S/m> S/m,
//     diffraction on|off, antenna type <code>
//   ant kind facet wedge x_ft z_ft angle_deg coef_mag coef_deg path_ft field_mag field_deg
//   <one line per ray>
//   Total field <mag> at <deg> deg, gain <dBi> dBi
//
// kind is D (direct), R (reflected), RR (reflected by both faces of a valley), W (diffracted by a
// wedge), RW (reflected, then diffracted), WR (diffracted, then reflected) or RWR. facet and wedge
// number the cleaned profile: vertex 1 is the tower base, facet i runs from vertex i to i+1, facet
// 0 is the ground behind the tower and the last facet the level ground beyond the last point; "-"
// when there is none (for RWR and RR the facet is the first one met). x_ft, z_ft: the
// reflection or diffraction point (the antenna for a direct ray), feet. angle_deg: grazing
// angle of a reflection, or the diffraction angle phi - phi' measured from the wedge's
// forward face. coef: reflection coefficient, or the diffraction coefficient divided by
// the square root of the source distance. path_ft: extra path over the same antenna's
// direct ray. field: the ray's share of the installation's far field, weighted by its
// antenna's phase and power share, scaled so that |total|^2 is the gain over isotropic.
#include <string>

#include "elevation_response.h"

namespace vexlo {

// Appends the log; does nothing when the file cannot be opened.
void appendDiagnosticLog(const std::string& path, const Installation& installation,
                         const LoggedAngle& angle);

} // namespace vexlo
