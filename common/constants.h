#pragma once
// The physical and conversion constants of the suite, each once. The programs keep
// the exact spellings their results were first worked out with, so that every
// displayed figure comes out to the last digit: several spellings of pi live here
// on purpose, each named for where it is used.
namespace common {

// Lengths.
constexpr double FeetPerMetre = 3.2808399;   // the feet/metre factor of the unit switches
constexpr double FeetPerMetreLoss = 3.28084; // loss per 100 ft to per 100 m, as the line shows it
constexpr double MetresPerFoot = 0.3048;     // exact by definition of the foot
constexpr double MillimetresPerInch = 25.4;  // exact by definition of the inch
constexpr float MillimetresPerInchF = 25.4f; // the same in the engines' single precision

// Free-space wavelength times frequency (c / 1 MHz) in the units each program keeps.
constexpr double WavelengthFeetMHz = 983.57104;    // feet at 1 MHz (lines, terrain)
constexpr double WavelengthMetresMHz = 299.791848; // metres at 1 MHz, as the calculator has it
constexpr float WavelengthInchesMHz = 11802.85f;   // inches at 1 MHz (Yagi engine, analyser)

// Pi as each computation spells it.
constexpr double Pi = 3.14159265358979323846; // full precision, for new computation
constexpr float PiSingle = 3.1415927f;        // the engines' single-precision pi
constexpr double PiDegrees = 3.1415927;       // radians to degrees for displayed angles
constexpr float PiPattern = 3.14159f;         // the ground factor's and gamma's 5-digit pi
constexpr double PiHairpin = 3.141593;        // the hairpin's reactance 2 pi f L
constexpr float TwoPiSingle = 6.2831855f;     // 2 pi, the wave number in wavelengths
constexpr double TwoPiReactance = 6.283186;   // 2 pi f of the converters and the hairpin inductance
constexpr double TwoPiMatch = 6.28318;        // 2 pi of the gamma match's lengths and capacitance
constexpr double TwoPiLine = 6.2831854;       // 2 pi of the user line's phase constant
constexpr float RadiansPerDegree = 0.017453292f; // the far field's degree, single precision

} // namespace common
