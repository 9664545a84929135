// qelt-cli --compare: both sweeps side by side in the CSV, the compared result lines,
// and a file that cannot be compared refused.
#include "cli_for_tests.h"
#include "engine_for_tests.h"

#include "qelt/cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

using qelt_test::Cli;
using qelt_test::CliRun;
using qelt_test::Sample;

namespace {

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string c; std::getline(in, c, ',');) cells.push_back(c);
    return cells;
}

std::vector<std::vector<std::string>> Rows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(csv);
    for (std::string l; std::getline(in, l);) rows.push_back(Cells(l));
    return rows;
}

} // namespace

TEST(QeltCliCompare, TheCsvHoldsBothSweepsAsEachAloneGivesThem) {
    // Both antennas are for 14.0 to 14.35 MHz, so each alone is swept over the same band.
    const CliRun both = Cli({Sample("4EL20M.YAG"), "--compare", Sample("2EL20M.QELT"), "--csv"});
    const CliRun first = Cli({Sample("4EL20M.YAG"), "--csv"});
    const CliRun second = Cli({Sample("2EL20M.QELT"), "--csv"});
    ASSERT_EQ(both.code, 0) << both.err;
    const auto rows = Rows(both.out), alone = Rows(first.out), other = Rows(second.out);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(both.out.substr(0, both.out.find('\n')),
              "MHz,Gain (dBi),F/B (dB),F/R (dB),R (ohms),X (ohms),SWR,2EL20M.QELT Gain (dBi),"
              "2EL20M.QELT F/B (dB),2EL20M.QELT F/R (dB),2EL20M.QELT R (ohms),2EL20M.QELT X "
              "(ohms),2EL20M.QELT SWR");
    for (std::size_t r = 1; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 13u);
        EXPECT_EQ(std::vector<std::string>(rows[r].begin(), rows[r].begin() + 7), alone[r]);
        EXPECT_EQ(std::vector<std::string>(rows[r].begin() + 7, rows[r].end()),
                  std::vector<std::string>(other[r].begin() + 1, other[r].end()))
            << "row " << r;
    }
}

TEST(QeltCliCompare, ResultLinesOfBothAndRefusals) {
    const CliRun r = Cli({Sample("4EL20M.YAG"), "--compare", Sample("2EL20M.QELT")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\nlblCompare=2EL20M.QELT\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nlblC1=Freq:     14.000 MHz       14.175 MHz       14.350 MHz\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\nlblC5=SWR:"), std::string::npos);

    const CliRun missing = Cli({Sample("4EL20M.YAG"), "--compare", "/nowhere/X.QELT", "--csv"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err.rfind("The file  '/nowhere/X.QELT'  has an error.", 0), 0u)
        << missing.err;
}
