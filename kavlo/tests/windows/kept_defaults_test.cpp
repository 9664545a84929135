// TL.DEF as the user left it: read whatever its line ends, and never written over by a
// copy that could not read it or that another running copy shares the folder with.
#include "window_test_fixture.h"

#include <QLabel>
#include <QRadioButton>

#include <filesystem>

using namespace kavlo;

namespace {

class KeptDefaultsTest : public kavlo::testing::KavloWindowTest {};

const char* const MetricLines[] = {"m",
                                   " 50",
                                   " 0",
                                   " 1",
                                   " .66",
                                   " 1000",
                                   "7.000",
                                   " 300; 200:6456,8484",
                                   "6825;-15:6468,8484",
                                   " 0; 0:6444:8460",
                                   " 0; 0:6444,8460",
                                   " 0; 0:6456,8460",
                                   "328.084",
                                   " 17",
                                   "14",
                                   "50",
                                   "0"};

std::string Joined(const std::string& lineEnd) {
    std::string text;
    for (const char* line : MetricLines) text += line + lineEnd;
    return text;
}

TEST_F(KeptDefaultsTest, LoneCrLineEndsAndAByteOrderMarkReadAsTheUserWroteThem) {
    for (const std::string& content : {Joined("\r"), "\xEF\xBB\xBF" + Joined("\r\n")}) {
        window.reset();
        writeDefaults(content);
        open();
        EXPECT_TRUE(control<QRadioButton>("optMeters")->isChecked()) << "line 1 is the unit word";
        EXPECT_EQ(text("txtFreq"), "14");
        EXPECT_EQ(window->calculator().cable(), 17);
        window->close();
        EXPECT_EQ(savedDefaults().front(), "M");
        EXPECT_EQ(savedDefaults()[14], "14");
    }
}

TEST_F(KeptDefaultsTest, AnUnreadableDefaultsFileIsSaidAndKeptUnlessTheUserAgrees) {
    writeDefaults(Joined("\n"));
    std::filesystem::resize_file(defaultsPath(), common::LargestTextFile + 1);
    open();
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0].toStdString(),
              defaultsPath() + " cannot be read: it is larger than 10 MB. Kavlo runs on its "
                               "defaults and leaves the file as it is.");
    EXPECT_EQ(text("txtFreq"), "3.5");
    window->close();
    ASSERT_EQ(scripted.questions.size(), 1);
    EXPECT_EQ(scripted.questions[0],
              "TL.DEF could not be read when Kavlo started. Replace it with the present "
              "settings?");
    EXPECT_EQ(std::filesystem::file_size(defaultsPath()), common::LargestTextFile + 1);

    window.reset();
    scripted.answers = {true};
    open();
    window->close();
    EXPECT_EQ(savedDefaults().size(), 17u);
}

TEST_F(KeptDefaultsTest, ASecondCopyInTheFolderSavesNothingUnlessTheUserSaysSo) {
    open();
    auto second = std::make_unique<frmKavlo2>(defaultsPath());
    ASSERT_EQ(scripted.questions.size(), 1);
    EXPECT_TRUE(scripted.questions[0].startsWith(
        QString::fromStdString("Kavlo is already running in " + folder.path().toStdString())));
    writeDefaults("the first copy's\n");
    second->close();
    EXPECT_EQ(savedDefaults(), std::vector<std::string>{"the first copy's"});
    window->close();
    EXPECT_EQ(savedDefaults().size(), 17u) << "the first copy keeps its settings";
}

} // namespace
