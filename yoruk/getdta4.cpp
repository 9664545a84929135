#include "getdta4.h"

#include "common/constants.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yoruk {

namespace {

using Line = std::array<char, LineWidth>;

// Reads text lines of at most 110 characters (longer ones are cut, shorter ones
// blank-padded). A line ends at LF, CR LF or a lone CR, so files from every kind of
// system read line by line, and the last line needs no end. Every other character,
// control characters included, belongs to the line: below the comma they separate
// fields, so a stray one or the end-of-file mark of old files does no harm.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file) {}

    // False at the end of the file.
    bool next(Line& line) {
        line.fill(' ');
        int c = std::getc(file_);
        if (c == EOF) return false;
        for (int length = 0; c != EOF && c != '\n' && c != '\r'; c = std::getc(file_))
            if (length < LineWidth) line[length++] = static_cast<char>(c);
        if (c == '\r') {
            const int after = std::getc(file_);
            if (after != '\n' && after != EOF) std::ungetc(after, file_);
        }
        ++number_;
        return true;
    }

    int number() const { return number_; }

private:
    std::FILE* file_;
    int number_ = 0;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool isSuffixChar(char c) { return static_cast<unsigned char>(c) >= 'A' || c == '"' || c == '\''; }

bool suffixIs(const char (&suffix)[2], const char* code) {
    return suffix[0] == code[0] && suffix[1] == code[1];
}

// A recognised suffix overrides the file unit; none (or an unknown one) leaves it.
LengthUnit unitOf(const char (&suffix)[2], LengthUnit fileUnit) {
    if (suffixIs(suffix, "FT") || suffixIs(suffix, "' ")) return LengthUnit::Feet;
    if (suffixIs(suffix, "IN") || suffixIs(suffix, "\" ")) return LengthUnit::Inches;
    if (suffixIs(suffix, "CM")) return LengthUnit::Centimetres;
    if (suffixIs(suffix, "MM")) return LengthUnit::Millimetres;
    if (suffixIs(suffix, "M ")) return LengthUnit::Metres;
    if (suffixIs(suffix, "W ")) return LengthUnit::Wavelengths;
    return fileUnit;
}

float toInches(float value, LengthUnit unit, float designFrequency) {
    switch (unit) {
    case LengthUnit::Feet:
        return value * 12.0f;
    case LengthUnit::Centimetres:
        return value / 2.54f;
    case LengthUnit::Millimetres:
        return value / common::MillimetresPerInchF;
    case LengthUnit::Metres:
        return value * 39.37f;
    case LengthUnit::Wavelengths:
        return value * (WavelengthInchesMHz / designFrequency);
    case LengthUnit::Inches:
        break;
    }
    return value;
}

// The unit word of the element-count line, by its first one or two letters.
LengthUnit unitFromWord(const Field& word) {
    const char a = UCASE(word[0]);
    const char b = UCASE(word[1]);
    if (a == 'I' && b == 'N') return LengthUnit::Inches;
    if (a == 'F' && b == 'E') return LengthUnit::Feet;
    if (a == 'C') return LengthUnit::Centimetres;
    if (a == 'M' && b == 'M') return LengthUnit::Millimetres;
    if (a == 'M') return LengthUnit::Metres;
    if (a == 'W') return LengthUnit::Wavelengths;
    return LengthUnit::Inches;
}

float frequencyMultiplier(const Field& word) {
    switch (UCASE(word[0])) {
    case 'K':
        return 0.001f;
    case 'H':
        return 0.000001f;
    case 'G':
        return 1000.0f;
    default:
        return 1.0f;
    }
}

// Only a regular file is read: a folder, a device or a pipe would be refused line by
// line at best, and /dev/zero or a pipe nobody writes to would never end.
Status openRegularFile(const std::string& name, std::unique_ptr<std::FILE, FileCloser>& file) {
    const int fd = name.empty() ? -1 : ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {StatusCode::FileNotFound, 0, "the file cannot be opened"};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {StatusCode::FileNotFound, 0, "the path is not a file"};
    }
    file.reset(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        return {StatusCode::FileNotFound, 0, "the file cannot be opened"};
    }
    return {};
}

Status malformed(int line, const char* reason) { return {StatusCode::Malformed, line, reason}; }

// One line read and split, or the failure that stops the reader.
class SplitReader {
public:
    SplitReader(std::FILE* file, FieldSlots& fields) : lines_(file), fields_(fields) {}

    Status next(Line& line, bool& indent) {
        if (!lines_.next(line)) return malformed(lines_.number() + 1, "the file ends too early");
        if (LPARSE(line, fields_, indent) > MaxFields)
            return malformed(lines_.number(), "more than ten fields");
        return {};
    }

    Status next() {
        Line line;
        bool indent = false;
        return next(line, indent);
    }

    LineReader& lines() { return lines_; }

private:
    LineReader lines_;
    FieldSlots& fields_;
};

} // namespace

void FieldSlots::clear() {
    for (Field& f : slot) f.fill(' ');
    count = 0;
}

LengthUnit UnitFromCode(std::span<const char> code) {
    char c[3] = {' ', ' ', ' '};
    for (std::size_t i = 0; i < code.size() && i < 3; ++i) c[i] = code[i];
    auto is = [&c](const char* s) { return c[0] == s[0] && c[1] == s[1] && c[2] == s[2]; };
    if (is("FT ") || is("'  ")) return LengthUnit::Feet;
    if (is("CM ")) return LengthUnit::Centimetres;
    if (is("MM ")) return LengthUnit::Millimetres;
    if (is("M  ")) return LengthUnit::Metres;
    if (is("W  ")) return LengthUnit::Wavelengths;
    return LengthUnit::Inches;
}

char UCASE(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int LPARSE(std::span<const char, LineWidth> line, FieldSlots& fields, bool& indent) {
    const bool blankStart =
        line[0] == ' ' && line[1] == ' ' && line[2] == ' ' && line[3] == ' ' && line[4] == ' ';
    int closed = 0;
    int start = -1;
    // Position 110 is never examined, so a field still open at 109 is dropped.
    for (int pos = 0; pos < LineWidth - 1; ++pos) {
        const char c = line[pos];
        if (static_cast<unsigned char>(c) < ',') {
            if (start >= 0) {
                if (closed < MaxFields) {
                    Field& f = fields.slot[closed];
                    f.fill(' ');
                    for (int i = 0; i < FieldWidth && start + i < pos; ++i) f[i] = line[start + i];
                }
                ++closed;
                start = -1;
            }
            if (blankStart || (pos == 0 && c == '\t')) indent = true;
        } else if (start < 0) {
            start = pos;
        }
    }
    fields.count = closed < MaxFields ? closed : MaxFields;
    return closed;
}

float NUMPARSE(std::span<char, FieldWidth> field, float designFrequency, LengthUnit fileUnit) {
    int end = FieldWidth;
    int suffixAt = -1;
    int point = -1;
    for (int p = 0; p < FieldWidth; ++p) {
        const char c = field[p];
        if (c == ' ' || c == '\t') {
            end = p;
            break;
        }
        if (isSuffixChar(c)) {
            end = suffixAt = p;
            break;
        }
        if (c == '.' || c == ',') point = p;
    }
    if (point < 0) point = end;

    // Signs and other marks inside the number add nothing.
    double value = 0;
    for (int p = 0; p < end; ++p) {
        const char c = field[p];
        if (c < '1' || c > '9') continue;
        const int exponent = p < point ? point - p - 1 : point - p;
        value += (c - '0') * std::pow(10.0, exponent);
    }

    char suffix[2] = {' ', ' '};
    if (suffixAt >= 0) {
        field[suffixAt] = suffix[0] = UCASE(field[suffixAt]);
        const int next = suffixAt + 1;
        if (next < FieldWidth && field[next] != ' ' && field[next] != '\t')
            field[next] = suffix[1] = UCASE(field[next]);
    }
    return toInches(static_cast<float>(value), unitOf(suffix, fileUnit), designFrequency);
}

Status GETDTA4(std::span<char> path, const AntennaRecord& a) {
    a.drivenElement = 2;
    for (float& v : a.spacing) v = 0;
    for (float& v : a.sectionLength) v = 0;
    for (float& v : a.sectionDiameter) v = 0;
    std::array<float, MaxFields> diameter{};
    std::array<float, MaxElements> position{};
    FieldSlots fields;

    std::string name(path.begin(), std::find(path.begin(), path.end(), '\0'));
    name.erase(name.find_last_not_of(' ') + 1);

    std::unique_ptr<std::FILE, FileCloser> file;
    if (Status opened = openRegularFile(name, file); !opened.ok()) return opened;
    for (std::size_t i = 0; i < path.size() && i < PathWidth; ++i) path[i] = UCASE(path[i]);

    SplitReader reader(file.get(), fields);
    Line line;
    if (!reader.lines().next(line)) return malformed(1, "the file is empty");
    for (std::size_t i = 0; i < a.title.size() && i < TitleWidth; ++i) a.title[i] = line[i];

    auto value = [&fields](int field, float designFrequency, LengthUnit unit) {
        return NUMPARSE(fields.slot[field - 1], designFrequency, unit);
    };

    if (Status s = reader.next(); !s.ok()) return s;
    const Field& first = fields.slot[0];
    const char head[3] = {UCASE(first[0]), UCASE(first[1]), UCASE(first[2])};
    if ((head[0] == 'K' && head[1] == 'L' && head[2] == 'M') ||
        (head[0] == 'D' && head[1] == 'U' && head[2] == 'A'))
        return {StatusCode::KlmFile, 0, KlmMessage};
    const float multiplier = fields.count >= 4 ? frequencyMultiplier(fields.slot[3]) : 1.0f;
    a.freqLow = multiplier * value(1, 0, LengthUnit::Inches);
    a.freqHigh = value(2, 0, LengthUnit::Inches) == 0
                     ? a.freqLow
                     : multiplier * value(3, 0, LengthUnit::Inches);
    const float fd = std::sqrt(a.freqLow * a.freqHigh);

    if (Status s = reader.next(); !s.ok()) return s;
    const float count = value(1, fd, LengthUnit::Inches);
    if (!(count >= 1 && count < MaxElements + 1))
        return malformed(reader.lines().number(), "the element count is not 1 to 50");
    const int elements = static_cast<int>(count);
    a.elementCount = static_cast<int16_t>(elements);
    const LengthUnit unit = fields.count >= 3 ? unitFromWord(fields.slot[2]) : LengthUnit::Inches;

    if (Status s = reader.next(); !s.ok()) return s;
    const bool spacingMode = UCASE(first[0]) == 'S' && UCASE(first[1]) == 'P';
    const int skip = spacingMode ? 1 : 0;
    for (int j = 0; j + skip < fields.count; ++j) diameter[j] = value(j + 1 + skip, fd, unit);

    const float fullElement = 0.4f * (WavelengthInchesMHz / fd);
    for (int e = 0; e < elements; ++e) {
        bool indent = false;
        if (Status s = reader.next(line, indent); !s.ok()) return s;
        int fieldCount = fields.count;
        if (indent) {
            // A new taper schedule; the element line after it is read with one
            // field more than the schedule has diameters.
            const int n = fields.count;
            if (n >= MaxFields)
                return malformed(reader.lines().number(), "more than nine sections");
            diameter.fill(0);
            for (int j = 0; j < n; ++j) diameter[j] = value(j + 1, fd, unit);
            if (Status s = reader.next(); !s.ok()) return s;
            fieldCount = n + 1;
        }
        position[e] = value(1, fd, unit);
        int k = 0;
        for (int j = 1; j < fieldCount; ++j) {
            const float v = value(j + 1, fd, unit);
            if (v == 0) continue;
            a.sectionLength[At(e, k)] =
                unit == LengthUnit::Wavelengths && v > fullElement ? v / 2 : v;
            a.sectionDiameter[At(e, k)] = diameter[j - 1];
            ++k;
        }
        a.sectionCount[e] = static_cast<int16_t>(k);
        if (k == 0) return malformed(reader.lines().number(), "an element has no sections");
    }

    for (int i = 0; i + 1 < elements; ++i)
        a.spacing[i] = spacingMode ? position[i + 1] : std::fabs(position[i + 1] - position[i]);
    return {};
}

} // namespace yoruk
