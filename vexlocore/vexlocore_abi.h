#pragma once
// The terrain engine's one entry point, as the terrain-assessment program binds it by name
// from libvexlocore.so. Every argument is passed by reference; the caller owns all arrays.
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    VEXLO_PROFILE_POINTS = 151,          // Distance and Elevation, index 0 = 0, points from index 1
    VEXLO_ANTENNAS = 4,                  // AntennaHeight and Phase
    VEXLO_GAINS = 140,                   // GainN[k-1] = gain at elevation k/4 degrees
    VEXLO_HIGHEST_ANTENNA_FEET = 100000, // heights above it, or not above 0, are absent
    // Inputs past these are refused: every gain the floor, and a line in the log.
    VEXLO_HIGHEST_MHZ = 300,             // frequency
    VEXLO_FARTHEST_FEET = 500000,        // a profile point's distance from the tower
    VEXLO_HIGHEST_ELEVATION_FEET = 30000 // a profile point's elevation, up or down
};

// Fills GainN[0..139] with the gain in dBi of the antenna stack over the terrain profile,
// floored at -30. Distances, elevations and heights are in feet, Frequency in MHz,
// Conductivity in siemens per metre. AntennaType: 1 dipole, 2..6 that many elements,
// 7 eight elements. Phase: +1 or -1 per antenna. DiffractionOff = 1 keeps only the
// geometrical rays. LogFlag = 1 appends the rays at the angle nearest LogAngle (degrees)
// to TEST4.PRN in the program's folder.
void VexloCore1(const float* Distance, const float* Elevation, const float* AntennaHeight,
                const float* Frequency, const float* Dielectric, const float* Conductivity,
                const int16_t* AntennaType, const int16_t* DiffractionOff, const int16_t* LogFlag,
                const float* LogAngle, float* GainN, const int16_t* Phase);

// The environment variable naming the log's folder.
#define VEXLO_LOG_FOLDER "VEXLOCORE_LOG_FOLDER"

typedef void (*VexloCore1Function)(const float*, const float*, const float*, const float*,
                                   const float*, const float*, const int16_t*, const int16_t*,
                                   const int16_t*, const float*, float*, const int16_t*);

#ifdef __cplusplus
}
#endif
