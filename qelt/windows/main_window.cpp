#include "main_window.h"

#include "controls.h"
#include "element_dialogs.h"
#include "legend_stroke.h"
#include "main_chart.h"
#include "optimiser_window.h"
#include "polar_plot_window.h"
#include "sweep_dialogs.h"
#include "view_dialog.h"

#include "common/qt/desktop.h"
#include "common/qt/form_layout.h"
#include "common/qt/form_support.h"
#include "common/qt/qt_text.h"
#include "common/qt/user_files.h"
#include "common/qt/window_placement.h"
#include "common/qt/window_printing.h"
#include "common/text_file.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace qelt {
namespace {

using common::q;

const char* const Title = "Qelt";
const char* const SaveFilter = "Yagi Files (*.QELT)|*.QELT";
const char* const NecFilter = "NEC-2 decks (*.nec)|*.nec";

// A result line in Arial, wide enough for its longest text.
QLabel* resultLine(const char* name, const char* text) {
    auto* line = common::Named<QLabel>(name, text);
    QFont arial("Arial");
    arial.setPointSizeF(line->font().pointSizeF() * 1.1);
    line->setFont(arial);
    line->setMinimumWidth(
        QFontMetrics(arial).horizontalAdvance("Freq:  1296.000 MHz   1296.000 MHz   1296.000 MHz") +
        8);
    return line;
}

} // namespace

frmQelt::frmQelt(std::string folder, QString engineFolder, QWidget* parent)
    : QWidget(parent), programFolder_(folder),
      defaultsPath_(common::UserFilePath(folder, DefaultsFileName, common::UserFile::Defaults)),
      sharedFiles_(std::filesystem::path(defaultsPath_).parent_path().string(), "Qelt"),
      defaults_(FreshQeltDefaults(folder)),
      engine_(common::BindEngine<EngineRoutines>(std::move(engineFolder))),
      cmdFile(Button("cmdFile", "&Open", "Open existing antenna file")),
      cmdElements(Button("cmdElements", "&Elements", "View or change element lengths or spacings")),
      cmdSaveAs(Button("cmdSaveAs", "&Save As", "Save file after tuning or matching")),
      cmdExportNec(Button("cmdExportNec", "NE&C Deck",
                          "Export NEC deck: write the antenna as a NEC-2 card deck, to "
                          "cross-check it in any NEC-2 program")),
      cmdView(Button("cmdView", "&View",
                     "Choose dimensional units, F/R or F/B patterns or Azimuth/Elevation graphs")),
      cmdMatch(Button("cmdMatch", "&Match", "Design Gamma or Hairpin match, or no match at all")),
      cmdHeight(Button("cmdHeight", "&Height", "Choose height above flat ground, or free space")),
      cmdFreq(Button("cmdFreq", "&Freq", "Choose lower/upper frequency limits")),
      cmdPrint(Button("cmdPrint", "&Print", "Print this window")),
      cmdQuit(Button("cmdQuit", "E&xit", "Exit back to Desktop")),
      cmdHelp(Button("cmdHelp", "&Help", "Open QELT.PDF.")),
      lblStart(common::Named<QLabel>("lblStart")), lblFile(common::Named<QLabel>("lblFile")),
      lblEleBoom(common::Named<QLabel>("lblEleBoom")),
      lblHeight(common::Named<QLabel>("lblHeight")), lblMatch(common::Named<QLabel>("lblMatch")),
      lblPeakElev(common::Named<QLabel>("lblPeakElev")), lblView(common::Named<QLabel>("lblView")),
      lblF1(resultLine("lblF1", "Freq:")), lblF2(resultLine("lblF2", "Gain: ")),
      lblF3(resultLine("lblF3", "F/R: ")), lblF4(resultLine("lblF4", "Z: ")),
      lblF5(resultLine("lblF5", "SWR: ")), lblGain(common::Named<QLabel>("lblGain")),
      lblFR(common::Named<QLabel>("lblFR")), lblSWR(common::Named<QLabel>("lblSWR")),
      lblSWR1(common::Named<QLabel>("lblSWR1")), lblSWR2(common::Named<QLabel>("lblSWR2")),
      ProgressBar1(common::Named<QProgressBar>("ProgressBar1")), TChart1(new MainChart),
      ViewDialog(new frmView(this, [this](const ViewChoices& c) { return applyView(c); })),
      MatchDialog(new frmMatch(this, matchHandlers())),
      FreqDialog(
          new frmNewFreq(this,
                         [this](const QString& low, const QString& high) {
                             return analyse([&](const EngineRoutines& r, const SweepProgress& p) {
                                 return model_.setBand(r, low.toStdString(), high.toStdString(), p);
                             });
                         })),
      HeightDialog(new frmAntHt(this, [this](const QString& typed) { return SetHeight(typed); })),
      ElementsDialog(new frmElements(this,
                                     [this](const ElementGrid& grid) {
                                         // An unchanged OK: nothing to sweep or show.
                                         if (!model_.changedBy(grid)) return;
                                         analyse(
                                             [&](const EngineRoutines& r, const SweepProgress& p) {
                                                 model_.applyElements(r, grid, p);
                                                 return common::Result<>();
                                             });
                                     })),
      frmPolar(std::make_unique<PolarPlotWindow>(PolarScale::Linear)),
      frmMorwen(std::make_unique<PolarPlotWindow>(PolarScale::Morwen)) {
    setObjectName("frmQelt");
    setWindowTitle(Title);
    lblRestored = common::Named<QLabel>("lblRestored");
    ProgressBar1->setRange(1, 11);
    QSizePolicy keepPlace = ProgressBar1->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true); // the window does not jump during a sweep
    ProgressBar1->setSizePolicy(keepPlace);
    ProgressBar1->hide();
    setUpHistory();
    setUpComparison();
    layOut();
    addOptimiser();
    readDefaults();
    if (ended_) return;
    showModel();

    connect(cmdFile, &QPushButton::clicked, this, &frmQelt::cmdFile_Click);
    connect(cmdElements, &QPushButton::clicked, this, &frmQelt::cmdElements_Click);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmQelt::cmdSaveAs_Click);
    connect(cmdExportNec, &QPushButton::clicked, this, &frmQelt::cmdExportNec_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmQelt::cmdView_Click);
    connect(cmdMatch, &QPushButton::clicked, this, &frmQelt::cmdMatch_Click);
    connect(cmdHeight, &QPushButton::clicked, this, &frmQelt::cmdHeight_Click);
    connect(cmdFreq, &QPushButton::clicked, this, &frmQelt::cmdFreq_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmQelt::cmdPrint_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmQelt::cmdQuit_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmQelt::cmdHelp_Click);
}

frmQelt::~frmQelt() = default;

void frmQelt::layOut() {
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdFile, cmdElements, cmdSaveAs, cmdExportNec, cmdView, cmdMatch,
                           cmdHeight, cmdFreq, cmdUndo, cmdRedo, cmdCompare})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {cmdPrint, cmdHelp, cmdQuit}) buttons->addWidget(b);
    // Fourteen buttons at the style's least width would keep the window wider than a
    // laptop's screen: each may narrow to its caption.
    for (int i = 0; i < buttons->count(); ++i)
        if (QWidget* b = buttons->itemAt(i)->widget())
            b->setMinimumWidth(b->fontMetrics().horizontalAdvance(
                                   qobject_cast<QPushButton*>(b)->text().remove('&')) +
                               18);

    common::MakeHeading(lblStart, 1.0);

    auto* antenna = new QGroupBox("Antenna");
    auto* facts = new QGridLayout(antenna);
    common::AddRow(facts, "File:", lblFile);
    common::AddRow(facts, "Elements:", lblEleBoom);
    common::AddRow(facts, "Height:", lblHeight);
    common::AddRow(facts, "Match:", lblMatch);
    common::AddRow(facts, "Units:", lblView);
    common::AddRow(facts, "", lblPeakElev);
    facts->setColumnStretch(1, 1);

    auto* results = new QGroupBox("Low edge, centre and high edge of the band");
    auto* lines = new QVBoxLayout(results);
    for (QLabel* l : {lblF1, lblF2, lblF3, lblF4, lblF5}) lines->addWidget(l);

    auto* top = new QHBoxLayout;
    top->addWidget(antenna, 1);
    auto* lineBoxes = new QVBoxLayout;
    lineBoxes->addWidget(results);
    lineBoxes->addWidget(fraCompared);
    top->addLayout(lineBoxes);

    auto* legend = new QHBoxLayout;
    legend->addStretch();
    const QColor colours[] = {MainChart::Gain, MainChart::Ratio, MainChart::Swr,
                              MainChart::SwrTwoToOne};
    QLabel* legends[] = {lblGain, lblFR, lblSWR, lblSWR2};
    for (int i = 0; i < 4; ++i) {
        swatches_[i] = LegendStroke(colours[i]);
        legend->addWidget(swatches_[i]);
        legend->addWidget(legends[i]);
        legend->addSpacing(12);
    }
    legend->addWidget(lblSWR1);
    legend->addWidget(comparedSwatch_);
    legend->addWidget(lblCompareLegend);
    legend->addStretch();
    ProgressBar1->setFixedWidth(160);
    legend->addWidget(ProgressBar1);

    TChart1->setMinimumSize(640, 360);
    auto* page = new QVBoxLayout(this);
    page->addLayout(buttons);
    page->addWidget(lblStart);
    page->addLayout(top);
    page->addWidget(lblRestored);
    page->addWidget(TChart1, 1);
    page->addLayout(legend);
}

void frmQelt::readDefaults() {
    sharedFiles_.askAtStart(this);
    const common::TextFile file = sharedFiles_.readDefaults(this, defaultsPath_);
    // One there but unreadable is said, and Qelt runs on its defaults.
    if (file.state == common::FileState::Unreadable) return;
    if (file.state == common::FileState::Missing) {
        if (!sharedFiles_.mayWriteDefaults(this)) return;
        // A first start: the defaults file is written, and the program starts again on it.
        if (common::Result<> written = WriteQeltDefaults(defaultsPath_, defaults_); !written) {
            message(DefaultsFileName + std::string(" could not be written in ") +
                    defaultsPath_.substr(0, defaultsPath_.find_last_of('/')) + ": " +
                    written.message() + ". Qelt carries on with its defaults.");
            return;
        }
        message("Writing new QELT.DEF. Please start Qelt again.");
        ended_ = true;
        setAttribute(Qt::WA_DontShowOnScreen);
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return;
    }
    defaults_ = ParseQeltDefaults(file.lines, defaults_);
    defaults_.antennaFolder = UsableAntennaFolder(programFolder_, defaults_.antennaFolder);
    model_ = Analyser(defaults_.units);
    common::ApplyPlacement(this, defaults_.main, false);
    frmPolar->place(defaults_.polar);
    frmMorwen->place(defaults_.morwen);
}

const EngineRoutines* frmQelt::engine() {
    common::Result<EngineRoutines> routines = engine_();
    if (routines) {
        routines_ = routines.value();
        return &routines_;
    }
    if (!engineMissing_) {
        engineMissing_ = true;
        message(routines.message());
        showModel();
    }
    return nullptr;
}

void frmQelt::sweeping(bool shown, const std::function<void(const SweepProgress&)>& work) {
    ProgressBar1->setValue(1);
    // A sweep done within a tenth of a second (a 50-element beam takes 10 ms) shows no bar:
    // painting it would cost more than the sweep's frame and only flash.
    QElapsedTimer running;
    running.start();
    work([this, shown, &running](int point) {
        ProgressBar1->setValue(point);
        if (!shown || running.elapsed() < 100) return;
        ProgressBar1->show();
        ProgressBar1->repaint(); // the window thread is busy: paint the bar now
    });
    ProgressBar1->hide();
}

void frmQelt::OpenFile(const QString& path) {
    const EngineRoutines* routines = engine();
    if (!routines) return;
    common::Result<> opened;
    sweeping(true, [&](const SweepProgress& progress) {
        opened = model_.open(*routines, path.toStdString(), progress);
    });
    if (!opened) {
        message(opened.message());
        if (!model_.loaded()) Shutdown(); // nothing to carry on with
        return;
    }
    showModel();
    reportTrouble();
    showPolarPlots(*routines);
}

bool frmQelt::SetHeight(const QString& typed) {
    return analyse([&](const EngineRoutines& routines, const SweepProgress& progress) {
        return model_.setHeight(routines, typed.toStdString(), progress);
    });
}

bool frmQelt::analyse(const Analysis& work) {
    const EngineRoutines* routines = engine();
    if (!routines) return false;
    common::Result<> done;
    sweeping(true, [&](const SweepProgress& progress) { done = work(*routines, progress); });
    showModel();
    if (!done) {
        message(done.message());
        return false;
    }
    reportTrouble();
    showPolarPlots(*routines);
    return true;
}

void frmQelt::cmdFile_Click() {
    const common::FileChoice choice = common::desktop().openFile(
        this, {"Select existing antenna file", q(defaults_.antennaFolder), {}, AntennaFilter});
    if (choice.chosen()) {
        OpenFile(choice.path);
        return;
    }
    if (model_.loaded()) return; // carry on with the antenna there is
    message("You need to select a file to start. Please start Qelt again.");
    Shutdown();
}

void frmQelt::cmdView_Click() { ViewDialog->ask(model_.view(), model_.viewCaptions()); }

void frmQelt::cmdElements_Click() { ElementsDialog->ask(model_.elementGrid()); }

void frmQelt::cmdHeight_Click() { HeightDialog->ask(model_.heightBoxes()); }

void frmQelt::cmdFreq_Click() { FreqDialog->ask(model_.frequencyBoxes()); }

void frmQelt::addOptimiser() {
    cmdOptimise = Button("cmdOptimise", "O&ptimise",
                         "Search the element tips and spacings for more gain, F/R or a lower SWR");
    auto* buttons = qobject_cast<QBoxLayout*>(layout()->itemAt(0)->layout());
    buttons->insertWidget(buttons->indexOf(cmdFreq) + 1, cmdOptimise);
    // Accept replaces the working copy as the element editor's OK does, a step Undo takes back.
    OptimiseWindow = std::make_unique<frmOptimise>([this](const Antenna& best) {
        analyse([&](const EngineRoutines& r, const SweepProgress& p) {
            model_.applyElements(r, AcceptedGrid(model_, best), p, "Optimiser");
            return common::Result<>();
        });
    });
    connect(cmdOptimise, &QPushButton::clicked, this, &frmQelt::cmdOptimise_Click);
}

void frmQelt::cmdOptimise_Click() {
    if (const EngineRoutines* routines = engine()) OptimiseWindow->ask(model_, *routines);
}

void frmQelt::cmdMatch_Click() {
    // The feed point of the antenna as it is now, not as it was at the last Compute.
    if (const EngineRoutines* routines = engine())
        model_.openMatch(*routines);
    else
        model_.openMatch();
    MatchDialog->ask(model_);
}

MatchHandlers frmQelt::matchHandlers() {
    MatchHandlers h;
    h.type = [this](MatchBox box, const std::string& text) {
        model_.typeMatch(box, text);
        MatchDialog->showModel(model_);
    };
    h.choose = [this](Network network) {
        model_.chooseNetwork(network);
        MatchDialog->showModel(model_);
    };
    h.compute = [this] {
        analyse([this](const EngineRoutines& r, const SweepProgress& p) {
            return model_.computeMatch(r, p);
        });
        MatchDialog->showModel(model_);
    };
    h.adjust = [this] {
        analyse([this](const EngineRoutines& r, const SweepProgress& p) {
            return model_.adjustDriven(r, p);
        });
        MatchDialog->showModel(model_);
    };
    h.accept = [this] {
        const bool accepted = analyse([this](const EngineRoutines& r, const SweepProgress& p) {
            return model_.acceptMatch(r, p);
        });
        MatchDialog->showModel(model_);
        return accepted;
    };
    h.cancel = [this] {
        analyse([this](const EngineRoutines& r, const SweepProgress& p) {
            model_.cancelMatch(r, p);
            return common::Result<>();
        });
    };
    return h;
}

void frmQelt::cmdSaveAs_Click() {
    const common::FileChoice choice = common::desktop().saveFile(
        this, {"Save antenna file As", q(defaults_.antennaFolder), {}, SaveFilter});
    if (!choice.chosen()) return; // the antenna and every file stay as they are
    if (common::Result<> saved = model_.saveAs(choice.path.toStdString(), model_.units()); !saved)
        message(saved.message());
    showModel();
}

void frmQelt::cmdExportNec_Click() {
    const std::string name = model_.texts().lblFile;
    const common::FileChoice choice = common::desktop().saveFile(
        this, {"Export NEC deck", q(defaults_.antennaFolder),
               q(name.substr(0, name.find_last_of('.')) + ".nec"), NecFilter});
    const EngineRoutines* routines = choice.chosen() ? engine() : nullptr;
    if (!routines) return;
    if (common::Result<> written = model_.exportNec(*routines, choice.path.toStdString()); !written)
        message(written.message());
}

bool frmQelt::applyView(const ViewChoices& choices) {
    const EngineRoutines* routines = engine();
    if (!routines) return true;
    common::Result<> applied;
    sweeping(choices.graph == Graph::Sweep, [&](const SweepProgress& progress) {
        applied = model_.applyView(*routines, choices, progress);
    });
    if (!applied) {
        message(applied.message());
        return false;
    }
    showModel();
    reportTrouble();
    const Graph graph = model_.view().graph;
    showPolarPlots(*routines, graph == Graph::LinearPolar   ? frmPolar.get()
                              : graph == Graph::MorwenPolar ? frmMorwen.get()
                                                            : nullptr);
    return true;
}

void frmQelt::showPolarPlots(const EngineRoutines& routines, PolarPlotWindow* chosen) {
    std::vector<PolarPlotWindow*> open;
    for (PolarPlotWindow* window : {frmPolar.get(), frmMorwen.get()})
        if (window == chosen || window->isVisible()) open.push_back(window);
    if (open.empty()) return;
    if (!chosen) model_.computePolarPattern(routines);
    const Pattern& pattern = *model_.polarPattern();
    const std::optional<Comparison>& other = model_.comparison();
    for (PolarPlotWindow* window : open) {
        window->plot(pattern, model_.patternTexts(pattern), model_.view());
        window->plotComparison(other && other->pattern ? &*other->pattern : nullptr,
                               other ? other->name : std::string(), model_.view());
    }
}

void frmQelt::showModel() {
    const bool loaded = model_.loaded();
    const MainTexts& t = model_.texts();
    common::ShowControlTexts(this, ResultTexts, t);
    common::ShowControlTexts(this, StateTexts, t);
    setWindowTitle(loaded ? q(std::string(Title) + ", " + model_.antenna().titleText()) : Title);
    lblStart->setVisible(!loaded);
    lblPeakElev->setVisible(!t.lblPeakElev.empty());
    lblRestored->setVisible(!t.lblRestored.empty());
    cmdFile->setEnabled(!engineMissing_);
    for (QPushButton* b :
         {cmdElements, cmdSaveAs, cmdExportNec, cmdView, cmdMatch, cmdHeight, cmdFreq, cmdPrint})
        b->setEnabled(loaded && !engineMissing_);
    showHistory();

    const std::optional<Pattern>& pattern = model_.chartPattern();
    QLabel* legends[] = {lblGain, lblFR, lblSWR, lblSWR2};
    for (int i = 0; i < 4; ++i) {
        const bool shown = loaded && !legends[i]->text().isEmpty();
        legends[i]->setVisible(shown);
        swatches_[i]->setVisible(shown && !(pattern && i == 2)); // a ratio has no curve
    }
    lblSWR1->hide(); // the SWR 1:1 line is not drawn
    cmdOptimise->setEnabled(cmdElements->isEnabled());
    if (!loaded)
        TChart1->showNothing();
    else if (pattern)
        TChart1->showPattern(MakeRectangularPattern(*pattern, model_.chartPatternDegrees()),
                             model_.chartPatternDegrees(), model_.patternTexts(*pattern),
                             pattern->overGround);
    else
        TChart1->showSweep(model_.frequencyChart());
    showComparison();
}

void frmQelt::message(const std::string& text) { common::desktop().message(this, q(text), Title); }

void frmQelt::reportTrouble() {
    if (!model_.engineTrouble().empty()) message(model_.engineTrouble());
}

void frmQelt::cmdPrint_Click() { common::PrintWindow(this, {Title, {}, {}, {}}); }

void frmQelt::cmdHelp_Click() { common::OpenHelpDocument(this, "QELT.PDF"); }

void frmQelt::cmdQuit_Click() {
    if (common::desktop().askYesNo(this, "Are you sure you want to Exit?", Title)) Shutdown();
}

void frmQelt::saveDefaults() {
    const QeltDefaults fresh;
    defaults_.main = {common::LeftTwips(this), common::TopTwips(this), {}, {}};
    defaults_.polar = frmPolar->placement(fresh.polar);
    defaults_.morwen = frmMorwen->placement(fresh.morwen);
    defaults_.units = model_.units();
    // The antenna folder is always kept as the program's own, so a moved suite finds it.
    defaults_.antennaFolder = FreshQeltDefaults(programFolder_).antennaFolder;
    if (!sharedFiles_.mayWriteDefaults(this)) return;
    if (common::Result<> saved = WriteQeltDefaults(defaultsPath_, defaults_); !saved)
        message("The settings could not be saved in " + defaultsPath_ + ": " + saved.message() +
                ". The previous file is unchanged.");
}

// Keeps the settings and closes every window of the program, once, however it ends.
void frmQelt::Shutdown() {
    if (ended_) return;
    ended_ = true;
    saveDefaults();
    for (QDialog* dialog : std::initializer_list<QDialog*>{ViewDialog, MatchDialog, FreqDialog,
                                                           HeightDialog, ElementsDialog})
        dialog->hide();
    frmPolar->hide();
    frmMorwen->hide();
    close();
}

void frmQelt::closeEvent(QCloseEvent* event) {
    Shutdown(); // closing by the frame keeps the settings too
    sharedFiles_.release();
    event->accept();
}

} // namespace qelt
