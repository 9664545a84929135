#pragma once
// Every band at once: each slot's figure of merit at the centre of every band column of
// the statistics file, and its difference from slot 1.
#include "assessment.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace brisco {

struct StatisticsBand {
    const char* name;
    float centreMHz;
};
// The eight columns of a statistics file, 80 m to 10 m, each rated at its band's centre.
inline constexpr std::array<StatisticsBand, 8> StatisticsBands{{{"80 m", 3.75f},
                                                                {"40 m", 7.15f},
                                                                {"30 m", 10.125f},
                                                                {"20 m", 14.175f},
                                                                {"17 m", 18.118f},
                                                                {"15 m", 21.225f},
                                                                {"12 m", 24.94f},
                                                                {"10 m", 28.85f}}};

struct BandSummary {
    bool computed = false;
    std::vector<Message> messages; // each said once, whichever band it came from
    // [slot][band]: none for a slot not in use, a band without statistics or an unrated slot
    std::array<std::array<std::optional<double>, StatisticsBands.size()>, SlotCount> merit;
    std::array<bool, SlotCount> inUse{};
};

// Computes every slot in use at each band's centre; the frequency box keeps its text. Needs
// a statistics file; stops at the first band whose computation stops.
BandSummary SummariseBands(Assessment& assessment, const EngineSource& engine);

enum class BandColumns {
    Merits,               // each slot's figures of merit
    Differences,          // each figure as its difference from slot 1 instead
    MeritsAndDifferences, // the figures, then their differences ("20 m from 1" ...)
};
// The table as CSV: "Slot" and the band names, then a row per slot in use (its profile
// file and its figures, "" where there is none).
std::vector<std::string> BandSummaryCsv(const BandSummary& summary, const Assessment& assessment,
                                        BandColumns columns);

// A cell of the window's table: the figure, and for slots after the first its difference
// from slot 1 ("8.0  (-5.0)"); empty without a figure.
std::string BandSummaryCell(const BandSummary& summary, int slot, size_t band);

} // namespace brisco
