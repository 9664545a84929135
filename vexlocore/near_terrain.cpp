#include "near_terrain.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

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

// The rows from 'first' on take the pivots 'from' .. from + Width - 1 at once in their columns
// from 'from' + Width on: each row's part there is read and written once for all of them
// (the elimination's work is in these updates, and a row's passes through memory were most
// of it). The pivots in the order the one-by-one elimination takes them.
template <int Width> void takePivots(double* re, double* im, int n, int from, int first) {
    const auto at = [n](int r, int c) { return std::size_t(r) * n + c; };
    const int begin = from + Width;
    for (int r = first; r < n; ++r) {
        double fr[Width], fi[Width];
        const double* __restrict pr[Width];
        const double* __restrict pim[Width];
        for (int q = 0; q < Width; ++q) {
            fr[q] = re[at(r, from + q)];
            fi[q] = im[at(r, from + q)];
            pr[q] = re + at(from + q, 0);
            pim[q] = im + at(from + q, 0);
        }
        double* __restrict rr = re + at(r, 0);
        double* __restrict ri = im + at(r, 0);
#pragma omp simd
        for (int i = begin; i < n; ++i) {
            double xr = rr[i], xi = ri[i];
            for (int q = 0; q < Width; ++q) {
                xr -= fr[q] * pr[q][i] - fi[q] * pim[q][i];
                xi -= fr[q] * pim[q][i] + fi[q] * pr[q][i];
            }
            rr[i] = xr;
            ri[i] = xi;
        }
    }
}

// takePivots() of 'count' pivots, up to Width.
template <int Width>
void takeAnyPivots(int count, double* re, double* im, int n, int from, int first) {
    if constexpr (Width > 1)
        if (count < Width) return takeAnyPivots<Width - 1>(count, re, im, n, from, first);
    takePivots<Width>(re, im, n, from, first);
}

// An entry of the matrix by the midpoint rule, of H0 and H1 / (4 beta) at the pieces' distance
// and dR/dn' = -(r - r').n' / R: l (-(j/4) H0 - H1 dR/dn' / (4 beta)).
inline void midpointEntry(double length, double h0Re, double h0Im, double h1bRe, double h1bIm,
                          double across, double& re, double& im) {
    re = length * (0.25 * h0Im - h1bRe * across);
    im = length * (-0.25 * h0Re - h1bIm * across);
}

} // namespace

// The real and imaginary parts apart so that the elimination's rows go in vector lanes. The
// columns are taken four at a time: each column of the four is eliminated (its pivot chosen,
// the rows below it given their multipliers, kept in place of the eliminated entries) in the
// four's columns alone, and the rest of the rows then take the four pivots at once. The same
// operations in the same order as one column at a time, so the answer is the same but for
// fused multiply-adds.
void solveDense(std::vector<double>& re, std::vector<double>& im, int n, std::vector<Complex>& b) {
    constexpr int width = 4;
    const auto at = [n](int r, int c) { return std::size_t(r) * n + c; };
    for (int from = 0; from < n; from += width) {
        const int end = std::min(from + width, n);
        for (int c = from; c < end; ++c) {
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
            for (int r = c + 1; r < n; ++r) {
                const Complex f = Complex(re[at(r, c)], im[at(r, c)]) * inverse;
                const double fr = f.real(), fi = f.imag();
                re[at(r, c)] = fr;
                im[at(r, c)] = fi;
                for (int i = c + 1; i < end; ++i) {
                    re[at(r, i)] -= fr * re[at(c, i)] - fi * im[at(c, i)];
                    im[at(r, i)] -= fr * im[at(c, i)] + fi * re[at(c, i)];
                }
                b[r] -= f * b[c];
            }
        }
        runVectorLoops([&] {
            // The four's own rows past the first take the pivots above them one by one,
            // then the rows below take all four.
            for (int c = from + 1; c < end; ++c)
                for (int q = from; q < c; ++q) {
                    const double fr = re[at(c, q)], fi = im[at(c, q)];
                    double* __restrict rr = &re[at(c, 0)];
                    double* __restrict ri = &im[at(c, 0)];
                    const double* __restrict pr = &re[at(q, 0)];
                    const double* __restrict pi = &im[at(q, 0)];
#pragma omp simd
                    for (int i = end; i < n; ++i) {
                        rr[i] -= fr * pr[i] - fi * pi[i];
                        ri[i] -= fr * pi[i] + fi * pr[i];
                    }
                }
            takeAnyPivots<width>(end - from, re.data(), im.data(), n, from, end);
        });
    }
    for (int r = n - 1; r >= 0; --r) {
        Complex sum = b[r];
        for (int i = r + 1; i < n; ++i) sum -= Complex(re[at(r, i)], im[at(r, i)]) * b[i];
        b[r] = sum / Complex(re[at(r, r)], im[at(r, r)]);
    }
}

NearTerrain::NearTerrain(const std::vector<Point>& points, const std::vector<LineSource>& sources,
                         double k, Complex beta)
    : k_(k), beta_(beta), derivative_(j * k * beta) {
    for (const LineSource& e : sources) {
        sources_.x.push_back(e.at.x);
        sources_.z.push_back(e.at.z);
        sources_.weightRe.push_back(e.weight.real());
        sources_.weightIm.push_back(e.weight.imag());
    }
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
    for (const Piece& c : pieces_) {
        lanes_.x.push_back(c.middle.x);
        lanes_.z.push_back(c.middle.z);
        lanes_.normalX.push_back(c.normal.x);
        lanes_.normalZ.push_back(c.normal.z);
        lanes_.length.push_back(c.length);
    }
    std::vector<double> matrixRe(std::size_t(n) * n), matrixIm(std::size_t(n) * n), far(n);
    psi_.resize(n);
    const double ibRe = quarterOverBeta().real(), ibIm = quarterOverBeta().imag();
    double selfLength = -1.0;
    Complex self;
    for (int m = 0; m < n; ++m) {
        // The pieces past m at least 8 / k away (past any piece's reach of three lengths,
        // a quarter of a wavelength): both (m, c) and (c, m) at once in vector lanes, by the
        // midpoint rule, from one distance and one evaluation of H0 and H1.
        runVectorLoops([&] {
            const double *x = lanes_.x.data(), *z = lanes_.z.data(),
                         *normalX = lanes_.normalX.data(), *normalZ = lanes_.normalZ.data(),
                         *length = lanes_.length.data();
            double* __restrict re = matrixRe.data();
            double* __restrict im = matrixIm.data();
            double* __restrict kr = far.data();
            const double mx = x[m], mz = z[m], mnx = normalX[m], mnz = normalZ[m];
            const double ml = length[m];
            const std::size_t row = std::size_t(m) * n;
#pragma omp simd
            for (int c = m + 1; c < n; ++c) {
                const double rx = mx - x[c], rz = mz - z[c];
                const double r = std::sqrt(rx * rx + rz * rz);
                kr[c] = k_ * r;
                double h0Re, h0Im, h1Re, h1Im;
                farHankels(std::max(k_ * r, 8.0), h0Re, h0Im, h1Re, h1Im);
                const double h1bRe = h1Re * ibRe - h1Im * ibIm, h1bIm = h1Re * ibIm + h1Im * ibRe;
                const double acrossC = -(rx * normalX[c] + rz * normalZ[c]) / r;
                const double acrossM = (rx * mnx + rz * mnz) / r;
                midpointEntry(length[c], h0Re, h0Im, h1bRe, h1bIm, acrossC, re[row + c],
                              im[row + c]);
                midpointEntry(ml, h0Re, h0Im, h1bRe, h1bIm, acrossM, re[std::size_t(c) * n + m],
                              im[std::size_t(c) * n + m]);
            }
        });
        // The pieces nearer, one by one: by the midpoint rule where each is past the other's
        // reach, both entries from one evaluation of H0 and H1.
        for (int c = m; c < n; ++c) {
            if (c > m && far[c] >= 8.0) continue;
            const Piece &a = pieces_[m], &b = pieces_[c];
            const Point r = minus(a.middle, b.middle);
            const double size = std::sqrt(r.x * r.x + r.z * r.z);
            if (c > m && size >= 3.0 * std::max(a.length, b.length)) {
                const Hankels h = hankels(k_ * size);
                const Complex h1b = h.h1 * quarterOverBeta();
                midpointEntry(b.length, h.h0.real(), h.h0.imag(), h1b.real(), h1b.imag(),
                              -dot(r, b.normal) / size, matrixRe[std::size_t(m) * n + c],
                              matrixIm[std::size_t(m) * n + c]);
                midpointEntry(a.length, h.h0.real(), h.h0.imag(), h1b.real(), h1b.imag(),
                              dot(r, a.normal) / size, matrixRe[std::size_t(c) * n + m],
                              matrixIm[std::size_t(c) * n + m]);
                continue;
            }
            for (const auto& [to, from] : {std::pair{m, c}, std::pair{c, m}}) {
                Complex value;
                if (to == from) {
                    // Pieces of one facet alike in length share the integral.
                    if (pieces_[to].length != selfLength)
                        selfLength = pieces_[to].length,
                        self = selfIntegral(k_, selfLength) + 1.0 / (2.0 * derivative_);
                    value = self;
                } else {
                    Complex g, dg;
                    coupling(pieces_[to].middle, pieces_[from], g, dg);
                    value = g - dg / derivative_;
                }
                matrixRe[std::size_t(to) * n + from] = value.real();
                matrixIm[std::size_t(to) * n + from] = value.imag();
                if (to == from) break;
            }
        }
        psi_[m] = incident(pieces_[m].middle);
    }
    solveDense(matrixRe, matrixIm, n, psi_);
    // What fieldAt() weighs each piece's H0 and H1 by, psi l (-j/4) and psi l / (4 beta), and
    // the integral of u over it that radiate() takes.
    for (int c = 0; c < n; ++c) {
        const Complex g = psi_[c] * pieces_[c].length * Complex(0.0, -0.25);
        const Complex dg = psi_[c] * pieces_[c].length * quarterOverBeta();
        lanes_.weightRe.push_back(g.real());
        lanes_.weightIm.push_back(g.imag());
        lanes_.acrossRe.push_back(dg.real());
        lanes_.acrossIm.push_back(dg.imag());
        const Complex u = psi_[c] / derivative_ * pieces_[c].length;
        lanes_.surfaceRe.push_back(u.real());
        lanes_.surfaceIm.push_back(u.imag());
    }
}

Complex NearTerrain::incident(Point p) const {
    double sumRe = 0.0, sumIm = 0.0;
    runVectorLoops([&] {
        const double *x = sources_.x.data(), *z = sources_.z.data(),
                     *weightRe = sources_.weightRe.data(), *weightIm = sources_.weightIm.data();
        const std::size_t count = sources_.x.size();
        double re = 0.0, im = 0.0;
#pragma omp simd reduction(+ : re, im)
        for (std::size_t e = 0; e < count; ++e) {
            const double dx = p.x - x[e], dz = p.z - z[e];
            double gr, gi;
            lineSourceField(k_ * std::sqrt(dx * dx + dz * dz), gr, gi);
            re += weightRe[e] * gr - weightIm[e] * gi;
            im += weightRe[e] * gi + weightIm[e] * gr;
        }
        sumRe = re;
        sumIm = im;
    });
    return {sumRe, sumIm};
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
        // dG/dn' = (j/4) k H1(k R) dR/dn', dR/dn' = -(r - r').n' / R: nothing along a piece's
        // own line.
        const double across = -(rx * c.normal.x + rz * c.normal.z) / r;
        if (std::fabs(across) > 1e-12) {
            const Hankels h = hankels(k_ * r);
            g += w * Complex(0.0, -0.25) * h.h0;
            dg += w * Complex(0.0, 0.25) * k_ * h.h1 * across;
        } else
            g += w * lineSourceField(k_ * r);
    }
}

Complex NearTerrain::fieldAt(Point p) const {
    // The pieces within 8 / k of p (past any piece's reach of three lengths), taken one by one.
    const double within = 8.0 / k_;
    std::vector<std::size_t> close;
    for (std::size_t n = 0; n < pieces_.size(); ++n) {
        const double dx = p.x - lanes_.x[n], dz = p.z - lanes_.z[n];
        if (dx * dx + dz * dz < within * within) close.push_back(n);
    }
    // On the surface (within a millionth of a piece of its line, between its ends): the
    // surface field there, linear between the pieces' middles.
    for (std::size_t n : close) {
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
    for (std::size_t n : close) {
        Complex g, dg;
        coupling(p, pieces_[n], g, dg);
        sum -= psi_[n] * (g - dg / derivative_);
    }
    // The rest by the midpoint rule in vector lanes: psi l (-(j/4) H0 - H1 dR/dn' / (4 beta)).
    double farRe = 0.0, farIm = 0.0;
    runVectorLoops([&] {
        const double *x = lanes_.x.data(), *z = lanes_.z.data(), *normalX = lanes_.normalX.data(),
                     *normalZ = lanes_.normalZ.data();
        const double *weightRe = lanes_.weightRe.data(), *weightIm = lanes_.weightIm.data(),
                     *acrossRe = lanes_.acrossRe.data(), *acrossIm = lanes_.acrossIm.data();
        const std::size_t count = pieces_.size();
        double sumRe = 0.0, sumIm = 0.0;
#pragma omp simd reduction(+ : sumRe, sumIm)
        for (std::size_t n = 0; n < count; ++n) {
            const double rx = p.x - x[n], rz = p.z - z[n];
            const double r = std::sqrt(rx * rx + rz * rz);
            double h0Re, h0Im, h1Re, h1Im;
            farHankels(std::max(k_ * r, 8.0), h0Re, h0Im, h1Re, h1Im);
            const double across = -(rx * normalX[n] + rz * normalZ[n]) / r;
            const bool taken = rx * rx + rz * rz < within * within;
            const double termRe = weightRe[n] * h0Re - weightIm[n] * h0Im -
                                  across * (acrossRe[n] * h1Re - acrossIm[n] * h1Im);
            const double termIm = weightRe[n] * h0Im + weightIm[n] * h0Re -
                                  across * (acrossRe[n] * h1Im + acrossIm[n] * h1Re);
            sumRe += taken ? 0.0 : termRe;
            sumIm += taken ? 0.0 : termIm;
        }
        farRe = sumRe;
        farIm = sumIm;
    });
    return sum - Complex(farRe, farIm);
}

void NearTerrain::radiate(double from, double to, const std::vector<double>& angles,
                          std::vector<Complex>& field) const {
    // By Green's theorem jk (u_hat . n - beta) times the integral of u, each piece's u
    // constant along it. The pieces lie in the order of their arcs: those radiating are a
    // run of them, summed in vector lanes for each angle.
    std::size_t first = 0, last = 0;
    while (first < pieces_.size() && pieces_[first].arc < from) ++first;
    for (last = first; last < pieces_.size() && pieces_[last].arc < to;) ++last;
    runVectorLoops([&] {
        const double *x = lanes_.x.data(), *z = lanes_.z.data(), *normalX = lanes_.normalX.data(),
                     *normalZ = lanes_.normalZ.data(), *length = lanes_.length.data();
        const double *surfaceRe = lanes_.surfaceRe.data(), *surfaceIm = lanes_.surfaceIm.data();
        const double betaRe = beta_.real(), betaIm = beta_.imag(), k = k_;
        for (std::size_t i = 0; i < angles.size(); ++i) {
            const double ux = std::cos(angles[i]), uz = std::sin(angles[i]);
            double sumRe = 0.0, sumIm = 0.0;
#pragma omp simd reduction(+ : sumRe, sumIm)
            for (std::size_t n = first; n < last; ++n) {
                // The tangent is the normal turned back a quarter.
                const double half = 0.5 * k * (ux * normalZ[n] - uz * normalX[n]) * length[n];
                double unused, sine, c, s;
                unitPhasor(half, unused, sine);
                const double pulse = std::fabs(half) < 1e-8 ? 1.0 : sine / half;
                unitPhasor(k * (ux * x[n] + uz * z[n]), c, s);
                // u l pulse (u_hat . n - beta) exp(j k u_hat . r)
                const double fr = ux * normalX[n] + uz * normalZ[n] - betaRe, fi = -betaIm;
                const double ar = pulse * (surfaceRe[n] * fr - surfaceIm[n] * fi);
                const double ai = pulse * (surfaceRe[n] * fi + surfaceIm[n] * fr);
                sumRe += ar * c - ai * s;
                sumIm += ar * s + ai * c;
            }
            field[i] += Complex(0.0, k) * Complex(sumRe, sumIm);
        }
    });
}

} // namespace vexlo
