#include "number_texts.h"

#include "common/number_text.h"

#include <cmath>

namespace kavlo {

std::string Shown(double value, std::string_view mask, double largest) {
    if (!std::isfinite(value)) return Overflow;
    if (std::fabs(value) >= largest) return TooLarge;
    return common::Format(value, mask);
}

namespace {
std::string withoutBlank(std::string t) { return t[0] == ' ' ? t.substr(1) : t; }
} // namespace

std::string BoxNumber(double value) { return withoutBlank(common::PlainNumber(value)); }
std::string BoxNumber(float value) { return withoutBlank(common::PlainNumber(value)); }

std::string ImpedanceText(double r, double x) {
    return Shown(r, "###0.00") +
           (x < 0 ? " - j " + Shown(-x, "###0.00") : " + j " + Shown(x, "###0.00"));
}

} // namespace kavlo
