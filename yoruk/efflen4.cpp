#include "efflen4.h"

#include "common/constants.h"

#include <cmath>
#include <limits>

namespace yoruk {

namespace {

struct Uniform {
    float halfLength;
    float diameter;
};

// The taper correction: a uniform element with the same resonance and the same
// mean characteristic impedance as the chain of sections.
Uniform equivalent(int element, int sections, ConstSectionTable length,
                   ConstSectionTable diameter) {
    constexpr float pi = common::PiSingle;
    float total = 0;
    float logSum = 0;
    for (int s = 0; s < sections; ++s) {
        const float l = length[At(element, s)];
        total += l;
        logSum += l * std::log(diameter[At(element, s)] / 2);
    }
    const float mu = logSum / total;

    float s1 = 0, s2 = 0, s3 = 0, s4 = 0;
    float inner = 0;
    for (int s = 0; s < sections; ++s) {
        const float outer = inner + length[At(element, s)];
        const float w = std::log(diameter[At(element, s)] / 2) - mu;
        const float a0 = pi * inner / total;
        const float a1 = pi * outer / total;
        s1 += 60 * w * (std::sin(a1) - std::sin(a0));
        s2 += -60 * w * (std::cos(a1) - std::cos(a0));
        s3 += 120 * w * (outer * std::cos(a1) - inner * std::cos(a0)) / total;
        s4 += 120 * w * (outer * std::sin(a1) - inner * std::sin(a0)) / total;
        inner = outer;
    }

    const float x0 = s2 - 21.13f;
    const float omega = 120 * (std::log(2 * total) - 1 - mu);
    const float a = (1 - x0 / omega) * (42.545f - s1);
    const float b = omega - 2 * x0 - (s3 + 56.93f) * (1 - x0 / omega) - (s4 + 76.39f) * (a / omega);
    const float a0 = 42.545f * (1 + 21.13f / omega);
    const float r = 1 - 2 * (a - a0) / (pi * b);
    const float omegaEq = r * b + 14.67f + 4253 / omega + 68673 / (omega * omega);
    const float halfLength = total / r;
    return {halfLength, 4 * halfLength * std::pow(2.718282f, -omegaEq / 120 - 1)};
}

} // namespace

Status EFFLEN4(int elementCount, ConstSectionTable sectionLength, ConstSectionTable sectionDiameter,
               ElementValues equivalentHalfLength, ElementValues equivalentDiameter,
               ConstSectionCounts sectionCount) {
    if (elementCount < 1 || elementCount > MaxElements)
        return {StatusCode::InvalidArgument, 0, "the element count is not 1 to 50"};
    Status status;
    for (int i = 0; i < elementCount; ++i) {
        const int n = sectionCount[i];
        Uniform u{std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()};
        if (n == 1)
            u = {sectionLength[At(i, 0)], sectionDiameter[At(i, 0)]};
        else if (n > 1 && n < MaxSections)
            u = equivalent(i, n, sectionLength, sectionDiameter);
        equivalentHalfLength[i] = u.halfLength;
        equivalentDiameter[i] = u.diameter;
        if (!(u.halfLength > 0 && u.diameter > 0 && std::isfinite(u.halfLength) &&
              std::isfinite(u.diameter)))
            status = Trouble("an element has no length or no diameter");
    }
    return status;
}

} // namespace yoruk
