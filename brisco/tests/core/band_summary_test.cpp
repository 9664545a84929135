#include "brisco/core/band_summary.h"

#include "test_folder.h"

#include <gtest/gtest.h>

using namespace brisco;

TEST(BandSummary, DifferencesFromSlotOne) {
    fixtures::TestFolder folder;
    Assessment a(folder.path());
    a.chooseTerrain(0, folder.write("FLAT.PRO", "0 0\n"));
    a.chooseTerrain(2, folder.write("RIDGE.PRO", "0 0\n"));
    BandSummary s;
    s.computed = true;
    s.inUse = {true, false, true, false};
    s.merit[0][3] = 10.0;
    s.merit[2][3] = 7.5;
    s.merit[2][4] = 6.0; // slot 1 unrated there: no difference
    EXPECT_EQ(BandSummaryCsv(s, a, BandColumns::Differences),
              (std::vector<std::string>{"Slot,80 m,40 m,30 m,20 m,17 m,15 m,12 m,10 m",
                                        "\"FLAT.PRO\",,,,0.0,,,,", "\"RIDGE.PRO\",,,,-2.5,,,,"}));
}
