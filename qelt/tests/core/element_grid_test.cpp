// The element editor's grid: rows and captions, formats in inches and mm, which cells
// may be edited, the original values, the boom length, and the antenna handed back.
#include "engine_for_tests.h"

#include "qelt/core/analyser.h"

#include <gtest/gtest.h>

using namespace qelt;
using qelt_test::Engine;
using qelt_test::Opened;
using qelt_test::Sample;
using qelt_test::WriteAntenna;

namespace {

std::vector<std::string> Row(const ElementGrid& grid, int row) {
    std::vector<std::string> texts;
    for (int c = 0; c < ElementGrid::Columns; ++c) texts.push_back(grid.text(row, c));
    while (!texts.empty() && texts.back().empty()) texts.pop_back();
    return texts;
}

using Texts = std::vector<std::string>;

// Three elements, the director on a thinner schedule of its own.
const char* const TwoSchedules = "Two schedules\n21 21.2 21.45\n3 elements, inches\n"
                                 "1.0 0.75\n0 60 66.5\n60 60 61\n         0.875 0.625\n"
                                 "150 60 55.25\n";

} // namespace

TEST(ElementGrid, RowsCaptionsAndFormats) {
    const Analyser a = Opened(Sample("2EL20M.QELT"));
    const ElementGrid grid = a.elementGrid();
    EXPECT_EQ(grid.caption(),
              "Two-element 20 m beam, telescoping tubes, Element Taper and Boom Spacing");
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(Row(grid, 0), (Texts{"Inches", "Spacing", "Dia 1", "Dia 2", "Dia 3", "Dia 4", "Dia 5",
                                   "Dia 6", "Dia 7", "Dia 8", "Dia 9"}));
    EXPECT_EQ(Row(grid, 1), (Texts{"Diameter", "", "1.25", "1.0", "0.875"}));
    EXPECT_EQ(Row(grid, 2), (Texts{"Reflector", "", "48.0", "48.0", "116.0"}));
    EXPECT_EQ(Row(grid, 3), (Texts{"Driver", "117.0", "48.0", "48.0", "101.0"}));

    const ElementGrid metric = Opened(Sample("2EL20M.QELT"), Units::Metric).elementGrid();
    EXPECT_EQ(metric.text(0, 0), "mm");
    EXPECT_EQ(Row(metric, 1), (Texts{"Diameter", "", "31.8", "25.4", "22.2"}));
    EXPECT_EQ(Row(metric, 3), (Texts{"Driver", "2971.8", "1219.2", "1219.2", "2565.4"}));
    EXPECT_EQ(metric.boomText(), "2971.8");

    const ElementGrid two = Opened(WriteAntenna("TWO.QELT", TwoSchedules)).elementGrid();
    ASSERT_EQ(two.rowCount(), 6);
    EXPECT_EQ(Row(two, 4), (Texts{"Diameter", "", "0.875", "0.625"}));
    EXPECT_EQ(Row(two, 5), (Texts{"Dir 1", "90.0", "60.0", "55.25"}));
}

TEST(ElementGrid, WhichCellsMayBeEdited) {
    const ElementGrid grid = Opened(Sample("2EL20M.QELT")).elementGrid();
    EXPECT_FALSE(grid.editable(2, 1)) << "the reflector's spacing";
    EXPECT_FALSE(grid.editable(1, 1)) << "a diameter row has no spacing";
    EXPECT_FALSE(grid.editable(2, 5)) << "an empty cell";
    EXPECT_FALSE(grid.editable(0, 2)) << "the header";
    EXPECT_FALSE(grid.editable(3, 0)) << "the captions";
    EXPECT_FALSE(grid.editable(9, 2)) << "outside the grid";
    EXPECT_TRUE(grid.editable(1, 4));
    EXPECT_TRUE(grid.editable(3, 1));
    EXPECT_TRUE(grid.editable(2, 4));
}

TEST(ElementGrid, ChangingCells) {
    Analyser a = Opened(WriteAntenna("TWO.QELT", TwoSchedules));
    ElementGrid grid = a.elementGrid();
    EXPECT_EQ(grid.boomText(), "150.0");
    ASSERT_TRUE(grid.change(5, 1, "92,5")) << "a comma is a decimal point";
    EXPECT_EQ(grid.text(5, 1), "92.5");
    EXPECT_EQ(grid.boomText(), "152.5");
    for (const char* ignored : {"92.5", "0", "-3", "abc", "", "1e6", "1e999"})
        EXPECT_FALSE(grid.change(5, 1, ignored)) << ignored;
    EXPECT_FALSE(grid.change(2, 1, "10")) << "the reflector's spacing";

    // A diameter serves every element under its row, and no other.
    ASSERT_TRUE(grid.change(1, 2, "1.125"));
    EXPECT_FLOAT_EQ(grid.antenna().diameter(1, 1), 1.125f);
    EXPECT_FLOAT_EQ(grid.antenna().diameter(2, 1), 1.125f);
    EXPECT_FLOAT_EQ(grid.antenna().diameter(3, 1), 0.875f);

    // The driver's tip is the match dialog's tip; its original stays the loaded one.
    ASSERT_TRUE(grid.change(3, 3, "59"));
    const ElementGrid::CellTexts tip = grid.cellTexts(3, 3);
    EXPECT_EQ(tip.original, "61.0");
    EXPECT_EQ(tip.current, "59.0");
    EXPECT_EQ(tip.boom, "152.5");
    EXPECT_FLOAT_EQ(grid.tipLength(), 59);

    const float centreR = a.lastSweep()[CentrePoint].resistance;
    a.applyElements(Engine(), grid);
    EXPECT_FLOAT_EQ(a.working().spacing[1], 92.5f);
    EXPECT_FLOAT_EQ(a.drivenTipLength(), 59);
    EXPECT_EQ(a.matchBoxes().txtDELength, "59.0");
    EXPECT_EQ(a.texts().lblEleBoom, "3 ele., boom = 12.7 feet");
    EXPECT_NE(a.lastSweep()[CentrePoint].resistance, centreR) << "swept again";
    // The grid opened again shows the edits, and the originals still the file's.
    EXPECT_EQ(a.elementGrid().cellTexts(5, 1).original, "90.0");
    EXPECT_EQ(a.elementGrid().text(5, 1), "92.5");
}

TEST(ElementGrid, MetricCellsAreMillimetres) {
    Analyser a = Opened(Sample("2EL20M.QELT"), Units::Metric);
    ElementGrid grid = a.elementGrid();
    ASSERT_TRUE(grid.change(3, 1, "3000"));
    EXPECT_FLOAT_EQ(grid.antenna().spacing[0], static_cast<float>(3000 / 25.4));
    EXPECT_EQ(grid.cellTexts(3, 1).original, "2971.8");
    EXPECT_EQ(grid.boomText(), "3000.0");
}
