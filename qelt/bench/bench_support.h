#pragma once
// What the analyser's benchmarks share: their antenna and their main.
#include <QApplication>
#include <QDir>
#include <QString>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

// A 50-element long-boom Yagi for 144 MHz in millimetres, reflector, driven element and
// directors shortening slowly along a boom of about 16 wavelengths, written into `folder`.
inline std::string FiftyElements(const QString& folder) {
    const std::string path = QDir(folder).filePath("50EL2M.QELT").toStdString();
    std::ofstream file(path);
    file << "Fifty-element 2 m long boom\n144.0 144.3 144.6 MHz\n50 elements, mm\n"
         << "         8.0\n";
    double position = 0;
    for (int e = 0; e < 50; ++e) {
        const double half = e == 0 ? 514 : e == 1 ? 490 : 468 - 0.9 * e;
        file << position << ' ' << half << '\n';
        position += e == 0 ? 400 : e < 6 ? 300 : 500;
    }
    return path;
}

// The benchmarks run headless (QT_QPA_PLATFORM=offscreen unless the caller names a platform).
inline int RunBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
