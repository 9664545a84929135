#include "near_terrain.h"

#include <array>
#include <cmath>
#include <numbers>

#include "plane_field.h"
#include "unit_phasor.h"
#include "vector_path.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
constexpr Complex j{0.0, 1.0};

// The distance between two points by the plain root (the library's hypot, which guards
// against overflow no distance here comes near, took a tenth of the solve's time).
double distance(Point a, Point b) {
    const double dx = a.x - b.x, dz = a.z - b.z;
    return std::sqrt(dx * dx + dz * dz);
}

// Gauss-Legendre nodes and weights on [-1, 1], eight points.
constexpr std::array<double, 8> gaussNodes{
    -0.9602898564975363, -0.7966664774136267, -0.5255324099163290, -0.1834346424956498,
    0.1834346424956498,  0.5255324099163290,  0.7966664774136267,  0.9602898564975363};
constexpr std::array<double, 8> gaussWeights{
    0.1012285362903763, 0.2223810344533745, 0.3137066458778873, 0.3626837833783620,
    0.3626837833783620, 0.3137066458778873, 0.2223810344533745, 0.1012285362903763};

// H1(2)(x) = J1(x) - j Y1(x): rational approximations of J1 and Y1 below 8 (absolute error
// below 2e-8), Hankel's expansion above (relative error below 1e-7).
Complex hankel1(double x) {
    if (x < 8.0) {
        const double y = x * x;
        const double j1 =
            x *
            (72362614232.0 +
             y * (-7895059235.0 +
                  y * (242396853.1 + y * (-2972611.439 + y * (15704.48260 + y * -30.16036606))))) /
            (144725228442.0 +
             y * (2300535178.0 + y * (18583304.74 + y * (99447.43394 + y * (376.9991397 + y)))));
        const double y1 =
            x *
                (-0.4900604943e13 +
                 y * (0.1275274390e13 +
                      y * (-0.5153438139e11 +
                           y * (0.7349264551e9 + y * (-0.4237922726e7 + y * 0.8511937935e4))))) /
                (0.2499580570e14 +
                 y * (0.4244419664e12 +
                      y * (0.3733650367e10 +
                           y * (0.2245904002e8 +
                                y * (0.1020426050e6 + y * (0.3549632885e3 + y)))))) +
            2.0 / pi * (j1 * std::log(x) - 1.0 / x);
        return {j1, -y1};
    }
    const double r = 1.0 / x, r2 = r * r;
    const double p = 1.0 + 0.1171875 * r2 - 0.1441955566 * r2 * r2 + 0.6765925884 * r2 * r2 * r2;
    const double q = 0.375 * r - 0.1025390625 * r2 * r + 0.2775764465 * r2 * r2 * r;
    return std::sqrt(2.0 / (pi * x)) * Complex(p, -q) * unitPhasor(-(x - 3.0 * pi / 4.0));
}

// The integral of G over a straight piece of length l seen from its middle: twice that from
// 0 to l/2, taken with s = (l/2) t^3 so that the logarithm of Y0 is smooth in t.
Complex selfIntegral(double k, double l) {
    const double a = l / 2.0;
    Complex sum = 0.0;
    for (int half = 0; half < 2; ++half)
        for (std::size_t i = 0; i < gaussNodes.size(); ++i) {
            const double t = 0.25 * (gaussNodes[i] + 1.0) + 0.5 * half;
            const double s = a * t * t * t;
            sum += 0.25 * gaussWeights[i] * 3.0 * a * t * t * lineSourceField(k * s);
        }
    return 2.0 * sum;
}

// Solves a x = b in place (b becomes x) by Gaussian elimination with partial pivoting; a is
// n by n, row by row, its real and imaginary parts apart (so that the elimination's rows go
// in vector lanes), and is overwritten.
void solveDense(std::vector<double>& re, std::vector<double>& im, int n, std::vector<Complex>& b) {
    const auto at = [n](int r, int c) { return std::size_t(r) * n + c; };
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        double largest = 0.0;
        for (int r = c; r < n; ++r) {
            const double size = re[at(r, c)] * re[at(r, c)] + im[at(r, c)] * im[at(r, c)];
            if (size > largest) largest = size, pivot = r;
        }
        if (pivot != c) {
            for (int i = 0; i < n; ++i) {
                std::swap(re[at(c, i)], re[at(pivot, i)]);
                std::swap(im[at(c, i)], im[at(pivot, i)]);
            }
            std::swap(b[c], b[pivot]);
        }
        const Complex inverse = 1.0 / Complex(re[at(c, c)], im[at(c, c)]);
        runVectorLoops([&] {
            const double* __restrict pr = &re[at(c, 0)];
            const double* __restrict pi = &im[at(c, 0)];
            for (int r = c + 1; r < n; ++r) {
                double* __restrict rr = &re[at(r, 0)];
                double* __restrict ri = &im[at(r, 0)];
                const Complex f = Complex(rr[c], ri[c]) * inverse;
                const double fr = f.real(), fi = f.imag();
                if (fr == 0.0 && fi == 0.0) continue;
#pragma omp simd
                for (int i = c + 1; i < n; ++i) {
                    rr[i] -= fr * pr[i] - fi * pi[i];
                    ri[i] -= fr * pi[i] + fi * pr[i];
                }
                b[r] -= f * b[c];
            }
        });
    }
    for (int r = n - 1; r >= 0; --r) {
        Complex sum = b[r];
        for (int i = r + 1; i < n; ++i) sum -= Complex(re[at(r, i)], im[at(r, i)]) * b[i];
        b[r] = sum / Complex(re[at(r, r)], im[at(r, r)]);
    }
}

} // namespace

NearTerrain::NearTerrain(const std::vector<Point>& points, const std::vector<LineSource>& sources,
                         double k, Complex beta)
    : k_(k), beta_(beta), derivative_(j * k * beta), sources_(sources) {
    const double longest = 2.0 * pi / k / piecesPerWavelength;
    double arc = 0.0;
    arcs_.push_back(0.0);
    for (std::size_t v = 0; v + 1 < points.size(); ++v) {
        const Point d = minus(points[v + 1], points[v]);
        const double length = std::hypot(d.x, d.z);
        if (length > 0.0) {
            const Point tangent{d.x / length, d.z / length};
            const int count = std::max(1, static_cast<int>(std::ceil(length / longest - 1e-9)));
            for (int i = 0; i < count; ++i) {
                const double t = (i + 0.5) / count;
                pieces_.push_back({{points[v].x + t * d.x, points[v].z + t * d.z},
                                   tangent,
                                   {-tangent.z, tangent.x},
                                   length / count,
                                   arc + t * length});
            }
        }
        arc += length;
        arcs_.push_back(arc);
    }
    // psi / (2 j k beta) + sum over pieces of psi (integral of G - dG/dn' / (j k beta)) = the
    // incident field, at each piece's middle.
    const int n = unknowns();
    std::vector<double> matrixRe(std::size_t(n) * n), matrixIm(std::size_t(n) * n);
    psi_.resize(n);
    for (int m = 0; m < n; ++m) {
        for (int c = 0; c < n; ++c) {
            Complex value;
            if (c == m) {
                value = selfIntegral(k_, pieces_[m].length) + 1.0 / (2.0 * derivative_);
            } else {
                Complex g, dg;
                coupling(pieces_[m].middle, pieces_[c], g, dg);
                value = g - dg / derivative_;
            }
            matrixRe[std::size_t(m) * n + c] = value.real();
            matrixIm[std::size_t(m) * n + c] = value.imag();
        }
        psi_[m] = incident(pieces_[m].middle);
    }
    solveDense(matrixRe, matrixIm, n, psi_);
}

Complex NearTerrain::incident(Point p) const {
    Complex sum = 0.0;
    for (const LineSource& e : sources_) sum += e.weight * lineSourceField(k_ * distance(p, e.at));
    return sum;
}

void NearTerrain::coupling(Point p, const Piece& c, Complex& g, Complex& dg) const {
    const bool near = distance(p, c.middle) < 3.0 * c.length;
    g = dg = 0.0;
    for (std::size_t i = 0; i < (near ? gaussNodes.size() : 1); ++i) {
        const double s = near ? 0.5 * c.length * gaussNodes[i] : 0.0;
        const double w = near ? 0.5 * gaussWeights[i] * c.length : c.length;
        const double rx = p.x - (c.middle.x + s * c.tangent.x);
        const double rz = p.z - (c.middle.z + s * c.tangent.z);
        const double r = std::sqrt(rx * rx + rz * rz);
        g += w * lineSourceField(k_ * r);
        // dG/dn' = (j/4) k H1(k R) dR/dn', dR/dn' = -(r - r').n' / R: nothing along a piece's
        // own line.
        const double across = -(rx * c.normal.x + rz * c.normal.z) / r;
        if (std::fabs(across) > 1e-12) dg += w * Complex(0.0, 0.25) * k_ * hankel1(k_ * r) * across;
    }
}

Complex NearTerrain::fieldAt(Point p) const {
    // On the surface (within a millionth of a piece of its line, between its ends): the
    // surface field there, linear between the pieces' middles.
    for (std::size_t n = 0; n < pieces_.size(); ++n) {
        const Piece& c = pieces_[n];
        const Point d = minus(p, c.middle);
        const double along = dot(d, c.tangent);
        if (std::fabs(dot(d, c.normal)) < 1e-6 * c.length &&
            std::fabs(along) <= (0.5 + 1e-6) * c.length) {
            const std::size_t other =
                along >= 0.0 ? std::min(n + 1, pieces_.size() - 1) : (n > 0 ? n - 1 : 0);
            const double gap = std::fabs(pieces_[other].arc - c.arc);
            const double t = other == n || gap <= 0.0 ? 0.0 : std::fabs(along) / gap;
            return ((1.0 - t) * psi_[n] + t * psi_[other]) / derivative_;
        }
    }
    Complex sum = incident(p);
    for (std::size_t n = 0; n < pieces_.size(); ++n) {
        Complex g, dg;
        coupling(p, pieces_[n], g, dg);
        sum -= psi_[n] * (g - dg / derivative_);
    }
    return sum;
}

void NearTerrain::radiate(double from, double to, const std::vector<double>& angles,
                          std::vector<Complex>& field) const {
    // By Green's theorem jk (u_hat . n - beta) times the integral of u, each piece's u
    // constant along it.
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const double ux = std::cos(angles[i]), uz = std::sin(angles[i]);
        Complex sum = 0.0;
        for (std::size_t n = 0; n < pieces_.size(); ++n) {
            const Piece& c = pieces_[n];
            if (c.arc < from || c.arc >= to) continue;
            const double half = 0.5 * k_ * (ux * c.tangent.x + uz * c.tangent.z) * c.length;
            const double pulse = std::fabs(half) < 1e-8 ? 1.0 : std::sin(half) / half;
            sum += psi_[n] / derivative_ * c.length * pulse *
                   (ux * c.normal.x + uz * c.normal.z - beta_) *
                   unitPhasor(k_ * (ux * c.middle.x + uz * c.middle.z));
        }
        field[i] += Complex(0.0, k_) * sum;
    }
}

} // namespace vexlo
