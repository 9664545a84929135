// hop-angle-stats: writes an illustrative elevation-statistics file (HOPS.PRN) from a
// simple geometric model of ionospheric hops, so the terrain program has a file to
// rate installations with. It is not a propagation forecast.
//
// The model, per band (centre frequency f):
// - Paths run from 400 to 12000 km in 50 km steps, each equally likely.
// - A path of length D is covered by n = 1..4 equal hops off a thin mirror layer at
//   height h over a spherical earth (radius R = 6371 km). Half a hop spans the central
//   angle a = D / (2 n R), and the take-off elevation is
//       theta = atan((cos a - R / (R + h)) / sin a).
// - The layer reflects the wave only when f <= foF2 / cos(phi), the secant law, with
//   phi the angle of incidence at the layer: sin(phi) = R cos(theta) / (R + h).
// - Layer heights 250, 300 and 350 km and critical frequencies foF2 from 4 to 11 MHz in
//   1 MHz steps are equally likely (day and night, sunspot cycle).
// - Every hop costs 3 dB at the ground reflection and, crossing the absorbing layer at
//   80 km twice, 2.5 (3.6 / f)^2 sec(psi) dB each way, psi the angle of incidence there
//   (sin psi = R cos theta / (R + 80 km)): absorption falls with the square of the
//   frequency and grows on the long slant of a low ray. A mode of n hops counts with
//   weight 10^(-n L / 10), L the loss per hop, so the low bands favour fewer hops and
//   higher angles, the high bands the long low hops.
// Each accepted mode adds its weight to the 1-degree bin nearest theta (1..35); every
// band's column is scaled to 100 %.
//
// Usage: hop-angle-stats [OUTPUT]   (standard output when no file is named)
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr double EarthRadiusKm = 6371.0;
constexpr double AbsorberKm = 80.0;
constexpr int Angles = 35;

struct Band {
    const char* name;
    double mhz;
};
// In the order of the file's columns.
constexpr std::array<Band, 8> Bands{{{"80m", 3.6},
                                     {"40m", 7.1},
                                     {"30m", 10.1},
                                     {"20m", 14.2},
                                     {"17m", 18.1},
                                     {"15m", 21.2},
                                     {"12m", 24.9},
                                     {"10m", 28.5}}};

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

std::array<double, Angles> bandColumn(double mhz) {
    std::array<double, Angles> column{};
    const double absorptionDb = 2.5 * std::pow(3.6 / mhz, 2); // one vertical crossing
    const double absorberRatio = EarthRadiusKm / (EarthRadiusKm + AbsorberKm);
    for (double layerKm : {250.0, 300.0, 350.0}) {
        const double ratio = EarthRadiusKm / (EarthRadiusKm + layerKm);
        for (double foF2 = 4.0; foF2 <= 11.0; foF2 += 1.0) {
            for (double pathKm = 400.0; pathKm <= 12000.0; pathKm += 50.0) {
                for (int hops = 1; hops <= 4; ++hops) {
                    const double a = pathKm / (2.0 * hops * EarthRadiusKm);
                    const double theta = std::atan((std::cos(a) - ratio) / std::sin(a));
                    if (theta <= 0) continue; // the hop is too long to leave above the horizon
                    const double cosPhi = std::sqrt(1.0 - std::pow(ratio * std::cos(theta), 2));
                    if (mhz > foF2 / cosPhi) continue; // the wave goes through the layer
                    const int bin = static_cast<int>(std::lround(degrees(theta)));
                    if (bin < 1 || bin > Angles) continue;
                    const double cosPsi =
                        std::sqrt(1.0 - std::pow(absorberRatio * std::cos(theta), 2));
                    const double hopLossDb = 3.0 + 2.0 * absorptionDb / cosPsi;
                    column[bin - 1] += std::pow(10.0, -hops * hopLossDb / 10.0);
                }
            }
        }
    }
    double total = 0;
    for (double v : column) total += v;
    if (total > 0)
        for (double& v : column) v *= 100.0 / total;
    return column;
}

} // namespace

int main(int argc, char** argv) {
    std::FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::array<std::array<double, Angles>, Bands.size()> columns;
    for (std::size_t b = 0; b < Bands.size(); ++b) columns[b] = bandColumn(Bands[b].mhz);

    std::fprintf(out,
                 "Illustrative elevation statistics from a geometric model of ionospheric hops\n");
    std::fprintf(out, "(hop-angle-stats; percent of time at each elevation angle, per band)\n");
    // The header item begins with "Elev" and is the last item on its line: no commas.
    std::fprintf(out, "Elev   ");
    for (const Band& band : Bands) std::fprintf(out, " %5s ", band.name);
    std::fprintf(out, "\n");
    // Each value takes the 5 characters at 9 + 7 (b - 1), 1-based.
    for (int angle = 1; angle <= Angles; ++angle) {
        std::fprintf(out, "%4d    ", angle);
        for (const auto& column : columns) std::fprintf(out, "%5.1f  ", column[angle - 1]);
        std::fprintf(out, "\n");
    }
    return out == stdout || std::fclose(out) == 0 ? 0 : 1;
}
