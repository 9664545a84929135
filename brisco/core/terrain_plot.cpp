#include "terrain_plot.h"

#include "profile_misreads.h"

#include "common/constants.h"

namespace brisco {

TerrainPlot PlotTerrain(const Assessment& a) {
    TerrainPlot plot;
    const Units units = a.options().units;
    const bool meters = units == Units::Meters;
    plot.leftTitle = meters ? "Height, meters ASL" : "Height, feet ASL";
    plot.bottomTitle =
        meters ? "Distance from Tower Base, Meters" : "Distance from Tower Base, Feet";
    auto shown = [meters](float feet) {
        return meters ? feet * common::MetresPerFoot : static_cast<double>(feet);
    };
    std::array<std::string PlotTexts::*, SlotCount> terrainLabels{
        &PlotTexts::lblTerr1, &PlotTexts::lblTerr2, &PlotTexts::lblTerr3, &PlotTexts::lblTerr4};
    std::array<std::string PlotTexts::*, SlotCount> heightLabels{
        &PlotTexts::lblHt1, &PlotTexts::lblHt2, &PlotTexts::lblHt3, &PlotTexts::lblHt4};
    std::array<std::string, SlotCount> terrains;
    for (int n = 0; n < SlotCount; ++n) terrains[n] = a.terrain(n);
    plot.curveNames = CurveNames(terrains);

    for (int n = 0; n < SlotCount; ++n) {
        // A ticked slot without a profile has nothing to draw.
        if (!a.plotted(n) || a.terrain(n).empty()) continue;
        common::Result<ProfileRead> read = ReadTerrainProfile(a.path(n));
        if (!read) {
            plot.messages.push_back({read.message(), "Brisco"});
            continue;
        }
        for (Message& m : ProfileMessages(read.value(), n + 1, a.terrain(n)))
            plot.messages.push_back(std::move(m));
        const TerrainProfile& p = read.value().profile;
        plot.texts.*terrainLabels[n] = a.terrain(n);
        plot.texts.*heightLabels[n] = a.heights(n) + HeightSuffix(units);

        PlotCurve curve;
        // The tower base twice, at index 0 and 1, as the plot arrays hold it.
        const int count = p.pointCount();
        curve.x.push_back(shown(p.Distance[1]));
        curve.y.push_back(shown(p.Elevation[1]));
        for (int i = 1; i <= count && i < ProfileSize; ++i) {
            curve.x.push_back(shown(p.Distance[i]));
            curve.y.push_back(shown(p.Elevation[i]));
        }
        if (a.showAntennas()) {
            common::Result<AntennaStack> stack = ParseHeights(a.heights(n), units);
            if (!stack)
                plot.messages.push_back({stack.message(), "Brisco"});
            else
                for (float h : stack.value().AntennaHeight)
                    if (h > 0)
                        curve.antennas.emplace_back(shown(p.Distance[1]),
                                                    shown(p.Elevation[1] + h));
        }
        plot.curves[n] = std::move(curve);
    }
    return plot;
}

} // namespace brisco
