#pragma once
// An independent answer for knife edges over level ground: the Kirchhoff diffraction
// integral taken numerically from aperture to aperture. The line source and its image in
// the ground before the first edge light the aperture above it; each aperture, with its
// image in the ground beyond, lights the next through the two-dimensional Rayleigh-
// Sommerfeld kernel; the last radiates with its image. Accurate where the edges are thin
// and the angles small; the earth is flat here.
#include <complex>
#include <vector>

#include "engine_call.h"

namespace vexlo_test {

struct Screen {
    double x, top; // feet along the ground and height of the edge above it
};

// Gain in dBi of a horizontal dipole at heightFeet over level ground with these edges, at
// the given elevation angles (radians).
inline std::vector<double> screensGainDbi(double heightFeet, const std::vector<Screen>& screens,
                                          const std::vector<double>& angles, double mhz, double er,
                                          double sigma) {
    using Complex = std::complex<double>;
    const double lambda = wavelengthFeet(mhz), k = 2.0 * pi / lambda, dz = lambda / 12.0;
    const double top = 8000.0; // apertures reach this high, tapered off over their last 30 %
    const Complex rootMinusJ(std::sqrt(0.5), -std::sqrt(0.5));
    const auto taper = [&](double z, double low) {
        const double t = (z - low) / (top - low);
        return t < 0.7 ? 1.0 : std::pow(std::cos(pi / 2.0 * (t - 0.7) / 0.3), 2);
    };
    const auto gamma = [&](double sinPsi) { return gammaH(sinPsi, er, sigma, mhz); };
    std::vector<double> z;
    std::vector<Complex> field;
    for (double h = screens[0].top + dz / 2.0; h < top; h += dz) {
        const double x = screens[0].x, r = std::hypot(x, h - heightFeet),
                     image = std::hypot(x, h + heightFeet);
        z.push_back(h);
        field.push_back(
            (std::polar(1.0, -k * r) / std::sqrt(r) +
             gamma((h + heightFeet) / image) * std::polar(1.0, -k * image) / std::sqrt(image)) *
            taper(h, screens[0].top));
    }
    for (std::size_t s = 1; s < screens.size(); ++s) {
        const double d = screens[s].x - screens[s - 1].x;
        const auto kernel = [&](double dh) {
            const double rho = std::hypot(d, dh);
            return std::sqrt(k / (2.0 * pi * rho)) * rootMinusJ * (d / rho) *
                   std::polar(1.0, -k * rho);
        };
        std::vector<double> next;
        std::vector<Complex> lit;
        for (double h = screens[s].top + dz / 2.0; h < top; h += dz) {
            Complex sum = 0.0;
            for (std::size_t i = 0; i < z.size(); ++i)
                sum += field[i] * (kernel(h - z[i]) +
                                   gamma((h + z[i]) / std::hypot(d, h + z[i])) * kernel(h + z[i]));
            next.push_back(h);
            lit.push_back(sum * dz * taper(h, screens[s].top));
        }
        z = std::move(next);
        field = std::move(lit);
    }
    std::vector<double> gains;
    for (double theta : angles) {
        const double s = std::sin(theta);
        Complex sum = 0.0;
        for (std::size_t i = 0; i < z.size(); ++i)
            sum += field[i] *
                   (std::polar(1.0, k * z[i] * s) + gamma(s) * std::polar(1.0, -k * z[i] * s));
        const Complex far = sum * dz * std::sqrt(k / (2.0 * pi)) * rootMinusJ * std::cos(theta);
        gains.push_back(2.15 + 20.0 * std::log10(std::abs(far)));
    }
    return gains;
}

} // namespace vexlo_test
