#include "full_wave.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vexlo_reference {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
constexpr Complex j{0.0, 1.0};
constexpr double feetPerMetre = 1.0 / 0.3048;
// Four thirds of the earth's mean radius, the usual allowance for refraction.
constexpr double effectiveEarthFeet = 4.0 / 3.0 * 6371000.0 * feetPerMetre;

// Hankel functions of the second kind, orders 0 and 1: Hankel's expansion for large
// arguments (relative error below 1e-6 from x = 8), the library's Bessel functions below.
Complex hankel0(double x) {
    if (x < 8.0) return {std::cyl_bessel_j(0.0, x), -std::cyl_neumann(0.0, x)};
    const double r = 1.0 / x, r2 = r * r;
    const double p = 1.0 - 0.0703125 * r2 + 0.1121520996 * r2 * r2;
    const double q = -0.125 * r + 0.0732421875 * r2 * r;
    return std::sqrt(2.0 / (pi * x)) * Complex(p, -q) * std::polar(1.0, -(x - pi / 4.0));
}

Complex hankel1(double x) {
    if (x < 8.0) return {std::cyl_bessel_j(1.0, x), -std::cyl_neumann(1.0, x)};
    const double r = 1.0 / x, r2 = r * r;
    const double p = 1.0 + 0.1171875 * r2 - 0.1441955566 * r2 * r2;
    const double q = 0.375 * r - 0.1025390625 * r2 * r;
    return std::sqrt(2.0 / (pi * x)) * Complex(p, -q) * std::polar(1.0, -(x - 3.0 * pi / 4.0));
}

struct Segment {
    double x, z;   // centre, feet
    double nx, nz; // unit normal into the air
    double length; // feet
    double window; // weight in the far-field integral: tapered behind the tower, cut beyond
};

ProfilePoint earthTransform(ProfilePoint p, double x0, bool curved) {
    if (curved) p.z -= (p.x - x0) * (p.x - x0) / (2.0 * effectiveEarthFeet);
    return p;
}

// Behind the tower the currents run backwards and a smooth taper over many wavelengths
// removes their truncation from the forward far field.
double taper(double x, double start, double ramp) {
    const double t = std::clamp((x - start) / ramp, 0.0, 1.0);
    return std::sin(pi / 2 * t) * std::sin(pi / 2 * t);
}

// Integral from a to infinity of x^-3/2 exp(-j q x) dx (a > 0, q >= 0), along the steepest
// descent path x = a - j y, then y = a tan^2(phi) so the integrand is smooth on a finite range.
Complex grazingTail(double a, double q) {
    constexpr int steps = 800; // even, Simpson's rule
    Complex sum = 0.0;
    for (int i = 0; i <= steps; ++i) {
        const double phi = (pi / 2) * i / steps;
        if (i == steps) continue; // the integrand vanishes there for q > 0 and is 1/a^1/2 at q = 0
        const double t = std::tan(phi), sec2 = 1.0 + t * t;
        const Complex v =
            2.0 * t * std::pow(Complex(1.0, -t * t), -1.5) * std::exp(-q * a * t * t) * sec2;
        sum += (i == 0 ? 1.0 : i % 2 ? 4.0 : 2.0) * v;
    }
    const Complex integral = sum * (pi / 2 / steps) / 3.0 / std::sqrt(a);
    return -j * std::polar(1.0, -q * a) * integral;
}

std::vector<Segment> discretise(const Problem& pb, double wavelength) {
    const auto& raw = pb.profile;
    const double x0 = raw.front().x;
    std::vector<ProfilePoint> line;
    // Behind the tower the first facet continues (a single point: level ground).
    double dx = 1.0, dz = 0.0;
    if (raw.size() > 1) {
        const double length = std::hypot(raw[1].x - raw[0].x, raw[1].z - raw[0].z);
        dx = (raw[1].x - raw[0].x) / length;
        dz = (raw[1].z - raw[0].z) / length;
    }
    line.push_back(earthTransform({raw[0].x - pb.behindFeet * dx, raw[0].z - pb.behindFeet * dz},
                                  x0, pb.curvedEarth));
    for (const ProfilePoint& p : raw) line.push_back(earthTransform(p, x0, pb.curvedEarth));
    // Beyond the last point the ground stays level on the earth: curved after the transform.
    const double step = wavelength / pb.segmentsPerWavelength;
    const int beyond = static_cast<int>(std::ceil(pb.beyondFeet / step));
    for (int i = 1; i <= beyond; ++i)
        line.push_back(earthTransform({raw.back().x + i * step, raw.back().z}, x0, pb.curvedEarth));

    std::vector<Segment> segments;
    const double start = line.front().x, cut = raw.back().x + 0.75 * pb.beyondFeet;
    for (std::size_t f = 0; f + 1 < line.size(); ++f) {
        const ProfilePoint a = line[f], b = line[f + 1];
        const double length = std::hypot(b.x - a.x, b.z - a.z);
        if (length <= 0.0) continue;
        const int count = std::max(1, static_cast<int>(std::ceil(length / step)));
        const double tx = (b.x - a.x) / length, tz = (b.z - a.z) / length;
        for (int i = 0; i < count; ++i) {
            const double t = (i + 0.5) / count;
            const double x = a.x + t * (b.x - a.x);
            segments.push_back({x, a.z + t * (b.z - a.z), -tz, tx, length / count,
                                x > cut ? 0.0 : taper(x, start, 0.5 * pb.behindFeet)});
        }
    }
    return segments;
}

} // namespace

Solution solve(const Problem& pb, const std::vector<double>& anglesDegrees) {
    Solution out;
    if (pb.profile.empty() || pb.sources.empty()) return out;
    const double wavelength = 983.57104 / pb.frequencyMHz; // feet
    const double k = 2.0 * pi / wavelength;
    const Complex eps(pb.dielectric, -60.0 * pb.conductivity * wavelength * 0.3048);
    // Leontovich condition dU/dn = beta U with beta = j k sqrt(eps) (Im sqrt(eps) < 0).
    const Complex beta = j * k * std::sqrt(eps);

    const std::vector<Segment> seg = discretise(pb, wavelength);
    const int n = static_cast<int>(seg.size());
    out.unknowns = n;
    const double x0 = pb.profile.front().x;
    const double base = earthTransform(pb.profile.front(), x0, pb.curvedEarth).z;

    // Green's function G = -j/4 H0(kR); unknown psi = dU/dn on the surface, U = psi / beta.
    // Row m: psi_m / (2 beta) + sum_n psi_n L_n (G - (1/beta) dG/dn') = U_incident(m).
    std::vector<std::complex<float>> matrix(static_cast<std::size_t>(n) * n);
    std::vector<Complex> rhs(n), diagonal(n);
    for (int m = 0; m < n; ++m) {
        for (int c = 0; c < n; ++c) {
            Complex value;
            if (c == m) {
                const double l = seg[m].length;
                // Integral of H0 over the segment itself, from the small-argument form.
                const Complex selfH0 =
                    l * Complex(1.0, -2.0 / pi * (std::log(1.781072418 * k * l / 4.0) - 1.0));
                value = -j / 4.0 * selfH0 + 1.0 / (2.0 * beta);
                diagonal[m] = value;
            } else {
                const double rx = seg[m].x - seg[c].x, rz = seg[m].z - seg[c].z;
                const double r = std::hypot(rx, rz);
                const Complex g = -j / 4.0 * hankel0(k * r);
                // dG/dn' = -j/4 * (-k H1(kR)) * dR/dn', dR/dn' = -(r - r').n' / R.
                const double dRdn = -(rx * seg[c].nx + rz * seg[c].nz) / r;
                const Complex dg = j / 4.0 * k * hankel1(k * r) * dRdn;
                value = seg[c].length * (g - dg / beta);
            }
            matrix[static_cast<std::size_t>(m) * n + c] = std::complex<float>(value);
        }
        for (const LineSource& s : pb.sources) {
            const double r = std::hypot(seg[m].x - x0, seg[m].z - (base + s.height));
            rhs[m] += s.weight * (-j / 4.0) * hankel0(k * r);
        }
    }

    // Forward-backward iteration: psi = forward + backward parts, each sweep solving the
    // diagonal with the contributions from behind (forward) or ahead (backward).
    std::vector<Complex> fwd(n), bwd(n), total(n);
    double rhsNorm = 0.0;
    for (const Complex& v : rhs) rhsNorm += std::norm(v);
    rhsNorm = std::sqrt(rhsNorm);
    for (out.sweeps = 1; out.sweeps <= 40; ++out.sweeps) {
        for (int m = 0; m < n; ++m) {
            Complex sum = rhs[m];
            const std::complex<float>* row = &matrix[static_cast<std::size_t>(m) * n];
            for (int c = 0; c < m; ++c) sum -= Complex(row[c]) * (fwd[c] + bwd[c]);
            fwd[m] = sum / diagonal[m];
        }
        for (int m = n - 1; m >= 0; --m) {
            Complex sum = 0.0;
            const std::complex<float>* row = &matrix[static_cast<std::size_t>(m) * n];
            for (int c = m + 1; c < n; ++c) sum -= Complex(row[c]) * (fwd[c] + bwd[c]);
            bwd[m] = sum / diagonal[m];
        }
        for (int m = 0; m < n; ++m) total[m] = fwd[m] + bwd[m];
        double residual = 0.0;
        for (int m = 0; m < n; ++m) {
            Complex sum = rhs[m];
            const std::complex<float>* row = &matrix[static_cast<std::size_t>(m) * n];
            for (int c = 0; c < n; ++c) sum -= Complex(row[c]) * total[c];
            residual += std::norm(sum);
        }
        out.residual = std::sqrt(residual) / rhsNorm;
        if (out.residual < 1e-4) break;
    }

    // Far out the ground is level and the currents are grazing waves, psi = c x^-3/2 exp(-jkx)
    // with x from the tower: c is fitted between the last point and the cut, clear of the
    // truncated end, and the rest of the ground to infinity is integrated in closed form.
    Complex c = 0.0;
    int fitted = 0;
    double cutX = 0.0, cutZ = 0.0;
    for (int m = 0; m < n; ++m) {
        if (seg[m].window > 0.0) cutX = seg[m].x, cutZ = seg[m].z;
        if (seg[m].x > pb.profile.back().x + 0.25 * pb.beyondFeet && seg[m].window > 0.0) {
            c += total[m] * std::polar(1.0, k * seg[m].x) * std::pow(seg[m].x - x0, 1.5);
            ++fitted;
        }
    }
    if (fitted) c /= fitted;

    // Far field of each element: -j/4 sqrt(2j/(pi k r)) exp(-jkr) exp(jk u.r'), so relative
    // to a unit source at the origin the surface adds psi L (jk u.n / beta - 1) exp(jk u.r').
    for (double degrees : anglesDegrees) {
        const double t = degrees * pi / 180.0;
        const double ux = std::cos(t), uz = std::sin(t);
        Complex f = 0.0;
        for (const LineSource& s : pb.sources)
            f += s.weight * std::polar(1.0, k * uz * (base + s.height));
        for (int m = 0; m < n; ++m) {
            const double un = ux * seg[m].nx + uz * seg[m].nz;
            f += seg[m].window * total[m] * seg[m].length * (j * k * un / beta - 1.0) *
                 std::polar(1.0, k * (ux * (seg[m].x - x0) + uz * seg[m].z));
        }
        if (fitted) {
            const double q = k * (1.0 - ux);
            f += c * (j * k * uz / beta - 1.0) * std::polar(1.0, k * uz * cutZ - k * x0) *
                 grazingTail(cutX - x0, q);
        }
        out.factor.push_back(f);
    }
    return out;
}

double dipoleGainDbi(std::complex<double> factor) {
    return 2.15 + 20.0 * std::log10(std::max(std::abs(factor), 1e-30));
}

} // namespace vexlo_reference
