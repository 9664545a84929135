// The main of every window test program: one QApplication for the whole run, and a
// fresh scripted desktop for each test so that no answer or message leaks between tests.
#include "gui_test.h"

#include <QApplication>
#include <memory>

namespace common::testing {
namespace {

std::unique_ptr<ScriptedDesktop> current;

class FreshDesktopForEachTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        current.reset(); // the old one must step down before the new one takes over
        current = std::make_unique<ScriptedDesktop>();
    }
    void OnTestEnd(const ::testing::TestInfo&) override { current.reset(); }
};

} // namespace

ScriptedDesktop& Scripted() {
    if (!current) current = std::make_unique<ScriptedDesktop>(); // outside a test body
    return *current;
}

} // namespace common::testing

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(
        new common::testing::FreshDesktopForEachTest);
    return RUN_ALL_TESTS();
}
