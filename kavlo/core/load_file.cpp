#include "load_file.h"

#include "common/cli_options.h"
#include "common/text_file.h"
#include "common/trimmed.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <optional>

namespace kavlo {
namespace {

using Complex = std::complex<double>;
using common::Result;

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The whole of `text` as a finite number, in the C locale's form whatever the user's.
std::optional<double> numberOf(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) return out;
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        out.push_back(text.substr(at, end - at));
        at = end;
    }
}

std::string where(const std::string& name, int line) {
    return name + " line " + std::to_string(line) + ": ";
}

// A frequency in MHz as the messages give it.
std::string mhzText(double freq) { return common::ShortestText(freq) + " MHz"; }

// What is wrong with a frequency read as `value` and worth `freq` MHz; "" for nothing.
std::string frequencyFault(double value, double freq) {
    if (!(freq > 0)) return "the frequency " + common::ShortestText(value) + " is not above 0";
    if (!std::isfinite(freq))
        return "the frequency " + common::ShortestText(value) + " is too large";
    return {};
}

// A measured load gives no power back: its resistance may fall below 0 only by rounding.
Result<LoadPoint> passive(const std::string& name, int line, double freq, Complex z) {
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
        return Result<LoadPoint>::Failure(where(name, line) + "at " + mhzText(freq) +
                                          " the load is an open circuit, with no finite "
                                          "impedance");
    if (z.real() < -1e-9 * std::abs(z))
        return Result<LoadPoint>::Failure(
            where(name, line) + "at " + mhzText(freq) + " the load's resistance is " +
            common::ShortestText(z.real()) +
            " ohm: a load that gives power back (a reflection above 1), which no line "
            "calculation takes");
    return LoadPoint{freq, std::max(z.real(), 0.0), z.imag(), line};
}

struct Options {
    double unit = 1000; // MHz per unit of the file's frequencies
    char parameter = 'S';
    std::string format = "ma";
    double ref = 50;
};

Result<Options> readOptions(std::string_view text, const std::string& name, int line) {
    Options o;
    const std::vector<std::string_view> items = words(text.substr(1));
    for (std::size_t k = 0; k < items.size(); ++k) {
        const std::string item = lower(items[k]);
        if (item == "hz" || item == "khz" || item == "mhz" || item == "ghz")
            o.unit = item == "hz" ? 1e-6 : item == "khz" ? 1e-3 : item == "mhz" ? 1 : 1000;
        else if (item == "s" || item == "z" || item == "y")
            o.parameter = static_cast<char>(std::toupper(item[0]));
        else if (item == "g" || item == "h")
            return Result<Options>::Failure(
                where(name, line) + "hybrid parameters (" + std::string(items[k]) +
                ") are not read; save the file with S, Z or Y parameters");
        else if (item == "ri" || item == "ma" || item == "db")
            o.format = item;
        else if (item == "r") {
            std::optional<double> ref =
                k + 1 < items.size() ? numberOf(items[k + 1]) : std::optional<double>();
            if (!ref || !(*ref > 0))
                return Result<Options>::Failure(where(name, line) +
                                                "R must be followed by a reference resistance "
                                                "above 0 ohm");
            o.ref = *ref;
            ++k;
        } else
            return Result<Options>::Failure(where(name, line) + "\"" + std::string(items[k]) +
                                            "\" is not an option of the # line (a unit Hz, kHz, "
                                            "MHz or GHz; S, Z or Y; RI, MA or DB; R and ohms)");
    }
    return o;
}

Complex pairValue(const Options& o, double a, double b) {
    if (o.format == "ri") return {a, b};
    const double magnitude = o.format == "db" ? std::pow(10.0, a / 20) : a;
    return std::polar(magnitude, b * std::numbers::pi / 180);
}

// The impedance into port 1 from the record's parameters (N11, then N21 N12 N22 of two
// ports), port 2 ended in the reference resistance.
Complex impedanceOf(const Options& o, const std::vector<Complex>& n) {
    const Complex one(1, 0);
    switch (o.parameter) {
    case 'Z': {
        const Complex z = n.size() == 1 ? n[0] : n[0] - n[1] * n[2] / (n[3] + one);
        return o.ref * z;
    }
    case 'Y': {
        const Complex y = n.size() == 1 ? n[0] : n[0] - n[1] * n[2] / (n[3] + one);
        return y == Complex(0, 0) ? Complex(INFINITY, 0) : o.ref / y;
    }
    default:
        return n[0] == one ? Complex(INFINITY, 0) : o.ref * (one + n[0]) / (one - n[0]);
    }
}

std::string describe(const Options& o, int ports) {
    const char* unit = o.unit == 1e-6 ? "Hz" : o.unit == 1e-3 ? "kHz" : o.unit == 1 ? "MHz" : "GHz";
    return std::string("Touchstone, ") + (ports == 1 ? "" : "port 1 of 2, ") + o.parameter +
           " in " +
           (o.format == "ri"   ? "RI"
            : o.format == "ma" ? "MA"
                               : "DB") +
           " against " + common::ShortestText(o.ref) + " ohm, frequencies in " + unit;
}

} // namespace

Result<LoadFileKind> LoadFileKindOf(const std::string& path) {
    const std::string extension = lower(std::filesystem::path(path).extension().string());
    if (extension == ".s1p") return LoadFileKind::Touchstone1;
    if (extension == ".s2p") return LoadFileKind::Touchstone2;
    if (extension.size() >= 4 && extension[1] == 's' && extension.back() == 'p' &&
        std::all_of(extension.begin() + 2, extension.end() - 1,
                    [](unsigned char c) { return std::isdigit(c); }))
        return Result<LoadFileKind>::Failure(
            path + ": only one- and two-port Touchstone files (.s1p, .s2p) are read");
    return LoadFileKind::Csv;
}

Result<LoadList> ParseTouchstone(const std::vector<std::string>& lines, int ports,
                                 const std::string& name) {
    using Failure = Result<LoadList>;
    const std::size_t perRecord = ports == 1 ? 3 : 9;
    Options options;
    bool optionsRead = false, dataStarted = false;
    LoadList list{name, {}, {}};
    std::vector<double> record;
    int recordLine = 0;

    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int line = static_cast<int>(k + 1);
        std::string_view text = lines[k];
        text = text.substr(0, text.find('!'));
        const std::string trimmed = common::Trimmed(text);
        if (trimmed.empty()) continue;
        if (trimmed.front() == '[')
            return Failure::Failure(where(name, line) +
                                    "keywords in brackets belong to Touchstone 2.0, which is "
                                    "not read; save the file in version 1");
        if (trimmed.front() == '#') {
            if (dataStarted)
                return Failure::Failure(where(name, line) +
                                        "the # option line must come before the data");
            if (optionsRead) continue; // only the first option line counts
            Result<Options> read = readOptions(trimmed, name, line);
            if (!read) return Failure::Failure(read.message());
            options = read.value();
            optionsRead = true;
            continue;
        }
        const std::vector<std::string_view> items = words(trimmed);
        if (record.empty()) {
            // Two ports' noise data follow the network data from a frequency not above
            // the last one's.
            const std::optional<double> first = numberOf(items.front());
            if (ports == 2 && first && !list.points.empty() &&
                *first * options.unit <= list.points.back().freq)
                break;
            recordLine = line;
        }
        dataStarted = true;
        for (std::string_view item : items) {
            const std::optional<double> value = numberOf(item);
            if (!value)
                return Failure::Failure(where(name, line) + "\"" + std::string(item) +
                                        "\" is not a number");
            record.push_back(*value);
            if (record.size() < perRecord) continue;

            const double freq = record[0] * options.unit;
            if (const std::string fault = frequencyFault(record[0], freq); !fault.empty())
                return Failure::Failure(where(name, recordLine) + fault);
            if (!list.points.empty() && freq <= list.points.back().freq)
                return Failure::Failure(where(name, recordLine) + "the frequency " + mhzText(freq) +
                                        " is not above the one before, " +
                                        mhzText(list.points.back().freq));
            std::vector<Complex> n;
            for (std::size_t p = 1; p < perRecord; p += 2) // N11, then N21 N12 N22
                n.push_back(pairValue(options, record[p], record[p + 1]));
            Result<LoadPoint> point = passive(name, recordLine, freq, impedanceOf(options, n));
            if (!point) return Failure::Failure(point.message());
            list.points.push_back(point.value());
            record.clear();
            recordLine = line;
        }
    }
    if (!record.empty())
        return Failure::Failure(where(name, recordLine) +
                                "the record is cut short: " + std::to_string(perRecord) +
                                " numbers expected, " + std::to_string(record.size()) + " found");
    if (list.points.empty()) return Failure::Failure(name + ": the file holds no data");
    list.description = describe(options, ports);
    return list;
}

Result<LoadList> ParseAnalyserCsv(const std::vector<std::string>& lines, const std::string& name) {
    using Failure = Result<LoadList>;
    LoadList list{name, "CSV of frequency, R and X, frequencies in MHz", {}};
    double unit = 1;
    bool first = true;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int line = static_cast<int>(k + 1);
        const std::string trimmed = common::Trimmed(lines[k]);
        if (trimmed.empty() || trimmed.front() == '!' || trimmed.front() == '#') continue;
        // Semicolons (or tabs) between the fields leave the comma for the decimal point.
        const char separator = trimmed.find(';') != std::string::npos    ? ';'
                               : trimmed.find('\t') != std::string::npos ? '\t'
                                                                         : ',';
        std::vector<std::string> fields;
        std::size_t at = 0;
        while (at <= trimmed.size()) {
            const std::size_t end = std::min(trimmed.find(separator, at), trimmed.size());
            std::string field = common::Trimmed(std::string_view(trimmed).substr(at, end - at));
            if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
                field = field.substr(1, field.size() - 2);
            if (separator != ',') std::replace(field.begin(), field.end(), ',', '.');
            fields.push_back(field);
            at = end + 1;
        }
        const bool heading = first && !numberOf(fields[0]);
        first = false;
        if (heading) {
            const std::string title = lower(fields[0]);
            const char* unitName = "MHz";
            if (title.find("ghz") != std::string::npos)
                unit = 1000, unitName = "GHz";
            else if (title.find("mhz") != std::string::npos)
                unit = 1;
            else if (title.find("khz") != std::string::npos)
                unit = 1e-3, unitName = "kHz";
            else if (title.find("hz") != std::string::npos)
                unit = 1e-6, unitName = "Hz";
            list.description = std::string("CSV of frequency, R and X, frequencies in ") +
                               unitName + (unit == 1 ? "" : " (from the heading)");
            continue;
        }
        if (fields.size() < 3)
            return Failure::Failure(where(name, line) +
                                    "frequency, R and X expected, separated by commas");
        double values[3];
        for (int f = 0; f < 3; ++f) {
            const std::optional<double> value = numberOf(fields[f]);
            if (!value)
                return Failure::Failure(where(name, line) + "\"" + fields[f] +
                                        "\" is not a number");
            values[f] = *value;
        }
        const double freq = values[0] * unit;
        if (const std::string fault = frequencyFault(values[0], freq); !fault.empty())
            return Failure::Failure(where(name, line) + fault);
        if (!list.points.empty() && freq <= list.points.back().freq)
            return Failure::Failure(where(name, line) + "the frequency " + mhzText(freq) +
                                    " is not above the one before, " +
                                    mhzText(list.points.back().freq));
        Result<LoadPoint> point = passive(name, line, freq, {values[1], values[2]});
        if (!point) return Failure::Failure(point.message());
        list.points.push_back(point.value());
    }
    if (list.points.empty()) return Failure::Failure(name + ": the file holds no data");
    return list;
}

Result<LoadList> ReadLoadFile(const std::string& path) {
    Result<LoadFileKind> kind = LoadFileKindOf(path);
    if (!kind) return Result<LoadList>::Failure(kind.message());
    const common::TextFile file = common::ReadTextFile(path);
    if (file.state != common::FileState::Read) return Result<LoadList>::Failure(file.message);
    switch (kind.value()) {
    case LoadFileKind::Touchstone1:
        return ParseTouchstone(file.lines, 1, path);
    case LoadFileKind::Touchstone2:
        return ParseTouchstone(file.lines, 2, path);
    default:
        return ParseAnalyserCsv(file.lines, path);
    }
}

std::string TouchstoneS1p(const std::vector<TouchstonePoint>& points, double ref,
                          const std::vector<std::string>& comments) {
    std::string out;
    for (const std::string& comment : comments) out += "! " + comment + "\n";
    out += "# MHz S RI R " + common::ShortestText(ref) + "\n";
    for (const TouchstonePoint& p : points) {
        const Complex s = (p.z - ref) / (p.z + ref);
        out += common::ShortestText(p.freq) + ' ' + common::ShortestText(s.real()) + ' ' +
               common::ShortestText(s.imag()) + '\n';
    }
    return out;
}

} // namespace kavlo
