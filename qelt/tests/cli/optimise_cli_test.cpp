// qelt-cli --optimise: what it prints, what it saves, and how it says no.
#include "cli_for_tests.h"
#include "engine_for_tests.h"
#include "test_antennas.h"

#include "qelt/cli/cli.h"
#include "qelt/core/optimiser.h"
#include "qelt/core/optimiser_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

using qelt_test::Cli;
using qelt_test::CliRun;

std::string ThreeElements() {
    return qelt_test::WriteAntenna("3EL.QELT", qelt_test::ThreeElementBeam);
}

// "gain before=7.12 after=7.45 weight=1": the goal's name and its words.
std::map<std::string, std::map<std::string, std::string>> Goals(const std::string& out) {
    std::map<std::string, std::map<std::string, std::string>> goals;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name, word;
        words >> name;
        while (words >> word)
            if (const std::size_t eq = word.find('='); eq != std::string::npos)
                goals[name][word.substr(0, eq)] = word.substr(eq + 1);
            else
                goals[name][word] = "yes";
    }
    return goals;
}

std::vector<qelt::Goal> Parsed(std::initializer_list<const char*> texts) {
    std::vector<qelt::Goal> goals;
    for (const char* t : texts) goals.push_back(qelt::ParseGoal(t).value());
    return goals;
}

TEST(QeltCliOptimise, SavesADesignWhoseSweepGivesWhatItPrinted) {
    const std::string saved = qelt_test::WriteAntenna("BEST.QELT", "");
    const CliRun r =
        Cli({ThreeElements(), "--optimise", "--goal", "gain=1", "--goal", "fr>=25:1", "--goal",
             "swr<=2.0:2", "--max-evaluations", "400", "--seconds", "60", "--save", saved});
    ASSERT_EQ(r.code, 0) << r.err;
    auto goals = Goals(r.out);
    ASSERT_TRUE(goals.count("score") && goals.count("gain") && goals.count("fr") &&
                goals.count("swr"))
        << r.out;
    EXPECT_GT(std::stod(goals["score"]["after"]), std::stod(goals["score"]["before"]));
    EXPECT_EQ(goals["swr"]["target"], "2");
    EXPECT_EQ(goals["swr"]["weight"], "2");
    EXPECT_NE(r.out.find("changed Tip "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("lblF2=Gain:"), std::string::npos) << "the new sweep's lines";

    // The file read again and swept gives the values printed after the search.
    const qelt::Analyser reread = qelt_test::Opened(saved);
    const qelt::Evaluation again = qelt::Judge(
        reread.lastSweep(), Parsed({"gain=1", "fr>=25:1", "swr<=2.0:2"}), qelt::GoalPoints::Band);
    EXPECT_EQ(qelt::GoalValueText(again.values[0]), goals["gain"]["after"]);
    EXPECT_EQ(qelt::GoalValueText(again.values[1]), goals["fr"]["after"]);
    EXPECT_EQ(qelt::GoalValueText(again.values[2]), goals["swr"]["after"]);
}

TEST(QeltCliOptimise, LocksAndBoundsHoldInTheSavedDesign) {
    const std::string saved = qelt_test::WriteAntenna("LOCKED.QELT", "");
    const CliRun r =
        Cli({ThreeElements(), "--optimise", "--global", "--lock", "tip1,spacing2", "--bound",
             "tip3=99:101", "--max-evaluations", "200", "--edges", "--save", saved});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find("changed Tip 1:"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("changed Spacing 2-3:"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("evaluations=200"), std::string::npos) << r.out;
    const qelt::Antenna start = qelt_test::Opened(ThreeElements()).working();
    const qelt::Antenna best = qelt_test::Opened(saved).working();
    EXPECT_EQ(best.length(1, 3), start.length(1, 3));
    EXPECT_NEAR(best.spacing[1], start.spacing[1], 1e-3);
    EXPECT_GE(best.length(3, 3), 99 - 1e-4);
    EXPECT_LE(best.length(3, 3), 101 + 1e-4);

    // A held boom: the search moves the first spacing and the second takes up the rest.
    const std::string held = qelt_test::WriteAntenna("HELD.QELT", "");
    ASSERT_EQ(Cli({ThreeElements(), "--optimise", "--lock", "boom", "--save", held,
                   "--max-evaluations", "300"})
                  .code,
              0);
    EXPECT_NEAR(qelt_test::Opened(held).working().boomLength(), start.boomLength(), 2e-3);
}

TEST(QeltCliOptimise, RefusalsSayWhyAndSaveNothing) {
    const std::string antenna = ThreeElements();
    const std::string never = qelt_test::WriteAntenna("NEVER.QELT", "");
    std::filesystem::remove(never);
    struct Case {
        std::vector<std::string> extra;
        const char* said;
    } cases[] = {
        {{"--goal", "loss=1"}, "names no goal"},
        {{"--goal", "swr<=2:1", "--goal", "swr<=3:1"}, "given twice"},
        {{"--lock", "tip9"}, "names no length or spacing"},
        {{"--bound", "tip2=120"}, "NAME=LOW:HIGH"},
        {{"--bound", "tip2=120:100"}, "low bound is above the high bound"},
        {{"--max-evaluations", "0"}, "--max-evaluations takes"},
        {{"--seconds", "forever"}, "--seconds takes"},
        {{"--lock", "tips,spacings"}, "nothing to change"},
        // One evaluation is the start's own: nothing better can be found.
        {{"--max-evaluations", "1"}, "nothing was saved"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{antenna, "--optimise", "--save", never};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 1) << c.said;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(never)) << c.said;
    }
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{antenna, "--goal", "gain=1"},
          {antenna, "--global"},
          {antenna, "--optimise", "--csv"},
          {antenna, "--optimise", "--goal"}})
        EXPECT_EQ(Cli(usage).code, 2) << usage.back();
}

} // namespace
