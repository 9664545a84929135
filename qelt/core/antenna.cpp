#include "antenna.h"

namespace qelt {

bool Antenna::hasTip() const {
    return drivenElement >= 1 && drivenElement <= elementCount &&
           sectionCount[drivenElement - 1] >= 1 && sectionCount[drivenElement - 1] < MaxSections;
}

float Antenna::tipLength() const {
    return hasTip() ? length(drivenElement, sectionCount[drivenElement - 1]) : 0;
}

void Antenna::setTipLength(float inches) {
    if (hasTip()) length(drivenElement, sectionCount[drivenElement - 1]) = inches;
}

float Antenna::boomLength() const {
    float boom = 0;
    for (int i = 0; i + 1 < elementCount; ++i) boom += spacing[i];
    return boom;
}

bool Antenna::sameDiameters(int element, int other) const {
    for (int s = 1; s < MaxSections; ++s)
        if (diameter(element, s) != diameter(other, s)) return false;
    return true;
}

std::string Antenna::titleText() const {
    const std::size_t end = title.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : title.substr(0, end + 1);
}

} // namespace qelt
