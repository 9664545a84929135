#pragma once
// Fixed table shapes shared by the engine and its callers: every table is
// column-major with the element index running fastest.

#include "common/constants.h"

#include <cstdint>
#include <span>

namespace yoruk {

constexpr int MaxElements = 50;
constexpr int MaxSections = 10;
constexpr int PatternPoints = 180;

using ElementValues = std::span<float, MaxElements>;
using ConstElementValues = std::span<const float, MaxElements>;
using SectionTable = std::span<float, MaxElements * MaxSections>;
using ConstSectionTable = std::span<const float, MaxElements * MaxSections>;
using SectionCounts = std::span<int16_t, MaxElements>;
using ConstSectionCounts = std::span<const int16_t, MaxElements>;
using GeometryTable = std::span<float, MaxElements * MaxElements>;
using ConstGeometryTable = std::span<const float, MaxElements * MaxElements>;
using Pattern = std::span<float, PatternPoints>;

// 0-based element and section (or second element) to the flat index.
constexpr int At(int element, int column) { return element + MaxElements * column; }

// Free-space wavelength in inches is this over the frequency in MHz.
constexpr float WavelengthInchesMHz = common::WavelengthInchesMHz;

} // namespace yoruk
