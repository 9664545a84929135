#include "heights_dialog.h"
#include "main_window.h"
#include "move_tower_window.h"
#include "options_window.h"
#include "output_graph_window.h"
#include "terrain_plot_window.h"

#include "common/qt/form_support.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QTimer>

namespace {

// "--screenshot-window NAME PATH": opens one of the other windows as its button would
// (graph: Compute; plot: Plot Terrain with every slot in use and its antennas; heights;
// options; move), saves its image and ends the program without saving the settings.
void ScreenshotWindowOnRequest(brisco::frmBrisco* main) {
    QStringList args = QCoreApplication::arguments();
    qsizetype at = args.indexOf("--screenshot-window");
    if (at <= 0 || at + 2 >= args.size()) return;
    const QString name = args[at + 1], path = args[at + 2];
    QTimer::singleShot(300, main, [main, name, path] {
        QWidget* window = nullptr;
        if (name == "graph") {
            main->cmdCompute_Click();
            window = &main->graphWindow();
        } else if (name == "plot") {
            for (int n = 0; n < brisco::SlotCount; ++n)
                main->chkTerr[n]->setChecked(!main->assessment().terrain(n).empty());
            main->chkShowHts->setChecked(true);
            main->cmdPlotTerr_Click();
            window = &main->plotWindow();
        } else if (name == "heights") {
            main->heightsDialog().showFor(-1);
            window = &main->heightsDialog();
        } else if (name == "options") {
            main->cmdOptions_Click();
            window = &main->optionsWindow();
        } else if (name == "move") {
            main->moveWindow().showFor(main->assessment().options().units);
            window = &main->moveWindow();
        }
        if (!window) QCoreApplication::exit(2);
        QTimer::singleShot(700, window, [window, path] {
            QCoreApplication::exit(window->grab().save(path) ? 0 : 1);
        });
    });
}

} // namespace

int main(int argc, char** argv) {
    return common::RunProgram(argc, argv, "Brisco", [] {
        auto window = std::make_unique<brisco::frmBrisco>();
        ScreenshotWindowOnRequest(window.get());
        return window;
    });
}
