// The exported routines: C linkage, every argument by reference, driving one
// engine object whose storage lives as long as the library.

#include "yoruk_abi.h"

#include "efflen4.h"
#include "engine.h"
#include "getdta4.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

using namespace yoruk;

static_assert(YORUK_MAX_ELEMENTS == yoruk::MaxElements);
static_assert(YORUK_MAX_SECTIONS == yoruk::MaxSections);
static_assert(YORUK_PATTERN_POINTS == yoruk::PatternPoints);

namespace {

Engine engine;
Status lastStatus;

// A caller's text of the stated width, or shorter when its length says so.
std::span<char> text(char* buffer, const int32_t* length, int width) {
    const int n = length && *length >= 0 ? std::min(*length, static_cast<int32_t>(width)) : width;
    return {buffer, static_cast<std::size_t>(n)};
}

// A path takes the interface's 80 characters, or more when its length says so: the
// folders of today's desktops run longer.
std::span<char> pathText(char* buffer, const int32_t* length) {
    const int width = length && *length > PathWidth ? std::min(*length, MaxPathLength) : PathWidth;
    return text(buffer, length, width);
}

template <typename T, std::size_t N> std::span<T, N> table(T* p) { return std::span<T, N>(p, N); }

void writeText(std::span<char> out, const char* message) {
    std::fill(out.begin(), out.end(), ' ');
    const std::size_t n = std::min(out.size(), std::strlen(message));
    std::copy_n(message, n, out.begin());
}

} // namespace

extern "C" {

void GETDTA4(char* path, int32_t* pathLength, char* title, int32_t* titleLength,
             int16_t* elementCount, int16_t* drivenElement, int16_t* sectionCount,
             float* sectionLength, float* sectionDiameter, float* spacing, float* freqLow,
             float* freqHigh) {
    const AntennaRecord record{text(title, titleLength, TitleWidth),
                               *elementCount,
                               *drivenElement,
                               table<int16_t, MaxElements>(sectionCount),
                               table<float, MaxElements * MaxSections>(sectionLength),
                               table<float, MaxElements * MaxSections>(sectionDiameter),
                               table<float, MaxElements>(spacing),
                               *freqLow,
                               *freqHigh};
    lastStatus = yoruk::GETDTA4(pathText(path, pathLength), record);
}

void NUMPARSE(char* field, int32_t* fieldLength, float* value, float* designFrequency,
              char* unitCode, int32_t* unitCodeLength) {
    // A shorter field reads as if blank-padded to ten characters.
    Field padded;
    padded.fill(' ');
    const std::span<char> given = text(field, fieldLength, FieldWidth);
    std::copy(given.begin(), given.end(), padded.begin());
    *value =
        yoruk::NUMPARSE(padded, *designFrequency, UnitFromCode(text(unitCode, unitCodeLength, 3)));
    std::copy_n(padded.begin(), given.size(), given.begin());
    lastStatus = {};
}

void UCASE(char* out, int32_t* outLength, char* in, int32_t* inLength) {
    if (!text(out, outLength, 1).empty())
        *out = text(in, inLength, 1).empty() ? ' ' : yoruk::UCASE(*in);
    lastStatus = {};
}

void EFFLEN4(int16_t* elementCount, float* sectionLength, float* sectionDiameter,
             float* equivalentHalfLength, float* equivalentDiameter, int16_t* sectionCount) {
    lastStatus =
        yoruk::EFFLEN4(*elementCount, table<const float, MaxElements * MaxSections>(sectionLength),
                       table<const float, MaxElements * MaxSections>(sectionDiameter),
                       table<float, MaxElements>(equivalentHalfLength),
                       table<float, MaxElements>(equivalentDiameter),
                       table<const int16_t, MaxElements>(sectionCount));
}

void SETMAT(float* frequency, int16_t* drivenElement, int16_t* elementCount,
            float* equivalentHalfLength, float* equivalentDiameter, float* spacing,
            float* geometryMatrix, float* halfLengthWl) {
    lastStatus = engine.SETMAT(*frequency, *drivenElement, *elementCount,
                               table<const float, MaxElements>(equivalentHalfLength),
                               table<const float, MaxElements>(equivalentDiameter),
                               table<const float, MaxElements>(spacing),
                               table<float, MaxElements * MaxElements>(geometryMatrix),
                               table<float, MaxElements>(halfLengthWl));
}

void YAGI3(int16_t* elementCount, float* geometryMatrix, float* halfLengthWl) {
    lastStatus =
        engine.YAGI3(*elementCount, table<const float, MaxElements * MaxElements>(geometryMatrix),
                     table<const float, MaxElements>(halfLengthWl));
}

void FLDFAC2(int16_t* elementCount, float* geometryMatrix, float* halfLengthWl,
             int16_t* drivenElement, float* frequency, float* azimuthPattern,
             float* elevationPattern, float* gain, float* frontToBack, float* feedResistance,
             float* feedReactance, float* height, int16_t* takeoffIndex, float* frontToRear,
             int32_t* rearLobeIndex) {
    FarField result;
    result.rearLobeIndex = *rearLobeIndex;
    lastStatus =
        engine.FLDFAC2(*elementCount, table<const float, MaxElements * MaxElements>(geometryMatrix),
                       table<const float, MaxElements>(halfLengthWl), *drivenElement, *frequency,
                       table<float, PatternPoints>(azimuthPattern),
                       table<float, PatternPoints>(elevationPattern), *height, result);
    *gain = result.gain;
    *frontToBack = result.frontToBack;
    *feedResistance = result.feedResistance;
    *feedReactance = result.feedReactance;
    *takeoffIndex = result.takeoffIndex;
    *frontToRear = result.frontToRear;
    *rearLobeIndex = result.rearLobeIndex;
}

void YSTATUS(int16_t* code, int32_t* line, char* message, int32_t* messageLength) {
    *code = static_cast<int16_t>(lastStatus.code);
    *line = lastStatus.line;
    char buffer[YORUK_MESSAGE_WIDTH + 1];
    if (lastStatus.code == StatusCode::Malformed)
        std::snprintf(buffer, sizeof buffer, "Line %d: %s.", static_cast<int>(lastStatus.line),
                      lastStatus.reason);
    else if (lastStatus.code == StatusCode::KlmFile || lastStatus.ok())
        std::snprintf(buffer, sizeof buffer, "%s", lastStatus.reason);
    else
        std::snprintf(buffer, sizeof buffer, "%c%s.", std::toupper(lastStatus.reason[0]),
                      lastStatus.reason + 1);
    writeText(text(message, messageLength, YORUK_MESSAGE_WIDTH), buffer);
}

} // extern "C"
