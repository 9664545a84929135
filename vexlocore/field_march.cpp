#include "field_march.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "unit_phasor.h"
#include "vector_path.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
// Pieces steeper than this against the frame are taken as stairs.
constexpr double stairLimit = 20.0 * pi / 180.0;
// No stair runs or rises more than this many wavelengths: finer than any wave kept can
// tell from the slope.
constexpr double stairSize = 0.125;
// The filter of limitAngles() keeps a wave in full up to half the cells' limit of one
// vertical half-wavelength a cell, and nothing from 0.7 of it.
constexpr double fullCells = 0.5, noCells = 0.7;
// No wave steeper than this is followed at all.
constexpr double steepestFollowed = 80.0 * pi / 180.0;

Complex downwardRoot(Complex square) {
    Complex root = std::sqrt(square);
    return root.imag() > 0.0 ? -root : root;
}

} // namespace

FieldMarch::FieldMarch(const MarchGrid& grid, const ImpedanceCondition& ground,
                       std::vector<Complex> start, Point origin, Point tangent)
    : grid_(grid), ground_(ground), transform_(grid.cells, ground.dz, ground.alpha()),
      fft_(2 * grid.cells), turnSum_(grid.cells), field_(std::move(start)), spectrum_(grid.cells),
      kappa_(grid.cells), absorption_(grid.cells), origin_(origin),
      angle_(std::atan2(tangent.z, tangent.x)) {
    setUp();
    absorb(absorberHeight());
}

void FieldMarch::setUp() {
    const double k = ground_.k, dz = ground_.dz;
    const int n = grid_.cells;
    const Complex alpha = ground_.alpha();
    upWave_.assign(n, 0.0);
    downWave_.assign(n, 0.0);
    groundWeights_ = transform_.surfaceWeights();
    for (int i = 1; i < n; ++i) {
        const double p = transform_.wavenumber(i);
        kappa_[i] = downwardRoot(k * k - p * p);
        // Sine wave i of the ground condition's transform is, below the absorber, the pair
        // A exp(j p z) + B exp(-j p z) that meets the ground's centred condition.
        const double sine = std::sin(p * dz) / dz;
        upWave_[i] = 1.0 / (Complex(0.0, 2.0) * (alpha + Complex(0.0, sine))) * (2.0 / n);
        downWave_[i] = -1.0 / (Complex(0.0, 2.0) * (alpha - Complex(0.0, sine))) * (2.0 / n);
        // That condition reflects the pair as a plane would at the sine sin(p dz) / (k dz),
        // not p / k: the ground value of each wave is scaled to what the ground's own
        // condition gives, so that the ground radiates right at every angle however coarse
        // the cells.
        if (p < k) {
            const Complex s = p / k, exact = (s - ground_.beta) / (s + ground_.beta);
            groundWeights_[i] *= (1.0 + exact) / (1.0 + ground_.reflection(s));
        }
    }
    waveAngles_.assign(n, pi / 2.0);
    cellsPerHalfWave_.assign(n, 1.0);
    for (int i = 1; i < n; ++i) {
        const double p = transform_.wavenumber(i);
        waveAngles_[i] = p < k ? std::asin(p / k) : 2.0 * pi; // evanescent: never kept
        cellsPerHalfWave_[i] = p * dz / pi;
    }
    kappaBoundary_ = downwardRoot(k * k + transform_.boundaryEigenvalue());
    stepsLength_ = -1.0;
    // Loss per metre rising as the cube of the depth into the layer, the same over any step
    // length: a wave crossing the layer at 60 degrees loses some 9 nepers on the way up, a
    // shallower one more, and the loss sets in gently enough to send little back.
    absorbedOver_ = -1.0;
    const double strength = 60.0 / absorberHeight();
    for (int m = 0; m < n; ++m) {
        const double depth = std::max(0, m - grid_.useful) / double(n - grid_.useful);
        absorption_[m] = strength * depth * depth * depth;
    }
    const double angle = filterAngle_;
    filter_.clear();
    limitAngles(angle);
}

double FieldMarch::steepestWave() const {
    return std::min({steepestFollowed, filterAngle_,
                     std::asin(std::min(1.0, noCells * pi / ground_.dz / ground_.k))});
}

double FieldMarch::resolvedWave(double scale) const {
    return std::asin(std::min(1.0, fullCells * pi / (scale * ground_.dz) / ground_.k));
}

void FieldMarch::extend() {
    toCells();
    // The old absorbing layer's field, faded smoothly with height, goes on up and out
    // through the new one.
    grid_.useful = grid_.cells;
    grid_.cells *= 2;
    field_.resize(grid_.cells, 0.0);
    spectrum_.resize(grid_.cells);
    kappa_.resize(grid_.cells);
    absorption_.resize(grid_.cells);
    transform_ = MixedTransform(grid_.cells, ground_.dz, ground_.alpha());
    fft_ = ComplexFft(2 * grid_.cells);
    turnSum_ = ExponentialSum(grid_.cells);
    setUp();
}

void FieldMarch::coarsen() { regrid(2, grid_.cells); }

void FieldMarch::shrink() { regrid(4, grid_.cells / 2); }

void FieldMarch::thin() { regrid(2, grid_.cells / 2); }

void FieldMarch::regrid(int factor, int cells) {
    // Keep the waves the cells 'factor' times as high resolve, tapered off below their limit,
    // then every factor-th cell; what the new grid holds above the old one starts empty.
    toCells();
    const int n = grid_.cells;
    transform_.forward(field_, spectrum_, boundary_);
    for (int i = 1; i < n; ++i) {
        const double a = double(factor * i) / n;
        spectrum_[i] *= a <= 0.7   ? 1.0
                        : a >= 1.0 ? 0.0
                                   : std::pow(std::cos(0.5 * pi * (a - 0.7) / 0.3), 2);
    }
    transform_.inverse(spectrum_, 0.0, field_);
    for (int m = 0; m < cells; ++m) field_[m] = factor * m < n ? field_[factor * m] : Complex(0.0);
    ground_.dz *= factor;
    if (cells != n) {
        grid_.cells = cells;
        grid_.useful = cells / 2;
        for (auto* v : {&field_, &spectrum_, &kappa_}) v->resize(cells);
        absorption_.resize(cells);
        fft_ = ComplexFft(2 * cells);
        turnSum_ = ExponentialSum(cells);
    }
    transform_ = MixedTransform(cells, ground_.dz, ground_.alpha());
    setUp();
}

Point FieldMarch::position() const {
    const double c = std::cos(angle_), s = std::sin(angle_);
    return {origin_.x + along_ * c - level_ * s, origin_.z + along_ * s + level_ * c};
}

Point FieldMarch::normal() const { return {-std::sin(angle_), std::cos(angle_)}; }

void FieldMarch::blend(double share, const std::vector<Complex>& field) {
    // The new field is taken down in the absorbing layer as a starting field is (left whole
    // there, the grid's top cut it off: the 100 ft face 500 ft out at 3.6 MHz went 0.1 dB rms
    // further off).
    toCells();
    std::vector<Complex> before = std::move(field_);
    field_ = field;
    field_.resize(grid_.cells, 0.0);
    absorb(absorberHeight());
    for (int m = 0; m < grid_.cells; ++m) field_[m] = share * field_[m] + (1.0 - share) * before[m];
}

const std::vector<Complex>& FieldMarch::modeSteps(double length) {
    if (length != stepsLength_) {
        // Past the waves kept the steps stay zero (set so when the grid or the filter
        // changes).
        if (static_cast<int>(steps_.size()) != grid_.cells || stepsActive_ != active_) {
            steps_.assign(grid_.cells, 0.0);
            stepsActive_ = active_;
        }
        // A wave either travels (kappa real) or dies away (kappa negative imaginary): its
        // step is exp(-j kappa length) either way, the phasor of the real part times the
        // decay of the imaginary one (one of the two exactly 1), in vector lanes.
        double* __restrict out = reinterpret_cast<double*>(steps_.data());
        const double* __restrict kappa = reinterpret_cast<const double*>(kappa_.data());
        const int last = active_;
        const double over = length;
#pragma omp simd
        for (int n = 1; n <= last; ++n) {
            double re, im;
            unitPhasor(-kappa[2 * n] * over, re, im);
            const double decay = realExp(kappa[2 * n + 1] * over);
            out[2 * n] = re * decay;
            out[2 * n + 1] = im * decay;
        }
        steps_[0] = std::exp(Complex(0.0, -length) * kappaBoundary_);
        stepsLength_ = length;
    }
    return steps_;
}

void FieldMarch::limitAngles(double angle) {
    if (angle == filterAngle_ && !filter_.empty()) return;
    filterAngle_ = angle;
    filter_.assign(grid_.cells, 0.0);
    active_ = 0;
    stepsLength_ = -1.0; // the steps of the waves kept are taken afresh
    for (int n = 1; n < grid_.cells; ++n) {
        // Full up to the angle, falling smoothly to nothing at one and a half times it; and
        // full while a wave has four cells or more to its vertical wavelength, nothing from
        // under three (coarse cells reflect those falsely at the ground).
        const double a = waveAngles_[n] / angle;
        if (a >= 1.5 || cellsPerHalfWave_[n] >= noCells) break;
        const double cells = cellsPerHalfWave_[n];
        filter_[n] = std::min(
            a <= 1.0 ? 1.0 : std::pow(std::cos(pi * (a - 1.0)), 2),
            cells <= fullCells
                ? 1.0
                : std::pow(std::cos(0.5 * pi * (cells - fullCells) / (noCells - fullCells)), 2));
        active_ = n;
    }
}

void FieldMarch::toCells() {
    if (!spectral_) return;
    transform_.inverse(spectrum_, boundary_, field_);
    absorb(pendingAbsorb_);
    spectral_ = false;
}

void FieldMarch::forward() {
    toCells();
    transform_.forward(field_, spectrum_, boundary_);
    for (int n = 1; n <= active_; ++n) spectrum_[n] *= filter_[n];
    std::fill(spectrum_.begin() + active_ + 1, spectrum_.end(), Complex(0.0));
}

Complex FieldMarch::groundValue() {
    forward();
    Complex sum = boundary_;
    for (int n = 1; n <= active_; ++n) sum += groundWeights_[n] * spectrum_[n];
    return sum;
}

void FieldMarch::settle() {
    transform_.forward(field_, spectrum_, boundary_);
    transform_.inverse(spectrum_, 0.0, field_);
}

void FieldMarch::absorb(double length) {
    // The marches repeat their step lengths: the factors are kept for the last one.
    const int first = grid_.useful, count = grid_.cells - first;
    if (length != absorbedOver_ || static_cast<int>(absorbed_.size()) != count) {
        absorbed_.resize(count);
        runVectorLoops([&] {
            double* __restrict factors = absorbed_.data();
            const double* __restrict perMetre = absorption_.data() + first;
            const double over = length;
#pragma omp simd
            for (int m = 0; m < count; ++m) factors[m] = realExp(-perMetre[m] * over);
        });
        absorbedOver_ = length;
    }
    for (int m = 0; m < count; ++m) field_[first + m] *= absorbed_[m];
}

void FieldMarch::propagate(double length) {
    if (length <= 0.0) return;
    forward();
    const auto& steps = modeSteps(length);
    for (int n = 1; n <= active_; ++n) spectrum_[n] *= steps[n];
    transform_.inverse(spectrum_, boundary_ * steps[0], field_);
    absorb(length);
    along_ += length;
}

void FieldMarch::retreat(double length) {
    if (length < 0.0) return;
    // Only the travelling waves go back: those that die away, and the boundary mode, would
    // grow.
    forward();
    for (int n = 1; n <= active_; ++n)
        spectrum_[n] = kappa_[n].imag() == 0.0
                           ? spectrum_[n] * unitPhasor(kappa_[n].real() * length)
                           : Complex(0.0);
    transform_.inverse(spectrum_, 0.0, field_);
    along_ -= length;
}

void FieldMarch::synthesise(const std::vector<Complex>& up, const std::vector<Complex>& down,
                            std::vector<Complex>& out, int last) {
    // u[m] = sum over waves of up exp(j p m dz) + down exp(-j p m dz): with p = pi i / (N dz)
    // that is the inverse transform of length 2N of up at i and down at 2N - i, taken as
    // the conjugate of the forward transform of the conjugates.
    const int n = grid_.cells, size = 2 * n;
    fftRe_.assign(size, 0.0);
    fftIm_.assign(size, 0.0);
    for (int i = 1; i <= last; ++i) {
        fftRe_[i] = up[i].real();
        fftIm_[i] = -up[i].imag();
        fftRe_[size - i] = down[i].real();
        fftIm_[size - i] = -down[i].imag();
    }
    fft_.transformToReversed(fftRe_.data(), fftIm_.data());
    out.resize(n);
    for (int m = 0; m < n; ++m)
        out[m] = Complex(fftRe_[fft_.reversed(m)], -fftIm_[fft_.reversed(m)]);
}

void FieldMarch::moveGround(double rise, GroundRadiation* radiation) {
    if (rise == 0.0) return;
    toCells();
    // The field above the old ground, as its pairs of waves, read at the new ground's
    // heights: exact between cells, so that the answer moves smoothly with the terrain.
    // Every wave goes with the field, those the filter would drop too: the move itself
    // takes nothing away.
    transform_.forward(field_, spectrum_, boundary_);
    const int n = grid_.cells;
    const double dz = ground_.dz;
    std::vector<Complex> up(n, 0.0), down(n, 0.0);
    for (int i = 1; i < n; ++i) {
        const Complex turn = unitPhasor(transform_.wavenumber(i) * rise);
        up[i] = spectrum_[i] * upWave_[i] * turn;
        down[i] = spectrum_[i] * downWave_[i] * std::conj(turn);
    }
    if (rise > 0.0 && radiation) {
        // Rising: the field below the new ground is stopped by the step's face and radiates
        // as the aperture it takes away; its waves integrated over the face exactly.
        std::vector<Complex> upBefore(n, 0.0), downBefore(n, 0.0);
        for (int i = 1; i < n; ++i) {
            upBefore[i] = spectrum_[i] * upWave_[i];
            downBefore[i] = spectrum_[i] * downWave_[i];
        }
        const double c = std::cos(angle_), s = std::sin(angle_);
        std::vector<double> wavenumbers(n);
        for (int i = 1; i < n; ++i) wavenumbers[i] = transform_.wavenumber(i);
        radiation->addFace(position(), {c, s}, {-s, c}, rise, wavenumbers, upBefore, downBefore);
    }
    synthesise(up, down, field_, active_);
    // Below the old ground there was no field: a falling ground leaves the cells it uncovers
    // empty, the cell the old ground crosses holding the share of it above that ground (so
    // that the answer moves smoothly as the ground passes a cell: a 500 ft face jumped by
    // 0.6 dB there); the top of the grid, past what the old grid held, is empty too.
    for (int m = 0; m < n; ++m) {
        const double old = m * dz + rise;
        if (old > grid_.useful * dz + absorberHeight() * 0.5)
            field_[m] = 0.0;
        else if (old < 0.5 * dz)
            field_[m] *= std::max(0.0, old / dz + 0.5);
    }
    level_ += rise;
    settle();
}

void FieldMarch::rotate(double angle) {
    // The new normal through the ground point leans by the turn: its point at height z lies
    // d = z sin(turn) behind the old normal, where each plane wave the march follows has the
    // phase of its own horizontal wavenumber kappa, exp(j kappa d), and its vertical
    // wavenumber times cos(turn). The boundary mode takes the tilt of the middle of the waves
    // followed.
    const Point here = position();
    const double turn = angle - angle_;
    origin_ = here;
    angle_ = angle;
    along_ = level_ = 0.0;
    if (turn == 0.0) return toCells();
    const int n = grid_.cells;
    const double dz = ground_.dz, c = std::cos(turn), s = std::sin(turn);
    double slowest = ground_.k, fastest = 0.0;
    for (int i = 1; i <= active_; ++i)
        if (kappa_[i].imag() == 0.0) {
            slowest = std::min(slowest, kappa_[i].real());
            fastest = std::max(fastest, kappa_[i].real());
        }
    const double tilt = 0.5 * (slowest + fastest) * dz * s;
    // After a march the spectrum is at hand, the absorber's pass of its last step still to
    // come: it is taken on the new normal's cells (a transform and its inverse saved).
    if (!spectral_) transform_.forward(field_, spectrum_, boundary_);
    // Every pair of waves the march follows read on the leaning normal, summed on the cells
    // at once. Those the filter drops are left out: the march's next step would drop them.
    // (The sum starts empty: made so, and left so by each evaluate().)
    // Sine wave i's vertical phase per cell, pi i / N.
    const double perWave = pi / n;
    turnRates_.resize(2 * active_);
    turnAmplitudes_.resize(2 * active_);
    runVectorLoops([&] {
        // Real and imaginary parts side by side, so that the waves go in vector lanes.
        double* __restrict rates = turnRates_.data();
        double* __restrict a = reinterpret_cast<double*>(turnAmplitudes_.data());
        const double* __restrict x = reinterpret_cast<const double*>(spectrum_.data());
        const double* __restrict kappa = reinterpret_cast<const double*>(kappa_.data());
        const double* __restrict up = reinterpret_cast<const double*>(upWave_.data());
        const double* __restrict down = reinterpret_cast<const double*>(downWave_.data());
        const int last = active_;
        const double pc = perWave * c, lean = dz * s;
#pragma omp simd
        for (int i = 1; i <= last; ++i) {
            const double p = pc * i, shift = kappa[2 * i] * lean;
            const double xr = x[2 * i], xi = x[2 * i + 1];
            rates[2 * i - 2] = p + shift;
            a[4 * i - 4] = xr * up[2 * i] - xi * up[2 * i + 1];
            a[4 * i - 3] = xr * up[2 * i + 1] + xi * up[2 * i];
            rates[2 * i - 1] = -p + shift;
            a[4 * i - 2] = xr * down[2 * i] - xi * down[2 * i + 1];
            a[4 * i - 1] = xr * down[2 * i + 1] + xi * down[2 * i];
        }
    });
    turnSum_.add(turnRates_.data(), turnAmplitudes_.data(), 2 * active_);
    turnSum_.evaluate(field_);
    // The boundary mode alone is boundary r^m (the inverse transform of no sine waves).
    // With the tilt's phase, boundary (r exp(j tilt))^m, taken until it is a billionth of a
    // billionth of its value at the ground (|r| < 1: it dies away within a few cells).
    const Complex ratio = transform_.boundaryRatio() * unitPhasor(tilt);
    const double least = 1e-36 * std::norm(boundary_);
    Complex mode = boundary_;
    for (int m = 0; m < n && std::norm(mode) > least; ++m) {
        field_[m] += mode;
        mode *= ratio;
    }
    if (spectral_) absorb(pendingAbsorb_);
    spectral_ = false;
}

void FieldMarch::march(double length, double spacing, double stepLimit, double gamma,
                       GroundRadiation* radiation, Point from, double angle) {
    runVectorLoops([&] {
        // A flat piece: sample the ground at even spacing, each sample from the modes between
        // the steps.
        const int steps = std::max(1, static_cast<int>(std::ceil(length / stepLimit)));
        const int perStep =
            std::max(1, static_cast<int>(std::ceil(length / (steps * std::max(spacing, 1e-9)))));
        const int samples = steps * perStep;
        const double ds = length / samples;
        std::vector<Complex>& envelope = envelope_;
        envelope.resize(samples + 1);
        const auto& modeStep = modeSteps(ds);
        const auto& weights = groundWeights_;
        // The modes kept, their steps and ground weights, real and imaginary parts apart so
        // that the work per sample vectorises.
        const int modes = active_ + 1;
        for (auto* v : {&modeRe_, &modeIm_, &stepRe_, &stepIm_, &weightRe_, &weightIm_})
            v->resize(modes);
        for (int n = 1; n < modes; ++n) {
            stepRe_[n] = modeStep[n].real(), stepIm_[n] = modeStep[n].imag();
            weightRe_[n] = weights[n].real(), weightIm_[n] = weights[n].imag();
        }
        double* __restrict mr = modeRe_.data();
        double* __restrict mi = modeIm_.data();
        const double* __restrict sr = stepRe_.data();
        const double* __restrict si = stepIm_.data();
        const double* __restrict wr = weightRe_.data();
        const double* __restrict wi = weightIm_.data();
        int i = 0;
        for (int step = 0; step < steps; ++step) {
            forward();
            double groundRe = 0.0, groundIm = 0.0;
            for (int n = 1; n < modes; ++n) {
                mr[n] = spectrum_[n].real(), mi[n] = spectrum_[n].imag();
                groundRe += wr[n] * mr[n] - wi[n] * mi[n];
                groundIm += wr[n] * mi[n] + wi[n] * mr[n];
            }
            if (step == 0) envelope[0] = boundary_ + Complex(groundRe, groundIm);
            for (int j = 1; j <= perStep; ++j) {
                ++i;
                groundRe = groundIm = 0.0;
                // The sums over modes taken in vector lanes (their order of additions is all
                // that changes).
#pragma omp simd reduction(+ : groundRe, groundIm)
                for (int n = 1; n < modes; ++n) {
                    const double r = mr[n] * sr[n] - mi[n] * si[n];
                    const double m = mr[n] * si[n] + mi[n] * sr[n];
                    mr[n] = r;
                    mi[n] = m;
                    groundRe += wr[n] * r - wi[n] * m;
                    groundIm += wr[n] * m + wi[n] * r;
                }
                boundary_ *= modeStep[0];
                envelope[i] =
                    (boundary_ + Complex(groundRe, groundIm)) * unitPhasor(gamma * i * ds);
            }
            for (int n = 1; n < modes; ++n) spectrum_[n] = Complex(mr[n], mi[n]);
            // The last step's field stays a spectrum until it is needed on the cells.
            spectral_ = true;
            pendingAbsorb_ = perStep * ds;
            if (step + 1 < steps) toCells();
        }
        if (radiation) radiation->addGround(from, angle, ds, gamma, envelope);
    });
}

void FieldMarch::follow(Point from, double angle, double length, double spacing, double stepLimit,
                        double gamma, GroundRadiation* radiation) {
    if (length <= 0.0) return;
    const double dx = length * std::cos(angle), dz = length * std::sin(angle);
    if (std::fabs(angle) <= stairLimit) {
        rotate(angle);
        origin_ = from;
        march(length, spacing, stepLimit, gamma, radiation, from, angle);
        along_ = length;
        return;
    }
    // A steep piece: stairs in the present frame, each a run along the frame and the ground
    // moved up or down by its share of the rise, no stair longer or higher than stairSize
    // wavelengths; a face alone is one move.
    const double c = std::cos(angle_), s = std::sin(angle_);
    double run = std::max(0.0, dx * c + dz * s);
    const double rise = -dx * s + dz * c;
    // A face: vertical, or nothing along the frame. (A frame the earth's curvature has tilted
    // by a ten-thousandth of a radian made a vertical face run a few millimetres, and the face
    // was descended as stairs, the filter taken again at every stair.)
    if (std::fabs(dx) <= 1e-9 * length || run < 1e-9 * length) run = 0.0;
    const double size = stairSize * 2.0 * pi / ground_.k;
    const int stairs =
        run > 0.0 ? std::max(1, static_cast<int>(std::ceil(std::max(run, std::fabs(rise)) / size)))
                  : 1;
    for (int n = 1; n <= stairs; ++n) {
        if (run > 0.0) {
            const Point start = position();
            const Complex before = groundValue();
            propagate(run / stairs);
            if (radiation)
                radiation->addGround(start, angle_, run / stairs, 0.0, {before, groundValue()});
        }
        moveGround(rise / stairs, radiation);
    }
}

} // namespace vexlo
