#include "main_window.h"

#include "along_line_graph_window.h"
#include "kavlo/core/graphs.h"
#include "noise_bridge_dialog.h"
#include "smith_window.h"
#include "sweep_window.h"
#include "swr_magnitude_dialog.h"
#include "tuner_result_window.h"
#include "tuner_window.h"
#include "user_cable_dialog.h"
#include "window_parts.h"

#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
#include "common/qt/user_files.h"
#include "common/qt/window_placement.h"
#include "common/qt/window_printing.h"
#include "common/text_file.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>

namespace kavlo {
namespace {

// The characteristic impedance of every catalogue line fits; a user line's may be wider.
constexpr const char* Z0Longest = "9999.9 - j 9999.99";

} // namespace

frmKavlo2::frmKavlo2(std::string defaultsPath, QWidget* parent)
    : QWidget(parent), defaultsPath_(std::move(defaultsPath)),
      sharedFiles_(std::filesystem::path(defaultsPath_).parent_path().string(), "Kavlo"),
      lblProgram(common::Named<QLabel>("lblProgram", "Kavlo Transmission-Line Calculator")),
      cboPickCable(common::Named<QComboBox>("cboPickCable")),
      LblWarning(common::Named<QLabel>("LblWarning")), txtFreq(EntryBox("txtFreq", "3.5")),
      txtLength(EntryBox("txtLength", "100.000")), txtResistance(EntryBox("txtResistance", "50")),
      txtReactance(EntryBox("txtReactance", "0")),
      lblUnits(common::Named<QLabel>("lblUnits", "Feet")),
      optFeet(common::Named<QRadioButton>("optFeet", "Feet")),
      optMeters(common::Named<QRadioButton>("optMeters", "Meters")),
      optLoad(common::Named<QRadioButton>("optLoad", "Load")),
      optInput(common::Named<QRadioButton>("optInput", "Input")),
      optNormal(common::Named<QRadioButton>("optNormal", "Typed")),
      optAutek(common::Named<QRadioButton>("optAutek", "Analyser")),
      optNoiseBridge(common::Named<QRadioButton>("optNoiseBridge", "Noise bridge")),
      txtZ0(ResultBox("txtZ0", Z0Longest)), txtMLPer(ResultBox("txtMLPer", "99999.999")),
      txtVF(ResultBox("txtVF", " .6666667")), txtVoltage(ResultBox("txtVoltage", " 99999.99")),
      lbldBPer(common::Named<QLabel>("lbldBPer", "dB/100 Feet")),
      txtMLTot(ResultBox("txtMLTot", "999999.999")),
      txtAddLoss(ResultBox("txtAddLoss", "999999.999")),
      txtTotalLoss(ResultBox("txtTotalLoss", "999999.999")),
      txtLoadSWR(ResultBox("txtLoadSWR", "-999999.99")),
      txtInputSWR(ResultBox("txtInputSWR", "-999999.99")), txtRho(ResultBox("txtRho", "99.99999")),
      lblRho(common::Named<QLabel>("lblRho", "Rho at Load: ")),
      txtImpedIn(ResultBox("txtImpedIn", "-999999.99 - j 999999.99")),
      txtPolarZ(ResultBox("txtPolarZ", "999999.99")),
      txtPolarDegree(ResultBox("txtPolarDegree", "-180.00")),
      lblInputZ(common::Named<QLabel>("lblInputZ", "Impedance at Input: ")),
      txtWavelen(ResultBox("txtWavelen", "999999.999")),
      optVoltCurr(common::Named<QRadioButton>("optVoltCurr", "Volt./Current")),
      optResisReac(common::Named<QRadioButton>("optResisReac", "Resist./Reac.")),
      cmdTuner(common::Named<QPushButton>("cmdTuner", "Tuner")),
      cmdGraph(common::Named<QPushButton>("cmdGraph", "Graph")),
      cmdSweep(common::Named<QPushButton>("cmdSweep", "Sweep")),
      cmdSmith(common::Named<QPushButton>("cmdSmith", "Smith Chart")),
      cmdUserCable(common::Named<QPushButton>("cmdUserCable", "User Cable")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "Print")),
      cmdHelp(common::Named<QPushButton>("cmdHelp", "Help")),
      cmdQuit(common::Named<QPushButton>("cmdQuit", "Quit")) {
    setObjectName("frmKavlo2");
    setWindowTitle("Kavlo");
    txtZ0->setText("50 - j 0.60");

    for (const CableRow& row : Catalogue) cboPickCable->addItem(q(std::string(row.listText)));
    cboPickCable->setCurrentIndex(3);
    cboPickCable->setToolTip("Choose type of transmission line");
    txtReactance->setToolTip("Use minus sign for capacitive reactance");
    optLoad->setToolTip("Specify impedance at the load-end of the line");
    optInput->setToolTip("Specify impedance at the input of the line");
    cmdTuner->setToolTip("Go to Tuner page");
    cmdPrint->setToolTip("Print this screen");
    cmdHelp->setToolTip("Open KAVLO.PDF.");
    cmdQuit->setToolTip("Return to Desktop");
    LblWarning->setToolTip(
        "Since the freq changed, click User-Defined Transmission Line to recompute");
    LblWarning->setStyleSheet("color: rgb(255, 0, 0); font-weight: bold;");
    // The warning comes and goes; the window keeps its size and layout either way.
    LblWarning->setFixedHeight(QFontMetrics(LblWarning->font()).height() + 2);
    QSizePolicy keepPlace = LblWarning->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    LblWarning->setSizePolicy(keepPlace);

    optFeet->setChecked(true);
    optLoad->setChecked(true);
    optNormal->setChecked(true);
    optVoltCurr->setChecked(true);
    cmdGraph->setToolTip("Graph voltage/current or resistance/reactance at input of line. Use "
                         "Tuner button to select Tx power.");
    cmdUserCable->setToolTip("Describe the user-defined transmission line");
    cmdSweep->setToolTip("Sweep the line over a band, with the typed load or a Touchstone or "
                         "CSV file's");
    cmdSmith->setToolTip("Show the load, the line and the tuner on a Smith chart");
    optAutek->setToolTip("Enter the impedance at the line input from an antenna analyser");
    optNoiseBridge->setToolTip("Enter the impedance at the line input from a noise bridge");

    layOut();
    makeWindows();
    readDefaults();
    showModel();
    connectControls();
}

std::string frmKavlo2::DefaultsPath() {
    return common::UserFilePath(common::ProgramFolder(), "TL.DEF", common::UserFile::Defaults);
}

void frmKavlo2::layOut() {
    QFont heading = lblProgram->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    heading.setBold(true);
    lblProgram->setFont(heading);
    lblProgram->setAlignment(Qt::AlignCenter);

    auto* lineBox = new QGroupBox("Transmission Line");
    auto* lineGrid = new QGridLayout(lineBox);
    lineGrid->addWidget(cboPickCable, 0, 0, 1, 2);
    lineGrid->addWidget(LblWarning, 1, 0, 1, 2);
    AddRow(lineGrid, "Characteristic Impedance:", txtZ0, "ohm");
    AddRow(lineGrid, new QLabel("Matched-Line Loss:"), txtMLPer, lbldBPer);
    AddRow(lineGrid, "Velocity Factor:", txtVF);
    AddRow(lineGrid, "Max Voltage:", txtVoltage, "V");

    auto* entryBoxGroup = new QGroupBox("Line and Impedance");
    auto* entryGrid = new QGridLayout(entryBoxGroup);
    AddRow(entryGrid, "Frequency:", txtFreq, "MHz");
    AddRow(entryGrid, new QLabel("Length:"), txtLength, lblUnits);
    AddRow(entryGrid, "Units:", InRow({optFeet, optMeters}));
    AddRow(entryGrid, "Resistance:", txtResistance, "ohm");
    AddRow(entryGrid, "Reactance:", txtReactance, "ohm");
    AddRow(entryGrid, "Impedance is at:", InRow({optLoad, optInput}));
    AddRow(entryGrid, "Entry:", InRow({optNormal, optAutek, optNoiseBridge}));
    Exclusive(this, {optFeet, optMeters});
    Exclusive(this, {optLoad, optInput});
    Exclusive(this, {optNormal, optAutek, optNoiseBridge});
    Exclusive(this, {optVoltCurr, optResisReac});

    auto* resultsBox = new QGroupBox("Results");
    auto* resultsGrid = new QGridLayout(resultsBox);
    AddRow(resultsGrid, "Total Matched-Line Loss:", txtMLTot, "dB");
    AddRow(resultsGrid, "Additional Loss Due to SWR:", txtAddLoss, "dB");
    AddRow(resultsGrid, "Total Line Loss:", txtTotalLoss, "dB");
    AddRow(resultsGrid, "SWR at Load:", txtLoadSWR, ": 1");
    AddRow(resultsGrid, "SWR at Line Input:", txtInputSWR, ": 1");
    AddRow(resultsGrid, lblRho, txtRho);
    AddRow(resultsGrid, lblInputZ, txtImpedIn, new QLabel("ohm"));
    AddRow(resultsGrid, "Polar Form:",
           InRow({txtPolarZ, new QLabel("ohm at"), txtPolarDegree, new QLabel("degrees")}));
    AddRow(resultsGrid, "Length in Wavelengths:", txtWavelen);

    auto* graphBox = new QGroupBox("Along-Line Graph");
    auto* graphRow = new QHBoxLayout(graphBox);
    graphRow->addWidget(optVoltCurr);
    graphRow->addWidget(optResisReac);
    graphRow->addStretch();
    graphRow->addWidget(cmdGraph);

    auto* left = new QVBoxLayout;
    left->addWidget(lineBox);
    left->addWidget(entryBoxGroup);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(resultsBox);
    right->addWidget(graphBox);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdTuner, cmdSweep, cmdSmith, cmdUserCable, cmdPrint, cmdHelp})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdQuit);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lblProgram);
    page->addLayout(columns);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
}

void frmKavlo2::connectControls() {
    connect(txtFreq, &QLineEdit::textChanged, this, &frmKavlo2::txtFreq_Change);
    connect(txtFreq, &QLineEdit::editingFinished, this, &frmKavlo2::txtFreq_LostFocus);
    connect(txtLength, &QLineEdit::textChanged, this, &frmKavlo2::txtLength_Change);
    connect(txtLength, &QLineEdit::editingFinished, this, &frmKavlo2::txtLength_LostFocus);
    connect(txtResistance, &QLineEdit::textChanged, this, &frmKavlo2::txtResistance_Change);
    connect(txtResistance, &QLineEdit::editingFinished, this, &frmKavlo2::txtResistance_LostFocus);
    connect(txtReactance, &QLineEdit::textChanged, this, &frmKavlo2::txtReactance_Change);
    connect(txtReactance, &QLineEdit::editingFinished, this, &frmKavlo2::txtReactance_LostFocus);
    auto whenChecked = [this](QRadioButton* button, void (frmKavlo2::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on && !writingBoxes_) (this->*handler)();
        });
    };
    whenChecked(optFeet, &frmKavlo2::optFeet_Click);
    whenChecked(optMeters, &frmKavlo2::optMeters_Click);
    whenChecked(optLoad, &frmKavlo2::optLoad_Click);
    whenChecked(optInput, &frmKavlo2::optInput_Click);
    whenChecked(optAutek, &frmKavlo2::optAutek_Click);
    whenChecked(optNoiseBridge, &frmKavlo2::optNoiseBridge_Click);
    connect(cboPickCable, &QComboBox::currentIndexChanged, this, &frmKavlo2::cboPickCable_Click);
    // Choosing the user-defined line opens its dialog, also when it is chosen again.
    connect(cboPickCable, &QComboBox::activated, this, [this](int index) {
        if (index == UserDefinedIndex) LoadUserCable();
    });
    connect(cmdUserCable, &QPushButton::clicked, this, &frmKavlo2::LoadUserCable);
    connect(cmdTuner, &QPushButton::clicked, this, &frmKavlo2::cmdTuner_Click);
    connect(cmdGraph, &QPushButton::clicked, this, &frmKavlo2::cmdGraph_Click);
    connect(cmdSweep, &QPushButton::clicked, this, &frmKavlo2::cmdSweep_Click);
    connect(cmdSmith, &QPushButton::clicked, this, &frmKavlo2::cmdSmith_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmKavlo2::cmdPrint_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmKavlo2::cmdHelp_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmKavlo2::cmdQuit_Click);
}

void frmKavlo2::makeWindows() {
    tunerSetup = new frmTuner(calc_, this);
    tunerFirst = new TunerResultWindow("frmTuner1", this);
    tunerSecond = new TunerResultWindow("frmTuner2", this);
    graphWindow = new frmVolt(this);
    sweepWindow = new frmSweep(calc_, this);
    smithWindow = new frmSmith(calc_, this);
    analyser = new frmAutek(this);
    noiseBridge = new frmNB(this);
    userCable = new frmOtrCable(this);
    slotWindows_ = {this, graphWindow, tunerSetup, tunerFirst, tunerSecond};
    placed_[MainSlot] = true;

    connect(tunerSetup, &frmTuner::designed, this, &frmKavlo2::showTunerResult);
    connect(tunerSetup, &frmTuner::changed, this, [this] {
        if (graphWindow->isVisible()) showGraph(graphWindow->graph().kind);
    });
    for (TunerResultWindow* page : {tunerFirst, tunerSecond}) {
        connect(page, &TunerResultWindow::back, this,
                [this] { showWindow(tunerSetup, TunerSetupSlot); });
        connect(page, &TunerResultWindow::continueToGraph, this, &frmKavlo2::cmdGraph_Click);
    }
    for (ConverterDialog* entry : std::initializer_list<ConverterDialog*>{analyser, noiseBridge}) {
        connect(entry, &ConverterDialog::entered, this, &frmKavlo2::enterAtInput);
        connect(entry, &QDialog::rejected, this, [this] {
            // Cancel: nothing entered, the impedance is the load's again.
            calc_.setEnd(KnownEnd::Load);
            settle();
        });
        connect(entry, &QDialog::finished, this, &frmKavlo2::entryClosed);
    }
    connect(userCable, &frmOtrCable::stored, this, &frmKavlo2::storeUserCable);
    connect(sweepWindow, &frmSweep::smithRequested, this, &frmKavlo2::cmdSmith_Click);
    connect(sweepWindow, &frmSweep::swept, this, [this] {
        if (smithWindow->isVisible()) showSmith();
    });
    connect(tunerSetup, &frmTuner::changed, this, [this] {
        if (smithWindow->isVisible()) showSmith();
    });
    // Closed without OK: the boxes still describe the line, but nothing is stored.
    connect(userCable, &QDialog::rejected, this, [this] {
        calc_.useUserCable(userCable->entry());
        settle();
    });
}

void frmKavlo2::readDefaults() {
    sharedFiles_.askAtStart(this);
    const common::TextFile file = sharedFiles_.readDefaults(this, defaultsPath_);
    // No file yet, or one that cannot be read (said): the form defaults stay.
    if (file.state != common::FileState::Read) return;
    TlDefaults d = ParseTlDefaults(file.lines);
    calc_.applyDefaults(d);
    // The user-defined line as its dialog would give it, without showing the dialog.
    if (calc_.cable() == UserDefinedIndex) calc_.startWithUserCable(userCable->entry(), d.user);
    placements_ = d.placements;
    common::ApplyPlacement(this, placements_[MainSlot], false);
}

void frmKavlo2::DoCompute() {
    calc_.DoCompute();
    showModel();
}

void frmKavlo2::showModel() {
    writingBoxes_ = true;
    common::ShowControlTexts(this, BoxTexts, calc_.boxes());
    (calc_.unitWord() == 'M' ? optMeters : optFeet)->setChecked(true);
    (calc_.end() == KnownEnd::Load ? optLoad : optInput)->setChecked(true);
    cboPickCable->setCurrentIndex(calc_.cable());

    const Displays& d = calc_.displays();
    common::ShowControlTexts(this, DisplayTexts, d);
    FitToText(txtZ0, Z0Longest);
    LblWarning->setVisible(!d.warning.empty());
    SetTextColour(txtLoadSWR, d.loadSwrRed);
    SetTextColour(txtInputSWR, d.inputSwrRed);
    SetTextColour(txtImpedIn, d.impedInRed);
    writingBoxes_ = false;
    followLine();
}

void frmKavlo2::showMessages(const std::vector<Message>& messages) {
    // The boxes may lose focus to the message box; that is not the user leaving them.
    writingBoxes_ = true;
    ShowMessages(this, messages);
    writingBoxes_ = false;
}

// Each edit goes to the model, which may rewrite the box; the screen then follows it.
void frmKavlo2::settle(const std::vector<Message>& messages) {
    showModel();
    showMessages(messages);
}

void frmKavlo2::txtFreq_Change() {
    if (!writingBoxes_) settle(calc_.setFrequency(s(txtFreq->text())));
}
void frmKavlo2::txtFreq_LostFocus() {
    if (!writingBoxes_) settle(calc_.leaveFrequency());
}
void frmKavlo2::txtLength_Change() {
    if (!writingBoxes_) settle(calc_.setLength(s(txtLength->text())));
}
void frmKavlo2::txtLength_LostFocus() {
    if (writingBoxes_) return;
    calc_.leaveLength();
    settle();
}
void frmKavlo2::txtResistance_Change() {
    if (writingBoxes_) return;
    calc_.setResistance(s(txtResistance->text()));
    settle();
}
void frmKavlo2::txtResistance_LostFocus() {
    if (writingBoxes_) return;
    calc_.leaveResistance();
    settle();
}
void frmKavlo2::txtReactance_Change() {
    if (writingBoxes_) return;
    calc_.setReactance(s(txtReactance->text()));
    settle();
}
void frmKavlo2::txtReactance_LostFocus() {
    if (writingBoxes_) return;
    calc_.leaveReactance();
    settle();
}
void frmKavlo2::cboPickCable_Click() {
    if (writingBoxes_) return;
    calc_.setCable(cboPickCable->currentIndex());
    settle();
}
void frmKavlo2::optFeet_Click() {
    settle(calc_.setUnit('F'));
    if (calc_.cable() == UserDefinedIndex) LoadUserCable();
}
void frmKavlo2::optMeters_Click() {
    settle(calc_.setUnit('M'));
    if (calc_.cable() == UserDefinedIndex) LoadUserCable();
}
void frmKavlo2::optLoad_Click() {
    calc_.setEnd(KnownEnd::Load);
    settle();
}
void frmKavlo2::optInput_Click() {
    calc_.setEnd(KnownEnd::Input);
    settle();
}

void frmKavlo2::optAutek_Click() { analyser->open(); }
void frmKavlo2::optNoiseBridge_Click() { noiseBridge->openAt(calc_.freq()); }

void frmKavlo2::enterAtInput(const ImpedanceEntry& entry) {
    calc_.setResistance(entry.resistance);
    calc_.setReactance(entry.reactance);
    calc_.setEnd(KnownEnd::Input);
    settle();
}

void frmKavlo2::entryClosed() {
    writingBoxes_ = true;
    optNormal->setChecked(true);
    writingBoxes_ = false;
}

void frmKavlo2::LoadUserCable() {
    const std::vector<std::string> lines =
        common::ReadTextLines(defaultsPath_).value_or(std::vector<std::string>{});
    calc_.loadUserCable(userCable->entry(), ParseTlDefaults(lines).user);
    userCable->showModel();
    settle();
    userCable->open();
}

void frmKavlo2::storeUserCable() {
    TlDefaults d = calc_.acceptUserCable(userCable->entry(), currentPlacements());
    settle();
    if (!sharedFiles_.mayWriteDefaults(this)) return;
    common::Result<> written = WriteTlDefaults(defaultsPath_, d);
    if (!written)
        common::desktop().message(this, q("The user-defined line could not be stored in " +
                                          defaultsPath_ + ": " + written.message() +
                                          ". The previous file is unchanged."));
}

void frmKavlo2::showWindow(QWidget* window, WindowSlot slot) {
    if (!placed_[slot]) {
        common::ApplyPlacement(window, placements_[slot], slot == GraphSlot);
        placed_[slot] = true;
    }
    // A window shown comes on top; one already open is brought there.
    if (window->isVisible())
        window->raise();
    else
        window->show();
}

std::array<common::Placement, SlotCount> frmKavlo2::currentPlacements() const {
    std::array<common::Placement, SlotCount> p = placements_;
    for (int slot = 0; slot < SlotCount; ++slot)
        if (placed_[slot]) {
            p[slot].left = common::LeftTwips(slotWindows_[slot]);
            p[slot].top = common::TopTwips(slotWindows_[slot]);
        }
    if (placed_[GraphSlot]) {
        p[GraphSlot].height = common::ToTwips(graphWindow->height());
        p[GraphSlot].width = common::ToTwips(graphWindow->width());
    }
    p[GraphSlot] =
        GraphPlacementToKeep(p[GraphSlot], common::ToTwips(common::desktop().screenSize().width()));
    return p;
}

void frmKavlo2::followLine() {
    if (tunerSetup->isVisible()) tunerSetup->showLoad();
    if (graphWindow->isVisible()) showGraph(graphWindow->graph().kind);
    if (sweepWindow->isVisible())
        sweepWindow->refresh(); // the Smith chart follows the sweep
    else if (smithWindow->isVisible())
        showSmith();
    for (TunerResultWindow* page : {tunerFirst, tunerSecond})
        if (page->isVisible()) {
            // Designed again quietly: the setup page's values were judged when it was
            // pressed; a line that can no longer be matched says so on the page.
            TunerSetup setup = tunerSetup->setup();
            TunerOutcome outcome = setup.design(TunerLoadOf(calc_));
            if (outcome.result)
                page->showResult(*outcome.result);
            else
                page->showRefusal(outcome.messages.back().text);
        }
}

void frmKavlo2::showGraph(GraphKind kind) {
    graphWindow->showGraph(BuildAlongLineGraph(calc_, tunerSetup->setup().txPower(), kind));
}

void frmKavlo2::cmdTuner_Click() {
    tunerSetup->showPage();
    showWindow(tunerSetup, TunerSetupSlot);
}

void frmKavlo2::showSmith() {
    std::optional<TunerDesign> design;
    if (tunerDesigned_) {
        // Designed again quietly, as the open result pages are.
        TunerSetup setup = tunerSetup->setup();
        TunerOutcome outcome = setup.design(TunerLoadOf(calc_));
        if (outcome.result) design = outcome.result->design;
    }
    smithWindow->showChart(design, sweepWindow->isVisible() ? sweepWindow->model().points()
                                                            : std::vector<SweepPoint>{});
}

void frmKavlo2::cmdSweep_Click() {
    if (!sweepOpened_)
        sweepWindow->centreBand();
    else
        sweepWindow->refresh();
    sweepOpened_ = true;
    if (sweepWindow->isVisible())
        sweepWindow->raise();
    else
        sweepWindow->show();
}

void frmKavlo2::openLoadFile(const QString& path) {
    cmdSweep_Click();
    sweepWindow->openFile(path);
}

void frmKavlo2::cmdSmith_Click() {
    showSmith();
    if (smithWindow->isVisible())
        smithWindow->raise();
    else
        smithWindow->show();
}

void frmKavlo2::showTunerResult(const TunerResult& result) {
    tunerDesigned_ = true;
    if (smithWindow->isVisible()) showSmith();
    const bool tee = InfoOf(result.design.shape).teePage;
    TunerResultWindow* page = tee ? tunerSecond : tunerFirst;
    (tee ? tunerFirst : tunerSecond)->hide();
    page->showResult(result);
    tunerSetup->hide();
    showWindow(page, tee ? TunerSecondSlot : TunerFirstSlot);
}

void frmKavlo2::cmdGraph_Click() {
    showGraph(optVoltCurr->isChecked() ? GraphKind::VoltageCurrent
                                       : GraphKind::ResistanceReactance);
    showWindow(graphWindow, GraphSlot);
}

void frmKavlo2::cmdPrint_Click() { common::PrintWindow(this, {"Kavlo", {}, {}, {}}); }

void frmKavlo2::cmdHelp_Click() { common::OpenHelpDocument(this, "KAVLO.PDF"); }

void frmKavlo2::cmdQuit_Click() {
    if (common::desktop().askYesNo(this, "Are you sure you want to Exit?", "Kavlo"))
        SaveDefaultsAndQuit();
}

void frmKavlo2::saveDefaults() {
    if (saved_) return;
    saved_ = true;
    if (!sharedFiles_.mayWriteDefaults(this)) return;
    common::Result<> saved = SaveTlDefaults(defaultsPath_, calc_.defaults(currentPlacements()));
    if (!saved)
        common::desktop().message(this,
                                  q("The settings could not be saved in " + defaultsPath_ + ": " +
                                    saved.message() + ". The previous file is unchanged."));
}

void frmKavlo2::SaveDefaultsAndQuit() {
    saveDefaults();
    close();
}

void frmKavlo2::closeEvent(QCloseEvent* event) {
    saveDefaults(); // closing by the frame keeps the settings too
    sharedFiles_.release();
    for (QWidget* w :
         std::initializer_list<QWidget*>{graphWindow, sweepWindow, smithWindow, tunerSetup,
                                         tunerFirst, tunerSecond, analyser, noiseBridge, userCable})
        w->close();
    event->accept();
}

} // namespace kavlo
