#include "common/placement.h"
#include "common/testing/child_process.h"
#include "common/text_file.h"
#include "common/trimmed.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace common;
namespace fs = std::filesystem;

TEST(ParsePlacement, SplitsLeftTopHeightWidth) {
    Placement p = ParsePlacement(" 1200; 300:6456,8484");
    EXPECT_EQ(p.left, 1200);
    EXPECT_EQ(p.top, 300);
    ASSERT_TRUE(p.height && p.width);
    EXPECT_EQ(*p.height, 6456);
    EXPECT_EQ(*p.width, 8484);

    Placement noComma = ParsePlacement("6825;-15:6444:8460");
    EXPECT_EQ(noComma.left, 6825);
    EXPECT_EQ(noComma.top, -15);
    EXPECT_FALSE(noComma.height);

    Placement garbage = ParsePlacement("xyz");
    EXPECT_EQ(garbage.left, 0);
    EXPECT_EQ(garbage.top, 0);
    EXPECT_EQ(PlacementPrefix(1200, -15), " 1200;-15");
}

TEST(ReadPlacementLine, TakesWhatAScreenCanHoldAndASizeOnlyWhole) {
    std::optional<Placement> whole = ReadPlacementLine("1296;1296:5976,8472");
    ASSERT_TRUE(whole && whole->height && whole->width);
    EXPECT_EQ(*whole->width, 8472);
    std::optional<Placement> place = ReadPlacementLine("6825;-15");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->top, -15);
    EXPECT_FALSE(place->height);

    EXPECT_FALSE(ReadPlacementLine("1296,1296")); // no ";"
    EXPECT_FALSE(ReadPlacementLine(""));
    EXPECT_FALSE(ReadPlacementLine("1E7;0:10,10")); // off any screen
    EXPECT_FALSE(ReadPlacementLine("0;-1E6"));
    for (const char* sizeless : {"1;2,3", "1;2:3", "1;2:0,100", "1;2:100,-5", "1;2:1E9,100"}) {
        std::optional<Placement> p = ReadPlacementLine(sizeless);
        ASSERT_TRUE(p) << sizeless;
        EXPECT_EQ(p->left, 1);
        EXPECT_FALSE(p->height || p->width) << sizeless;
    }
}

TEST(Trimmed, DropsBlanksAndTabsAtTheEndsOnly) {
    EXPECT_EQ(Trimmed(" \t 4-Ele. \t"), "4-Ele.");
    EXPECT_EQ(Trimmed("a b"), "a b");
    EXPECT_EQ(Trimmed(" \t "), "");
    EXPECT_EQ(Trimmed(""), "");
}

class TextFiles : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("text_files_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char* name) { return (dir / name).string(); }
    void put(const char* name, const std::string& content) {
        std::ofstream(file(name), std::ios::binary) << content;
    }
    std::string content(const char* name) {
        std::ifstream in(file(name), std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    // Lets the unprivileged user reach the folder (and write in it when asked).
    void openFolder(bool writable) {
        fs::permissions(dir, writable ? fs::perms::all
                                      : fs::perms::owner_all | fs::perms::group_read |
                                            fs::perms::group_exec | fs::perms::others_read |
                                            fs::perms::others_exec);
    }
};

using common::testing::BecomeOrdinaryUser;
using common::testing::InChild;
using common::testing::LimitFileSize;

TEST_F(TextFiles, ReadsEveryLineEndAndAByteOrderMark) {
    put("a", "one\r\ntwo\nthree");
    auto lines = ReadTextLines(file("a"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"one", "two", "three"}));
    put("cr", "\xEF\xBB\xBF"
              "F\r 50\r\r\n4\n\r");
    EXPECT_EQ(*ReadTextLines(file("cr")), (std::vector<std::string>{"F", " 50", "", "4", ""}));
    put("mark", "\xEF\xBB\xBF");
    EXPECT_TRUE(ReadTextLines(file("mark"))->empty());
    std::ofstream(file("empty"));
    EXPECT_TRUE(ReadTextLines(file("empty"))->empty());
}

TEST_F(TextFiles, TellsAMissingFileFromOneThatIsNotAFile) {
    TextFile missing = ReadTextFile(file("missing"));
    EXPECT_EQ(missing.state, FileState::Missing);
    EXPECT_EQ(missing.message, file("missing") + " cannot be read: No such file or directory.");
    EXPECT_FALSE(ReadTextLines(file("missing")));

    TextFile folder = ReadTextFile(dir.string());
    EXPECT_EQ(folder.state, FileState::Unreadable);
    EXPECT_EQ(folder.message, dir.string() + " cannot be read: it is not a regular file.");
    // Neither a pipe nobody writes to nor an endless device is waited on or read.
    ASSERT_EQ(::mkfifo(file("pipe").c_str(), 0644), 0);
    EXPECT_EQ(ReadTextFile(file("pipe")).state, FileState::Unreadable);
    EXPECT_EQ(ReadTextFile("/dev/zero").message,
              "/dev/zero cannot be read: it is not a regular file.");
}

TEST_F(TextFiles, RefusesAFileLargerThanAnyOfItsKind) {
    { std::ofstream(file("huge")); }
    fs::resize_file(file("huge"), LargestTextFile + 1);
    EXPECT_EQ(ReadTextFile(file("huge")).message,
              file("huge") + " cannot be read: it is larger than 10 MB.");
    fs::resize_file(file("huge"), LargestTextFile);
    EXPECT_EQ(ReadTextFile(file("huge")).state, FileState::Read);
    put("small", "12345\n");
    EXPECT_EQ(ReadTextFile(file("small"), 5).state, FileState::Unreadable);
}

TEST_F(TextFiles, AFileTheUserMayNotReadIsUnreadableNotMissing) {
    put("DEF", "kept\n");
    fs::permissions(file("DEF"), fs::perms::none);
    openFolder(false);
    fs::create_directory(dir / "closed");
    std::ofstream(dir / "closed" / "DEF") << "kept\n";
    fs::permissions(dir / "closed", fs::perms::owner_all);
    const std::string closed = (dir / "closed" / "DEF").string();
    auto outcome = InChild([&] {
        if (!BecomeOrdinaryUser()) return std::string("no ordinary user");
        TextFile denied = ReadTextFile(file("DEF"));
        TextFile hidden = ReadTextFile(closed);
        return std::to_string(static_cast<int>(denied.state)) + denied.message + "|" +
               std::to_string(static_cast<int>(hidden.state)) + hidden.message;
    });
    if (outcome.text == "no ordinary user") GTEST_SKIP() << "the system gives no ordinary user";
    const std::string unreadable = std::to_string(static_cast<int>(FileState::Unreadable));
    EXPECT_EQ(outcome.text, unreadable + file("DEF") + " cannot be read: Permission denied.|" +
                                unreadable + closed + " cannot be read: Permission denied.");
    EXPECT_EQ(content("DEF"), "kept\n");
}

TEST_F(TextFiles, AtomicWriteReplacesWholeOrLeavesTheOldFile) {
    std::string target = file("TL.DEF");
    EXPECT_TRUE(WriteFileAtomically(target, JoinLines({"F", " 50"})).ok());
    EXPECT_EQ(*ReadTextLines(target), (std::vector<std::string>{"F", " 50"}));

    // A write into a folder that does not exist fails and says so.
    EXPECT_NE(WriteFileAtomically(file("no/such/dir"), "x").message(), "");

    // A read-only folder: the old file survives the failed write, no temp file is left.
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    bool canStillWrite = std::ofstream(file("probe")).good(); // root ignores permissions
    if (!canStillWrite) {
        EXPECT_FALSE(WriteFileAtomically(target, "new").ok());
        EXPECT_EQ(*ReadTextLines(target), (std::vector<std::string>{"F", " 50"}));
    }
    fs::permissions(dir, fs::perms::owner_all);
    size_t count = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
    EXPECT_EQ(count, canStillWrite ? 2u : 1u);
}

TEST_F(TextFiles, WritingKeepsPermissionsAndWritesThroughLinks) {
    put("private", "old");
    fs::permissions(file("private"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(file("private"), "new").ok());
    EXPECT_EQ(content("private"), "new");
    EXPECT_EQ(fs::status(file("private")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);

    // A link, relative to its own folder, stays a link and its target takes the content.
    fs::create_directory(dir / "real");
    put("real/TL.DEF", "old");
    fs::create_symlink("real/TL.DEF", file("link"));
    fs::create_symlink("link", file("link2"));
    ASSERT_TRUE(WriteFileAtomically(file("link2"), "through").ok());
    EXPECT_TRUE(fs::is_symlink(file("link2")) && fs::is_symlink(file("link")));
    EXPECT_EQ(content("real/TL.DEF"), "through");
    // A dangling link makes the file it names.
    fs::create_symlink("real/NEW.DEF", file("dangling"));
    ASSERT_TRUE(WriteFileAtomically(file("dangling"), "made").ok());
    EXPECT_EQ(content("real/NEW.DEF"), "made");

    // Every link of a hard-linked file sees the new content.
    put("one", "old");
    fs::create_hard_link(file("one"), file("two"));
    ASSERT_TRUE(WriteFileAtomically(file("one"), "both see this").ok());
    EXPECT_EQ(content("two"), "both see this");
    ASSERT_TRUE(WriteFileAtomically(file("two"), "short").ok());
    EXPECT_EQ(content("one"), "short");
    EXPECT_EQ(fs::hard_link_count(file("one")), 2u);

    ASSERT_EQ(::mkfifo(file("pipe").c_str(), 0644), 0);
    EXPECT_EQ(WriteFileAtomically(file("pipe"), "x").message(),
              "cannot write " + file("pipe") + ": it is not a regular file");
}

TEST_F(TextFiles, AFileTheUserMayNotWriteIsRefusedWithTheSystemsReason) {
    put("RO.TXT", "kept");
    fs::permissions(file("RO.TXT"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    put("OWN.TXT", "kept");
    fs::permissions(file("OWN.TXT"), fs::perms::owner_read);
    ASSERT_EQ(::chown(file("OWN.TXT").c_str(), 65534, 65534), 0);
    put("open.txt", "old");
    fs::permissions(file("open.txt"), fs::perms::all);
    openFolder(true);
    fs::create_directory(dir / "shut");
    put("shut/shared.txt", "old");
    fs::permissions(file("shut/shared.txt"), fs::perms::all);
    auto outcome = InChild([&] {
        if (!BecomeOrdinaryUser()) return std::string("no ordinary user");
        // The folder takes new files, so only the check keeps the file from a rename.
        const Result<> readOnly = WriteFileAtomically(file("RO.TXT"), "replaced");
        const Result<> ownReadOnly = WriteFileAtomically(file("OWN.TXT"), "replaced");
        // A file the user may write in a folder he may not: written where it lies.
        const Result<> shut = WriteFileAtomically(file("shut/shared.txt"), "new");
        // Another user's file the user may write: its owner stays.
        const Result<> foreign = WriteFileAtomically(file("open.txt"), "new");
        return readOnly.message() + "|" + ownReadOnly.message() + "|" + shut.message() + "|" +
               foreign.message();
    });
    if (outcome.text == "no ordinary user") GTEST_SKIP() << "the system gives no ordinary user";
    EXPECT_EQ(outcome.text, "cannot write " + file("RO.TXT") + ": Permission denied|cannot write " +
                                file("OWN.TXT") + ": Permission denied||");
    EXPECT_EQ(content("RO.TXT"), "kept");
    EXPECT_EQ(content("OWN.TXT"), "kept");
    EXPECT_EQ(content("shut/shared.txt"), "new");
    EXPECT_EQ(content("open.txt"), "new");
    struct stat info {};
    ASSERT_EQ(::stat(file("open.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(info.st_mode & 0777, 0777u);
}

TEST_F(TextFiles, AWriteThatFailsPartWayLeavesTheOldFileWhole) {
    const std::string old(3000, 'o');
    put("DEF", old);
    put("linked", old);
    fs::create_hard_link(file("linked"), file("other"));
    auto outcome = InChild([&] {
        if (!LimitFileSize(4096)) return std::string("no limit");
        const std::string big(6000, 'n');
        return WriteFileAtomically(file("DEF"), big).message() + "|" +
               WriteFileAtomically(file("linked"), big).message();
    });
    if (outcome.text == "no limit") GTEST_SKIP() << "the system sets no file-size limit";
    EXPECT_EQ(outcome.text, "cannot write " + file("DEF") + ": File too large|cannot write " +
                                file("linked") + ": File too large");
    EXPECT_EQ(content("DEF"), old);
    EXPECT_EQ(content("other"), old);
    size_t count = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
    EXPECT_EQ(count, 3u);
}

TEST_F(TextFiles, AppendingAddsTheWholeSectionOrNothing) {
    ASSERT_TRUE(AppendToFile(file("OUT.PRN"), "31, -1.2\n").ok());
    ASSERT_TRUE(AppendToFile(file("OUT.PRN"), "32, -.9\n").ok());
    EXPECT_EQ(content("OUT.PRN"), "31, -1.2\n32, -.9\n");

    const std::string section(6000, 's');
    auto limited = InChild([&] {
        if (!LimitFileSize(4096)) return std::string("no limit");
        return AppendToFile(file("OUT.PRN"), section).message() + "|" +
               AppendToFile(file("NEW.PRN"), section).message();
    });
    if (limited.text != "no limit") {
        EXPECT_EQ(limited.text, "cannot add to " + file("OUT.PRN") +
                                    ": File too large|cannot add to " + file("NEW.PRN") +
                                    ": File too large");
        EXPECT_EQ(content("OUT.PRN"), "31, -1.2\n32, -.9\n");
        EXPECT_FALSE(fs::exists(file("NEW.PRN")));
    }

    // A disk with 4 KB left: a file system of its own, in a mount namespace of the child.
    fs::create_directory(dir / "disk");
    const std::string disk = (dir / "disk").string();
    auto full = InChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("no file system");
        const std::string out = disk + "/OUT.PRN";
        std::ofstream(out, std::ios::binary) << std::string(60 * 1024, 'x');
        if (!AppendToFile(out, "32, -.9\n")) return std::string("first section refused");
        const Result<> appended = AppendToFile(out, "33, " + std::string(8192, '1') + "\n");
        std::error_code ignored;
        return appended.message() + "|" + std::to_string(fs::file_size(out, ignored));
    });
    if (full.text == "no file system") GTEST_SKIP() << "the system mounts no small file system";
    EXPECT_EQ(full.text, "cannot add to " + disk + "/OUT.PRN: No space left on device|" +
                             std::to_string(60 * 1024 + 8));
}
