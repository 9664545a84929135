#include "common/qt/folder_lock.h"
#include "common/testing/child_process.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using common::FolderLock;

TEST(FolderLock, TheSecondCopyInAFolderIsToldTheFirstHoldsIt) {
    QTemporaryDir folder;
    {
        FolderLock first(folder.path(), ".test.lock");
        EXPECT_TRUE(first.held());
        FolderLock second(folder.path(), ".test.lock");
        EXPECT_EQ(second.state(), FolderLock::State::HeldElsewhere);
        EXPECT_EQ(second.holder(), QCoreApplication::applicationPid());
        // Another program's lock in the same folder is its own.
        EXPECT_TRUE(FolderLock(folder.path(), ".other.lock").held());
    }
    EXPECT_TRUE(FolderLock(folder.path(), ".test.lock").held());
}

TEST(FolderLock, ACopyThatCrashedLeavesNoLockBehind) {
    QTemporaryDir folder;
    // The child takes the lock and ends without releasing it, as a crash would.
    auto outcome = common::testing::InChild([&] {
        auto* kept = new FolderLock(folder.path(), ".test.lock");
        return std::string(kept->held() ? "held" : "not held");
    });
    ASSERT_EQ(outcome.text, "held");
    EXPECT_TRUE(QFile::exists(folder.filePath(".test.lock")));
    EXPECT_TRUE(FolderLock(folder.path(), ".test.lock").held());
}

TEST(FolderLock, AFolderThatTakesNoFileHasNoLock) {
    EXPECT_EQ(FolderLock("/proc", ".test.lock").state(), FolderLock::State::Unavailable);
}
