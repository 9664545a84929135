#include "main_window.h"

#include "azimuth_rating_window.h"
#include "band_summary_window.h"
#include "clickable_box.h"
#include "heights_window.h"
#include "move_tower_window.h"
#include "options_window.h"
#include "output_graph_window.h"
#include "terrain_cut_dialog.h"
#include "terrain_plot_window.h"

#include "brisco/core/band_summary.h"

#include "common/qt/desktop.h"
#include "common/qt/engine_binding.h"
#include "common/qt/form_layout.h"
#include "common/qt/form_support.h"
#include "common/qt/qt_text.h"
#include "common/qt/user_files.h"
#include "common/qt/window_placement.h"
#include "common/text_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>

namespace brisco {
namespace {

using common::q;
using common::s;

std::string slotName(const char* stem, int slot) { return stem + std::to_string(slot + 1); }

ClickableBox* clickBox(const std::string& name, int widthInCharacters, const QString& tip) {
    auto* box = common::Named<ClickableBox>(name.c_str());
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(widthInCharacters, 'M')));
    box->setToolTip(tip);
    return box;
}

QLineEdit* hiddenBox(const std::string& name) {
    auto* box = common::Named<QLineEdit>(name.c_str());
    box->hide();
    return box;
}

QLabel* caption(const QString& text) {
    auto* label = new QLabel(text);
    common::MakeHeading(label, 1.0);
    return label;
}

// The program's samples are read from its folder; its defaults and results go where this
// user may write them.
Assessment ModelIn(const std::string& folder) {
    using common::UserFile;
    return Assessment(folder, common::UserFilePath(folder, "VEXLO.DEF", UserFile::Defaults),
                      common::UserFileFolder(folder, "OUT.PRN", UserFile::Results));
}

} // namespace

frmBrisco::frmBrisco(std::string folder, EngineSource engine, QWidget* parent)
    : QWidget(parent), model_(ModelIn(folder.empty() ? common::ProgramFolder() : folder)),
      sharedFiles_(std::filesystem::path(model_.defaultsPath()).parent_path().string(), "Brisco"),
      engine_(engine ? std::move(engine) : EngineFrom(common::BindEngine<TerrainRoutines>())),
      lblProgram(common::Named<QLabel>("lblProgram", "Brisco Terrain Assessment")),
      txtFreq(common::Named<QLineEdit>("txtFreq", "14.2")),
      txtElevFile(clickBox("txtElevFile", 14, "Click to choose an elevation-statistics file")),
      txtSubTerr(hiddenBox("txtSubTerr")), optX20(common::Named<QRadioButton>("optX20", "20 deg.")),
      OptX25(common::Named<QRadioButton>("OptX25", "25 deg.")),
      optX34(common::Named<QRadioButton>("optX34", "34 deg.")),
      chkShowHts(common::Named<QCheckBox>("chkShowHts", "Show Ants.")),
      lblDiffraction(common::Named<QLabel>("lblDiffraction", "ON")),
      lblGround(common::Named<QLabel>("lblGround")),
      cmdCompute(common::Named<QPushButton>("cmdCompute", "&Compute!")),
      cmdPlotTerr(common::Named<QPushButton>("cmdPlotTerr", "&Plot Terrain")),
      cmdOptions(common::Named<QPushButton>("cmdOptions", "&Options")),
      cmdHelp(common::Named<QPushButton>("cmdHelp", "Help")),
      cmdExit(common::Named<QPushButton>("cmdExit", "&Exit")),
      cmdTerrainCut(common::Named<QPushButton>("cmdTerrainCut", "&Elevation Data...")),
      cmdBands(common::Named<QPushButton>("cmdBands", "All &Bands")),
      ProgressBar1(common::Named<QProgressBar>("ProgressBar1")) {
    setObjectName("frmBrisco");
    setWindowTitle("Brisco");
    const char* checkCaptions[] = {"Terrain 1", "Terrain 2", "Terrain 3", "Terrain4"};
    for (int n = 0; n < SlotCount; ++n) {
        txtTerrain[n] =
            clickBox(slotName("txtTerrain", n), 14, "Click to choose a terrain profile");
        txtSubDir[n] = hiddenBox(slotName("txtSubDir", n));
        txtHeight[n] = clickBox(slotName("txtHeight", n), 10,
                                "Click to enter antenna heights; e.g., 120/90* (* out of phase)");
        txtType[n] = clickBox(slotName("txtType", n), 5, "Click to choose the antenna type");
        lblFeet[n] = common::Named<QLabel>(slotName("lblFeet", n).c_str(), "feet");
        chkTerr[n] = common::Named<QCheckBox>(slotName("chkTerr", n).c_str(), checkCaptions[n]);
    }
    txtFreq->setToolTip("Enter new frequency, in MHz (from 2 to 300 MHz)");
    txtFreq->setMaximumWidth(txtFreq->fontMetrics().horizontalAdvance("0000.000") + 16);
    txtFreq->setAlignment(Qt::AlignRight);
    cmdCompute->setToolTip("Compute the elevation response of every terrain in use");
    cmdPlotTerr->setToolTip("Plot the ticked terrain profiles");
    cmdOptions->setToolTip("Ground, diffraction, units and the move-tower tool");
    cmdHelp->setToolTip("Open BRISCO.PDF.");
    cmdExit->setToolTip("Save the settings and leave Brisco");
    cmdTerrainCut->setToolTip("Cut profiles from elevation data at any azimuth, put them in the "
                              "slots or rate every azimuth");
    cmdBands->setToolTip("Rate every slot at the centre of every band of the statistics file");
    ProgressBar1->setRange(0, 5);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    chkTerr[0]->setChecked(true);
    optX34->setChecked(true);

    layOut();
    sharedFiles_.askAtStart(this);
    showMessages(model_.StartUp(sharedFiles_.readDefaults(this, model_.defaultsPath()),
                                sharedFiles_.mayWriteResults()));
    common::ApplyPlacement(this, model_.mainPlacement(), false);
    showModel();
    connectControls();
}

frmBrisco::~frmBrisco() = default;

void frmBrisco::layOut() {
    common::MakeHeading(lblProgram);
    lblProgram->setAlignment(Qt::AlignCenter);

    auto* terrains = new QGroupBox("Terrain Slots");
    auto* grid = new QGridLayout(terrains);
    grid->addWidget(caption("Terrain File"), 0, 1);
    grid->addWidget(caption("Antenna Heights"), 0, 2, 1, 2);
    grid->addWidget(caption("Antenna"), 0, 4);
    grid->addWidget(caption("Plot"), 0, 5);
    for (int n = 0; n < SlotCount; ++n) {
        grid->addWidget(new QLabel(QString::number(n + 1)), n + 1, 0, Qt::AlignRight);
        grid->addWidget(txtTerrain[n], n + 1, 1);
        grid->addWidget(txtHeight[n], n + 1, 2);
        grid->addWidget(lblFeet[n], n + 1, 3);
        grid->addWidget(txtType[n], n + 1, 4);
        grid->addWidget(chkTerr[n], n + 1, 5);
        grid->addWidget(txtSubDir[n], n + 1, 6);
    }
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(4, 1);

    auto* frequency = new QGroupBox("Frequency");
    auto* frequencyRow = new QHBoxLayout(frequency);
    frequencyRow->addWidget(txtFreq);
    frequencyRow->addWidget(new QLabel("MHz"));
    frequencyRow->addStretch();

    auto* angle = new QGroupBox("Max. Elev. Angle");
    auto* angleRow = new QHBoxLayout(angle);
    for (QRadioButton* b : {optX20, OptX25, optX34}) angleRow->addWidget(b);
    common::Exclusive(this, {optX20, OptX25, optX34});

    auto* statistics = new QGroupBox("Elevation Statistics");
    auto* statisticsRow = new QHBoxLayout(statistics);
    statisticsRow->addWidget(txtElevFile);
    statisticsRow->addWidget(txtSubTerr);

    auto* settings = new QHBoxLayout;
    settings->addWidget(frequency);
    settings->addWidget(angle);
    settings->addWidget(statistics, 1);

    auto* status = new QHBoxLayout;
    status->addWidget(new QLabel("Ground:"));
    status->addWidget(lblGround);
    status->addSpacing(18);
    status->addWidget(new QLabel("Diffraction:"));
    status->addWidget(lblDiffraction);
    status->addStretch();
    status->addWidget(chkShowHts);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdCompute, cmdBands, cmdPlotTerr, cmdTerrainCut, cmdOptions, cmdHelp})
        buttons->addWidget(b);
    buttons->addWidget(ProgressBar1, 1);
    buttons->addStretch();
    buttons->addWidget(cmdExit);
    // The progress bar comes and goes; the buttons stay where they are.
    QSizePolicy keepPlace = ProgressBar1->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ProgressBar1->setSizePolicy(keepPlace);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lblProgram);
    page->addWidget(terrains);
    page->addLayout(settings);
    page->addLayout(status);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetMinimumSize);
}

void frmBrisco::connectControls() {
    for (int n = 0; n < SlotCount; ++n) {
        connect(txtTerrain[n], &ClickableBox::clicked, this, [this, n] { SelectTerrainFile(n); });
        connect(txtHeight[n], &ClickableBox::clicked, this, [this, n] { txtHeight_Click(n); });
        connect(txtType[n], &ClickableBox::clicked, this, [this, n] { txtType_Click(n); });
        connect(chkTerr[n], &QCheckBox::toggled, this,
                [this, n](bool on) { model_.setPlotted(n, on); });
    }
    connect(txtElevFile, &ClickableBox::clicked, this, &frmBrisco::SelectElevationFile);
    connect(txtFreq, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!showing_) model_.setFrequency(s(text));
    });
    connect(chkShowHts, &QCheckBox::toggled, this, [this](bool on) { model_.setShowAntennas(on); });
    auto angle = [this](QRadioButton* button, MaxAngle value) {
        connect(button, &QRadioButton::toggled, this, [this, value](bool on) {
            if (!on) return;
            model_.setMaxAngle(value);
            if (graph_) graph_->setMaxAngle(value);
        });
    };
    angle(optX20, MaxAngle::Deg20);
    angle(OptX25, MaxAngle::Deg25);
    angle(optX34, MaxAngle::Deg34);
    connect(cmdCompute, &QPushButton::clicked, this, &frmBrisco::cmdCompute_Click);
    connect(cmdPlotTerr, &QPushButton::clicked, this, &frmBrisco::cmdPlotTerr_Click);
    connect(cmdOptions, &QPushButton::clicked, this, &frmBrisco::cmdOptions_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmBrisco::cmdHelp_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmBrisco::cmdExit_Click);
    connect(cmdTerrainCut, &QPushButton::clicked, this, &frmBrisco::cmdTerrainCut_Click);
    connect(cmdBands, &QPushButton::clicked, this, &frmBrisco::cmdBands_Click);
}

void frmBrisco::showModel() {
    showing_ = true;
    common::ShowControlTexts(this, MainWindowTexts, model_.texts());
    const bool off = model_.options().diffractionOff;
    lblDiffraction->setStyleSheet(off ? "color: rgb(255, 0, 0); font-weight: bold;"
                                      : "color: black; font-weight: bold;");
    for (int n = 0; n < SlotCount; ++n) txtTerrain[n]->setCursorPosition(0);
    showing_ = false;
}

void frmBrisco::showMessages(const std::vector<Message>& messages, QWidget* over) {
    for (const Message& m : messages)
        common::desktop().message(over ? over : this, q(m.text), q(m.title));
}

frmGraph& frmBrisco::graphWindow() {
    if (!graph_) graph_ = std::make_unique<frmGraph>(model_);
    return *graph_;
}
frmPlot& frmBrisco::plotWindow() {
    if (!plot_) plot_ = std::make_unique<frmPlot>(model_);
    return *plot_;
}
frmNewHeights& frmBrisco::heightsDialog() {
    if (!heights_) heights_ = std::make_unique<frmNewHeights>(*this);
    return *heights_;
}
frmOptions& frmBrisco::optionsWindow() {
    if (!options_) options_ = std::make_unique<frmOptions>(*this);
    return *options_;
}
frmMove& frmBrisco::moveWindow() {
    if (!move_) move_ = std::make_unique<frmMove>(*this);
    return *move_;
}

frmTerrainCut& frmBrisco::terrainCutDialog() {
    if (!terrainCut_) terrainCut_ = std::make_unique<frmTerrainCut>(*this);
    return *terrainCut_;
}
frmAzimuths& frmBrisco::azimuthWindow() {
    if (!azimuths_) azimuths_ = std::make_unique<frmAzimuths>(model_);
    return *azimuths_;
}
frmBands& frmBrisco::bandsWindow() {
    if (!bands_) bands_ = std::make_unique<frmBands>(model_);
    return *bands_;
}

void frmBrisco::cmdCompute_Click() {
    if (graph_) graph_->clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ComputeResult r = model_.Compute(engine_, [this](int value) {
        ProgressBar1->setRange(0, 5);
        ProgressBar1->setValue(value);
        ProgressBar1->show();
        ProgressBar1->repaint(); // the engine holds the window until it returns
    });
    ProgressBar1->hide();
    QApplication::restoreOverrideCursor();
    showMessages(r.messages);
    if (!r.computed) return;
    if (common::Result<> appended =
            sharedFiles_.mayWriteResults() ? model_.AppendResults(r.results) : common::Result<>();
        !appended)
        common::desktop().message(this, q(appended.message()), "Brisco");
    graphWindow().showGraph(r.graph);
}

void frmBrisco::cmdPlotTerr_Click() {
    std::vector<Message> messages = plotWindow().PlotTerrain();
    showMessages(messages, &plotWindow());
}

void frmBrisco::cmdTerrainCut_Click() {
    terrainCutDialog().show();
    terrainCutDialog().raise();
}

void frmBrisco::cmdBands_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    BandSummary summary = SummariseBands(model_, engine_);
    QApplication::restoreOverrideCursor();
    showModel();
    showMessages(summary.messages);
    if (summary.computed) bandsWindow().showSummary(summary);
}

void frmBrisco::cmdOptions_Click() { optionsWindow().showOptions(); }

void frmBrisco::cmdHelp_Click() {
    common::OpenDocument(this, q(common::InFolder(model_.folder(), "BRISCO.PDF")), true);
}

void frmBrisco::cmdExit_Click() {
    if (common::desktop().askYesNo(this, "Are you sure you want to Exit?", "Brisco"))
        SaveDefaultsAndQuit();
}

void frmBrisco::SelectTerrainFile(int slot) {
    common::FileChoice file = common::desktop().openFile(this, {"Select existing terrain profile",
                                                                q(model_.folder()),
                                                                {},
                                                                "Terrain profiles (*.PRO)|*.PRO"});
    if (file.chosen()) {
        model_.chooseTerrain(slot, s(file.path));
    } else if (common::desktop().askYesNo(this, "Do you want to clear the terrain and heights?",
                                          "Clear Terrain/Heights")) {
        model_.clearSlot(slot);
    }
    showModel();
}

void frmBrisco::SelectElevationFile() {
    for (;;) {
        common::FileChoice file = common::desktop().openFile(
            this, {"Select elevation-statistic file ", q(model_.folder()), "*.prn",
                   "Elevation statistic files (*.PRN)|*.PRN"});
        if (!file.chosen()) {
            if (common::desktop().askYesNo(this,
                                           "Do you want to clear the elevation statistics file "
                                           "selection?",
                                           "Clear Elevation Statistics"))
                model_.clearStatistics();
            break;
        }
        Assessment::StatisticsChoice choice = model_.chooseStatistics(s(file.path));
        showMessages(choice.messages);
        if (choice.refused) continue; // OUT.PRN: the dialog again
        if (choice.failed) {
            SaveDefaultsAndQuit();
            return;
        }
        break;
    }
    showModel();
}

void frmBrisco::txtHeight_Click(int) { heightsDialog().showFor(-1); }

void frmBrisco::txtType_Click(int slot) { heightsDialog().showFor(slot); }

void frmBrisco::closeOtherWindows() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             graph_.get(), plot_.get(), heights_.get(), options_.get(), move_.get(),
             terrainCut_.get(), azimuths_.get(), bands_.get()})
        if (w) w->hide();
}

void frmBrisco::SaveDefaultsAndQuit() {
    if (!saved_) {
        saved_ = true;
        if (!sharedFiles_.mayWriteDefaults(this)) {
            closeOtherWindows();
            close();
            return;
        }
        const common::Placement main{common::LeftTwips(this), common::TopTwips(this),
                                     common::ToTwips(height()), common::ToTwips(width())};
        const double screenWidth = common::ToTwips(common::desktop().screenSize().width());
        if (common::Result<> written = model_.SaveDefaults(main, screenWidth); !written)
            common::desktop().message(this,
                                      q("The settings could not be saved in " +
                                        model_.defaultsPath() + ": " + written.message() +
                                        ". The previous file is unchanged."),
                                      "Brisco");
    }
    closeOtherWindows();
    close();
}

void frmBrisco::endWithoutSaving() {
    saved_ = true;
    closeOtherWindows();
    close();
}

void frmBrisco::closeEvent(QCloseEvent* event) {
    // Closing by the frame keeps the settings as Exit does, without the question.
    if (!saved_) SaveDefaultsAndQuit();
    sharedFiles_.release();
    event->accept();
}

} // namespace brisco
