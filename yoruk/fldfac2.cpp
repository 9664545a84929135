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

// One direction's field, element by element: a complex weight times the phase of
// the element's position along the boom.
struct ElementTerms {
    std::array<float, MaxElements> weightRe, weightIm, phaseCos, phaseSin;

    void setPhase(int k, std::complex<float> phase) {
        phaseCos[k] = phase.real();
        phaseSin[k] = phase.imag();
    }

    // The sum over the elements, in their order. The products run vectorised; one
    // that comes out NaN in both parts is taken again as a complex product, which
    // recovers infinities.
    std::complex<float> sum(VectorPath path, int n) const {
        std::array<float, MaxElements> re, im;
        Run(path, [&](auto) {
#pragma omp simd
            for (int k = 0; k < n; ++k) {
                re[k] = weightRe[k] * phaseCos[k] - weightIm[k] * phaseSin[k];
                im[k] = weightRe[k] * phaseSin[k] + weightIm[k] * phaseCos[k];
            }
        });
        std::complex<float> f = 0;
        for (int k = 0; k < n; ++k) {
            std::complex<float> term(re[k], im[k]);
            if (std::isnan(re[k]) && std::isnan(im[k]))
                term = std::complex<float>(weightRe[k], weightIm[k]) *
                       std::complex<float>(phaseCos[k], phaseSin[k]);
            f += term;
        }
        return f;
    }
};

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
    std::array<float, MaxElements> u, phaseScale;
    for (int k = 0; k < n; ++k) {
        a[k] = {currentRe_[k], currentIm_[k]};
        b[k] = {currentRe_[n + k], currentIm_[n + k]};
        u[k] = WaveNumber * halfLengthWl[k];
        position_[k] = k == 0 ? 0 : geometry[At(0, k)];
        phaseScale[k] = WaveNumber * position_[k];
    }
    const VectorPath path = ChosenVectorPath();
    ElementTerms terms;

    // Per element, what no direction changes.
    std::array<float, MaxElements> sinU, cosU;
    for (int k = 0; k < n; ++k) {
        sinU[k] = std::sin(u[k]);
        cosU[k] = std::cos(u[k]);
    }

    // Plane normal to the elements: the element pattern is constant there.
    for (int k = 0; k < n; ++k) {
        const C broadside = a[k] * (1 - cosU[k]) + b[k] * (sinU[k] - u[k]);
        terms.weightRe[k] = broadside.real();
        terms.weightIm[k] = broadside.imag();
    }
    float alpha = 0;
    for (int i = 0; i < PatternPoints; ++i) {
        const float boom = std::cos(alpha);
        for (int k = 0; k < n; ++k) terms.setPhase(k, std::polar(1.0f, phaseScale[k] * boom));
        fieldH_[i] = FieldFactor * std::abs(terms.sum(path, n));
        alpha += Degree;
    }

    // Plane of the elements, by the angle theta from the element axis.
    fieldE_[0] = fieldH_[0];
    float theta = 90 * Degree;
    std::array<float, MaxElements> sinCU, cosCU;
    for (int i = 1; i < PatternPoints; ++i) {
        theta -= Degree;
        if (i == 90) {
            fieldE_[i] = AxisField;
            continue;
        }
        const float s = std::sin(theta);
        const float c = std::cos(theta);
        for (int k = 0; k < n; ++k) {
            const float cu = c * u[k];
            cosCU[k] = std::cos(cu);
            sinCU[k] = std::sin(cu);
            terms.setPhase(k, std::polar(1.0f, phaseScale[k] * s));
        }
        Run(path, [&, sc = s * c, aRe = currentRe_.data(), aIm = currentIm_.data(),
                   bRe = currentRe_.data() + n, bIm = currentIm_.data() + n](auto) {
#pragma omp simd
            for (int k = 0; k < n; ++k) {
                const float shapeA = (cosCU[k] - cosU[k]) / s;
                const float shapeB = (c * sinU[k] - sinCU[k]) / sc;
                terms.weightRe[k] = aRe[k] * shapeA + bRe[k] * shapeB;
                terms.weightIm[k] = aIm[k] * shapeA + bIm[k] * shapeB;
            }
        });
        fieldE_[i] = FieldFactor * std::abs(terms.sum(path, n));
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
