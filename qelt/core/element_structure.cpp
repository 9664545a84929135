// The element editor's structure edits: elements and sections added and removed, within
// what an antenna file holds (50 elements, nine sections to an element line, positions
// in fields of ten characters) and with the second element, or a lone one, fed.
#include "element_grid.h"

#include "common/constants.h"
#include "common/number_text.h"

#include <algorithm>
#include <cmath>

namespace qelt {
namespace {

using Refusal = common::Result<>;

// The file's element line: the position, then nine lengths.
constexpr int MostSections = MaxSections - 1;
// The largest position a ten-character field holds in inches, "999999.999".
constexpr double LongestBoomInches = 999999.999;

void copyElement(Antenna& a, int from, int to) {
    a.sectionCount[to - 1] = a.sectionCount[from - 1];
    for (int s = 1; s <= MaxSections; ++s) {
        a.length(to, s) = a.length(from, s);
        a.diameter(to, s) = a.diameter(from, s);
    }
}

void clearElement(Antenna& a, int element) {
    a.sectionCount[element - 1] = 0;
    for (int s = 1; s <= MaxSections; ++s) a.length(element, s) = a.diameter(element, s) = 0;
}

// The element an antenna file feeds: the second, or the only one.
int16_t fedElement(int count) { return static_cast<int16_t>(std::min(2, count)); }

Refusal boomWithinTheFile(const Antenna& a) {
    if (a.boomLength() <= LongestBoomInches) return {};
    return Refusal::Failure("The boom would be " + common::Format(a.boomLength(), "0.0") +
                            " inches long, more than an antenna file's positions hold (" +
                            common::Format(LongestBoomInches, "0.000") + " inches).");
}

} // namespace

int ElementGrid::elementOf(int row) const {
    if (row <= 0 || row >= rowCount()) return 0;
    return rows_[row].kind == Kind::Element ? rows_[row].element : 0;
}

int ElementGrid::rowOf(int element) const {
    for (int r = 1; r < rowCount(); ++r)
        if (elementOf(r) == element) return r;
    return 0;
}

common::Result<int> ElementGrid::chosenElement(int row) const {
    if (const int e = elementOf(row)) return e;
    return common::Result<int>::Failure(
        "Click on the row of an element first (Reflector, Driver or a director).");
}

common::Result<> ElementGrid::addElement(int row) {
    common::Result<int> chosen = chosenElement(row);
    if (!chosen) return Refusal::Failure(chosen.message());
    const int e = chosen.value();
    const int count = edited_.elementCount;
    if (count >= MaxElements)
        return Refusal::Failure("An antenna file holds at most " + std::to_string(MaxElements) +
                                " elements; this antenna has them all.");
    Antenna a = edited_;
    if (count == 1) {
        // A lone element is fed; a reflector in front of it keeps it fed as the second.
        copyElement(a, 1, 2);
        for (int s = 1; s <= a.sectionCount[0]; ++s) a.length(1, s) *= 1.05f;
        const double centre = std::sqrt(static_cast<double>(a.freqLow) * a.freqHigh);
        a.spacing[0] =
            static_cast<float>(0.15 * common::WavelengthInchesMHz / (centre > 0 ? centre : 14));
    } else if (e == 1) {
        return Refusal::Failure("A new element goes after the driver or a director: an antenna "
                                "file feeds its second element, so none can go between the "
                                "reflector and the driver.");
    } else {
        for (int i = count; i > e; --i) copyElement(a, i, i + 1);
        copyElement(a, e, e + 1);
        for (int i = count - 1; i > e - 1; --i) a.spacing[i] = a.spacing[i - 1];
        if (e < count) {
            // Halfway to the next element: every other element stays where it was.
            a.spacing[e - 1] /= 2;
            a.spacing[e] = a.spacing[e - 1];
        } else {
            a.spacing[e - 1] = a.spacing[e - 2]; // one more spacing past the last
        }
    }
    a.elementCount = static_cast<int16_t>(count + 1);
    a.drivenElement = fedElement(a.elementCount);
    if (Refusal fits = boomWithinTheFile(a); !fits) return fits;
    edited_ = a;
    layRows();
    return {};
}

common::Result<> ElementGrid::removeElement(int row) {
    common::Result<int> chosen = chosenElement(row);
    if (!chosen) return Refusal::Failure(chosen.message());
    const int e = chosen.value();
    const int count = edited_.elementCount;
    if (count <= 1) return Refusal::Failure("An antenna has at least one element.");
    if (e == edited_.drivenElement)
        return Refusal::Failure("The driver cannot be removed: it is the element the feed line "
                                "is connected to.");
    if (e == 1 && count > 2)
        return Refusal::Failure("The reflector cannot be removed while directors follow the "
                                "driver: an antenna file feeds its second element.");
    Antenna a = edited_;
    // Spacing[i] runs from element i + 1 to i + 2 (0-based): the gap that goes is the
    // one after the element, joined to the one before it when there is one.
    if (e > 1 && e < count) a.spacing[e - 2] += a.spacing[e - 1];
    const int gone = e < count ? e - 1 : e - 2;
    for (int i = gone; i + 1 < count - 1; ++i) a.spacing[i] = a.spacing[i + 1];
    a.spacing[count - 2] = 0;
    for (int i = e; i < count; ++i) copyElement(a, i + 1, i);
    clearElement(a, count);
    a.elementCount = static_cast<int16_t>(count - 1);
    a.drivenElement = fedElement(a.elementCount);
    edited_ = a;
    layRows();
    return {};
}

common::Result<> ElementGrid::addSection(int row) {
    common::Result<int> chosen = chosenElement(row);
    if (!chosen) return Refusal::Failure(chosen.message());
    const int e = chosen.value();
    const int n = edited_.sectionCount[e - 1];
    if (n >= MostSections)
        return Refusal::Failure("An element of an antenna file has at most " +
                                std::to_string(MostSections) +
                                " sections: its line holds the position and nine lengths.");
    edited_.length(e, n) /= 2;
    edited_.length(e, n + 1) = edited_.length(e, n);
    edited_.diameter(e, n + 1) = edited_.diameter(e, n);
    edited_.sectionCount[e - 1] = static_cast<int16_t>(n + 1);
    if (e == edited_.drivenElement) tip_ = edited_.tipLength();
    layRows();
    return {};
}

common::Result<> ElementGrid::removeSection(int row) {
    common::Result<int> chosen = chosenElement(row);
    if (!chosen) return Refusal::Failure(chosen.message());
    const int e = chosen.value();
    const int n = edited_.sectionCount[e - 1];
    if (n <= 1) return Refusal::Failure("An element has at least one section.");
    edited_.length(e, n - 1) += edited_.length(e, n);
    edited_.length(e, n) = 0;
    edited_.diameter(e, n) = 0;
    edited_.sectionCount[e - 1] = static_cast<int16_t>(n - 1);
    if (e == edited_.drivenElement) tip_ = edited_.tipLength();
    layRows();
    return {};
}

} // namespace qelt
