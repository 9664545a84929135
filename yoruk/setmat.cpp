#include "engine.h"

namespace yoruk {

Status Engine::SETMAT(float frequency, int drivenElement, int elementCount,
                      ConstElementValues equivalentHalfLength,
                      ConstElementValues equivalentDiameter, ConstElementValues spacing,
                      GeometryTable geometry, ElementValues halfLengthWl) {
    invalidateSolution();
    excitation_.fill({0, 0}); // a refused call leaves nothing to solve
    if (elementCount < 1 || elementCount > MaxElements || drivenElement < 1 ||
        drivenElement > elementCount)
        return {StatusCode::InvalidArgument, 0, "element count or driven element out of range"};
    const int n = elementCount;
    const float lambda = WavelengthInchesMHz / frequency;

    // Thin elements need finer self-term integration; element 1 decides for all.
    const float thickness = equivalentDiameter[0] / lambda;
    selfIntervals_ = thickness >= 0.001f ? 100 : thickness >= 0.0005f ? 300 : 500;

    for (int i = 0; i < n; ++i) {
        geometry[At(i, i)] = equivalentDiameter[i] * 0.5f / lambda;
        halfLengthWl[i] = equivalentHalfLength[i] / lambda;
        if (i + 1 < n) geometry[At(i, i + 1)] = spacing[i] / lambda;
    }
    for (int i = 0; i < n; ++i) {
        for (int j = i + 2; j < n; ++j)
            geometry[At(i, j)] = geometry[At(i, j - 1)] + geometry[At(j - 1, j)];
        for (int j = i + 1; j < n; ++j) geometry[At(j, i)] = geometry[At(i, j)];
    }

    excitation_[drivenElement - 1] = {1, 0};
    return {};
}

} // namespace yoruk
