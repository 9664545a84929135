#include "cli.h"

#include "brisco/core/assessment.h"
#include "brisco/core/azimuth_rating.h"
#include "brisco/core/band_summary.h"
#include "brisco/core/terrain_cut.h"

#include "common/cli_options.h"
#include "common/qt/command_line.h"
#include "common/qt/user_files.h"
#include "common/text_file.h"

#include <filesystem>
#include <ostream>
#include <variant>

namespace brisco {
namespace {

const char* const Usage =
    "usage: brisco-cli --freq MHZ --slot PROFILE:HEIGHTS[:TYPE] [--slot ...] (up to four)\n"
    "                  [--stats FILE] [--ground ROW] [--diffraction-off] [--meters]\n"
    "                  [-o FILE] [--csv]\n"
    "       brisco-cli --bands --stats FILE --slot PROFILE:HEIGHTS[:TYPE] [--slot ...]\n"
    "                  [--ground ROW] [--diffraction-off] [--meters]\n"
    "       brisco-cli --dem PATH --qth LAT,LON|LOCATOR --azimuth DEG|START:STOP:STEP\n"
    "                  [--length FT] [--spacing FT] [--profiles-out DIR]\n"
    "                  [--slot-heights HEIGHTS[:TYPE] ... --stats FILE [--freq MHZ]\n"
    "                  [--ground ROW] [--diffraction-off] [--meters]]\n"
    "  --bands  each slot's figure of merit at the centre of every band of FILE, then its\n"
    "           difference from slot 1, as CSV\n"
    "  --dem    profiles cut from elevation data (a file or a folder of tiles), written\n"
    "           into DIR as AZnnn.PRO and, with --slot-heights, each stack rated at every\n"
    "           azimuth: Azimuth,FigureOfMerit,MaxGainDBi,PeakAngle\n"
    "  HEIGHTS  one to four heights separated by \"/\", \"*\" for out of phase: 120/90*\n"
    "  TYPE     Dipole, 2-Ele., 3-Ele., 4-Ele., 5-Ele., 6-Ele., 8-Ele. or the code 1..7\n"
    "           (4-Ele. when left out)\n"
    "  ROW      ground 0..8: extremely poor, very poor, sandy, poor, average (4),\n"
    "           good, very good soil, fresh water, salt water\n";

// clang-format off
constexpr common::CliOption CliSpecs[] = {
    {"--freq", true, "MHZ", "the frequency"},
    {"--slot", true, "PROFILE:HEIGHTS[:TYPE]", "a terrain profile and its antennas (up to four)"},
    {"--stats", true, "FILE", "the elevation statistics to rate against"},
    {"--ground", true, "ROW", "the ground, 0..8 (4, average)"},
    {"-o", true, "FILE", "write the results file"},
    {"--diffraction-off", false, {}, "geometric optics only"},
    {"--meters", false, {}, "metric units"},
    {"--csv", false, {}, "the responses as CSV"},
    {"--bands", false, {}, "every slot's figure of merit at each band of the statistics, as CSV"},
    {"--dem", true, "PATH", "elevation data to cut profiles from: a file or a folder of tiles"},
    {"--qth", true, "LAT,LON|LOCATOR", "the station's place, in degrees or as a locator"},
    {"--azimuth", true, "DEG|START:STOP:STEP", "the azimuths of the profiles, degrees"},
    {"--length", true, "FT", "each profile's length (14900 ft: 150 points every 100 ft)"},
    {"--spacing", true, "FT", "the distance between profile points (100 ft, or 150 along --length)"},
    {"--profiles-out", true, "DIR", "write the profiles into DIR as AZnnn.PRO"},
    {"--slot-heights", true, "HEIGHTS[:TYPE]", "a stack to rate at every azimuth (up to four)"},
};
// clang-format on

struct SlotArgument {
    std::string profile, heights;
    std::int16_t type = 4;
};

using common::ShortestText;

// PROFILE:HEIGHTS[:TYPE], split from the right so a profile's own colons stay in it.
std::optional<SlotArgument> slotArgument(const std::string& text, std::ostream& err) {
    SlotArgument slot;
    size_t last = text.rfind(':');
    if (last == std::string::npos || last == 0) return std::nullopt;
    std::string rest = text.substr(0, last);
    std::string tail = text.substr(last + 1);
    size_t middle = rest.rfind(':');
    std::optional<std::int16_t> type = TypeCode(tail);
    if (!type)
        if (std::optional<int> code = common::WholeNumberValue(tail, 1, 7))
            type = static_cast<std::int16_t>(*code);
    if (middle != std::string::npos && middle > 0) {
        if (!type) {
            err << "Unknown antenna type \"" << tail
                << "\": use Dipole, 2-Ele., 3-Ele., 4-Ele., 5-Ele., 6-Ele., 8-Ele. or 1..7\n";
            return std::nullopt;
        }
        slot = {rest.substr(0, middle), rest.substr(middle + 1), *type};
    } else {
        slot = {rest, tail, 4};
    }
    slot.profile = std::filesystem::absolute(slot.profile).string();
    return slot;
}

void printGains(std::ostream& out, const Assessment& model, const ComputeResult& r) {
    out << Enclosed("Elevation angle, degrees");
    for (int n = 0; n < SlotCount; ++n)
        if (!model.terrain(n).empty()) out << ',' << Enclosed(model.terrain(n));
    out << '\n';
    for (int k = 1; k <= GainCount; ++k) {
        out << ShortestText(static_cast<float>(k) / 4);
        for (int n = 0; n < SlotCount; ++n)
            if (!model.terrain(n).empty()) out << ',' << ShortestText(r.gains[n][k]);
        out << '\n';
    }
}

// The messages of a computation; a slot's title ("File N: name") leads its own.
void tell(std::ostream& err, const std::vector<Message>& messages) {
    for (const Message& m : messages)
        err << (m.title.empty() || m.title == "Brisco" ? "" : m.title + ": ") << m.text << '\n';
}

// HEIGHTS[:TYPE]: a stack without a profile, rated over the profiles cut.
std::optional<HeightsColumn> stackArgument(const std::string& text, std::ostream& err) {
    size_t colon = text.rfind(':');
    if (colon == std::string::npos) return HeightsColumn{TypeName(4), text};
    const std::string tail = text.substr(colon + 1);
    std::optional<std::int16_t> type = TypeCode(tail);
    if (!type)
        if (std::optional<int> code = common::WholeNumberValue(tail, 1, 7))
            type = static_cast<std::int16_t>(*code);
    if (!type || colon == 0) {
        err << "Unknown antenna type \"" << tail
            << "\": use Dipole, 2-Ele., 3-Ele., 4-Ele., 5-Ele., 6-Ele., 8-Ele. or 1..7\n";
        return std::nullopt;
    }
    return HeightsColumn{TypeName(*type), text.substr(0, colon)};
}

// --dem: profiles cut at each azimuth, written and/or rated.
int runElevationData(const common::CliOptions& o, Assessment& model, std::ostream& out,
                     std::ostream& err, const EngineSource& engine) {
    const std::vector<std::string> stacks = o.values("--slot-heights");
    if (!o.value("--qth") || !o.value("--azimuth") || !o.values("--slot").empty() ||
        o.has("--bands") || stacks.size() > SlotCount ||
        (stacks.empty() && !o.value("--profiles-out")) ||
        (!stacks.empty() && !o.value("--stats"))) {
        err << Usage;
        return 2;
    }
    std::array<HeightsColumn, SlotCount> columns;
    for (size_t n = 0; n < stacks.size(); ++n) {
        std::optional<HeightsColumn> column = stackArgument(stacks[n], err);
        if (!column) {
            err << Usage;
            return 2;
        }
        columns[n] = *column;
    }
    TerrainCut cut(o.value("--profiles-out").value_or(""));
    cut.setDem(*o.value("--dem"));
    cut.setQth(*o.value("--qth"));
    cut.setAzimuth(*o.value("--azimuth"));
    cut.setLength(o.value("--length").value_or(""));
    cut.setSpacing(o.value("--spacing").value_or(""));
    common::Result<std::vector<CutProfile>> cuts = cut.Cut();
    if (!cuts) {
        err << cuts.message() << '\n';
        return 1;
    }
    const std::vector<CutProfile>& profiles = cuts.value();
    if (auto folder = o.value("--profiles-out")) {
        common::Result<std::vector<std::string>> written = WriteProfiles(*folder, profiles);
        if (!written) {
            err << written.message() << '\n';
            return 1;
        }
        if (stacks.empty())
            for (const std::string& path : written.value()) out << path << '\n';
    }
    if (stacks.empty()) return out.good() ? 0 : 1;

    model.applyHeights(columns);
    AzimuthRating rating = RateAzimuths(model, profiles, engine);
    tell(err, rating.messages);
    if (!rating.computed) return 1;
    out << common::JoinLines(AzimuthRatingCsv(rating));
    return out.good() ? 0 : 1;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const EngineSource& engine) {
    auto read = common::ReadCommandLine(args, CliSpecs, Usage, out, err);
    if (const int* status = std::get_if<int>(&read)) return *status;
    const common::CliOptions* o = &std::get<common::CliOptions>(read);
    const bool bands = o->has("--bands");
    const bool dem = o->has("--dem");
    if (!o->positional().empty() || (!dem && !bands && !o->value("--freq")) ||
        (bands && !o->value("--stats")) || (!dem && o->values("--slot").empty()) ||
        (!dem && (o->has("--slot-heights") || o->has("--qth") || o->has("--azimuth"))) ||
        o->values("--slot").size() > SlotCount) {
        err << Usage;
        return 2;
    }

    // The engine's log TEST4.PRN goes where this user may write it.
    const std::string folder = common::ProgramFolder();
    Assessment model(folder, {},
                     common::UserFileFolder(folder, "TEST4.PRN", common::UserFile::Results));
    Options options;
    if (auto row = o->value("--ground")) {
        std::optional<int> ground =
            common::WholeNumberValue(*row, 0, static_cast<int>(GroundRows.size()) - 1);
        if (!ground) {
            err << "The ground row must be a whole number from 0 to 8.\n";
            return 1;
        }
        options.groundRow = *ground;
    }
    options.diffractionOff = o->has("--diffraction-off");
    options.units = o->has("--meters") ? Units::Meters : Units::Feet;
    model.applyOptions(options); // before the heights, which are typed in these units

    std::array<HeightsColumn, SlotCount> columns;
    std::vector<std::string> slotTexts = o->values("--slot");
    for (size_t n = 0; n < slotTexts.size(); ++n) {
        std::optional<SlotArgument> slot = slotArgument(slotTexts[n], err);
        if (!slot) {
            err << Usage;
            return 2;
        }
        model.chooseTerrain(static_cast<int>(n), slot->profile);
        columns[n] = {TypeName(slot->type), slot->heights};
    }
    model.applyHeights(columns);
    if (auto frequency = o->value("--freq"); frequency && !bands) model.setFrequency(*frequency);
    if (auto stats = o->value("--stats")) {
        Assessment::StatisticsChoice choice =
            model.chooseStatistics(std::filesystem::absolute(*stats).string());
        for (const Message& m : choice.messages) err << m.text << '\n';
        if (choice.refused || choice.failed) return 1;
    }
    if (dem) return runElevationData(*o, model, out, err, engine);

    if (bands) {
        BandSummary summary = SummariseBands(model, engine);
        tell(err, summary.messages);
        if (!summary.computed) return 1;
        out << common::JoinLines(BandSummaryCsv(summary, model, BandColumns::MeritsAndDifferences));
        return out.good() ? 0 : 1;
    }
    ComputeResult r = model.Compute(engine, {});
    tell(err, r.messages);
    if (!r.computed) return 1;

    if (auto file = o->value("-o")) {
        if (common::Result<> written =
                common::WriteFileAtomically(*file, common::JoinLines(r.results));
            !written) {
            err << "The results could not be written: " << written.message() << '\n';
            return 1;
        }
    } else if (!o->has("--csv")) {
        out << common::JoinLines(r.results);
    }
    if (o->has("--csv"))
        printGains(out, model, r);
    else
        common::PrintControlTexts(out, GraphWindowTexts, r.graph.texts);
    return out.good() ? 0 : 1;
}

} // namespace brisco
