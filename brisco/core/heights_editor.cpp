#include "heights_editor.h"

namespace brisco {

std::string HeightsTexts::*HeightCellOf(int row, int column) {
    return HeightsDialogTexts[4 * static_cast<size_t>(row) + static_cast<size_t>(column)].text;
}

std::string HeightsTexts::*CopyButtonOf(int column) {
    return HeightsDialogTexts[20 + static_cast<size_t>(column)].text;
}

std::string TypeListItem(int index) { return std::string(" ") + AntennaTypes[index].name; }

void HeightsEditor::fill(const Assessment& a) {
    const Units units = a.options().units;
    texts_.lblFeet = UnitWord(units);
    for (int column = 0; column < SlotCount; ++column) {
        texts_.*HeightsDialogTexts[16 + static_cast<size_t>(column)].text = a.slotLabel(column);
        const std::int16_t code = a.typeCode(column);
        types_[column] = code >= 1 && code <= 7 ? code - 1 : -1;
        // A heights text that cannot be read leaves an empty stack to fill in again.
        common::Result<AntennaStack> read = ParseHeights(a.heights(column), units);
        const AntennaStack stack = read ? read.value() : AntennaStack{};
        for (int row = 0; row < StackSize; ++row)
            texts_.*HeightCellOf(row, column) =
                HeightCell(stack.AntennaHeight[row], stack.Phase[row], units);
    }
    from_ = -1;
    for (int column = 0; column < SlotCount; ++column) texts_.*CopyButtonOf(column) = "Copy";
}

void HeightsEditor::setCell(int row, int column, const std::string& text) {
    texts_.*HeightCellOf(row, column) = text;
}

void HeightsEditor::setType(int column, int index) { types_[column] = index; }

void HeightsEditor::copy(int column) {
    if (from_ < 0) {
        from_ = column;
        clipboardType_ = types_[column];
        for (int row = 0; row < StackSize; ++row)
            clipboardCells_[row] = texts_.*HeightCellOf(row, column);
        for (int c = 0; c < SlotCount; ++c) texts_.*CopyButtonOf(c) = c == column ? "Copy" : "to";
        return;
    }
    if (column == from_) return; // its own button is greyed while it is the source
    types_[column] = clipboardType_;
    for (int row = 0; row < StackSize; ++row)
        texts_.*HeightCellOf(row, column) = clipboardCells_[row];
    from_ = -1;
    for (int c = 0; c < SlotCount; ++c) texts_.*CopyButtonOf(c) = "Copy";
}

std::array<HeightsColumn, SlotCount> HeightsEditor::columns() const {
    std::array<HeightsColumn, SlotCount> out;
    for (int column = 0; column < SlotCount; ++column) {
        std::array<std::string, StackSize> cells;
        for (int row = 0; row < StackSize; ++row)
            cells[row] = RemoveBlank(texts_.*HeightCellOf(row, column));
        out[column].heights = HeightsText(cells);
        out[column].type = types_[column] < 0 ? "" : AntennaTypes[types_[column]].name;
    }
    return out;
}

} // namespace brisco
