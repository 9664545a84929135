#include "common/qt/shared_files.h"
#include "common/qt/testing/gui_test.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

using namespace common;
using common::testing::Scripted;

TEST(SharedFiles, TheSecondCopyInAFolderWritesThereOnlyWhenTheUserSaysSo) {
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString();
    SharedFiles first(path, "Kavlo");
    first.askAtStart(nullptr);
    EXPECT_TRUE(Scripted().questions.isEmpty());
    EXPECT_TRUE(first.mayWriteResults());

    SharedFiles second(path, "Kavlo");
    second.askAtStart(nullptr);
    ASSERT_EQ(Scripted().questions.size(), 1);
    EXPECT_TRUE(Scripted().questions[0].startsWith(
        QString::fromStdString("Kavlo is already running in " + path + " (process ")));
    EXPECT_FALSE(second.mayWriteDefaults(nullptr));
    EXPECT_FALSE(second.mayWriteResults());

    Scripted().answers = {true};
    SharedFiles third(path, "Kavlo");
    third.askAtStart(nullptr);
    EXPECT_TRUE(third.mayWriteDefaults(nullptr));
    // Another program in the same folder is no second copy.
    SharedFiles other(path, "Qelt");
    other.askAtStart(nullptr);
    EXPECT_EQ(Scripted().questions.size(), 2);

    // The first copy ending: the next one started is the first again.
    first.release();
    EXPECT_FALSE(first.mayWriteResults());
    SharedFiles next(path, "Kavlo");
    next.askAtStart(nullptr);
    EXPECT_EQ(Scripted().questions.size(), 2);
    EXPECT_TRUE(next.mayWriteResults());
}

TEST(SharedFiles, AnUnreadableDefaultsFileIsReportedAndKeptUnlessTheUserAgrees) {
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString();
    SharedFiles files(path, "Kavlo");
    EXPECT_EQ(files.readDefaults(nullptr, path + "/TL.DEF").state, FileState::Missing);
    EXPECT_TRUE(Scripted().messages.isEmpty());
    EXPECT_TRUE(files.mayWriteDefaults(nullptr));
    EXPECT_TRUE(Scripted().questions.isEmpty());

    std::ofstream(path + "/TL.DEF") << "F\n";
    std::filesystem::resize_file(path + "/TL.DEF", LargestTextFile + 1);
    EXPECT_EQ(files.readDefaults(nullptr, path + "/TL.DEF").state, FileState::Unreadable);
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0].toStdString(),
              path + "/TL.DEF cannot be read: it is larger than 10 MB. Kavlo runs on its "
                     "defaults and leaves the file as it is.");
    EXPECT_FALSE(files.mayWriteDefaults(nullptr));
    EXPECT_EQ(Scripted().questions.value(0),
              "TL.DEF could not be read when Kavlo started. Replace it with the present "
              "settings?");
    Scripted().answers = {true};
    EXPECT_TRUE(files.mayWriteDefaults(nullptr));
    EXPECT_TRUE(files.mayWriteDefaults(nullptr));
    EXPECT_EQ(Scripted().questions.size(), 2);
}
