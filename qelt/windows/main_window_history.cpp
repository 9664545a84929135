// The main window's Undo and Redo: a step back or forward through the accepted changes of
// the design, by button or by Ctrl+Z and Ctrl+Shift+Z, swept and shown as any change is.
#include "controls.h"
#include "main_window.h"

#include "common/qt/qt_text.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace qelt {

void frmQelt::setUpHistory() {
    cmdUndo = Button("cmdUndo", "&Undo", "Undo the last change (Ctrl+Z)");
    cmdRedo = Button("cmdRedo", "&Redo", "Redo the change undone (Ctrl+Shift+Z)");
    connect(cmdUndo, &QPushButton::clicked, this, &frmQelt::cmdUndo_Click);
    connect(cmdRedo, &QPushButton::clicked, this, &frmQelt::cmdRedo_Click);
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    undo->setObjectName("keyUndo");
    redo->setObjectName("keyRedo");
    // A key does what its button does, and only when the button may be pressed.
    connect(undo, &QShortcut::activated, cmdUndo, [this] {
        if (cmdUndo->isEnabled()) cmdUndo->click();
    });
    connect(redo, &QShortcut::activated, cmdRedo, [this] {
        if (cmdRedo->isEnabled()) cmdRedo->click();
    });
}

void frmQelt::showHistory() {
    const DesignHistory& h = model_.history();
    const bool usable = model_.loaded() && !engineMissing_;
    cmdUndo->setEnabled(usable && h.canUndo());
    cmdRedo->setEnabled(usable && h.canRedo());
    cmdUndo->setToolTip(h.canUndo() ? common::q("Undo " + h.undoName() + " (Ctrl+Z)")
                                    : "Nothing to undo: the design is as the file was opened");
    cmdRedo->setToolTip(h.canRedo() ? common::q("Redo " + h.redoName() + " (Ctrl+Shift+Z)")
                                    : "Nothing to redo");
}

void frmQelt::cmdUndo_Click() {
    analyse([this](const EngineRoutines& r, const SweepProgress& p) {
        model_.undo(r, p);
        return common::Result<>();
    });
}

void frmQelt::cmdRedo_Click() {
    analyse([this](const EngineRoutines& r, const SweepProgress& p) {
        model_.redo(r, p);
        return common::Result<>();
    });
}

} // namespace qelt
