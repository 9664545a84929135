#include "common/qt/user_files.h"
#include "common/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using common::UserFile;
using common::UserFileFolder;
using common::UserFilePath;

namespace {

// A program folder of the test's own and the user's folders pointed into a temporary one.
class UserFilesTest : public ::testing::Test {
protected:
    UserFilesTest() {
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        EXPECT_TRUE(
            common::WriteFileAtomically(program("TL.DEF"), "installed first defaults\n").ok());
    }
    ~UserFilesTest() override {
        QFile::setPermissions(programs.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
    std::string program(const char* name = "") const {
        return QDir(programs.path()).filePath(name).toStdString();
    }
    std::string user(const char* kind) const {
        return home.filePath(QString(kind) + "/hf-antenna-suite").toStdString();
    }
    void installReadOnly() {
        QFile::setPermissions(programs.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                   QFile::ReadOther | QFile::ExeOther);
    }

    QTemporaryDir programs, home;
};

} // namespace

TEST_F(UserFilesTest, AProgramFolderThatCanBeWrittenKeepsEverything) {
    const std::string folder = programs.path().toStdString();
    EXPECT_EQ(UserFilePath(folder, "TL.DEF", UserFile::Defaults), program("TL.DEF"));
    EXPECT_EQ(UserFileFolder(folder, "OUT.PRN", UserFile::Results), folder);
    EXPECT_FALSE(QDir(home.filePath("config")).exists()) << "nothing made in the user's folders";
}

// Even for root, whose writes the permissions do not stop, a read-only folder is left alone.
TEST_F(UserFilesTest, AnInstalledFolderSendsDefaultsAndResultsToTheUsersFolders) {
    installReadOnly();
    const std::string folder = programs.path().toStdString();
    const std::string defaults = UserFilePath(folder, "TL.DEF", UserFile::Defaults);
    EXPECT_EQ(defaults, user("config") + "/TL.DEF");
    EXPECT_EQ(common::ReadTextLines(defaults).value_or(std::vector<std::string>{}),
              std::vector<std::string>{"installed first defaults"});
    EXPECT_TRUE(common::WriteFileAtomically(defaults, "the user's\n").ok()) << "writable";
    // The user's file is theirs from then on, never replaced by the installed one.
    EXPECT_EQ(UserFilePath(folder, "TL.DEF", UserFile::Defaults), defaults);
    EXPECT_EQ(common::ReadTextLines(defaults).value_or(std::vector<std::string>{}),
              std::vector<std::string>{"the user's"});

    EXPECT_EQ(UserFileFolder(folder, "OUT.PRN", UserFile::Results), user("data"));
    EXPECT_TRUE(QDir(QString::fromStdString(user("data"))).exists());
    // No installed first file: the user's folder, and the program starts as on a first run.
    EXPECT_FALSE(QFile::exists(
        QString::fromStdString(UserFilePath(folder, "QELT.DEF", UserFile::Defaults))));
}

TEST_F(UserFilesTest, AFolderThatIsNotThereIsNoInstalledSuite) {
    const std::string missing = program("no such folder");
    EXPECT_EQ(UserFileFolder(missing, "TL.DEF", UserFile::Defaults), missing);
}
