#include "diagnostic_log.h"

#include "common/constants.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace vexlo {
namespace {

constexpr double degrees = 180.0 / std::numbers::pi;

const char* kindName(Contribution::Kind kind) {
    switch (kind) {
    case Contribution::Kind::Direct:
        return "D";
    case Contribution::Kind::Reflected:
        return "R";
    case Contribution::Kind::Forward:
        return "F";
    case Contribution::Kind::Ground:
        return "G";
    case Contribution::Kind::Plane:
        return "P";
    case Contribution::Kind::Diffracted:
        return "W";
    case Contribution::Kind::Ends:
        break;
    }
    return "E";
}

std::string numberOrDash(int value) { return value < 0 ? "-" : std::to_string(value); }

} // namespace

void appendDiagnosticLog(const std::string& path, const Installation& in,
                         const LoggedAngle& angle) {
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (!file) return;
    std::fprintf(file,
                 "VexloCore1 rays at %.2f deg, %g MHz, ground er %g sigma %g S/m, "
                 "diffraction %s, antenna type %d\n",
                 elevationDegrees(angle.index), in.frequencyMHz, in.dielectric, in.conductivity,
                 in.diffraction ? "on" : "off", in.antennaType);
    if (!angle.note.empty()) std::fprintf(file, "Note: %s\n", angle.note.c_str());
    std::fprintf(file, "ant kind facet wedge x_ft z_ft angle_deg coef_mag coef_deg path_ft "
                       "field_mag field_deg\n");
    for (const Contribution& r : angle.terms) {
        std::fprintf(file, "%d %s %s - %.1f %.1f %.3f %.4f %.1f %.2f %.4f %.1f\n",
                     in.antennas[r.antenna].number, kindName(r.kind), numberOrDash(r.facet).c_str(),
                     r.point.x * common::FeetPerMetre, r.point.z * common::FeetPerMetre,
                     r.angle * degrees, std::abs(r.coefficient), std::arg(r.coefficient) * degrees,
                     r.pathDifference * common::FeetPerMetre, std::abs(r.field),
                     std::arg(r.field) * degrees);
    }
    std::fprintf(file, "Total field %.4f at %.1f deg, gain %.2f dBi\n", std::abs(angle.total),
                 std::arg(angle.total) * degrees, angle.gainDbi);
    std::fclose(file);
}

} // namespace vexlo
