#include "band_summary.h"

#include "common/number_text.h"

#include <algorithm>

namespace brisco {

BandSummary SummariseBands(Assessment& a, const EngineSource& engine) {
    BandSummary summary;
    if (a.texts().txtElevFile.empty()) {
        summary.messages.push_back(
            {"Choose an elevation statistics file: every band is rated by its columns.", "Brisco"});
        return summary;
    }
    const std::string frequencyText = a.texts().txtFreq;
    for (size_t b = 0; b < StatisticsBands.size(); ++b) {
        a.setFrequency(common::NumberText(StatisticsBands[b].centreMHz));
        ComputeResult r = a.Compute(engine, {});
        for (Message& m : r.messages)
            if (std::find(summary.messages.begin(), summary.messages.end(), m) ==
                summary.messages.end())
                summary.messages.push_back(std::move(m));
        if (!r.computed) {
            a.setFrequency(frequencyText);
            return summary;
        }
        for (int n = 0; n < SlotCount; ++n) {
            summary.inUse[n] = n == 0 || !a.terrain(n).empty();
            summary.merit[n][b] = r.merit[n];
        }
    }
    a.setFrequency(frequencyText);
    summary.computed = true;
    return summary;
}

std::vector<std::string> BandSummaryCsv(const BandSummary& summary, const Assessment& a,
                                        BandColumns columns) {
    const bool merits = columns != BandColumns::Differences;
    const bool differences = columns != BandColumns::Merits;
    std::string heading = "Slot";
    for (int pass = 0; pass < 2; ++pass) {
        if ((pass == 0 && !merits) || (pass == 1 && !differences)) continue;
        for (const StatisticsBand& band : StatisticsBands) {
            heading += ',';
            heading += band.name;
            if (pass == 1 && merits) heading += " from 1";
        }
    }
    std::vector<std::string> lines{heading};
    for (int n = 0; n < SlotCount; ++n) {
        if (!summary.inUse[n]) continue;
        std::string line = Enclosed(a.terrain(n));
        for (int pass = 0; pass < 2; ++pass) {
            if ((pass == 0 && !merits) || (pass == 1 && !differences)) continue;
            for (size_t b = 0; b < StatisticsBands.size(); ++b) {
                std::optional<double> merit = summary.merit[n][b];
                const std::optional<double>& first = summary.merit[0][b];
                if (merit && pass == 1)
                    merit = first ? std::optional(*merit - *first) : std::nullopt;
                line += ',';
                if (merit) line += common::Format(*merit, "0.0");
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::string BandSummaryCell(const BandSummary& summary, int slot, size_t band) {
    const std::optional<double>& merit = summary.merit[slot][band];
    if (!merit) return {};
    std::string cell = common::Format(*merit, "0.0");
    const std::optional<double>& first = summary.merit[0][band];
    if (slot > 0 && first) {
        const double difference = *merit - *first;
        cell += "  (" + std::string(difference >= 0 ? "+" : "") +
                common::Format(difference, "0.0") + ")";
    }
    return cell;
}

} // namespace brisco
