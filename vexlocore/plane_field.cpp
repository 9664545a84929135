#include "plane_field.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "exponential_sum.h"
#include "unit_phasor.h"
#include "vector_path.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
constexpr Complex j{0.0, 1.0};

// Weights of Simpson's rule on count + 1 points (count even) over [0, 1].
double simpson(int i, int count) {
    if (i == 0 || i == count) return 1.0 / (3.0 * count);
    return (i % 2 ? 4.0 : 2.0) / (3.0 * count);
}

// Nodes and weights of Simpson's rule over [0, end] for the evanescent waves' integrand: a
// cosine turning rate sinh t per unit of t, times decays exp(-a sinh t) for a from `slowest`
// (the lowest source on the plane) to `steepest` (the highest source in the highest exact
// cell). Panel by panel, each step short enough to take at most a fifth of a radian of the
// cosine's turn and a fifth of the length of the steepest decay still above exp(-20): fine
// where the integrand needs it, rather than the far end's spacing throughout. Where the
// slowest decay has brought the whole integrand down, its error counts for less: the turn a
// step may take grows as the fourth root of that decay (Simpson's error goes as the fourth
// power of the step), up to a quarter turn.
struct Node {
    double t, weight;
};
std::vector<Node> evanescentNodes(double end, double rate, double slowest, double steepest) {
    constexpr double fine = 0.2, alive = 20.0;
    auto spacingAt = [&](double t) {
        const double grows = realExp(t), fades = 1.0 / grows;
        const double sh = 0.5 * (grows - fades), ch = 0.5 * (grows + fades);
        const double turning =
            std::min(0.5 * pi, fine * realExp(0.25 * slowest * sh)) / std::max(rate * sh, 1e-300);
        const double fading = fine / (ch * std::min(steepest, alive / std::max(sh, 1e-300)));
        return std::min(turning, fading);
    };
    std::vector<Node> nodes{{0.0, 0.0}};
    double t = 0.0;
    while (t < end) {
        // The panel's half width where the limit is lowest of its two ends (the turn rate
        // grows with t; the decay the spacing follows falls past its start).
        double h = spacingAt(t);
        h = std::min(h, spacingAt(std::min(end, t + 2.0 * h)));
        if (t + 2.0 * h > end * (1.0 - 1e-12)) h = 0.5 * (end - t);
        nodes.back().weight += h / 3.0;
        nodes.push_back({t + h, 4.0 * h / 3.0});
        nodes.push_back({t + 2.0 * h, h / 3.0});
        t += 2.0 * h;
    }
    return nodes;
}

} // namespace

namespace {

// Below x = 8, of y = x^2 and the logarithm of x: J1 and Y1 by rational approximations
// (absolute error below 2e-8).
void smallOrder1(double x, double y, double logX, double& j1, double& y1) {
    j1 = x *
         (72362614232.0 +
          y * (-7895059235.0 +
               y * (242396853.1 + y * (-2972611.439 + y * (15704.48260 + y * -30.16036606))))) /
         (144725228442.0 +
          y * (2300535178.0 + y * (18583304.74 + y * (99447.43394 + y * (376.9991397 + y)))));
    y1 = x *
             (-0.4900604943e13 +
              y * (0.1275274390e13 +
                   y * (-0.5153438139e11 +
                        y * (0.7349264551e9 + y * (-0.4237922726e7 + y * 0.8511937935e4))))) /
             (0.2499580570e14 +
              y * (0.4244419664e12 +
                   y * (0.3733650367e10 +
                        y * (0.2245904002e8 + y * (0.1020426050e6 + y * (0.3549632885e3 + y)))))) +
         2.0 / pi * (j1 * logX - 1.0 / x);
}

} // namespace

// The field of a unit line source in empty space at distance r, -(j/4) H0(2)(k r), of x = k r.
Complex lineSourceField(double x) {
    Complex h;
    if (x < 8.0) {
        double j0, y0;
        smallOrder0(x * x, j0, y0);
        y0 += 2.0 / pi * j0 * std::log(x);
        h = {j0, -y0};
    } else {
        double p, q;
        hankelTerms0(1.0 / x, p, q);
        h = std::sqrt(2.0 / (pi * x)) * Complex(p, -q) * unitPhasor(-(x - pi / 4.0));
    }
    return Complex(0.0, -0.25) * h;
}

Hankels hankels(double x) {
    if (x < 8.0) {
        const double y = x * x, logX = std::log(x);
        double j0, y0, j1, y1;
        smallOrder0(y, j0, y0);
        y0 += 2.0 / pi * j0 * logX;
        smallOrder1(x, y, logX, j1, y1);
        return {{j0, -y0}, {j1, -y1}};
    }
    double h0Re, h0Im, h1Re, h1Im;
    farHankels(x, h0Re, h0Im, h1Re, h1Im);
    return {{h0Re, h0Im}, {h1Re, h1Im}};
}

// The sums of planeField(), built for each vector path.
static std::vector<Complex> planeFieldSums(const std::vector<LineSource>& sources, Point base,
                                           Point tangent, double along, int count, int exactBelow,
                                           const ImpedanceCondition& ground) {
    const double k = ground.k, dz = ground.dz;
    const Point normal{-tangent.z, tangent.x};
    // Sources in the plane's coordinates: d ahead of them to the line, h above the plane.
    struct Local {
        double d, h;
        Complex weight;
    };
    std::vector<Local> local;
    double reach = 0.0;
    for (const LineSource& e : sources) {
        const double rx = e.at.x - base.x, rz = e.at.z - base.z;
        const double d = along - (rx * tangent.x + rz * tangent.z);
        const double h = rx * normal.x + rz * normal.z;
        local.push_back({d, h, e.weight});
        reach = std::max(reach, std::hypot(d, h + exactBelow * dz));
    }
    std::vector<Complex> field(count, 0.0);
    const Point origin{base.x + along * tangent.x, base.z + along * tangent.z};
    {
        // The direct waves cell by cell in vector lanes, each source's unit field weighted.
        std::vector<double> directRe(count), directIm(count);
        double* __restrict fr = directRe.data();
        double* __restrict fi = directIm.data();
        for (const LineSource& e : sources) {
            const double fromX = origin.x - e.at.x, fromZ = origin.z - e.at.z;
            const double wRe = e.weight.real(), wIm = e.weight.imag();
#pragma omp simd
            for (int m = 0; m < count; ++m) {
                const double rx = fromX + m * dz * normal.x, rz = fromZ + m * dz * normal.z;
                double re, im;
                lineSourceField(k * std::sqrt(rx * rx + rz * rz), re, im);
                fr[m] += wRe * re - wIm * im;
                fi[m] += wRe * im + wIm * re;
            }
        }
        for (int m = 0; m < count; ++m) field[m] = Complex(fr[m], fi[m]);
    }

    // Reflected waves leaving the plane at angle phi from it (0..pi), each the image of the
    // source's wave towards the ground: -(j/4pi) integral of R(sin phi) exp(-jk(d cos phi +
    // (z + h) sin phi)) dphi. The phase turns at most k * reach per radian.
    const int steps = 2 * std::max(64, static_cast<int>(std::ceil(4.0 * k * reach)));
    // Per angle: the waves' weights, their phase at the present height and its step per
    // cell, real and imaginary parts apart so that the sum over the angles vectorises.
    std::vector<double> weightRe(steps + 1), weightIm(steps + 1), waveRe(steps + 1, 1.0),
        waveIm(steps + 1, 0.0), stepRe(steps + 1), stepIm(steps + 1), rates(steps + 1);
    // The sources' phases at each angle in vector lanes: their -k d, -k h and weights apart.
    const std::size_t sourceCount = local.size();
    std::vector<double> sourceD(sourceCount), sourceH(sourceCount), sourceRe(sourceCount),
        sourceIm(sourceCount);
    for (std::size_t e = 0; e < sourceCount; ++e) {
        sourceD[e] = -k * local[e].d;
        sourceH[e] = -k * local[e].h;
        sourceRe[e] = local[e].weight.real();
        sourceIm[e] = local[e].weight.imag();
    }
    const double* __restrict sd = sourceD.data();
    const double* __restrict sh = sourceH.data();
    const double* __restrict sr = sourceRe.data();
    const double* __restrict si = sourceIm.data();
    for (int i = 0; i <= steps; ++i) {
        const Complex turn = unitPhasor(pi * i / steps);
        const double c = turn.real(), s = turn.imag();
        double spectrumRe = 0.0, spectrumIm = 0.0;
#pragma omp simd reduction(+ : spectrumRe, spectrumIm)
        for (std::size_t e = 0; e < sourceCount; ++e) {
            double pr, pi;
            unitPhasor(sd[e] * c + sh[e] * s, pr, pi);
            spectrumRe += sr[e] * pr - si[e] * pi;
            spectrumIm += sr[e] * pi + si[e] * pr;
        }
        Complex spectrum(spectrumRe, spectrumIm);
        spectrum *= ground.reflection(s) * Complex(0.0, -0.25 / pi) * (pi * simpson(i, steps));
        weightRe[i] = spectrum.real();
        weightIm[i] = spectrum.imag();
        const Complex step = unitPhasor(-k * dz * s);
        stepRe[i] = step.real();
        stepIm[i] = step.imag();
        rates[i] = -k * dz * s;
    }
    if (count >= 64 && (count & (count - 1)) == 0) {
        // On a grid of cells, the sum over the waves is an exponential sum at their rates per
        // cell: N log N (within 1e-7 of the sum of the weights) rather than N times the waves.
        ExponentialSum sum(count);
        std::vector<Complex> weights(steps + 1), cells;
        for (int i = 0; i <= steps; ++i) weights[i] = Complex(weightRe[i], weightIm[i]);
        sum.add(rates.data(), weights.data(), steps + 1);
        sum.evaluate(cells);
        for (int m = 0; m < count; ++m) field[m] += cells[m];
    } else
        for (int m = 0; m < count; ++m) {
            double sumRe = 0.0, sumIm = 0.0;
            for (int i = 0; i <= steps; ++i) {
                const double vr = weightRe[i] * waveRe[i] - weightIm[i] * waveIm[i];
                const double vi = weightRe[i] * waveIm[i] + weightIm[i] * waveRe[i];
                sumRe += vr;
                sumIm += vi;
                const double wr = waveRe[i] * stepRe[i] - waveIm[i] * stepIm[i];
                waveIm[i] = waveRe[i] * stepIm[i] + waveIm[i] * stepRe[i];
                waveRe[i] = wr;
            }
            field[m] += Complex(sumRe, sumIm);
        }
    // Evanescent waves, exp(-k sinh t (z + h)), which matter only for sources within a
    // fraction of a wavelength of the ground: (1/4pi) integral of R(-j sinh t) 2 cos(k d cosh t)
    // exp(-k (z + h) sinh t) dt, taken out to where the lowest source's wave has faded by
    // exp(-25).
    double lowest = local.empty() ? 0.0 : local.front().h, highest = 0.0, farthest = 0.0;
    for (const Local& e : local) {
        lowest = std::min(lowest, e.h);
        highest = std::max(highest, e.h);
        farthest = std::max(farthest, std::fabs(e.d));
    }
    if (lowest > 0.0) {
        const double end = std::asinh(25.0 / (k * lowest));
        const std::vector<Node> nodes =
            evanescentNodes(end, k * farthest, k * lowest, k * (exactBelow * dz + highest));
        // Per source its decay and wave, in vector lanes (the phasor and exp of the loops).
        const std::size_t sources = local.size();
        std::vector<double> heights(sources), distances(sources), weightRe(sources),
            weightIm(sources);
        for (std::size_t e = 0; e < sources; ++e) {
            heights[e] = -k * local[e].h;
            distances[e] = k * local[e].d;
            weightRe[e] = 2.0 * local[e].weight.real();
            weightIm[e] = 2.0 * local[e].weight.imag();
        }
        const double* __restrict hs = heights.data();
        const double* __restrict ds = distances.data();
        const double* __restrict wr = weightRe.data();
        const double* __restrict wi = weightIm.data();
        const double kdz = k * dz;
        // Per node its wave's amplitude on the plane and its decay per cell.
        const std::size_t waves = nodes.size();
        std::vector<double> amplitudeRe(waves), amplitudeIm(waves), decays(waves),
            levels(waves, 1.0);
        for (std::size_t i = 0; i < waves; ++i) {
            const double grows = realExp(nodes[i].t), fades = 1.0 / grows;
            const double sh = 0.5 * (grows - fades), ch = 0.5 * (grows + fades);
            double ar = 0.0, ai = 0.0;
#pragma omp simd reduction(+ : ar, ai)
            for (std::size_t e = 0; e < sources; ++e) {
                double c, unused;
                unitPhasor(ds[e] * ch, c, unused);
                const double f = c * realExp(hs[e] * sh);
                ar += wr[e] * f;
                ai += wi[e] * f;
            }
            Complex a(ar, ai);
            // The ground's reflection of the wave, sin(k dz sin) / (k dz) with the sine -j sh
            // being -j sinh(k dz sh) / (k dz); 1 for a wave dying away too fast to tell.
            const double grazing = -0.5 * (realExp(kdz * sh) - realExp(-kdz * sh)) / kdz;
            const Complex reflection = kdz * sh > 40.0 ? Complex(1.0)
                                                       : (Complex(0.0, grazing) - ground.beta) /
                                                             (Complex(0.0, grazing) + ground.beta);
            a *= reflection / (4.0 * pi) * nodes[i].weight;
            amplitudeRe[i] = a.real();
            amplitudeIm[i] = a.imag();
            decays[i] = realExp(-kdz * sh);
        }
        // Cell by cell over the waves still above 1e-12 of their start: the nodes run up in
        // t, so the decays fall and the waves alive are the first ones.
        const double* __restrict are = amplitudeRe.data();
        const double* __restrict aim = amplitudeIm.data();
        const double* __restrict fall = decays.data();
        double* __restrict level = levels.data();
        std::size_t alive = waves;
        for (int m = 0; m < count && alive > 0; ++m) {
            double sumRe = 0.0, sumIm = 0.0;
#pragma omp simd reduction(+ : sumRe, sumIm)
            for (std::size_t i = 0; i < alive; ++i) {
                sumRe += are[i] * level[i];
                sumIm += aim[i] * level[i];
                level[i] *= fall[i];
            }
            field[m] += Complex(sumRe, sumIm);
            while (alive > 0 && !(level[alive - 1] > 1e-12)) --alive;
        }
    }
    return field;
}

std::vector<Complex> planeField(const std::vector<LineSource>& sources, Point base, Point tangent,
                                double along, int count, int exactBelow,
                                const ImpedanceCondition& ground) {
    std::vector<Complex> field;
    runVectorLoops(
        [&] { field = planeFieldSums(sources, base, tangent, along, count, exactBelow, ground); });
    return field;
}

} // namespace vexlo
