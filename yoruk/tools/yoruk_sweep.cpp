// yoruk-sweep FILE...: for each antenna file, 11 frequencies across its band
// with feed impedance, SWR against 50 ohms, free-space gain, F/B and F/R.

#include "yoruk_abi.h"

#include <array>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Antenna {
    std::array<char, YORUK_TITLE_WIDTH> title{};
    int16_t elements = 0, driven = 0;
    std::array<int16_t, 50> sections{};
    std::array<float, 500> length{}, diameter{};
    std::array<float, 50> spacing{}, halfLength{}, equivalentDiameter{};
    float low = 0, high = 0;
};

std::string statusMessage() {
    int16_t code = 0;
    int32_t line = 0;
    char message[YORUK_MESSAGE_WIDTH];
    int32_t width = YORUK_MESSAGE_WIDTH;
    YSTATUS(&code, &line, message, &width);
    std::string text(message, sizeof message);
    text.erase(text.find_last_not_of(' ') + 1);
    return code == YORUK_OK ? std::string()
           : text.empty()   ? "engine status " + std::to_string(code)
                            : text;
}

bool read(const char* path, Antenna& a) {
    char buffer[YORUK_PATH_WIDTH];
    const std::size_t n = std::strlen(path);
    if (n > sizeof buffer) {
        std::fprintf(stderr, "%s: the path is longer than %d characters\n", path, YORUK_PATH_WIDTH);
        return false;
    }
    std::memset(buffer, ' ', sizeof buffer);
    std::memcpy(buffer, path, n);
    int32_t pathWidth = YORUK_PATH_WIDTH, titleWidth = YORUK_TITLE_WIDTH;
    a.title.fill(' ');
    GETDTA4(buffer, &pathWidth, a.title.data(), &titleWidth, &a.elements, &a.driven,
            a.sections.data(), a.length.data(), a.diameter.data(), a.spacing.data(), &a.low,
            &a.high);
    if (const std::string trouble = statusMessage(); !trouble.empty()) {
        std::fprintf(stderr, "%s: %s\n", path, trouble.c_str());
        return false;
    }
    EFFLEN4(&a.elements, a.length.data(), a.diameter.data(), a.halfLength.data(),
            a.equivalentDiameter.data(), a.sections.data());
    return true;
}

void sweep(Antenna& a) {
    std::array<float, 2500> geometry;
    std::array<float, 50> halfLengthWl;
    std::array<float, 180> azimuth, elevation;
    std::printf("%.50s\n%d elements, %.3f to %.3f MHz\n", a.title.data(), a.elements, a.low,
                a.high);
    std::printf("    MHz       R       X   SWR50   dBi     F/B     F/R\n");
    for (int i = 0; i <= 10; ++i) {
        float f = a.low + (a.high - a.low) * static_cast<float>(i) / 10;
        float gain, fb, r, x, fr, height = 0;
        int16_t takeoff;
        int32_t rear = 0;
        SETMAT(&f, &a.driven, &a.elements, a.halfLength.data(), a.equivalentDiameter.data(),
               a.spacing.data(), geometry.data(), halfLengthWl.data());
        YAGI3(&a.elements, geometry.data(), halfLengthWl.data());
        FLDFAC2(&a.elements, geometry.data(), halfLengthWl.data(), &a.driven, &f, azimuth.data(),
                elevation.data(), &gain, &fb, &r, &x, &height, &takeoff, &fr, &rear);
        const std::string trouble = statusMessage();
        const float rho =
            std::abs((std::complex<float>(r, x) - 50.0f) / (std::complex<float>(r, x) + 50.0f));
        std::printf("%8.3f %7.2f %7.2f %7.2f %5.2f %7.2f %7.2f %s\n", f, r, x,
                    (1 + rho) / (1 - rho), gain, fb, fr, trouble.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: yoruk-sweep FILE...\n");
        return 2;
    }
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        Antenna a;
        if (read(argv[i], a))
            sweep(a);
        else
            ++failures;
    }
    return failures ? 1 : 0;
}
