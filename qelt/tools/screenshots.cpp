// qelt-screenshots SUITE_FOLDER OUT_FOLDER: the analyser's windows as a user sees them,
// saved as PNG files: the main window with each sample antenna, the rectangular pattern,
// the linear and logarithmic polar plots in free space and over ground, the View dialog,
// the match dialog after a gamma and after a hairpin design (and with the driven element
// adjusted for it), the element editor with a tapered antenna, its cell dialog and an
// element and a section added, the edited beam compared with the design before the edit,
// and the frequency and height dialogs. Run it under
// a display (xvfb-run -a) to see the real fonts.
#include "qelt/core/defaults_file.h"
#include "qelt/windows/element_dialogs.h"
#include "qelt/windows/main_window.h"
#include "qelt/windows/match_dialog.h"
#include "qelt/windows/polar_plot_window.h"
#include "qelt/windows/sweep_dialogs.h"
#include "qelt/windows/view_dialog.h"

#include "common/text_file.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <iostream>

namespace {

// Lets the windows lay themselves out and paint.
void settle() {
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: qelt-screenshots SUITE_FOLDER OUT_FOLDER\n";
        return 2;
    }
    const QString suite = argv[1];
    const QDir out(argv[2]);
    QDir().mkpath(out.path());
    QTemporaryDir settings; // a QELT.DEF of its own: the user's stays as it is
    qelt::QeltDefaults defaults = qelt::FreshQeltDefaults(suite.toStdString());
    if (!qelt::WriteQeltDefaults(QDir(settings.path()).filePath("QELT.DEF").toStdString(),
                                 defaults)) {
        std::cerr << "qelt-screenshots: no room for a settings file\n";
        return 1;
    }
    qelt::frmQelt window(settings.path().toStdString(), suite);
    window.show();
    bool saved = true;
    auto save = [&](QWidget* shown, const QString& name) {
        settle();
        saved = shown->grab().save(out.filePath(name)) && saved;
    };
    auto view = [&](QRadioButton* graph, QWidget* shot = nullptr, const QString& name = {}) {
        window.cmdView->click();
        graph->setChecked(true);
        if (shot) save(shot, name);
        window.ViewDialog->cmdOK->click();
    };
    auto antenna = [&](const char* file) {
        window.OpenFile(QDir(suite).filePath(QString("QeltAnts/") + file));
    };

    save(&window, "main-no-antenna.png");
    for (const char* file :
         {"2EL20M.QELT", "3EL15M.QELT", "4EL20M.YAG", "5EL10M.QELT", "6EL6M.QELT"}) {
        antenna(file);
        save(&window, QString("main-%1.png").arg(QString(file).section('.', 0, 0)));
    }
    antenna("3EL15M.QELT");
    qelt::frmView* dialog = window.ViewDialog;
    view(dialog->optAzi1, dialog, "view-dialog.png");
    save(&window, "pattern-0-60-free-space.png");
    view(dialog->optAzi2);
    save(&window, "pattern-0-180-free-space.png");
    view(dialog->optPolar);
    save(window.frmPolar.get(), "polar-linear-free-space.png");
    view(dialog->optMorwen);
    save(window.frmMorwen.get(), "polar-morwen-free-space.png");

    window.SetHeight("30");
    save(window.frmPolar.get(), "polar-linear-30ft.png");
    save(window.frmMorwen.get(), "polar-morwen-30ft.png");
    save(&window, "main-3EL15M-30ft.png");
    view(dialog->optAzi1);
    save(&window, "pattern-0-60-30ft.png");
    view(dialog->optAzi2);
    save(&window, "pattern-0-180-30ft.png");
    window.frmPolar->hide();
    window.frmMorwen->hide();

    // Matching the four-element beam, whose feed point is about 24 ohms.
    antenna("4EL20M.YAG");
    qelt::frmMatch* match = window.MatchDialog;
    window.cmdMatch->click();
    match->optGamma->click();
    match->cmdCompute->click();
    save(match, "match-gamma.png");
    match->cmdOK->click();
    save(&window, "main-4EL20M-gamma.png");
    window.cmdMatch->click();
    match->optHairpin->click();
    match->cmdCompute->click();
    save(match, "match-hairpin.png");
    match->cmdAdjust->click();
    save(match, "match-hairpin-adjusted.png");
    match->cmdOK->click();
    save(&window, "main-4EL20M-hairpin-adjusted.png");

    // The element editor on a tapered beam, and a cell of it to change.
    antenna("5EL10M.QELT");
    qelt::frmElements* elements = window.ElementsDialog;
    window.cmdElements->click();
    save(elements, "elements.png");
    emit elements->MSFlexGrid1->cellClicked(3, 3);
    save(elements->ChangeCell, "change-cell.png");
    elements->ChangeCell->cmdCancel->click();
    // A director added after the first and a section added to it, then accepted.
    emit elements->MSFlexGrid1->verticalHeader()->sectionClicked(3);
    elements->cmdAddElement->click();
    elements->cmdAddSection->click();
    save(elements, "elements-added.png");
    elements->cmdOK->click();
    save(&window, "main-5EL10M-edited.png");

    // The edited beam beside the design before the edit, on the chart and a polar plot.
    window.findChild<QAction*>("mnuCompareBefore")->trigger();
    save(&window, "compare-before.png");
    view(dialog->optPolar);
    save(window.frmPolar.get(), "compare-polar.png");
    window.frmPolar->hide();
    view(dialog->optGFS);
    window.cmdUndo->click();
    save(&window, "main-5EL10M-undone.png");
    window.findChild<QAction*>("mnuCompareNone")->trigger();

    window.cmdFreq->click();
    save(window.FreqDialog, "frequency.png");
    window.FreqDialog->cmdCancel->click();
    window.cmdHeight->click();
    save(window.HeightDialog, "height.png");
    window.HeightDialog->cmdCancel->click();
    window.hide();
    if (!saved) std::cerr << "qelt-screenshots: not every image could be written\n";
    return saved ? 0 : 1;
}
