// The match, frequency and height dialogs, the element editor, Save As and the NEC deck
// on the main window, headless, driven by control name with the scripted desktop.
#include "main_window_fixture.h"

#include "qelt/core/result_lines.h"
#include "qelt/windows/element_dialogs.h"
#include "qelt/windows/match_dialog.h"
#include "qelt/windows/sweep_dialogs.h"

#include <QPushButton>
#include <QTableWidget>

#include <filesystem>

using common::testing::Text;
using common::testing::Type;

namespace {

bool Enabled(const QWidget* window, const char* name) {
    return Control<QWidget>(window, name)->isEnabled();
}
QString Caption(const QWidget* window, const char* name) {
    return Control<QLabel>(window, name)->text();
}

} // namespace

TEST_F(MainWindowTest, AnAcceptedGammaChangesTheSweptSwr) {
    startWith(Sample("4EL20M.YAG"));
    const QString swr = label("lblF5");
    press("cmdMatch");
    frmMatch* m = window->MatchDialog;
    ASSERT_TRUE(m->isVisible());
    EXPECT_EQ(m->windowTitle(), "Matching ");
    EXPECT_EQ(Text(m, "txtFreq"), "14.175");
    EXPECT_EQ(Text(m, "txtDELength"), "104.4");
    EXPECT_EQ(Caption(m, "lblOrigLen"), "(Original tip length = 104.4 inches)");
    EXPECT_EQ(Text(m, "txtZ0"), "50");
    EXPECT_EQ(Text(m, "txtDia"), "0.25");
    EXPECT_EQ(Text(m, "txtSpacing"), "6");
    EXPECT_EQ(Caption(m, "lblSpacingUnits"), "inches");
    EXPECT_EQ(Caption(m, "lblDEZ"), "Feed-point Z:     23.8 - j 1.5 ohms");
    EXPECT_EQ(Control<QWidget>(m, "txtZ0")->toolTip(),
              "Default = 50 but enter another value if you like; perhaps 200 ohms for 4:1 "
              "transformer");
    EXPECT_EQ(Control<QPushButton>(m, "cmdCompute")->text(), "Co&mpute Match");
    EXPECT_TRUE(Control<QRadioButton>(m, "optNone")->isChecked());

    Press(m, "optGamma");
    EXPECT_EQ(Caption(m, "lblDia"), "Gamma rod diameter: ");
    EXPECT_FALSE(Enabled(m, "cmdOK")) << "nothing designed yet";
    Press(m, "cmdCompute");
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();
    EXPECT_TRUE(Enabled(m, "cmdOK"));
    EXPECT_TRUE(Caption(m, "lblLength").startsWith("Gamma rod length = "));
    EXPECT_TRUE(Caption(m, "lblReac").startsWith("Gamma capacitance = "));
    Type(m, "txtDia", "0.375");
    EXPECT_FALSE(Enabled(m, "cmdOK")) << "the design was for another rod";
    EXPECT_EQ(Caption(m, "lblLength"), "");
    Press(m, "cmdCompute");
    Press(m, "cmdOK");
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(label("lblMatch"), "Gamma");
    EXPECT_NE(label("lblF5"), swr);
    EXPECT_TRUE(label("lblF5").contains("1.00:1")) << label("lblF5").toStdString();

    // A hairpin that cannot work is said, and Cancel comes back to the gamma.
    press("cmdMatch");
    Press(m, "optHairpin");
    EXPECT_EQ(Caption(m, "lblDia"), "Hairpin rod diameter: ");
    Type(m, "txtZ0", "20");
    Press(m, "cmdCompute");
    EXPECT_EQ(scripted.messages.back(), "Hairpin match won't work");
    EXPECT_TRUE(m->isVisible());
    Press(m, "cmdEsc");
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(label("lblMatch"), "Gamma");
    press("cmdMatch");
    EXPECT_TRUE(Control<QRadioButton>(m, "optGamma")->isChecked());
    EXPECT_EQ(Text(m, "txtZ0"), "50");
    m->reject(); // closed by its frame
}

// Adjust driven element puts the new tip in its box and designs on it; Accept sweeps
// through a hairpin that matches, and the dialog opens again on the feed point in force.
TEST_F(MainWindowTest, AdjustDrivenElementThenAccept) {
    startWith(Sample("4EL20M.YAG"));
    press("cmdMatch");
    frmMatch* m = window->MatchDialog;
    EXPECT_FALSE(Enabled(m, "cmdAdjust")) << "no network to adjust for";
    EXPECT_FALSE(Control<QLabel>(m, "lblNeed")->isVisibleTo(m));
    Press(m, "optHairpin");
    EXPECT_TRUE(Enabled(m, "cmdAdjust"));
    EXPECT_EQ(Caption(m, "lblNeed"), "Needs X = -25.0 ohms: the feed is 23.4 ohms above it");
    Press(m, "cmdAdjust");
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();
    EXPECT_NE(Text(m, "txtDELength"), "104.4");
    EXPECT_TRUE(Caption(m, "lblAdjusted").startsWith("Driven element adjusted: tip 104.4 -> "));
    EXPECT_TRUE(Caption(m, "lblNeed").endsWith("the feed has it"));
    EXPECT_TRUE(Enabled(m, "cmdOK"));
    Press(m, "cmdOK");
    EXPECT_EQ(label("lblMatch"), "Hairpin");
    EXPECT_TRUE(label("lblF5").contains("1.00:1")) << label("lblF5").toStdString();
    press("cmdMatch");
    const SweepPoint& centre = window->analyser().lastSweep()[CentrePoint];
    EXPECT_EQ(Caption(m, "lblDEZ").toStdString(),
              "Feed-point Z:     " + FeedPointText(centre.resistance, centre.reactance));
    EXPECT_EQ(Caption(m, "lblAdjusted"), "") << "a new visit to the dialog";
    EXPECT_TRUE(Caption(m, "lblNeed").endsWith("the feed has it"));
    m->reject();
}

TEST_F(MainWindowTest, AnElementEditedInTheGridChangesTheSweep) {
    startWith(Sample("2EL20M.QELT"));
    const QString z = label("lblF4");
    press("cmdElements");
    frmElements* e = window->ElementsDialog;
    ASSERT_TRUE(e->isVisible());
    EXPECT_EQ(e->windowTitle(),
              "Two-element 20 m beam, telescoping tubes, Element Taper and Boom Spacing");
    QTableWidget* grid = e->MSFlexGrid1;
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Spacing");
    EXPECT_EQ(grid->verticalHeaderItem(2)->text(), "Driver");
    EXPECT_EQ(grid->item(2, 0)->text(), "117.0");
    EXPECT_EQ(Control<QPushButton>(e, "cmdOK")->toolTip(),
              "Accept change(s) and compute response over frequency range");

    emit grid->cellClicked(1, 0); // the reflector's spacing
    EXPECT_FALSE(e->ChangeCell->isVisible());
    emit grid->cellClicked(1, 5); // an empty cell
    EXPECT_FALSE(e->ChangeCell->isVisible());
    emit grid->cellClicked(2, 3); // the driver's tip
    frmChangeCell* cell = e->ChangeCell;
    ASSERT_TRUE(cell->isVisible());
    EXPECT_EQ(cell->windowTitle(), "Change cell");
    EXPECT_EQ(Caption(cell, "lblOrigDim"), "101.0");
    EXPECT_EQ(Caption(cell, "lblCurDim"), "101.0");
    EXPECT_EQ(Text(cell, "txtBoomLen"), "117.0");
    Type(cell, "txtNewDim", "97");
    Press(cell, "cmdOK");
    EXPECT_FALSE(cell->isVisible());
    EXPECT_EQ(grid->item(2, 3)->text(), "97.0");
    EXPECT_EQ(label("lblF4"), z) << "not before the editor's OK";
    Press(e, "cmdOK");
    EXPECT_FALSE(e->isVisible());
    EXPECT_NE(label("lblF4"), z);
    EXPECT_FLOAT_EQ(window->analyser().drivenTipLength(), 97);

    // Cancel drops the edits.
    press("cmdElements");
    emit grid->cellClicked(2, 0);
    Type(cell, "txtNewDim", "200");
    Press(cell, "cmdOK");
    Press(e, "cmdEscape");
    EXPECT_FLOAT_EQ(window->analyser().working().spacing[0], 117);
}

TEST_F(MainWindowTest, SaveAsWritesAFileThatOpensAgain) {
    startWith(Sample("3EL15M.QELT"));
    const QString gain = label("lblF2");
    press("cmdSaveAs"); // cancelled: nothing written, nothing changed
    EXPECT_EQ(scripted.fileRequests.back().title, "Save antenna file As");
    EXPECT_EQ(scripted.fileRequests.back().filter, "Yagi Files (*.QELT)|*.QELT");
    EXPECT_EQ(label("lblFile"), "3EL15M.QELT");

    const QString saved = QString::fromStdString(folderPath()) + "/My beam";
    ChooseFile(saved);
    press("cmdSaveAs");
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();
    EXPECT_EQ(label("lblFile"), "MY BEAM.QELT");
    ChooseFile(saved + ".QELT");
    press("cmdFile");
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();
    EXPECT_EQ(label("lblFile"), "MY BEAM.QELT");
    EXPECT_EQ(label("lblF2"), gain);
    // The title as it was, and the saved design in force again.
    EXPECT_EQ(window->windowTitle(), "Qelt, Three-element 15 m beam, tapered, spacing mode");
    EXPECT_TRUE(label("lblRestored").startsWith("Restored from the file: cable Z0 = 50 ohms"));
    EXPECT_TRUE(control<QLabel>("lblRestored")->isVisibleTo(window.get()));

    ChooseFile(QString::fromStdString(folderPath()) + "/no folder/B.QELT");
    press("cmdSaveAs");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_TRUE(scripted.messages[0].startsWith("The antenna could not be saved: cannot write "));
    EXPECT_EQ(label("lblFile"), "MY BEAM.QELT");

    const QString deck = QString::fromStdString(folderPath()) + "/beam.nec";
    ChooseFile(deck);
    press("cmdExportNec");
    EXPECT_EQ(scripted.fileRequests.back().title, "Export NEC deck");
    EXPECT_EQ(scripted.fileRequests.back().fileName, "MY BEAM.nec");
    EXPECT_GT(std::filesystem::file_size(deck.toStdString()), 0u);
}

TEST_F(MainWindowTest, HeightAndFrequencyDialogs) {
    startWith(Sample("2EL20M.QELT"));
    press("cmdHeight");
    frmAntHt* h = window->HeightDialog;
    ASSERT_TRUE(h->isVisible());
    EXPECT_EQ(h->windowTitle(), "Antenna height");
    EXPECT_EQ(Caption(h, "lblUnits"), "feet");
    EXPECT_EQ(Text(h, "txtHeight"), "0");
    Type(h, "txtHeight", "13");
    Press(h, "cmdOK");
    EXPECT_EQ(scripted.messages.back(),
              "The height is too low. Specify height above 0.2 wavelength, please.");
    EXPECT_TRUE(h->isVisible());
    EXPECT_EQ(Text(h, "txtHeight"), "0") << "the box reset";
    Type(h, "txtHeight", "14");
    Press(h, "cmdOK");
    EXPECT_FALSE(h->isVisible());
    EXPECT_EQ(label("lblHeight"), "14.0 feet");
    EXPECT_TRUE(control<QLabel>("lblPeakElev")->isVisibleTo(window.get()));
    press("cmdView");
    EXPECT_EQ(Control<QRadioButton>(window->ViewDialog, "optAzi1")->text(),
              "Azim./Elev., 0-60 deg.");
    Press(window->ViewDialog, "cmdEscape");

    press("cmdFreq");
    frmNewFreq* f = window->FreqDialog;
    ASSERT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), "Change frequency range");
    EXPECT_EQ(Text(f, "txtFreqLo"), "14.000");
    Type(f, "txtFreqLo", "14.0");
    Type(f, "txtFreqHi", "14.35");
    EXPECT_EQ(Caption(f, "lblFreqCentre"), "14.175");
    Type(f, "txtFreqHi", "13.9");
    Press(f, "cmdOK");
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(scripted.messages.back().startsWith("The low frequency is above the high"));
    Type(f, "txtFreqLo", "14.1");
    Type(f, "txtFreqHi", "14.3");
    Press(f, "cmdOK");
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(label("lblF1"), "Freq:     14.100 MHz       14.200 MHz       14.300 MHz");
    press("cmdFreq");
    Type(f, "txtFreqLo", "1");
    Press(f, "cmdCancel");
    press("cmdFreq");
    EXPECT_EQ(Text(f, "txtFreqLo"), "14.1") << "Cancel changed nothing";
}
