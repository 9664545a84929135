#include "full_wave.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

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
// removes their truncation from the forward far field. It ramps over the first half of the
// stretch behind, measured along it: over a steep first facet the stretch spans little
// distance, and a ramp of half its length in distance reached past the tower (at 79 degrees
// it weighed the facet's own reflection at the antenna by 0.3 and the ground ahead too).
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

// Where the far-field integral stops, clear of the currents' truncated end.
double cutAt(const Problem& pb, double wavelength) {
    return pb.profile.back().x + pb.beyondFeet - std::min(0.25 * pb.beyondFeet, 16.0 * wavelength);
}

std::vector<Segment> discretise(const Problem& pb, double wavelength) {
    const auto& raw = pb.profile;
    const double x0 = raw.front().x;
    std::vector<ProfilePoint> line;
    // Behind the tower the first facet continues (a single point or a vertical first facet:
    // level ground, as the engine takes it; a vertical one continued would stand through the
    // antenna).
    double dx = 1.0, dz = 0.0;
    if (raw.size() > 1 && raw[1].x > raw[0].x) {
        const double length = std::hypot(raw[1].x - raw[0].x, raw[1].z - raw[0].z);
        dx = (raw[1].x - raw[0].x) / length;
        dz = (raw[1].z - raw[0].z) / length;
    }
    line.push_back(earthTransform({raw[0].x - pb.behindFeet * dx, raw[0].z - pb.behindFeet * dz},
                                  x0, pb.curvedEarth));
    for (const ProfilePoint& p : raw) line.push_back(earthTransform(p, x0, pb.curvedEarth));
    // Beyond the last point the ground stays level on the earth: curved after the transform.
    // Past its first 8 wavelengths, where the ground is smooth, ten segments a wavelength.
    const double step = wavelength / pb.segmentsPerWavelength, farStep = wavelength / 10.0;
    for (double d = step; d < pb.beyondFeet + 0.5 * step;
         d += d < 8.0 * wavelength ? step : farStep)
        line.push_back(earthTransform({raw.back().x + d, raw.back().z}, x0, pb.curvedEarth));

    std::vector<Segment> segments;
    const double start = line.front().x, cut = cutAt(pb, wavelength);
    const std::size_t beyondFrom = raw.size(); // line[beyondFrom] is the last point
    for (std::size_t f = 0; f + 1 < line.size(); ++f) {
        const ProfilePoint a = line[f], b = line[f + 1];
        const double length = std::hypot(b.x - a.x, b.z - a.z);
        if (length <= 0.0) continue;
        const int count =
            f >= beyondFrom ? 1 : std::max(1, static_cast<int>(std::ceil(length / step - 1e-9)));
        const double tx = (b.x - a.x) / length, tz = (b.z - a.z) / length;
        for (int i = 0; i < count; ++i) {
            const double t = (i + 0.5) / count;
            const double x = a.x + t * (b.x - a.x);
            segments.push_back({x, a.z + t * (b.z - a.z), -tz, tx, length / count,
                                x > cut ? 0.0 : taper(x, start, 0.5 * pb.behindFeet * dx)});
        }
    }
    return segments;
}

double lowestAngle(const std::vector<double>& degrees) {
    const double lowest =
        degrees.empty() ? 1.5 : std::max(0.5, *std::min_element(degrees.begin(), degrees.end()));
    return lowest * pi / 180.0;
}

// Gauss-Legendre nodes and weights on [-1, 1], eight points.
constexpr std::array<double, 8> gaussNodes{
    -0.9602898564975363, -0.7966664774136267, -0.5255324099163290, -0.1834346424956498,
    0.1834346424956498,  0.5255324099163290,  0.7966664774136267,  0.9602898564975363};
constexpr std::array<double, 8> gaussWeights{
    0.1012285362903763, 0.2223810344533745, 0.3137066458778873, 0.3626837833783620,
    0.3626837833783620, 0.3137066458778873, 0.2223810344533745, 0.1012285362903763};

// Integral of H0(k |s|) over a segment of length l centred on s = 0: twice the integral
// from 0 to l/2, taken with s = (l/2) t^3 so that the logarithm of Y0 is smooth in t.
Complex selfIntegral(double k, double l) {
    const double a = l / 2.0;
    Complex sum = 0.0;
    for (int half = 0; half < 2; ++half)
        for (std::size_t i = 0; i < gaussNodes.size(); ++i) {
            const double t = 0.25 * (gaussNodes[i] + 1.0) + 0.5 * half; // [0, 1] in two halves
            const double s = a * t * t * t;
            sum += 0.25 * gaussWeights[i] * 3.0 * a * t * t *
                   Complex(std::cyl_bessel_j(0.0, k * s), -std::cyl_neumann(0.0, k * s));
        }
    return 2.0 * sum;
}

// The row's collocation point against segment c: the integrals over c of G and of dG/dn',
// taken at the centre alone when the point is far, over eight points when it is near.
void coupling(double k, const Segment& m, const Segment& c, Complex& g, Complex& dg) {
    const double tx = c.nz, tz = -c.nx; // the segment's tangent
    const double far = std::hypot(m.x - c.x, m.z - c.z);
    const bool near = far < 3.0 * c.length;
    g = dg = 0.0;
    for (std::size_t i = 0; i < (near ? gaussNodes.size() : 1); ++i) {
        const double s = near ? 0.5 * c.length * gaussNodes[i] : 0.0;
        const double w = near ? 0.5 * gaussWeights[i] * c.length : c.length;
        const double rx = m.x - (c.x + s * tx), rz = m.z - (c.z + s * tz);
        const double r = std::hypot(rx, rz);
        g += w * (-j / 4.0) * hankel0(k * r);
        // dG/dn' = -j/4 * (-k H1(kR)) * dR/dn', dR/dn' = -(r - r').n' / R.
        const double dRdn = -(rx * c.nx + rz * c.nz) / r;
        dg += w * (j / 4.0) * k * hankel1(k * r) * dRdn;
    }
}

using Matrix = std::vector<std::complex<float>>;

// y = A x.
void multiply(const Matrix& a, int n, const std::vector<Complex>& x, std::vector<Complex>& y) {
    for (int m = 0; m < n; ++m) {
        const std::complex<float>* row = &a[static_cast<std::size_t>(m) * n];
        double re = 0.0, im = 0.0;
        for (int c = 0; c < n; ++c) {
            const double ar = row[c].real(), ai = row[c].imag();
            re += ar * x[c].real() - ai * x[c].imag();
            im += ar * x[c].imag() + ai * x[c].real();
        }
        y[m] = {re, im};
    }
}

// One forward-backward sweep from nothing: the part of the answer that travels forward
// (each point from those behind it), then the part sent back (from those ahead). It solves
// the problem alone when little comes back; here it preconditions GMRES, which converges
// also where faces send much back.
void sweep(const Matrix& a, int n, const std::vector<Complex>& diagonal,
           const std::vector<Complex>& b, std::vector<Complex>& x) {
    std::vector<Complex> fwd(n), bwd(n, 0.0);
    for (int m = 0; m < n; ++m) {
        const std::complex<float>* row = &a[static_cast<std::size_t>(m) * n];
        Complex sum = b[m];
        for (int c = 0; c < m; ++c) sum -= Complex(row[c]) * fwd[c];
        fwd[m] = sum / diagonal[m];
    }
    for (int m = n - 1; m >= 0; --m) {
        const std::complex<float>* row = &a[static_cast<std::size_t>(m) * n];
        Complex sum = 0.0;
        for (int c = m + 1; c < n; ++c) sum -= Complex(row[c]) * (fwd[c] + bwd[c]);
        bwd[m] = sum / diagonal[m];
    }
    for (int m = 0; m < n; ++m) x[m] = fwd[m] + bwd[m];
}

double norm(const std::vector<Complex>& v) {
    double s = 0.0;
    for (const Complex& e : v) s += std::norm(e);
    return std::sqrt(s);
}

// GMRES, restarted, preconditioned on the right by the sweep: solves A x = b to the
// relative residual 'tolerance'. Returns the iterations taken and the residual reached.
std::pair<int, double> gmres(const Matrix& a, int n, const std::vector<Complex>& diagonal,
                             const std::vector<Complex>& b, std::vector<Complex>& x,
                             double tolerance) {
    constexpr int restart = 40, limit = 600;
    const double bNorm = norm(b);
    x.assign(n, 0.0);
    std::vector<Complex> r = b, w(n), z(n);
    double residual = 1.0;
    int iterations = 0;
    while (iterations < limit) {
        // r = b - A x
        multiply(a, n, x, w);
        for (int m = 0; m < n; ++m) r[m] = b[m] - w[m];
        const double beta = norm(r);
        residual = beta / bNorm;
        if (residual < tolerance) break;
        std::vector<std::vector<Complex>> v{r}, zs;
        for (Complex& e : v[0]) e /= beta;
        std::vector<std::vector<Complex>> h(restart + 1, std::vector<Complex>(restart, 0.0));
        std::vector<Complex> cs(restart), sn(restart), g(restart + 1, 0.0);
        g[0] = beta;
        int used = 0;
        for (int i = 0; i < restart && iterations < limit; ++i, ++iterations) {
            sweep(a, n, diagonal, v[i], z);
            zs.push_back(z);
            multiply(a, n, z, w);
            for (int l = 0; l <= i; ++l) { // modified Gram-Schmidt
                Complex dot = 0.0;
                for (int m = 0; m < n; ++m) dot += std::conj(v[l][m]) * w[m];
                h[l][i] = dot;
                for (int m = 0; m < n; ++m) w[m] -= dot * v[l][m];
            }
            const double wNorm = norm(w);
            h[i + 1][i] = wNorm;
            for (int l = 0; l < i; ++l) { // the rotations so far
                const Complex t = cs[l] * h[l][i] + sn[l] * h[l + 1][i];
                h[l + 1][i] = -std::conj(sn[l]) * h[l][i] + std::conj(cs[l]) * h[l + 1][i];
                h[l][i] = t;
            }
            const double d = std::hypot(std::abs(h[i][i]), wNorm);
            cs[i] = h[i][i] / d;
            sn[i] = Complex(wNorm / d);
            if (std::abs(h[i][i]) == 0.0) cs[i] = 0.0, sn[i] = 1.0;
            cs[i] = std::conj(cs[i]);
            h[i][i] = d;
            h[i + 1][i] = 0.0;
            g[i + 1] = -std::conj(sn[i]) * g[i];
            g[i] = cs[i] * g[i];
            used = i + 1;
            residual = std::abs(g[i + 1]) / bNorm;
            if (residual < tolerance || wNorm == 0.0) break;
            v.push_back(w);
            for (Complex& e : v.back()) e /= wNorm;
        }
        // Back-substitution for the coefficients, then x += Z y.
        std::vector<Complex> y(used);
        for (int i = used - 1; i >= 0; --i) {
            Complex s = g[i];
            for (int l = i + 1; l < used; ++l) s -= h[i][l] * y[l];
            y[i] = s / h[i][i];
        }
        for (int i = 0; i < used; ++i)
            for (int m = 0; m < n; ++m) x[m] += y[i] * zs[i][m];
        if (residual < tolerance) {
            ++iterations;
            break;
        }
    }
    multiply(a, n, x, w);
    for (int m = 0; m < n; ++m) r[m] = b[m] - w[m];
    return {iterations, norm(r) / bNorm};
}

} // namespace

Solution solve(const Problem& pb, const std::vector<double>& anglesDegrees) {
    Solution out;
    if (pb.profile.empty() || pb.sources.empty()) return out;
    const double wavelength = 983.57104 / pb.frequencyMHz; // feet
    const double k = 2.0 * pi / wavelength;
    const Complex eps(pb.dielectric, -60.0 * pb.conductivity * wavelength * 0.3048);
    // Impedance condition dU/dn = beta U with beta = j k sqrt(eps - 1) (Im < 0): the
    // horizontally polarised plane wave's Fresnel coefficient exactly at grazing, and
    // within a few hundredths of a dB of it up to 35 degrees on every ground.
    const Complex beta = j * k * std::sqrt(eps - 1.0);

    Problem extended = pb;
    extended.behindFeet = std::max(pb.behindFeet, 8.0 * wavelength);
    // Beyond the profile at least as far as the reflection of the lowest angle from the
    // highest source, within about 14,000 unknowns.
    double highest = 0.0;
    for (const LineSource& s : pb.sources) highest = std::max(highest, s.height);
    const double lift = highest + pb.profile.front().z - pb.profile.back().z;
    const double reflection = std::max(0.0, lift) / std::tan(lowestAngle(anglesDegrees)) -
                              (pb.profile.back().x - pb.profile.front().x);
    double profileLength = pb.behindFeet;
    for (std::size_t i = 1; i < pb.profile.size(); ++i)
        profileLength += std::hypot(pb.profile[i].x - pb.profile[i - 1].x,
                                    pb.profile[i].z - pb.profile[i - 1].z);
    const double budget = std::max(
        16.0 * wavelength,
        (14000.0 - profileLength * pb.segmentsPerWavelength / wavelength) * wavelength / 10.0);
    extended.beyondFeet =
        std::max(pb.beyondFeet, std::min(budget, std::max(16.0 * wavelength, 2.0 * reflection)));
    const std::vector<Segment> seg = discretise(extended, wavelength);
    const int n = static_cast<int>(seg.size());
    out.unknowns = n;
    const double x0 = pb.profile.front().x;
    const double base = earthTransform(pb.profile.front(), x0, pb.curvedEarth).z;

    // Green's function G = -j/4 H0(kR); unknown psi = dU/dn on the surface, U = psi / beta.
    // Row m: psi_m / (2 beta) + sum_n psi_n (integral over n of G - (1/beta) dG/dn') =
    // U_incident(m).
    Matrix matrix(static_cast<std::size_t>(n) * n);
    std::vector<Complex> rhs(n), diagonal(n);
    for (int m = 0; m < n; ++m) {
        for (int c = 0; c < n; ++c) {
            Complex value;
            if (c == m) {
                value = -j / 4.0 * selfIntegral(k, seg[m].length) + 1.0 / (2.0 * beta);
                diagonal[m] = value;
            } else {
                Complex g, dg;
                coupling(k, seg[m], seg[c], g, dg);
                value = g - dg / beta;
            }
            matrix[static_cast<std::size_t>(m) * n + c] = std::complex<float>(value);
        }
        for (const LineSource& s : pb.sources) {
            const double r = std::hypot(seg[m].x - x0, seg[m].z - (base + s.height));
            rhs[m] += s.weight * (-j / 4.0) * hankel0(k * r);
        }
    }
    std::vector<Complex> total;
    std::tie(out.sweeps, out.residual) = gmres(matrix, n, diagonal, rhs, total, 1e-5);

    // Beyond the cut the ground is level on the earth. Where the sources light it, its
    // currents are taken as their physical-optics currents (the reflection far out, which a
    // high antenna's low angles come from) times a constant fitted between the last point
    // and the cut, clear of the truncated end: near grazing the true currents differ from
    // physical optics by a nearly constant factor. Where the terrain hides the far ground
    // they are a grazing wave psi = c x^-3/2 exp(-jkx) with x from the tower, c fitted the
    // same way and the wave integrated to infinity in closed form.
    const double lastX = pb.profile.back().x, lastZ = pb.profile.back().z;
    const Complex b = std::sqrt(eps - 1.0);
    const auto earthAt = [&](double x) { return earthTransform({x, lastZ}, x0, pb.curvedEarth); };
    // The surface's normal there, into the air.
    const auto normalAt = [&](double x) {
        const double slope = pb.curvedEarth ? -(x - x0) / effectiveEarthFeet : 0.0;
        const double length = std::hypot(1.0, slope);
        return std::pair{-slope / length, 1.0 / length};
    };
    // Per source, the steepest slope up to the profile's points: a point of the far ground
    // is lit when the slope to it is steeper.
    std::vector<double> horizons;
    for (const LineSource& s : pb.sources) {
        double steepest = -1e300;
        for (const ProfilePoint& raw : pb.profile) {
            const ProfilePoint p = earthTransform(raw, x0, pb.curvedEarth);
            if (p.x > x0) steepest = std::max(steepest, (p.z - base - s.height) / (p.x - x0));
        }
        horizons.push_back(steepest);
    }
    const auto physicalOptics = [&](double x) {
        const ProfilePoint p = earthAt(x);
        const auto [nx, nz] = normalAt(x);
        Complex psi = 0.0;
        for (std::size_t i = 0; i < pb.sources.size(); ++i) {
            const LineSource& s = pb.sources[i];
            const double rx = x0 - p.x, rz = base + s.height - p.z, r = std::hypot(rx, rz);
            const double sine = (rx * nx + rz * nz) / r;
            if (sine <= 0.0 || -rz / -rx <= horizons[i]) continue; // hidden
            psi += s.weight * j * k * b * (2.0 * sine / (sine + b)) * (-j / 4.0) * hankel0(k * r);
        }
        return psi;
    };
    const double cut = cutAt(extended, wavelength);
    const double fitFrom = cut - std::min(0.5 * (cut - lastX), 16.0 * wavelength);
    Complex ratioUp = 0.0, c = 0.0;
    double ratioDown = 0.0;
    int fitted = 0;
    double cutX = 0.0, cutZ = 0.0;
    for (int m = 0; m < n; ++m) {
        if (seg[m].window > 0.0) cutX = seg[m].x + 0.5 * seg[m].length, cutZ = seg[m].z;
        if (seg[m].x > fitFrom && seg[m].window > 0.0) {
            const Complex po = physicalOptics(seg[m].x);
            ratioUp += total[m] * std::conj(po);
            ratioDown += std::norm(po);
            c += total[m] * std::polar(1.0, k * seg[m].x) * std::pow(seg[m].x - x0, 1.5);
            ++fitted;
        }
    }
    if (fitted) c /= double(fitted);
    const Complex ratio = ratioDown > 0.0 ? ratioUp / ratioDown : 0.0;
    // Physical optics holds where the sources' waves meet the far ground well above
    // grazing, k x sin^2 of the grazing angle large; a grazing wave where it is small. In
    // between, a mixture of the two fits.
    double geometric = 0.0;
    if (ratioDown > 0.0) {
        const ProfilePoint p = earthAt(cutX);
        const auto [nx, nz] = normalAt(cutX);
        const double rx = x0 - p.x, rz = base + highest - p.z;
        const double sine = std::max(0.0, (rx * nx + rz * nz) / std::hypot(rx, rz));
        const double numerical = k * (cutX - x0) * sine * sine;
        geometric = numerical / (1.0 + numerical);
    }
    const bool lit = geometric > 0.0;
    // The lit ground out to the horizon of the highest source, or 600,000 ft, in steps of a
    // tenth of a wavelength, faded out over its last fifth.
    const double reach = std::min(
        600000.0, pb.curvedEarth
                      ? 2.2 * std::sqrt(2.0 * effectiveEarthFeet * (highest + base - lastZ + 1.0))
                      : 600000.0);
    struct TailPoint {
        double x, z, nx, nz;
        Complex psi;
    };
    std::vector<TailPoint> tail;
    const double tailStep = wavelength / 10.0;
    for (double x = cutX + 0.5 * tailStep; lit && x < x0 + reach; x += tailStep) {
        const ProfilePoint p = earthAt(x);
        const auto [nx, nz] = normalAt(x);
        const double fade = std::clamp((x0 + reach - x) / (0.2 * reach), 0.0, 1.0);
        tail.push_back({p.x, p.z, nx, nz,
                        geometric * ratio * physicalOptics(x) * std::sin(pi / 2 * fade) *
                            std::sin(pi / 2 * fade) * tailStep});
    }

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
            // The pulse's own radiation: its phase turns along the segment.
            const double half = 0.5 * k * (ux * seg[m].nz - uz * seg[m].nx) * seg[m].length;
            const double pulse = std::fabs(half) < 1e-8 ? 1.0 : std::sin(half) / half;
            f += seg[m].window * total[m] * seg[m].length * pulse * (j * k * un / beta - 1.0) *
                 std::polar(1.0, k * (ux * (seg[m].x - x0) + uz * seg[m].z));
        }
        for (const TailPoint& p : tail)
            f += p.psi * (j * k * (ux * p.nx + uz * p.nz) / beta - 1.0) *
                 std::polar(1.0, k * (ux * (p.x - x0) + uz * p.z));
        if (fitted) {
            const double q = k * (1.0 - ux);
            f += (1.0 - geometric) * c * (j * k * uz / beta - 1.0) *
                 std::polar(1.0, k * uz * cutZ - k * x0) * grazingTail(cutX - x0, q);
        }
        out.factor.push_back(f);
    }
    return out;
}

double dipoleGainDbi(std::complex<double> factor) {
    return 2.15 + 20.0 * std::log10(std::max(std::abs(factor), 1e-30));
}

} // namespace vexlo_reference
