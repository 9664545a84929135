#include "common/qt/engine_binding.h"
#include "common/qt/engine_library.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using common::EngineLibrary;

namespace {
using Twice = int(const int*);
const QString EngineFolder = ENGINE_FOLDER; // where the build put the stand-in library

struct StandInRoutines {
    static constexpr const char* FileName = "libsuite_test_engine.so";
    Twice* TWICE = nullptr;
    template <typename Visit> void forEachEntry(Visit visit) { visit("TWICE", TWICE); }
};

struct NewerRoutines : StandInRoutines {
    Twice* THRICE = nullptr;
    template <typename Visit> void forEachEntry(Visit visit) {
        StandInRoutines::forEachEntry(visit);
        visit("THRICE", THRICE);
    }
};

struct MissingRoutines : StandInRoutines {
    static constexpr const char* FileName = "libno_such_engine.so";
};
} // namespace

TEST(EngineLibrary, BindsFromTheProgramsFolderAndKeepsTheEntryPoints) {
    EngineLibrary engine("libsuite_test_engine.so", EngineFolder);
    EXPECT_FALSE(engine.bound());
    ASSERT_TRUE(engine.bind({"TWICE"}).ok());
    EXPECT_TRUE(engine.bound());
    EXPECT_EQ(QFileInfo(engine.path()).absolutePath(), QFileInfo(EngineFolder).absoluteFilePath());
    const int n = 21;
    EXPECT_EQ(engine.entry<Twice>("TWICE")(&n), 42);
    EXPECT_EQ(engine.entry<Twice>("HALF"), nullptr);
    EXPECT_TRUE(engine.bind({"TWICE"}).ok()); // once bound, it stays bound
}

TEST(EngineLibrary, FallsBackToTheSystemSearchPath) {
    EngineLibrary maths("libm.so.6", "/nonexistent");
    ASSERT_TRUE(maths.bind({"cos"}).ok());
    EXPECT_NE(maths.entry<double(double)>("cos"), nullptr);
}

TEST(EngineLibrary, FailuresNameTheFileAndWhereItWasLookedFor) {
    EngineLibrary missing("libno_such_engine.so", EngineFolder);
    common::Result<> r = missing.bind({"TWICE"});
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.message().find("libno_such_engine.so could not be loaded"), std::string::npos);
    EXPECT_NE(r.message().find(EngineFolder.toStdString()), std::string::npos) << r.message();
    EXPECT_NE(r.message().find("system's library path"), std::string::npos);
    EXPECT_FALSE(missing.bind({"TWICE"}).ok()); // the first outcome stands

    EngineLibrary old("libsuite_test_engine.so", EngineFolder);
    r = old.bind({"TWICE", "THRICE"});
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.message().find("has no entry point THRICE"), std::string::npos) << r.message();
    EXPECT_FALSE(old.bound());
    EXPECT_EQ(old.entry<Twice>("TWICE"), nullptr) << "nothing is half bound";
}

TEST(BindEngine, FillsTheRoutineTableAtTheFirstCallAndKeepsIt) {
    common::BoundEngine<StandInRoutines> engine = common::BindEngine<StandInRoutines>(EngineFolder);
    common::Result<StandInRoutines> first = engine();
    ASSERT_TRUE(first.ok()) << first.message();
    const int n = 4;
    EXPECT_EQ(first.value().TWICE(&n), 8);
    common::Result<StandInRoutines> again = engine();
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.value().TWICE, first.value().TWICE);

    common::BoundEngine<NewerRoutines> newer = common::BindEngine<NewerRoutines>(EngineFolder);
    ASSERT_FALSE(newer().ok());
    EXPECT_NE(newer().message().find("has no entry point THRICE"), std::string::npos);
    common::Result<MissingRoutines> missing = common::BindEngine<MissingRoutines>(EngineFolder)();
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("libno_such_engine.so could not be loaded"),
              std::string::npos);
}
