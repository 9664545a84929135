#pragma once
// The heights dialog without the window: a 4 x 4 grid of height cells (antenna 1..4 of a
// stack down, slot 1..4 across), a type list per slot, and Copy buttons that copy one
// column into another. OK hands every column back to the main window's model.
#include "assessment.h"

#include "common/control_text.h"

#include <array>
#include <string>

namespace brisco {

struct HeightsTexts {
    std::string txtHt11, txtHt12, txtHt13, txtHt14; // txtHt + antenna row + slot column
    std::string txtHt21, txtHt22, txtHt23, txtHt24;
    std::string txtHt31, txtHt32, txtHt33, txtHt34;
    std::string txtHt41, txtHt42, txtHt43, txtHt44;
    std::string lblTerrain1, lblTerrain2, lblTerrain3, lblTerrain4;
    std::string cmdCopy1 = "Copy", cmdCopy2 = "Copy", cmdCopy3 = "Copy", cmdCopy4 = "Copy";
    std::string lblFeet = "feet";
};

inline const std::array<common::ControlText<HeightsTexts>, 25> HeightsDialogTexts{{
    {"txtHt11", &HeightsTexts::txtHt11},         {"txtHt12", &HeightsTexts::txtHt12},
    {"txtHt13", &HeightsTexts::txtHt13},         {"txtHt14", &HeightsTexts::txtHt14},
    {"txtHt21", &HeightsTexts::txtHt21},         {"txtHt22", &HeightsTexts::txtHt22},
    {"txtHt23", &HeightsTexts::txtHt23},         {"txtHt24", &HeightsTexts::txtHt24},
    {"txtHt31", &HeightsTexts::txtHt31},         {"txtHt32", &HeightsTexts::txtHt32},
    {"txtHt33", &HeightsTexts::txtHt33},         {"txtHt34", &HeightsTexts::txtHt34},
    {"txtHt41", &HeightsTexts::txtHt41},         {"txtHt42", &HeightsTexts::txtHt42},
    {"txtHt43", &HeightsTexts::txtHt43},         {"txtHt44", &HeightsTexts::txtHt44},
    {"lblTerrain1", &HeightsTexts::lblTerrain1}, {"lblTerrain2", &HeightsTexts::lblTerrain2},
    {"lblTerrain3", &HeightsTexts::lblTerrain3}, {"lblTerrain4", &HeightsTexts::lblTerrain4},
    {"cmdCopy1", &HeightsTexts::cmdCopy1},       {"cmdCopy2", &HeightsTexts::cmdCopy2},
    {"cmdCopy3", &HeightsTexts::cmdCopy3},       {"cmdCopy4", &HeightsTexts::cmdCopy4},
    {"lblFeet", &HeightsTexts::lblFeet},
}};

// The cell of antenna `row` in slot `column` (both 0..3).
std::string HeightsTexts::*HeightCellOf(int row, int column);
// The Copy button of a slot (0..3).
std::string HeightsTexts::*CopyButtonOf(int column);

// Each list item has one leading space, as the lists show them.
std::string TypeListItem(int index);

class HeightsEditor {
public:
    // The grid, lists and labels as the main window's slots hold them.
    void fill(const Assessment& assessment);

    void setCell(int row, int column, const std::string& text);
    void setType(int column, int index); // -1: no type chosen
    // A Copy button: the first press takes its column, the next press of another
    // column's button ("to") writes it there.
    void copy(int column);

    // What OK writes into the main window's slots.
    std::array<HeightsColumn, SlotCount> columns() const;

    const HeightsTexts& texts() const { return texts_; }
    int type(int column) const { return types_[column]; }
    // The Copy buttons that can be pressed now.
    bool copyEnabled(int column) const { return from_ != column; }

private:
    HeightsTexts texts_;
    std::array<int, SlotCount> types_{-1, -1, -1, -1};
    int from_ = -1; // the column being copied, -1 when no copy is under way
    int clipboardType_ = -1;
    std::array<std::string, StackSize> clipboardCells_;
};

} // namespace brisco
