#include "assessment.h"

#include "profile_misreads.h"

#include "common/number_text.h"
#include "common/text_file.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace brisco {
namespace {

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

Message unsaved(const std::string& what, const common::Result<>& failure) {
    return {what + " could not be written (" + failure.message() + ").", "Brisco"};
}

// What the engine is given for a frequency: a positive figure it can work with.
bool computable(float frequency) {
    return std::isfinite(frequency) && frequency > 0 && frequency <= double(VEXLO_HIGHEST_MHZ);
}

} // namespace

Assessment::Assessment(std::string folder, std::string defaultsPath, std::string resultsFolder)
    : folder_(std::move(folder)),
      defaultsPath_(defaultsPath.empty() ? common::InFolder(folder_, "VEXLO.DEF")
                                         : std::move(defaultsPath)),
      resultsFolder_(resultsFolder.empty() ? folder_ : std::move(resultsFolder)) {
    texts_.lblGround = GroundRows[AverageSoil].text;
}

std::string Assessment::defaultsPath() const { return defaultsPath_; }
std::string Assessment::resultsPath() const { return common::InFolder(resultsFolder_, "OUT.PRN"); }

std::string Assessment::resolved(const std::string& path) const {
    if (path.empty() || std::filesystem::path(path).is_absolute()) return path;
    return common::InFolder(folder_, path);
}

std::vector<Message> Assessment::StartUp(const common::TextFile& defaults, bool writesShared) {
    std::vector<Message> messages;
    const bool unreadable = defaults.state == common::FileState::Unreadable;
    const bool fresh = !unreadable && defaults.lines.empty();
    const std::vector<std::string> lines =
        unreadable || fresh ? FallbackDefaultsLines() : defaults.lines;
    if (fresh && writesShared)
        if (common::Result<> written =
                common::WriteFileAtomically(defaultsPath(), common::JoinLines(lines));
            !written)
            messages.push_back(unsaved("The defaults file " + defaultsPath(), written));
    for (Message& m : applyDefaults(ParseVexloDefaults(lines))) messages.push_back(std::move(m));
    // A fresh start leaves the results of the last run where they are.
    if (!fresh && writesShared)
        if (common::Result<> emptied = common::WriteFileAtomically(resultsPath(), ""); !emptied)
            messages.push_back(unsaved("The results file " + resultsPath(), emptied));
    return messages;
}

std::vector<Message> Assessment::applyDefaults(const VexloDefaults& d) {
    setUnits(d.units);
    setFrequency(common::Format(d.frequency, "###.0"));
    mainPlacement_ = d.main;
    graphPlacement_ = d.graph;
    plotPlacement_ = d.plot;
    for (int n = 0; n < SlotCount; ++n) {
        setType(n, d.typeCodes[n]);
        const SlotLines& slot = d.terrains[n];
        slotLabels_[n] = slot.name;
        if (n > 0 && slot.path.empty()) continue;
        texts_.*SlotControls[n].subDir = slot.path;
        texts_.*SlotControls[n].terrain = slot.name;
        texts_.*SlotControls[n].height = slot.heights;
    }
    if (d.statsPath.empty()) return {};
    // A statistics file that has gone or gone bad costs only the statistics selection.
    const std::string statsPath = resolved(d.statsPath);
    common::Result<ElevationStats> read = ReadElevationStats(statsPath);
    if (!read) {
        clearStatistics();
        return {{read.message() + " It is named in VEXLO.DEF as the elevation statistics file; "
                                  "that selection has been cleared.",
                 "Brisco"}};
    }
    stats_ = read.value();
    texts_.txtSubTerr = d.statsPath;
    texts_.txtElevFile = d.statsName;
    return {};
}

void Assessment::setUnits(Units units) {
    options_.units = units;
    for (const SlotBoxes& slot : SlotControls) texts_.*slot.feet = UnitWord(units);
}

void Assessment::setType(int slot, std::int16_t code) {
    typeCodes_[slot] = code;
    texts_.*SlotControls[slot].type = TypeName(code);
}

void Assessment::setFrequency(const std::string& text) {
    texts_.txtFreq = text;
    frequency_ = static_cast<float>(common::ParseNumber(text));
}

void Assessment::chooseTerrain(int slot, const std::string& path) {
    texts_.*SlotControls[slot].terrain = FileNameOf(path);
    texts_.*SlotControls[slot].subDir = path;
    slotLabels_[slot] = FileNameOf(path);
}

void Assessment::clearSlot(int slot) {
    texts_.*SlotControls[slot].terrain = "";
    texts_.*SlotControls[slot].subDir = "";
    texts_.*SlotControls[slot].height = "";
    setType(slot, 0);
}

Assessment::StatisticsChoice Assessment::chooseStatistics(const std::string& path) {
    StatisticsChoice choice;
    if (equalsIgnoringCase(FileNameOf(path), "OUT.PRN")) {
        choice.refused = true;
        choice.messages.push_back(ResultsFileRefused);
        return choice;
    }
    texts_.txtElevFile = FileNameOf(path);
    texts_.txtSubTerr = path;
    common::Result<ElevationStats> read = ReadElevationStats(path);
    if (!read) {
        choice.failed = true;
        choice.messages.push_back({read.message(), ""});
        return choice;
    }
    stats_ = read.value();
    std::string doubts;
    for (const std::string& misread : stats_.misreads) doubts += "\n" + misread;
    if (!doubts.empty())
        choice.messages.push_back(
            {"The statistics may not be read as you meant." + doubts, texts_.txtElevFile});
    return choice;
}

void Assessment::clearStatistics() {
    texts_.txtElevFile.clear();
    texts_.txtSubTerr.clear();
}

void Assessment::applyOptions(const Options& o) {
    texts_.lblDiffraction = o.diffractionOff ? "OFF" : "ON";
    texts_.lblGround = GroundRows[o.groundRow].text;
    if (o.units != options_.units) {
        // Each slot's heights, read in the old units, written in the new ones.
        for (int n = 0; n < SlotCount; ++n) {
            if (n > 0 && terrain(n).empty()) continue;
            common::Result<AntennaStack> stack = ParseHeights(heights(n), options_.units);
            if (stack)
                texts_.*SlotControls[n].height = ConvertedHeightsText(stack.value(), o.units);
        }
        setUnits(o.units);
    }
    const bool logFlag = options_.logFlag;
    options_ = o;
    options_.logFlag = logFlag; // the heading's double-click owns the log switch
}

void Assessment::applyHeights(const std::array<HeightsColumn, SlotCount>& columns) {
    for (int n = 0; n < SlotCount; ++n) {
        // No type chosen leaves the slot's type as it is.
        if (std::optional<std::int16_t> code = TypeCode(columns[n].type)) setType(n, *code);
        texts_.*SlotControls[n].height = columns[n].heights;
    }
}

void Assessment::placeMovedProfile(const std::string& path) {
    chooseTerrain(1, path);
    texts_.txtHeight2 = texts_.txtHeight1;
    // The same antennas over the moved ground, or the comparison compares antennas.
    setType(1, typeCodes_[0]);
}

common::Result<> Assessment::logTitle(int slot, bool first) const {
    const std::string path = common::InFolder(resultsFolder_, "TEST4.PRN");
    const std::string line = Enclosed("Filename: " + terrain(slot)) + "\n";
    if (first) return common::WriteFileAtomically(path, line);
    return common::AppendToFile(path, line);
}

ComputeResult Assessment::Compute(const EngineSource& engine,
                                  const std::function<void(int)>& progress) {
    return compute(engine, progress, nullptr);
}

ComputeResult Assessment::ComputeOver(const ProfileRead& terrain, const EngineSource& engine) {
    return compute(engine, {}, &terrain);
}

ComputeResult Assessment::compute(const EngineSource& engineSource,
                                  const std::function<void(int)>& progress,
                                  const ProfileRead* terrainForAll) {
    ComputeResult r;
    for (SlotGains& g : r.gains) g = FloorGains();
    if (terrain(0).empty()) {
        r.messages.push_back(NoFirstTerrain);
        return r;
    }
    if (!computable(frequency_)) {
        const std::string why =
            frequency_ > double(VEXLO_HIGHEST_MHZ)
                ? common::Format(frequency_, "0.0") + " MHz is above " +
                      std::to_string(int(VEXLO_HIGHEST_MHZ)) +
                      " MHz, the highest frequency the terrain engine computes. "
                : "";
        r.messages.push_back({why + "Enter new frequency, in MHz (from 2 to 300 MHz)", "Brisco"});
        return r;
    }
    common::Result<TerrainEngine> engine = engineSource();
    if (!engine) {
        r.messages.push_back({engine.message(), "Brisco"});
        return r;
    }
    const GroundRow& ground = GroundRows[options_.groundRow];
    const bool hasStats = !texts_.txtElevFile.empty();
    const common::Result<int> rating = hasStats
                                           ? RatingColumn(stats_, frequency_, texts_.txtElevFile)
                                           : common::Result<int>::Failure("no statistics file");
    if (hasStats && !rating) r.messages.push_back({rating.message(), "Brisco"});
    const bool rated = rating.ok();
    if (progress) progress(1);

    std::vector<std::string> results;
    bool logged = false;
    for (int n = 0; n < SlotCount; ++n) {
        if (terrain(n).empty()) continue;
        EngineCall call;
        call.AntennaType = EngineType(typeCodes_[n]);
        common::Result<ProfileRead> read = terrainForAll
                                               ? common::Result<ProfileRead>(*terrainForAll)
                                               : ReadTerrainProfile(path(n));
        if (!read) {
            r.messages.push_back({read.message(), "Brisco"});
            return r;
        }
        for (Message& m : ProfileMessages(read.value(), n + 1, terrain(n)))
            r.messages.push_back(std::move(m));
        if (common::Result<> reach = CheckProfileReach(read.value()); !reach) {
            r.messages.push_back({reach.message(), SlotTitle(n + 1, terrain(n))});
            return r;
        }
        common::Result<AntennaStack> stack = ParseHeights(heights(n), options_.units);
        if (!stack) {
            r.messages.push_back({stack.message(), SlotTitle(n + 1, terrain(n))});
            return r;
        }
        if (common::Result<> computable = CheckComputable(stack.value(), heights(n)); !computable) {
            r.messages.push_back({computable.message(), SlotTitle(n + 1, terrain(n))});
            return r;
        }
        call.profile = read.value().profile;
        call.stack = stack.value();
        call.Frequency = frequency_;
        call.Dielectric = ground.dielectric;
        call.Conductivity = ground.conductivity;
        call.DiffractionOff = options_.diffractionOff ? 1 : 0;
        call.LogFlag = options_.logFlag ? 1 : 0;
        call.LogAngle = static_cast<float>(common::ParseNumber(options_.logAngle));
        if (options_.logFlag) {
            // The engine's own lines follow the title into the same file.
            ::setenv(VEXLO_LOG_FOLDER, resultsFolder_.c_str(), 1);
            if (common::Result<> titled = logTitle(n, !logged); !titled)
                r.messages.push_back(unsaved("The engine log TEST4.PRN", titled));
            logged = true;
        }
        engine.value()(call, r.gains[n]);
        // A figure the engine could not compute counts as nothing received.
        for (float& g : r.gains[n])
            if (!std::isfinite(g)) g = GainFloor;
        r.gains[n][0] = GainFloor;

        SlotReport report{frequency_,     terrain(n), heights(n),  type(n),
                          options_.units, r.gains[n], std::nullopt};
        if (rated) {
            r.merit[n] = FigureOfMerit(r.gains[n], stats_, rating.value());
            report.merit.emplace(texts_.txtElevFile, *r.merit[n]);
        }
        std::vector<std::string> section = SlotSection(report);
        results.insert(results.end(), section.begin(), section.end());
        results.emplace_back();
        if (progress) progress(n + 2);
    }

    GraphInputs in;
    in.frequency = frequency_;
    in.units = options_.units;
    in.maxAngle = maxAngle_;
    for (int n = 0; n < SlotCount; ++n)
        in.terrains[n] = {terrain(n), heights(n), type(n), r.gains[n], r.merit[n].value_or(0)};
    if (hasStats) in.statsName = texts_.txtElevFile;
    in.stats = stats_;
    in.column = rated ? rating.value() : 0;
    r.graph = ShowOutputGraph(in);
    r.results = std::move(results);
    r.computed = true;
    return r;
}

common::Result<> Assessment::AppendResults(const std::vector<std::string>& results) const {
    // The whole computation or, on a full disk, none of it: never half a section.
    if (common::Result<> added = common::AppendToFile(resultsPath(), common::JoinLines(results));
        !added)
        return common::Result<>::Failure("The results could not be added to " + resultsPath() +
                                         ": " + added.message() + ". The file is as it was.");
    return {};
}

common::Result<> Assessment::SaveDefaults(const common::Placement& mainWindow,
                                          double screenWidthTwips) const {
    VexloDefaults d;
    d.units = options_.units;
    d.frequency = frequency_;
    d.main = mainWindow;
    d.graph = KeptPlacement(graphPlacement_, VexloDefaults{}.graph, screenWidthTwips);
    d.plot = KeptPlacement(plotPlacement_, VexloDefaults{}.plot, screenWidthTwips);
    d.typeCodes = typeCodes_;
    for (int n = 0; n < SlotCount; ++n)
        d.terrains[n] = {texts_.*SlotControls[n].subDir, terrain(n), heights(n)};
    d.statsPath = texts_.txtSubTerr;
    d.statsName = texts_.txtElevFile;
    return common::WriteFileAtomically(defaultsPath(), common::JoinLines(FormatVexloDefaults(d)));
}

common::Result<> Assessment::ClearDefaults() {
    const std::vector<std::string> lines = ClearedDefaultsLines();
    if (common::Result<> written =
            common::WriteFileAtomically(defaultsPath(), common::JoinLines(lines));
        !written)
        return written;
    for (int n = 0; n < 3; ++n) {
        texts_.*SlotControls[n].terrain = "";
        texts_.*SlotControls[n].subDir = "";
        texts_.*SlotControls[n].height = "";
    }
    clearStatistics();
    applyDefaults(ParseVexloDefaults(lines));
    return {};
}

} // namespace brisco
