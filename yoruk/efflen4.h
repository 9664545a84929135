#pragma once
// Equivalent uniform element for each tapered element.

#include "status.h"
#include "tables.h"

namespace yoruk {

// Fills entries 0..elementCount-1 of the two outputs; entries beyond are not touched.
Status EFFLEN4(int elementCount, ConstSectionTable sectionLength, ConstSectionTable sectionDiameter,
               ElementValues equivalentHalfLength, ElementValues equivalentDiameter,
               ConstSectionCounts sectionCount);

} // namespace yoruk
