#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace common {
namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// &H and &O integers: up to 16 bits they are 16-bit signed, up to 32 bits 32-bit signed.
double radixValue(std::string_view digits, int radix) {
    std::uint64_t v = 0;
    for (char c : digits) {
        int d;
        if (isDigit(c))
            d = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        if (d >= radix) break;
        v = v * radix + d;
        if (v > 0xFFFFFFFFu) return 0;
    }
    if (v <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

// Whether a number the double cannot hold ("-1.5e-400", "0.001e-999") is too small
// rather than too large: its first significant digit lies right of the units place.
bool belowSmallest(std::string_view number) {
    const size_t e = number.find('e');
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        size_t j = e + 1;
        const bool negative = j < number.size() && number[j] == '-';
        if (j < number.size() && (number[j] == '+' || number[j] == '-')) ++j;
        for (; j < number.size(); ++j)
            exponent = std::min(exponent * 10 + (number[j] - '0'), 1LL << 40);
        if (negative) exponent = -exponent;
    }
    long long place = 0; // the power of ten just above the first significant digit
    const size_t point = mantissa.find('.');
    const size_t units = point == std::string_view::npos ? mantissa.size() : point;
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return true;
    place = first < units ? static_cast<long long>(units - first)
                          : -static_cast<long long>(first - units - 1);
    return place + exponent <= 0;
}

} // namespace

double Val(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (char c : text)
        if (!isSkipped(c)) clean.push_back(c);

    if (clean.size() >= 2 && clean[0] == '&') {
        char kind = static_cast<char>(clean[1] | 0x20);
        if (kind == 'h') return radixValue(std::string_view(clean).substr(2), 16);
        if (kind == 'o') return radixValue(std::string_view(clean).substr(2), 8);
    }

    // Take the longest prefix that is a number: sign, digits, one point, exponent.
    std::string number;
    size_t i = 0;
    if (i < clean.size() && (clean[i] == '+' || clean[i] == '-')) {
        if (clean[i] == '-') number.push_back('-');
        ++i;
    }
    bool anyDigit = false, point = false;
    for (; i < clean.size(); ++i) {
        char c = clean[i];
        if (isDigit(c)) {
            number.push_back(c);
            anyDigit = true;
        } else if (c == '.' && !point) {
            number.push_back('.');
            point = true;
        } else
            break;
    }
    if (!anyDigit) return 0;
    if (i < clean.size() && (clean[i] | 0x20) >= 'd' && (clean[i] | 0x20) <= 'e') {
        std::string exponent = "e";
        size_t j = i + 1;
        if (j < clean.size() && (clean[j] == '+' || clean[j] == '-'))
            exponent.push_back(clean[j++]);
        bool expDigits = false;
        for (; j < clean.size() && isDigit(clean[j]); ++j) {
            exponent.push_back(clean[j]);
            expDigits = true;
        }
        if (expDigits) number += exponent;
    }
    double v = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
    (void)end;
    if (ec != std::errc::result_out_of_range) return v;
    // Too small to hold is nothing. Too large is refused: the infinity is the mark
    // every field's check turns away, which the largest double would pass as a value.
    if (belowSmallest(number)) return 0;
    return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
}

double ParseNumber(std::string_view text) {
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) return Val(text);
    if (text == ",") return 0.000001;
    if (text.find('-') != std::string_view::npos && comma == 1) return -0.000001;
    std::string rebuilt(text.substr(0, comma));
    rebuilt += '.';
    rebuilt += text.substr(comma + 1);
    return Val(rebuilt);
}

namespace {

// A value's magnitude as decimal digits: value = 0.d1 d2 d3 ... x 10^exponent.
struct DecimalText {
    std::string digits; // no leading zeros; empty for zero
    int exponent = 0;
    bool negative = false;
};

DecimalText decimalText(double value, int significant) {
    DecimalText d;
    d.negative = std::signbit(value) && value != 0;
    if (value == 0 || !std::isfinite(value)) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
    // buf is "d.ddddde[+-]xx"
    std::string s(buf);
    size_t e = s.find('e');
    for (size_t i = 0; i < e; ++i)
        if (isDigit(s[i])) d.digits.push_back(s[i]);
    d.exponent = std::stoi(s.substr(e + 1)) + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Rounds half away from zero to `decimals` places; returns integer and fraction digits.
void roundTo(const DecimalText& d, int decimals, std::string& intPart, std::string& fracPart) {
    // Digits from the units place leftwards and `decimals` places rightwards.
    int keep = d.exponent + decimals; // how many of d.digits stay
    std::string kept;
    bool roundUp = false;
    if (keep >= 0) {
        for (int i = 0; i < keep; ++i)
            kept.push_back(i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0');
        roundUp = keep < static_cast<int>(d.digits.size()) && d.digits[keep] >= '5';
    }
    // kept holds the digits of round(|value| x 10^decimals), most significant first,
    // aligned so that its last digit is the last decimal place.
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0 && kept[i] == '9'; --i) kept[i] = '0';
        if (i >= 0)
            ++kept[i];
        else
            kept.insert(kept.begin(), '1');
    }
    if (static_cast<int>(kept.size()) < decimals)
        kept.insert(kept.begin(), decimals - kept.size(), '0');
    intPart = kept.substr(0, kept.size() - decimals);
    fracPart = kept.substr(kept.size() - decimals);
    size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
}

std::string formatMask(double value, std::string_view mask, int significant) {
    size_t pointPos = mask.find('.');
    std::string_view intMask = mask.substr(0, pointPos);
    std::string_view fracMask =
        pointPos == std::string_view::npos ? std::string_view() : mask.substr(pointPos + 1);

    int decimals = 0;
    for (char c : fracMask)
        if (c == '0' || c == '#') ++decimals;
    int intSlots = 0;
    size_t firstSlot = std::string_view::npos, lastSlot = 0;
    for (size_t i = 0; i < intMask.size(); ++i)
        if (intMask[i] == '0' || intMask[i] == '#') {
            ++intSlots;
            if (firstSlot == std::string_view::npos) firstSlot = i;
            lastSlot = i;
        }
    bool grouping = false;
    for (size_t i = 0; i < intMask.size(); ++i)
        if (intMask[i] == ',' && firstSlot != std::string_view::npos && i > firstSlot &&
            i < lastSlot)
            grouping = true;

    DecimalText d = decimalText(value, significant);
    std::string intDigits, fracDigits;
    roundTo(d, decimals, intDigits, fracDigits);

    // Integer section: digits fill the slots from the right; required zeros pad on the
    // left; digits beyond the slots go in front of the first slot.
    std::string intOut;
    {
        int digitIndex = static_cast<int>(intDigits.size()) - 1;
        std::string reversed;
        int slotsSeen = 0;
        for (size_t k = intMask.size(); k-- > 0;) {
            char c = intMask[k];
            if (c == '0' || c == '#') {
                ++slotsSeen;
                if (digitIndex >= 0)
                    reversed.push_back(intDigits[digitIndex--]);
                else if (c == '0')
                    reversed.push_back('0');
                if (slotsSeen == intSlots)
                    while (digitIndex >= 0) reversed.push_back(intDigits[digitIndex--]);
            } else if (c == ',' && grouping) {
                // grouping separators are placed below, from the digits themselves
            } else {
                reversed.push_back(c);
            }
        }
        if (intSlots == 0)
            while (digitIndex >= 0) reversed.push_back(intDigits[digitIndex--]);
        intOut.assign(reversed.rbegin(), reversed.rend());
    }
    if (grouping) {
        // Insert separators among the run of digits that the slots produced.
        size_t start = intOut.find_first_of("0123456789");
        if (start != std::string::npos) {
            size_t end = start;
            while (end < intOut.size() && isDigit(intOut[end])) ++end;
            std::string run = intOut.substr(start, end - start), grouped;
            for (size_t i = 0; i < run.size(); ++i) {
                if (i > 0 && (run.size() - i) % 3 == 0) grouped.push_back(',');
                grouped.push_back(run[i]);
            }
            intOut.replace(start, end - start, grouped);
        }
    }

    // Fraction section: optional trailing digits that are zero are dropped.
    std::string fracOut;
    if (pointPos != std::string_view::npos) {
        int lastNeeded = -1, slot = 0;
        for (char c : fracMask)
            if (c == '0' || c == '#') {
                if (c == '0' || fracDigits[slot] != '0') lastNeeded = slot;
                ++slot;
            }
        // an optional digit is shown when any later digit is shown or it is not zero
        slot = 0;
        fracOut.push_back('.');
        for (char c : fracMask) {
            if (c == '0' || c == '#') {
                if (slot <= lastNeeded) fracOut.push_back(fracDigits[slot]);
                ++slot;
            } else {
                fracOut.push_back(c);
            }
        }
    }

    bool nonZero = intDigits.find_first_not_of('0') != std::string::npos ||
                   fracDigits.find_first_not_of('0') != std::string::npos;
    std::string out = (d.negative && nonZero ? "-" : "") + intOut + fracOut;
    return out;
}

std::string plain(double value, int significant) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : " Infinity";
    DecimalText d = decimalText(value, significant);
    std::string sign = d.negative ? "-" : " ";
    if (d.digits.empty()) return " 0";
    int exp10 = d.exponent - 1; // value = d1.d2d3... x 10^exp10
    std::string body;
    if (exp10 < -4 || exp10 >= significant) {
        body.append(d.digits, 0, 1);
        if (d.digits.size() > 1) body.append(".").append(d.digits, 1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exp10 < 0 ? '-' : '+', std::abs(exp10));
        body.append(e);
    } else if (d.exponent <= 0) {
        body.append(".").append(static_cast<size_t>(-d.exponent), '0').append(d.digits);
    } else if (d.exponent >= static_cast<int>(d.digits.size())) {
        body.append(d.digits).append(d.exponent - d.digits.size(), '0');
    } else {
        body.append(d.digits, 0, d.exponent).append(".").append(d.digits, d.exponent);
    }
    return sign.append(body);
}

} // namespace

std::string Format(double value, std::string_view mask) { return formatMask(value, mask, 15); }
std::string Format(float value, std::string_view mask) { return formatMask(value, mask, 7); }
std::string PlainNumber(double value) { return plain(value, 15); }
std::string PlainNumber(float value) { return plain(value, 7); }

namespace {
std::string unblanked(std::string text) {
    return !text.empty() && text[0] == ' ' ? text.substr(1) : text;
}
} // namespace

std::string NumberText(double value) { return unblanked(PlainNumber(value)); }
std::string NumberText(float value) { return unblanked(PlainNumber(value)); }

} // namespace common
