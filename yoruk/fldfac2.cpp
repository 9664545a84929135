#include "engine.h"

#include "common/constants.h"

#include <cmath>
#include <limits>

namespace yoruk {

namespace {

constexpr float WaveNumber = 6.2831855f;
constexpr float Degree = 0.017453292f;
constexpr float FieldFactor = 60;
constexpr float AxisField = 0.000001f; // along the elements, where the field is not computed

float dbRatio(float a, float b) { return 20 * std::log10(a / b); }

// Reflection from perfect ground for a horizontal antenna of electrical height
// `degreesHigh`, at `elevation` degrees: between minus infinity and +6.02 dB.
float groundFactor(float degreesHigh, int elevation) {
    constexpr float toRadians = common::PiPattern / 180;
    const float psi = 2 * degreesHigh * std::sin(static_cast<float>(elevation) * toRadians) + 180;
    const float sum = std::fmax(0.0f, 1 + std::cos(psi * toRadians));
    return 20 * std::log10(std::sqrt(2.0f) * std::sqrt(sum));
}

} // namespace

Status Engine::FLDFAC2(int elementCount, ConstGeometryTable geometry,
                       ConstElementValues halfLengthWl, int drivenElement, float frequency,
                       Pattern azimuth, Pattern elevation, float height, FarField& out) {
    const int n = elementCount;
    if (n < 1 || n > MaxElements || drivenElement < 1 || drivenElement > n) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        out.gain = out.frontToBack = out.feedResistance = out.feedReactance = out.frontToRear = nan;
        return {StatusCode::InvalidArgument, 0, "element count or driven element out of range"};
    }
    using C = std::complex<float>;
    std::array<C, MaxElements> a, b; // amplitudes of the two current shapes
    std::array<float, MaxElements> u;
    for (int k = 0; k < n; ++k) {
        a[k] = {currentRe_[k], currentIm_[k]};
        b[k] = {currentRe_[n + k], currentIm_[n + k]};
        u[k] = WaveNumber * halfLengthWl[k];
        position_[k] = k == 0 ? 0 : geometry[At(0, k)];
    }

    // Per element, what no direction changes.
    std::array<float, MaxElements> sinU, cosU;
    std::array<C, MaxElements> broadside;
    for (int k = 0; k < n; ++k) {
        sinU[k] = std::sin(u[k]);
        cosU[k] = std::cos(u[k]);
        broadside[k] = a[k] * (1 - cosU[k]) + b[k] * (sinU[k] - u[k]);
    }

    // Plane normal to the elements: the element pattern is constant there.
    float alpha = 0;
    for (int i = 0; i < PatternPoints; ++i) {
        const float boom = std::cos(alpha);
        C f = 0;
        for (int k = 0; k < n; ++k)
            f += broadside[k] * std::polar(1.0f, WaveNumber * position_[k] * boom);
        fieldH_[i] = FieldFactor * std::abs(f);
        alpha += Degree;
    }

    // Plane of the elements, by the angle theta from the element axis.
    fieldE_[0] = fieldH_[0];
    float theta = 90 * Degree;
    for (int i = 1; i < PatternPoints; ++i) {
        theta -= Degree;
        if (i == 90) {
            fieldE_[i] = AxisField;
            continue;
        }
        const float s = std::sin(theta);
        const float c = std::cos(theta);
        C f = 0;
        for (int k = 0; k < n; ++k) {
            const float cu = c * u[k];
            const float shapeA = (std::cos(cu) - cosU[k]) / s;
            const float shapeB = (c * sinU[k] - std::sin(cu)) / (s * c);
            f += (a[k] * shapeA + b[k] * shapeB) * std::polar(1.0f, WaveNumber * position_[k] * s);
        }
        fieldE_[i] = FieldFactor * std::abs(f);
    }

    const int d = drivenElement - 1;
    const C centre = a[d] * std::sin(u[d]) + b[d] * (std::cos(u[d]) - 1);
    const C feed = excitation_[d] / centre;
    out.feedResistance = feed.real();
    out.feedReactance = feed.imag();
    out.gain = 20 * std::log10(fieldH_[0]) - 10 * std::log10(30 * centre.real());
    out.frontToBack = dbRatio(fieldE_[0], fieldE_[PatternPoints - 1]);

    out.frontToRear = 1000;
    out.takeoffIndex = 1;
    float peak = 0;
    const bool ground = height != 0;
    const float degreesHigh = height * frequency / 2.73f;
    for (int i = 0; i < PatternPoints; ++i) {
        azimuth[i] = dbRatio(fieldE_[0], fieldE_[i]);
        elevation[i] = dbRatio(fieldH_[0], fieldH_[i]);
        if (ground) {
            elevation[i] = out.gain - elevation[i] + groundFactor(degreesHigh, i + 1);
            if (elevation[i] > peak) {
                peak = elevation[i];
                out.takeoffIndex = static_cast<int16_t>(i + 1);
            }
        }
        // A rear lobe: between 90 and 177 degrees, on a flank still rising towards it.
        if (i >= 90 && i <= 177 && azimuth[i] < out.frontToRear && azimuth[i] < azimuth[i - 1]) {
            out.frontToRear = azimuth[i];
            out.rearLobeIndex = i + 1;
        }
    }
    if (ground) {
        for (float& v : elevation) v = peak - v;
        out.gain = peak;
    }

    if (!solutionValid_) return Trouble("there is no current solution");
    if (centre == C(0, 0)) return Trouble("the feed-point current is zero");
    if (!std::isfinite(out.gain) || !std::isfinite(out.feedResistance) ||
        !std::isfinite(out.feedReactance))
        return Trouble("the far field is not finite");
    return {};
}

} // namespace yoruk
