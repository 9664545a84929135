#pragma once
// The element editor's spreadsheet without the window: a header row, a diameter row
// wherever the taper schedule changes, and one row per element with its spacing from the
// element before and its section lengths, in inches or millimetres. A cell changed in the
// cell dialog changes the antenna being edited; the editor's OK hands it back whole.
#include "antenna.h"
#include "units.h"

#include "common/result.h"

#include <string>
#include <vector>

namespace qelt {

class ElementGrid {
public:
    static constexpr int Columns = 2 + MaxSections - 1; // caption, spacing, nine sections

    // `working` with its driven tip `tip` is edited; `loaded` (tip `loadedTip`) gives each
    // cell's original value.
    ElementGrid(const Antenna& working, float tip, const Antenna& loaded, float loadedTip,
                Units units);

    // "<title>, Element Taper and Boom Spacing"
    std::string caption() const;
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Row 0 and column 0 are the fixed header row and caption column.
    std::string text(int row, int column) const;
    // Every filled cell but the captions and the reflector's spacing.
    bool editable(int row, int column) const;

    // The cell dialog's texts for an editable cell.
    struct CellTexts {
        std::string original, current, boom;
    };
    CellTexts cellTexts(int row, int column) const;
    // The cell dialog's OK: a value above 0 that differs from the cell's is taken (true);
    // anything else, and lengths of a million inches or more, is ignored. A diameter
    // serves every element under its row.
    bool change(int row, int column, const std::string& typed);

    // The boom from the first element to the last, in the unit shown.
    std::string boomText() const;

    // Elements and sections added and removed (element_structure.cpp), on the element
    // of an element's row. The driven element stays the one an antenna file feeds (the
    // second, or a lone element), elements keep their places along the boom, and what an
    // antenna file cannot hold is refused with the reason.
    // A new director halfway to the next element, or one spacing past the last; before
    // a lone driven element, a reflector.
    common::Result<> addElement(int row);
    // The element's neighbours keep their places: the gaps either side become one.
    common::Result<> removeElement(int row);
    // The outermost section split in two halves of its length and diameter.
    common::Result<> addSection(int row);
    // The outermost section joined to the one inside it, the element as long as it was.
    common::Result<> removeSection(int row);
    // The element of a row (0 for the header and diameter rows), and the row of an element.
    int elementOf(int row) const;
    int rowOf(int element) const;

    // The antenna as edited, its driven tip included.
    const Antenna& antenna() const { return edited_; }
    float tipLength() const { return tip_; }

private:
    enum class Kind { Header, Diameters, Element };
    struct Row {
        Kind kind;
        int element;     // 1-based: the element, or the first under a diameter row
        int lastElement; // the last element a diameter row serves
    };
    enum class Quantity { None, Diameter, Spacing, Length };

    void layRows();
    common::Result<int> chosenElement(int row) const;
    Quantity quantity(int row, int column) const;
    // The cell's value in inches in `antenna`, whose driven tip is `tip`.
    double value(const Antenna& antenna, float tip, int row, int column) const;
    std::string shown(Quantity q, double inches) const;
    bool isTip(const Row& row, int section) const;

    Antenna edited_;
    float tip_;
    Antenna loaded_;
    float loadedTip_;
    Units units_;
    std::vector<Row> rows_;
};

} // namespace qelt
