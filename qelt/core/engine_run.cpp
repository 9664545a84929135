#include "engine_run.h"

#include <algorithm>

namespace qelt {
namespace {

std::string statusMessage(const EngineRoutines& engine, int16_t& code) {
    int32_t line = 0;
    std::array<char, YORUK_MESSAGE_WIDTH> message{};
    int32_t width = YORUK_MESSAGE_WIDTH;
    engine.YSTATUS(&code, &line, message.data(), &width);
    std::string text(message.data(), message.size());
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

std::string FileErrorMessage(const std::string& path) {
    return "The file  '" + path + "'  has an error. Examine it with a word processor.";
}

common::Result<Antenna> ReadAntennaFile(const EngineRoutines& engine, const std::string& path) {
    Antenna a;
    // The interface's blank-padded 80 characters, or the whole of a longer path.
    std::string buffer = path;
    buffer.resize(std::max<std::size_t>(path.size(), YORUK_PATH_WIDTH), ' ');
    int32_t pathLength = static_cast<int32_t>(buffer.size());
    int32_t titleLength = TitleWidth;
    engine.GETDTA4(buffer.data(), &pathLength, a.title.data(), &titleLength, &a.elementCount,
                   &a.drivenElement, a.sectionCount.data(), a.sectionLength.data(),
                   a.sectionDiameter.data(), a.spacing.data(), &a.freqLow, &a.freqHigh);
    int16_t code = 0;
    const std::string found = statusMessage(engine, code);
    if (code == YORUK_KLM_FILE) return common::Result<Antenna>::Failure(KlmMessage);
    if (code != YORUK_OK)
        return common::Result<Antenna>::Failure(FileErrorMessage(path) +
                                                (found.empty() ? "" : "\n" + found));
    // The reader always names the second element as the fed one; a lone dipole is fed
    // at its only element.
    a.drivenElement = std::min(a.drivenElement, a.elementCount);
    return a;
}

EngineRun::EngineRun(const EngineRoutines& engine, Antenna& working, float drivenTip)
    : engine_(engine), antenna_(working) {
    antenna_.setTipLength(drivenTip);
    int16_t n = antenna_.elementCount;
    engine_.EFFLEN4(&n, antenna_.sectionLength.data(), antenna_.sectionDiameter.data(),
                    equivalentHalfLength_.data(), equivalentDiameter_.data(),
                    antenna_.sectionCount.data());
    noteStatus(preparation_);
}

void EngineRun::noteStatus(std::string& trouble) const {
    int16_t code = 0;
    const std::string message = statusMessage(engine_, code);
    if (code != YORUK_OK && trouble.empty()) trouble = message;
}

FarField EngineRun::solve(float frequency, float heightFeet) {
    FarField f;
    f.frequency = frequency;
    f.trouble = preparation_;
    float height = heightFeet;
    int16_t n = antenna_.elementCount;
    int16_t driven = antenna_.drivenElement;
    engine_.SETMAT(&frequency, &driven, &n, equivalentHalfLength_.data(),
                   equivalentDiameter_.data(), antenna_.spacing.data(), geometry_.data(),
                   halfLengthWl_.data());
    noteStatus(f.trouble);
    engine_.YAGI3(&n, geometry_.data(), halfLengthWl_.data());
    noteStatus(f.trouble);
    engine_.FLDFAC2(&n, geometry_.data(), halfLengthWl_.data(), &driven, &frequency,
                    f.azimuth.data(), f.elevation.data(), &f.gain, &f.frontToBack, &f.resistance,
                    &f.reactance, &height, &f.takeoffIndex, &f.frontToRear, &rearLobeIndex_);
    noteStatus(f.trouble);
    f.rearLobeIndex = rearLobeIndex_;
    return f;
}

} // namespace qelt
