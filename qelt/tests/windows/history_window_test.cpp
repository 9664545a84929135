// Undo and Redo on the main window: by button and by key, back to the file as opened,
// and an editor OK that changes nothing leaving nothing to undo.
#include "main_window_fixture.h"

#include "qelt/windows/element_dialogs.h"
#include "qelt/windows/sweep_dialogs.h"

#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

using common::testing::Type;

TEST_F(MainWindowTest, UndoAndRedoByButtonAndKey) {
    startWith(Sample("2EL20M.QELT"));
    const QString opened = label("lblF4");
    EXPECT_FALSE(enabled("cmdUndo"));
    EXPECT_FALSE(enabled("cmdRedo"));

    // An editor OK with nothing changed is no step.
    press("cmdElements");
    Press(window->ElementsDialog, "cmdOK");
    EXPECT_FALSE(enabled("cmdUndo"));

    press("cmdElements");
    emit window->ElementsDialog->MSFlexGrid1->cellClicked(2, 3); // the driver's tip
    Type(window->ElementsDialog->ChangeCell, "txtNewDim", "97");
    Press(window->ElementsDialog->ChangeCell, "cmdOK");
    Press(window->ElementsDialog, "cmdOK");
    const QString edited = label("lblF4");
    ASSERT_NE(edited, opened);
    ASSERT_TRUE(enabled("cmdUndo"));
    EXPECT_EQ(control<QPushButton>("cmdUndo")->toolTip(), "Undo Elements (Ctrl+Z)");

    press("cmdHeight");
    Type(window->HeightDialog, "txtHeight", "50");
    Press(window->HeightDialog, "cmdOK");
    const QString high = label("lblF4");
    EXPECT_EQ(label("lblHeight"), "50.0 feet");

    press("cmdUndo");
    EXPECT_EQ(label("lblF4"), edited);
    EXPECT_EQ(label("lblHeight"), "Free Space");
    EXPECT_EQ(control<QPushButton>("cmdRedo")->toolTip(), "Redo Height (Ctrl+Shift+Z)");
    auto* undoKey = window->findChild<QShortcut*>("keyUndo");
    auto* redoKey = window->findChild<QShortcut*>("keyRedo");
    ASSERT_TRUE(undoKey && redoKey);
    EXPECT_EQ(undoKey->key(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(redoKey->key(), QKeySequence("Ctrl+Shift+Z"));
    emit undoKey->activated();
    EXPECT_EQ(label("lblF4"), opened);
    EXPECT_FLOAT_EQ(window->analyser().drivenTipLength(), 101);
    EXPECT_FALSE(enabled("cmdUndo"));
    emit undoKey->activated(); // nothing left: nothing happens
    EXPECT_EQ(label("lblF4"), opened);

    emit redoKey->activated();
    EXPECT_EQ(label("lblF4"), edited);
    press("cmdRedo");
    EXPECT_EQ(label("lblF4"), high);
    EXPECT_EQ(label("lblHeight"), "50.0 feet");
    EXPECT_FALSE(enabled("cmdRedo"));
    EXPECT_TRUE(scripted.messages.isEmpty()) << scripted.messages.join("\n").toStdString();
}

TEST_F(MainWindowTest, TheEditorAddsAndRemovesElementsAndSections) {
    startWith(Sample("4EL20M.YAG"));
    press("cmdElements");
    frmElements* e = window->ElementsDialog;
    QTableWidget* grid = e->MSFlexGrid1;
    EXPECT_FALSE(Control<QPushButton>(e, "cmdAddElement")->isEnabled()) << "nothing chosen";
    ASSERT_EQ(grid->rowCount(), 5);
    emit grid->verticalHeader()->sectionClicked(3); // Dir 1, chosen without the cell dialog
    EXPECT_FALSE(e->ChangeCell->isVisible());
    EXPECT_EQ(Control<QLabel>(e, "lblChosen")->text(), "Chosen: Dir 1");
    Press(e, "cmdAddElement");
    EXPECT_EQ(grid->rowCount(), 6);
    EXPECT_EQ(grid->verticalHeaderItem(4)->text(), "Dir 2");
    EXPECT_EQ(Control<QLabel>(e, "lblChosen")->text(), "Chosen: Dir 2") << "the new one";
    EXPECT_EQ(grid->item(4, 0)->text(), "66.0") << "halfway to the next";
    Press(e, "cmdAddSection");
    EXPECT_EQ(grid->rowCount(), 8) << "a diameter row of its own, and one after it";

    emit grid->cellClicked(2, 1); // the driver's spacing: chosen, and the cell dialog opens
    ASSERT_TRUE(e->ChangeCell->isVisible());
    Press(e->ChangeCell, "cmdCancel");
    Press(e, "cmdRemoveElement");
    ASSERT_EQ(scripted.messages.size(), 1);
    EXPECT_EQ(scripted.messages[0],
              "The driver cannot be removed: it is the element the feed line is connected to.");
    EXPECT_EQ(grid->rowCount(), 8) << "refused, nothing changed";

    Press(e, "cmdOK");
    EXPECT_EQ(label("lblEleBoom"), "5 ele., boom = 30.0 feet");
    press("cmdUndo");
    EXPECT_EQ(label("lblEleBoom"), "4 ele., boom = 30.0 feet");
}
