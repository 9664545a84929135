#include "catalogue.h"

#include <cmath>

namespace kavlo {

const std::array<CableRow, CatalogueSize> Catalogue = {{
    {" RG-6 (Belden 8215)", 0.48, -1.05, 0.66f, 2700, 20.5f},
    {" RG-8 Type, TMS LMR400", 0.52, -2.15, 0.85f, 600, 23.9f},
    {" RG-8 Type, Belden 9913/9086", 0.54, -2.24, 0.84f, 600, 24.6f},
    {" RG-8A (Belden 8237)", 0.55, -1.8, 0.66f, 3700, 29.5f},
    {" RG-8 Type, Wireman CQ106", 0.466055, -1.56086, 0.82f, 600, 24.5f},
    {" RG-8X, Type TMS LMR240", 0.52, -1.5, 0.84f, 300, 24.2f},
    {" RG-8X (Belden 9258)", 0.575, -1.3, 0.82f, 300, 24.8f},
    {" RG-11 Foam (Belden 8213)", 0.53, -2.0, 0.78f, 600, 17.3f},
    {" RG-11A (Belden 8261)", 0.555, -1.7, 0.66f, 3700, 20.5f},
    {" RG-58 Type, TMS LMR200", 0.51, -1.15, 0.83f, 300, 24.5f},
    {" RG-58A Foam (Belden 8219)", 0.56, -1.0, 0.78f, 300, 26.5f},
    {" RG-58A (Belden 8259)", 0.58, -0.9, 0.66f, 1400, 30.8f},
    {" RG-59 Foam (Belden 8212)", 0.46, -0.8, 0.78f, 300, 17.3f},
    {" RG-59B (Belden 8263)", 0.44, -0.65, 0.66f, 1700, 20.5f},
    {" RG-62A (Belden 9269)", 0.51, -1.36, 0.84f, 750, 13.5f},
    {" RG-142/303 High-Temp. Teflon", 0.53, -1.05, 0.695f, 1400, 29.2f},
    {" RG-174 (Belden 8216)", 0.44, +0.33, 0.66f, 1100, 30.8f},
    {" RG-213 (Belden 8267)", 0.55, -1.7, 0.66f, 3700, 30.8f},
    {" RG-218A (ex RG-17)", 0.52, -2.4, 0.66f, 11000, 29.5f},
    {" 1/2-inch, LMR500", 0.52, -2.41, 0.85f, 2500, 23.9f},
    {" 0.59-inch, LMR600", 0.53, -2.68, 0.86f, 2500, 23.4f},
    {" 1.2-inch, LMR1200", 0.54, -3.42, 0.88f, 2500, 23.1f},
    {" 1/2-Inch 50-Ohm Hardline", 0.57, -2.8, 0.81f, 2500, 25.0f},
    {" 1/2-Inch 75-Ohm Hardline", 0.57, -2.8, 0.81f, 2500, 16.7f},
    {" 7/8-Inch 50-Ohm Hardline", 0.67, -3.6, 0.81f, 4000, 25.0f},
    {" 7/8-Inch 75-Ohm Hardline", 0.67, -3.6, 0.81f, 3500, 16.7f},
    {" 1/2-Inch LDF4-50A Andrew Heliax", 0.552084, -2.96696, 0.88f, 1400, 23.1f},
    {" 7/8-Inch LDF5-50A Andrew Heliax", 0.5512534, -3.51973, 0.89f, 2100, 22.8f},
    {" 1-1/4 Inch LDF6-50A Andrew Heliax", 0.579512, -3.88817, 0.89f, 2100, 22.9f},
    {" 300-Ohm Tubular Transmitting Line, #20 Wire", 0.548793, -2.4428, 0.80f, 8000, 4.236f},
    {" 450-Ohm Window Line, Wireman #551", 0.482694, -2.64333, 0.915f, 10000, 2.759f},
    {" 450-Ohm Window Line, Wireman #554", 0.520262, -3.0851, 0.915f, 10000, 2.759f},
    {" 600-Ohm Open-Wire Ladder Line, #12 Wire", 0.554458, -4.13517, 0.92f, 12000, 1.842f},
    {" User-Defined Transmission Line", 0, 0, 0, 0, 0.00001f},
}};

void DescribeLine(LineDescription& line, int index, double freq, const UserLine& user) {
    if (index < 0 || index >= CatalogueSize) return;
    if (index == UserDefinedIndex) {
        line.atten = user.atten;
        line.vf = user.vf;
        line.r0 = user.r0;
        line.x0 = user.x0;
        line.vmax = user.vmax;
        line.capPerFoot = Catalogue[index].capPerFoot;
        line.wavelength = FreeSpaceWavelengthFt * line.vf / static_cast<float>(freq);
        return;
    }
    const CableRow& row = Catalogue[index];
    line.atten = static_cast<float>(std::exp(row.a * std::log(freq) + row.b));
    line.vf = row.vf;
    line.vmax = row.vmax;
    line.capPerFoot = row.capPerFoot;
    line.r0 = 1016.65f / (line.capPerFoot * line.vf);
    line.wavelength = FreeSpaceWavelengthFt * line.vf / static_cast<float>(freq);
    float alpha = line.atten * common::NepersPerDecibel / 100;
    float beta = TwoPi / line.wavelength;
    line.x0 = -line.r0 * alpha / beta;
}

} // namespace kavlo
