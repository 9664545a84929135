#include "output_graph.h"

#include "common/number_text.h"

#include <algorithm>

namespace brisco {

OutputGraph ShowOutputGraph(const GraphInputs& in) {
    OutputGraph g;
    for (auto& curve : g.GraphGain) curve.fill(GainFloor);
    for (int n = 0; n < SlotCount; ++n) {
        // Slot 1 is always drawn; the others only when they were in use.
        if (n > 0 && in.terrains[n].terrain.empty()) continue;
        for (int k = 1; k < GraphPoints; ++k) {
            g.GraphGain[n][k] = in.terrains[n].gains[k];
            if (g.GraphGain[n][k] > g.MaxGain) g.MaxGain = g.GraphGain[n][k];
        }
    }
    for (int k = 1; k < GraphPoints; ++k) g.AngleX[k] = static_cast<float>(k) / 4;

    g.angleMax = in.maxAngle == MaxAngle::Deg20   ? 34 - 14
                 : in.maxAngle == MaxAngle::Deg25 ? 34 - 9
                                                  : 34;
    g.gainMax = g.MaxGain;
    g.gainMin = g.MaxGain - 20;

    const bool rated = !in.statsName.empty();
    if (rated) {
        if (in.column != 0)
            for (int angle = 1; 4 * angle < GraphPoints; ++angle)
                g.statBars.emplace_back(angle, in.stats.at(angle, in.column));
        g.texts.lblStatFile = in.statsName;
    }

    g.texts.lblFreq = "Freq. = " + common::Format(in.frequency, "###.0 MHz");
    for (int n = 0; n < SlotCount; ++n) {
        const GraphSlot& slot = in.terrains[n];
        const GraphSlotLabels& labels = GraphSlots[n];
        if (n > 0 && slot.terrain.empty()) continue;
        g.texts.*labels.terrain = slot.terrain;
        g.texts.*labels.height = slot.heights + HeightSuffix(in.units);
        g.texts.*labels.type = slot.type;
        // Slots past the first are rated only when they hold an antenna.
        if (rated && (n == 0 || common::Val(slot.heights) != 0))
            g.texts.*labels.merit = in.column == 0
                                        ? NoBandStatistics
                                        : "Fig. of Merit: " + common::Format(slot.merit, "#0.0");
    }
    g.texts.txtMaxGain = common::Format(g.MaxGain, "##.0 dBi");
    std::array<std::string, SlotCount> terrains;
    for (int n = 0; n < SlotCount; ++n) terrains[n] = in.terrains[n].terrain;
    g.curveNames = CurveNames(terrains);
    return g;
}

std::array<std::string, SlotCount> CurveNames(const std::array<std::string, SlotCount>& terrains) {
    std::array<std::string, SlotCount> names;
    for (int n = 0; n < SlotCount; ++n) {
        const std::string slot = "Slot " + std::to_string(n + 1);
        if (terrains[n].empty()) {
            names[n] = slot;
            continue;
        }
        const bool shared = std::count(terrains.begin(), terrains.end(), terrains[n]) > 1;
        names[n] = shared ? terrains[n] + " (" + slot + ")" : terrains[n];
    }
    return names;
}

} // namespace brisco
