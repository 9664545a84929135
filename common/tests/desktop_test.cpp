#include "common/qt/desktop.h"
#include "common/qt/testing/gui_test.h"
#include "common/text_file.h"

#include <QFile>

using namespace common;
using common::testing::Scripted;

TEST(QtFilter, PipePairsBecomeQtFilters) {
    EXPECT_EQ(QtFilter("Text files (*.txt)|*.txt"), "Text files (*.txt)");
    EXPECT_EQ(QtFilter("Antennas|*.QELT;*.YAG|All|*.*"), "Antennas (*.QELT *.YAG);;All (*.*)");
}

TEST(OpenHelpDocument, MissingDocumentGivesTheProgramsMessage) {
    ScriptedDesktop& scripted = Scripted();
    scripted.openResults = {OpenResult::NotFound, OpenResult::Opened};
    OpenHelpDocument(nullptr, "KAVLO.PDF");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "KAVLO.PDF or Adobe Reader not available.");
    EXPECT_TRUE(scripted.openedDocuments[0].endsWith("/KAVLO.PDF"));
    EXPECT_TRUE(scripted.openedDocuments[0].startsWith(QString::fromStdString(ProgramFolder())));

    OpenHelpDocument(nullptr, "QELT.PDF");
    EXPECT_EQ(scripted.messages.size(), 1); // opened: nothing to say
    EXPECT_EQ(&desktop(), &scripted);
}
