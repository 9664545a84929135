#pragma once
// The moment-method engine: its working storage and the three routines of one
// solution (geometry and excitation, current solution, far field). One object
// holds everything; no routine allocates.

#include "status.h"
#include "tables.h"
#include "vector_path.h"

#include <array>
#include <complex>

namespace yoruk {

constexpr int MaxUnknowns = 2 * MaxElements;
constexpr int MutualIntervals = 30;
constexpr int MaxSelfIntervals = 500;

// Simpson points along half of one element, with the weights of the integral
// alone and times cos(kz) and sin(kz), from which both basis shapes follow. Past
// `count`, up to the next whole vector, the last point repeats with zero weights.
template <int Intervals> struct SimpsonSamples {
    int count = 0;
    alignas(64) std::array<float, Padded(Intervals + 1)> z{}, w{}, wCos{}, wSin{};
    void fill(float halfLength, int intervals, VectorPath path);
};

// The impedance matrix by rows, real and imaginary parts apart so that row
// operations vectorise, each row padded to whole vectors; and one value per unknown.
constexpr int MatrixColumns = Padded(MaxUnknowns);
using MatrixRow = std::array<float, MatrixColumns>;
using MatrixPart = std::array<MatrixRow, MaxUnknowns>;
using UnknownValues = std::array<float, MaxUnknowns>;

struct FarField {
    float gain = 0;
    float frontToBack = 0;
    float feedResistance = 0;
    float feedReactance = 0;
    int16_t takeoffIndex = 1; // 1-based
    float frontToRear = 1000;
    int32_t rearLobeIndex = 0; // 1-based; left as given when no rear lobe qualifies
};

class Engine {
public:
    // Geometry in wavelengths and the excitation for one frequency.
    Status SETMAT(float frequency, int drivenElement, int elementCount,
                  ConstElementValues equivalentHalfLength, ConstElementValues equivalentDiameter,
                  ConstElementValues spacing, GeometryTable geometry, ElementValues halfLengthWl);
    // Fills the impedance matrix and solves the element currents.
    Status YAGI3(int elementCount, ConstGeometryTable geometry, ConstElementValues halfLengthWl);
    // Feed impedance, gain, F/B, F/R and patterns from the last solution; changes
    // nothing the solution depends on. `result.rearLobeIndex` is in and out.
    Status FLDFAC2(int elementCount, ConstGeometryTable geometry, ConstElementValues halfLengthWl,
                   int drivenElement, float frequency, Pattern azimuth, Pattern elevation,
                   float height, FarField& result);

private:
    void fillMatrix(int n, ConstGeometryTable geometry, ConstElementValues halfLengthWl,
                    VectorPath path);
    void invalidateSolution();

    std::array<std::complex<float>, MaxElements> excitation_{};
    int selfIntervals_ = 100;
    bool solutionValid_ = false;

    alignas(64) MatrixPart matrixRe_{}, matrixIm_{};
    // Right-hand side, then the currents: for element k, the amplitude of
    // sin(k(h - |z|)) at k and of cos(k(h - |z|)) - 1 at N + k.
    UnknownValues currentRe_{}, currentIm_{};

    std::array<SimpsonSamples<MutualIntervals>, MaxElements> mutualSamples_{};
    SimpsonSamples<MaxSelfIntervals> selfSamples_{};

    std::array<float, MaxElements> position_{};
    std::array<float, PatternPoints> fieldH_{}, fieldE_{};
};

} // namespace yoruk
