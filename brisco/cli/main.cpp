#include "cli.h"

#include "common/qt/engine_binding.h"

#include <iostream>

int main(int argc, char** argv) {
    return brisco::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                          brisco::EngineFrom(common::BindEngine<brisco::TerrainRoutines>()));
}
