#include "engine_library.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace yoruk_test {

namespace {

template <typename F> F* resolve(void* handle, const char* name) {
    void* symbol = dlsym(handle, name);
    if (!symbol) ADD_FAILURE() << "libyoruk.so does not export " << name;
    return reinterpret_cast<F*>(symbol);
}

Library load() {
    void* handle = dlopen(SUITE_DIR "/libyoruk.so", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        ADD_FAILURE() << "cannot load libyoruk.so: " << dlerror();
        return {};
    }
    return {resolve<yoruk_GETDTA4>(handle, "GETDTA4"), resolve<yoruk_NUMPARSE>(handle, "NUMPARSE"),
            resolve<yoruk_UCASE>(handle, "UCASE"),     resolve<yoruk_EFFLEN4>(handle, "EFFLEN4"),
            resolve<yoruk_SETMAT>(handle, "SETMAT"),   resolve<yoruk_YAGI3>(handle, "YAGI3"),
            resolve<yoruk_FLDFAC2>(handle, "FLDFAC2"), resolve<yoruk_YSTATUS>(handle, "YSTATUS")};
}

std::string trimmed(const char* text, std::size_t n) {
    std::string s(text, n);
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

} // namespace

const Library& Engine() {
    static const Library library = load();
    return library;
}

LastStatus Status() {
    int16_t code = -1;
    int32_t line = -1;
    char message[YORUK_MESSAGE_WIDTH];
    int32_t width = YORUK_MESSAGE_WIDTH;
    Engine().ystatus(&code, &line, message, &width);
    return {code, line, trimmed(message, sizeof message)};
}

std::string Antenna::titleText() const { return trimmed(title.data(), title.size()); }

std::string WriteFile(const std::string& name, const std::string& contents) {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) /
        (std::string("yoruk_") + test->test_suite_name() + "_" + test->name());
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

void Read(const std::string& path, Antenna& a) {
    // The interface's 80 blank-padded characters, or the whole path when it is longer.
    std::string buffer = path;
    buffer.resize(std::max<std::size_t>(path.size(), YORUK_PATH_WIDTH), ' ');
    int32_t pathWidth = static_cast<int32_t>(buffer.size());
    int32_t titleWidth = YORUK_TITLE_WIDTH;
    Engine().getdta4(buffer.data(), &pathWidth, a.title.data(), &titleWidth, &a.elementCount,
                     &a.drivenElement, a.sectionCount.data(), a.sectionLength.data(),
                     a.sectionDiameter.data(), a.spacing.data(), &a.freqLow, &a.freqHigh);
}

void FarField(const Uniform& u, float frequency, float height, Point& p) {
    int16_t n = u.elementCount;
    int16_t driven = u.drivenElement;
    Engine().fldfac2(&n, p.geometry.data(), p.halfLengthWl.data(), &driven, &frequency,
                     p.azimuth.data(), p.elevation.data(), &p.gain, &p.frontToBack, &p.resistance,
                     &p.reactance, &height, &p.takeoffIndex, &p.frontToRear, &p.rearLobeIndex);
    p.status = Status().code;
}

Point Solve(const Uniform& u, float frequency, float height) {
    Uniform in = u; // the engine takes every argument by reference
    Point p;
    Engine().setmat(&frequency, &in.drivenElement, &in.elementCount, in.halfLength.data(),
                    in.diameter.data(), in.spacing.data(), p.geometry.data(),
                    p.halfLengthWl.data());
    Engine().yagi3(&in.elementCount, p.geometry.data(), p.halfLengthWl.data());
    FarField(in, frequency, height, p);
    return p;
}

Uniform UniformOf(Antenna& a) {
    Uniform u;
    u.elementCount = a.elementCount;
    u.drivenElement = a.drivenElement;
    u.spacing = a.spacing;
    Engine().efflen4(&a.elementCount, a.sectionLength.data(), a.sectionDiameter.data(),
                     u.halfLength.data(), u.diameter.data(), a.sectionCount.data());
    return u;
}

Uniform LongYagi(int elements, float diameterWl) {
    Uniform u;
    u.elementCount = static_cast<int16_t>(elements);
    u.drivenElement = 2;
    for (int i = 0; i < elements; ++i) {
        const float wl = i == 0 ? 0.252f : i == 1 ? 0.238f : 0.225f - 0.0004f * i;
        u.halfLength[i] = wl * TestWavelength;
        u.diameter[i] = diameterWl * TestWavelength;
        u.spacing[i] = i + 1 < elements ? (i == 0 ? 0.2f : 0.3f) * TestWavelength : 0;
    }
    return u;
}

Uniform Dipole(float halfLengthWl, float diameterWl) {
    Uniform u;
    u.halfLength[0] = halfLengthWl * TestWavelength;
    u.diameter[0] = diameterWl * TestWavelength;
    return u;
}

} // namespace yoruk_test
