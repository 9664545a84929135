// Undo and Redo on the main window: by button and by key, back to the file as opened,
// and an editor OK that changes nothing leaving nothing to undo.
#include "main_window_fixture.h"

#include "qelt/windows/element_dialogs.h"
#include "qelt/windows/sweep_dialogs.h"

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
