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

TEST(OpenHelpDocument, AHelpDocumentWithoutViewerIsOpenedWithAProgramTheUserPicks) {
    ScriptedDesktop& scripted = Scripted();
    scripted.openResults = {OpenResult::NoViewer};
    scripted.fileChoices.push_back({FileChoice::Status::Chosen, "/usr/bin/viewer"});
    OpenHelpDocument(nullptr, "QELT.PDF");
    ASSERT_EQ(scripted.fileRequests.size(), 1);
    EXPECT_EQ(scripted.fileRequests[0].title, "Choose the program to open QELT.PDF with");
    ASSERT_EQ(scripted.startedPrograms.size(), 1);
    EXPECT_TRUE(scripted.startedPrograms[0].startsWith("/usr/bin/viewer /"));
    EXPECT_TRUE(scripted.startedPrograms[0].endsWith("/QELT.PDF"));
}

TEST(OpenDocument, ADocumentWithoutViewerIsOpenedWithAProgramTheUserPicks) {
    ScriptedDesktop& scripted = Scripted();
    scripted.openResults = {OpenResult::NoViewer, OpenResult::NoViewer, OpenResult::NoViewer};
    OpenDocument(nullptr, "/suite/OUT.PRN", false);
    EXPECT_TRUE(scripted.fileRequests.isEmpty()); // without the choice: nothing more

    scripted.fileChoices.push_back({FileChoice::Status::Chosen, "/usr/bin/viewer"});
    OpenDocument(nullptr, "/suite/OUT.PRN", true);
    ASSERT_EQ(scripted.fileRequests.size(), 1);
    EXPECT_EQ(scripted.fileRequests[0].title, "Choose the program to open OUT.PRN with");
    EXPECT_EQ(scripted.startedPrograms, QStringList{"/usr/bin/viewer /suite/OUT.PRN"});
    EXPECT_TRUE(scripted.messages.isEmpty());

    scripted.fileChoices.push_back({FileChoice::Status::Chosen, "/usr/bin/broken"});
    scripted.startResults = {false};
    OpenDocument(nullptr, "/suite/OUT.PRN", true);
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0], "/usr/bin/broken could not be started to open OUT.PRN.");
}
