#pragma once
// Antenna file reader: line splitter, number reader with unit suffixes, and the
// reader that fills the caller's antenna record.

#include "status.h"
#include "tables.h"

#include <array>
#include <span>

namespace yoruk {

constexpr int LineWidth = 110;
constexpr int FieldWidth = 10;
constexpr int MaxFields = 10;
constexpr int TitleWidth = 50;
constexpr int PathWidth = 80;       // of the interface; the upper-cased part
constexpr int MaxPathLength = 4096; // what a caller may pass with a longer length

using Field = std::array<char, FieldWidth>;

// The split fields of the last lines read. Slots past `count` keep what earlier
// lines left in them, which the element line after a diameter line relies on.
struct FieldSlots {
    std::array<Field, MaxFields> slot;
    int count = 0;
    FieldSlots() { clear(); }
    void clear();
};

enum class LengthUnit { Inches, Feet, Centimetres, Millimetres, Metres, Wavelengths };

// "IN ", "FT ", "'  ", "CM ", "MM ", "M  ", "W  "; anything else is inches.
LengthUnit UnitFromCode(std::span<const char> code);

char UCASE(char c);

// Splits one 110-character line. Returns the number of closed fields, which may
// exceed the ten slots (only the first ten are stored); sets `indent` when the
// line opens with five blanks or a tab.
int LPARSE(std::span<const char, LineWidth> line, FieldSlots& fields, bool& indent);

// One field: an unsigned decimal number with "." or "," as the point, optionally
// followed by a unit suffix, which is upper-cased in place. Returns inches for
// lengths (the plain number when the unit is inches and there is no suffix).
float NUMPARSE(std::span<char, FieldWidth> field, float designFrequency, LengthUnit fileUnit);

// The caller's antenna record, by reference.
struct AntennaRecord {
    std::span<char> title; // up to 50 characters, blank-padded
    int16_t& elementCount;
    int16_t& drivenElement;
    SectionCounts sectionCount;
    SectionTable sectionLength;
    SectionTable sectionDiameter;
    ElementValues spacing;
    float& freqLow;
    float& freqHigh;
};

// Reads one antenna file. `path` is the blank-padded name; its first 80 characters
// are upper-cased in place once the file has been opened. Only a regular file is read.
Status GETDTA4(std::span<char> path, const AntennaRecord& antenna);

} // namespace yoruk
