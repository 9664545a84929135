#include "azimuth_rating.h"

#include "common/cli_options.h"
#include "common/number_text.h"

#include <algorithm>

namespace brisco {

std::array<bool, SlotCount> RatedStacks(const Assessment& a) {
    std::array<bool, SlotCount> stacks{};
    for (int n = 0; n < SlotCount; ++n) stacks[n] = n == 0 || !a.heights(n).empty();
    return stacks;
}

std::string StackName(const Assessment& a, int slot) {
    const std::string type =
        a.type(slot).empty() ? TypeName(EngineType(a.typeCode(slot))) : a.type(slot);
    std::string name = std::to_string(slot + 1);
    name += ": ";
    name += a.heights(slot);
    name += a.options().units == Units::Meters ? " m " : " ft ";
    name += type;
    return name;
}

StackRating RateGains(const SlotGains& gains, const std::optional<double>& merit) {
    StackRating r;
    r.merit = merit;
    for (int k = 1; k <= GainCount; ++k)
        if (gains[k] > r.maxGain || k == 1) {
            r.maxGain = gains[k];
            r.peakAngle = static_cast<float>(k) / 4;
        }
    return r;
}

namespace {

// The assessment with each stack's slot over one terrain named `name`, the others empty.
Assessment over(const Assessment& a, const std::array<bool, SlotCount>& stacks,
                const std::string& name) {
    Assessment m = a;
    for (int n = 0; n < SlotCount; ++n) {
        if (!stacks[n]) {
            m.clearSlot(n);
            continue;
        }
        m.chooseTerrain(n, name);
    }
    return m;
}

} // namespace

AzimuthRating RateAzimuths(const Assessment& a, const std::vector<CutProfile>& profiles,
                           const EngineSource& engine, const std::function<void(int)>& progress) {
    AzimuthRating rating;
    rating.stack = RatedStacks(a);
    if (profiles.empty()) {
        rating.messages.push_back({"There is no profile to rate.", "Brisco"});
        return rating;
    }
    auto tell = [&rating](std::vector<Message>& messages) {
        for (Message& m : messages)
            if (std::find(rating.messages.begin(), rating.messages.end(), m) ==
                rating.messages.end())
                rating.messages.push_back(std::move(m));
    };
    const auto rate = [&](const std::string& name, const ProfileRead& terrain,
                          std::array<StackRating, SlotCount>& into) {
        Assessment m = over(a, rating.stack, name);
        ComputeResult r = m.ComputeOver(terrain, engine);
        tell(r.messages);
        if (!r.computed) return false;
        for (int n = 0; n < SlotCount; ++n)
            if (rating.stack[n]) into[n] = RateGains(r.gains[n], r.merit[n]);
        return true;
    };

    // Level ground at the station's height, as far as the profiles run.
    const CutProfile& first = profiles.front();
    CutProfile level;
    level.points = {first.points.front(), {first.points.back().first, first.points.front().second}};
    if (!rate("Flat ground", level.read(), rating.flat)) return rating;

    int done = 0;
    for (const CutProfile& profile : profiles) {
        AzimuthRow row;
        row.azimuth = profile.azimuth;
        if (!rate(profile.fileName(), profile.read(), row.stacks)) return rating;
        rating.rows.push_back(row);
        if (progress) progress(++done);
    }
    rating.computed = true;
    return rating;
}

std::vector<std::string> AzimuthRatingCsv(const AzimuthRating& rating) {
    using common::ShortestText;
    std::string heading = "Azimuth";
    int stacks = 0;
    for (int n = 0; n < SlotCount; ++n) {
        if (!rating.stack[n]) continue;
        const bool first = stacks++ == 0;
        for (const char* column : {",FigureOfMerit", ",MaxGainDBi", ",PeakAngle"}) {
            heading += column;
            if (first) continue;
            heading += ' ';
            heading += std::to_string(n + 1);
        }
    }
    std::vector<std::string> lines{heading};
    for (const AzimuthRow& row : rating.rows) {
        std::string line = ShortestText(row.azimuth);
        for (int n = 0; n < SlotCount; ++n) {
            if (!rating.stack[n]) continue;
            const StackRating& s = row.stacks[n];
            line += ',';
            if (s.merit) line += common::Format(*s.merit, "0.00");
            line += ',';
            line += common::Format(s.maxGain, "0.00");
            line += ',';
            line += ShortestText(s.peakAngle);
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace brisco
