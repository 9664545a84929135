#include "number_style.h"

#include "common/number_text.h"

#include <charconv>

namespace calibrix {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Steps over a separator at `at`; an empty separator never matches.
bool takes(std::string_view text, size_t& at, const std::string& separator) {
    if (separator.empty() || !text.substr(at).starts_with(separator)) return false;
    at += separator.size();
    return true;
}

} // namespace

std::optional<double> ReadNumber(std::string_view text, const NumberStyle& style) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

    std::string plain; // the same number in the form from_chars reads
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    bool anyDigit = false, grouped = false;
    int run = 0; // digits since the last group separator
    for (;;) {
        if (i < text.size() && isDigit(text[i])) {
            plain += text[i++];
            ++run;
            anyDigit = true;
        } else if (run > 0 && (grouped ? run == 3 : run <= 3) &&
                   takes(text, i, style.groupSeparator)) {
            grouped = true;
            run = 0;
        } else {
            break;
        }
    }
    if (grouped && run != 3) return std::nullopt;
    if (takes(text, i, style.decimalPoint)) {
        plain += '.';
        for (; i < text.size() && isDigit(text[i]); ++i) {
            plain += text[i];
            anyDigit = true;
        }
    }
    if (!anyDigit) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += text[i++];
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        if (i == text.size() || !isDigit(text[i])) return std::nullopt;
        while (i < text.size() && isDigit(text[i])) plain += text[i++];
    }
    if (i != text.size()) return std::nullopt;

    double value = 0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return value;
}

std::string FormatPower(double watts, const NumberStyle& style) {
    const char* unit = " nW";
    double value = watts * 1e9;
    if (watts >= 1) {
        unit = " W";
        value = watts;
    } else if (watts >= 0.001) {
        unit = " mW";
        value = watts * 1000;
    } else if (watts >= 0.000001) {
        unit = " uW";
        value = watts * 1e6;
    }
    int decimals = value >= 100 ? 1 : value >= 10 ? 2 : 3;

    std::string mask = style.leadingZero ? "#,##0." : "#,###.";
    mask.append(decimals, '0');
    return InStyle(common::Format(value, mask), style) + unit;
}

std::string InStyle(std::string_view plain, const NumberStyle& style) {
    std::string text;
    for (char c : plain) {
        if (c == '.')
            text += style.decimalPoint;
        else if (c == ',')
            text += style.groupSeparator;
        else
            text += c;
    }
    return text;
}

} // namespace calibrix
