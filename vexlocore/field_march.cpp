#include "field_march.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "unit_phasor.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;
// Pieces steeper than this against the frame are taken as stairs.
constexpr double stairLimit = 20.0 * pi / 180.0;

Complex downwardRoot(Complex square) {
    Complex root = std::sqrt(square);
    return root.imag() > 0.0 ? -root : root;
}

} // namespace

FieldMarch::FieldMarch(const MarchGrid& grid, const ImpedanceCondition& ground,
                       std::vector<Complex> start, Point origin, Point tangent)
    : grid_(grid), ground_(ground), transform_(grid.cells, ground.dz, ground.alpha()),
      field_(std::move(start)), spectrum_(grid.cells), kappa_(grid.cells), absorption_(grid.cells),
      origin_(origin), angle_(std::atan2(tangent.z, tangent.x)) {
    setUp();
    absorb(absorberHeight());
}

void FieldMarch::setUp() {
    const double k = ground_.k;
    for (int n = 1; n < grid_.cells; ++n) {
        const double p = transform_.wavenumber(n);
        kappa_[n] = downwardRoot(k * k - p * p);
    }
    kappaBoundary_ = downwardRoot(k * k + transform_.boundaryEigenvalue());
    stepsLength_ = -1.0;
    active_ = grid_.cells - 1;
    // Loss per metre rising as the cube of the depth into the layer, the same over any step
    // length: a wave crossing the layer at 60 degrees loses some 9 nepers on the way up, a
    // shallower one more, and the loss sets in gently enough to send little back.
    const double strength = 60.0 / absorberHeight();
    for (int m = 0; m < grid_.cells; ++m) {
        const double depth = std::max(0, m - grid_.useful) / double(grid_.cells - grid_.useful);
        absorption_[m] = strength * depth * depth * depth;
    }
    if (filtering_) limitAngles(filterAngle_);
}

double FieldMarch::steepestWave() const {
    return std::asin(std::min(1.0, pi / ground_.dz / ground_.k));
}

void FieldMarch::coarsen() {
    // Keep the waves the doubled cells resolve, tapered off below their limit, then every
    // other cell; the grid's upper half starts empty.
    const int n = grid_.cells;
    transform_.forward(field_, spectrum_, boundary_);
    for (int i = 1; i < n; ++i) {
        const double a = (2.0 * i) / n;
        spectrum_[i] *= a <= 0.7   ? 1.0
                        : a >= 1.0 ? 0.0
                                   : std::pow(std::cos(0.5 * pi * (a - 0.7) / 0.3), 2);
    }
    transform_.inverse(spectrum_, 0.0, field_);
    for (int m = 0; m < n; ++m) field_[m] = 2 * m < n ? field_[2 * m] : Complex(0.0);
    ground_.dz *= 2.0;
    transform_ = MixedTransform(n, ground_.dz, ground_.alpha());
    setUp();
}

Point FieldMarch::position() const {
    const double c = std::cos(angle_), s = std::sin(angle_);
    return {origin_.x + along_ * c - level_ * s, origin_.z + along_ * s + level_ * c};
}

const std::vector<Complex>& FieldMarch::modeSteps(double length) {
    if (length != stepsLength_) {
        steps_.assign(grid_.cells, 0.0);
        // A wave either travels (kappa real) or dies away (kappa negative imaginary).
        for (int n = 1; n <= active_; ++n)
            steps_[n] = kappa_[n].imag() == 0.0 ? unitPhasor(-kappa_[n].real() * length)
                                                : Complex(std::exp(kappa_[n].imag() * length));
        steps_[0] = std::exp(Complex(0.0, -length) * kappaBoundary_);
        stepsLength_ = length;
    }
    return steps_;
}

void FieldMarch::limitAngles(double angle) {
    filtering_ = angle < 0.5 * pi;
    filterAngle_ = angle;
    filter_.assign(grid_.cells, 1.0);
    active_ = filtering_ ? 0 : grid_.cells - 1;
    const double k = ground_.k;
    for (int n = 1; n < grid_.cells; ++n) {
        // Full up to the angle, falling smoothly to nothing at one and a half times it.
        const double p = transform_.wavenumber(n);
        const double a = p < k ? std::asin(p / k) / angle : 1.5;
        filter_[n] = a <= 1.0 ? 1.0 : a >= 1.5 ? 0.0 : std::pow(std::cos(pi * (a - 1.0)), 2);
        if (filter_[n] > 0.0) active_ = n;
    }
}

void FieldMarch::forward() {
    transform_.forward(field_, spectrum_, boundary_);
    if (filtering_) {
        for (int n = 1; n <= active_; ++n) spectrum_[n] *= filter_[n];
        std::fill(spectrum_.begin() + active_ + 1, spectrum_.end(), Complex(0.0));
    }
}

void FieldMarch::absorb(double length) {
    for (int m = grid_.useful; m < grid_.cells; ++m)
        field_[m] *= std::exp(-absorption_[m] * length);
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

void FieldMarch::rotate(double angle) {
    // The new normal through the ground point leans by the turn: its point at height z lies
    // z sin(turn) behind the old normal, where the field has the phase exp(jk z sin(turn))
    // more for the waves that dominate (travelling along the ground).
    const Point here = position();
    const Complex tilt = std::polar(1.0, ground_.k * ground_.dz * std::sin(angle - angle_));
    Complex phase = 1.0;
    for (Complex& u : field_) {
        u *= phase;
        phase *= tilt;
    }
    origin_ = here;
    angle_ = angle;
    along_ = level_ = 0.0;
}

void FieldMarch::follow(Point from, Point to, double spacing, double stepLimit, double gamma,
                        GroundRadiation* radiation) {
    const double dx = to.x - from.x, dz = to.z - from.z;
    const double length = std::hypot(dx, dz);
    if (length <= 0.0) return;
    const double angle = std::atan2(dz, dx);
    const double h = ground_.dz;
    if (std::fabs(angle) <= stairLimit) {
        // A flat piece: turn the frame to it and sample the ground at even spacing, each
        // sample from the modes between the steps.
        rotate(angle);
        origin_ = from;
        const int steps = std::max(1, static_cast<int>(std::ceil(length / stepLimit)));
        const int perStep =
            std::max(1, static_cast<int>(std::ceil(length / (steps * std::max(spacing, 1e-9)))));
        const int samples = steps * perStep;
        const double ds = length / samples;
        std::vector<Complex> envelope(samples + 1);
        envelope[0] = field_[0];
        const auto& modeStep = modeSteps(ds);
        const auto& weights = transform_.surfaceWeights();
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
            for (int n = 1; n < modes; ++n)
                mr[n] = spectrum_[n].real(), mi[n] = spectrum_[n].imag();
            for (int j = 1; j <= perStep; ++j) {
                ++i;
                double groundRe = 0.0, groundIm = 0.0;
                for (int n = 1; n < modes; ++n) {
                    const double r = mr[n] * sr[n] - mi[n] * si[n];
                    const double m = mr[n] * si[n] + mi[n] * sr[n];
                    mr[n] = r;
                    mi[n] = m;
                    groundRe += wr[n] * r - wi[n] * m;
                    groundIm += wr[n] * m + wi[n] * r;
                }
                boundary_ *= modeStep[0];
                if (j < perStep)
                    envelope[i] =
                        (boundary_ + Complex(groundRe, groundIm)) * unitPhasor(gamma * i * ds);
            }
            for (int n = 1; n < modes; ++n) spectrum_[n] = Complex(mr[n], mi[n]);
            transform_.inverse(spectrum_, boundary_, field_);
            absorb(perStep * ds);
            envelope[i] = field_[0] * unitPhasor(gamma * i * ds);
        }
        along_ = length;
        if (radiation) radiation->addGround(from, angle, ds, gamma, envelope);
        return;
    }
    // A steep piece: stairs in the present frame.
    const double c = std::cos(angle_), s = std::sin(angle_);
    const Point tangent{c, s}, normal{-s, c};
    const double run = std::max(0.0, dx * c + dz * s), rise = -dx * s + dz * c;
    const double base = level_;
    const int stairs = std::max({1, static_cast<int>(std::ceil(run / (2.0 * h))),
                                 static_cast<int>(std::ceil(std::fabs(rise) / (4.0 * h)))});
    for (int n = 1; n <= stairs; ++n) {
        const Point start = position();
        const Complex before = field_[0];
        propagate(run / stairs);
        if (radiation && run > 0.0)
            radiation->addGround(start, angle_, run / stairs, 0.0, {before, field_[0]});
        const int shift = static_cast<int>(std::lround((base + rise * n / stairs - level_) / h));
        if (shift > 0) {
            // Rising: the field below the new ground is stopped by the step's face.
            if (radiation)
                radiation->addBlockedFace(
                    position(), tangent, normal, h,
                    std::vector<Complex>(field_.begin(), field_.begin() + shift));
            for (int m = 0; m < grid_.cells; ++m)
                field_[m] = m + shift < grid_.cells ? field_[m + shift] : Complex(0.0);
        } else if (shift < 0) {
            for (int m = grid_.cells - 1; m >= 0; --m)
                field_[m] = m + shift >= 0 ? field_[m + shift] : Complex(0.0);
        }
        level_ += shift * h;
    }
}

} // namespace vexlo
