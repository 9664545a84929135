#pragma once
// The built engine library and sample antennas, for the analyser's core tests.
#include "qelt/core/analyser.h"
#include "qelt/core/engine_routines.h"

#include <string>

namespace qelt_test {

// libyoruk.so of the run-time folder, bound once; a failure fails the test.
const qelt::EngineRoutines& Engine();

// A sample antenna of the run-time folder's QeltAnts.
std::string Sample(const std::string& name);
inline const char* const Samples[] = {"2EL20M.QELT", "3EL15M.QELT", "4EL20M.YAG", "5EL10M.QELT",
                                      "6EL6M.QELT"};

// The analyser with the antenna in `path` opened; a refusal fails the test.
qelt::Analyser Opened(const std::string& path, qelt::Units units = qelt::Units::English);

// Writes an antenna file of this test's own and returns its path.
std::string WriteAntenna(const std::string& name, const std::string& contents);

} // namespace qelt_test
