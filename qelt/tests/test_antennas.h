#pragma once
// Antennas of the tests' own making, for the optimiser's tests.

namespace qelt_test {

// A three-element 20 m beam, a little off its best: its SWR and F/R leave room.
inline const char* const ThreeElementBeam = "Three-element 20 m test beam\n"
                                            "14.000 14.175 14.350 MHz\n"
                                            "3 elements, inches\n"
                                            "     1.250   1.000   0.875\n"
                                            "   0.000  48.000  48.000 118.000\n"
                                            "  96.000  48.000  48.000 110.000\n"
                                            " 204.000  48.000  48.000 100.000\n";

} // namespace qelt_test
