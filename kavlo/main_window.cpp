#include "main_window.h"

#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
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

namespace kavlo {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }
std::string s(const QString& text) { return text.toStdString(); }

// Room for a text in a box, frame and margins included.
int widthFor(const QLineEdit* box, const QString& longest) {
    return box->fontMetrics().horizontalAdvance(longest) + 16;
}

// A result box: the program writes it, the user reads it. `longest` is the longest text
// its mask can give before the result reads "too large".
QLineEdit* resultBox(const char* name, const char* longest) {
    auto* box = common::Named<QLineEdit>(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(widthFor(box, longest));
    return box;
}

QLineEdit* entryBox(const char* name, const char* text) {
    auto* box = common::Named<QLineEdit>(name, text);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(widthFor(box, QString(10, '0')));
    return box;
}

void setTextColour(QLineEdit* box, bool red) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, red ? QColor(255, 0, 0) : QColor(0, 0, 255));
    box->setPalette(palette);
}

QWidget* inRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6); // a unit stands clear of its box
    for (QWidget* w : widgets) layout->addWidget(w);
    layout->addStretch();
    return row;
}

// One row of a grid: the caption right-aligned, the value with its unit beside it.
void addRow(QGridLayout* grid, QWidget* caption, QWidget* value, QWidget* unit = nullptr) {
    int row = grid->rowCount();
    grid->addWidget(caption, row, 0, Qt::AlignRight);
    grid->addWidget(unit ? inRow({value, unit}) : value, row, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
}
void addRow(QGridLayout* grid, const char* caption, QWidget* value, const char* unit = nullptr) {
    addRow(grid, new QLabel(caption), value, unit ? new QLabel(unit) : nullptr);
}

// Radio buttons in one group exclude each other, whatever their parents.
void exclusive(QWidget* owner, std::initializer_list<QRadioButton*> buttons) {
    auto* group = new QButtonGroup(owner);
    for (QRadioButton* b : buttons) group->addButton(b);
}

} // namespace

frmKavlo2::frmKavlo2(std::string defaultsPath, QWidget* parent)
    : QWidget(parent), defaultsPath_(std::move(defaultsPath)),
      lblProgram(common::Named<QLabel>("lblProgram", "Kavlo Transmission-Line Calculator")),
      cboPickCable(common::Named<QComboBox>("cboPickCable")),
      LblWarning(common::Named<QLabel>("LblWarning")), txtFreq(entryBox("txtFreq", "3.5")),
      txtLength(entryBox("txtLength", "100.000")), txtResistance(entryBox("txtResistance", "50")),
      txtReactance(entryBox("txtReactance", "0")),
      lblUnits(common::Named<QLabel>("lblUnits", "Feet")),
      optFeet(common::Named<QRadioButton>("optFeet", "Feet")),
      optMeters(common::Named<QRadioButton>("optMeters", "Meters")),
      optLoad(common::Named<QRadioButton>("optLoad", "Load")),
      optInput(common::Named<QRadioButton>("optInput", "Input")),
      optNormal(common::Named<QRadioButton>("optNormal", "Typed")),
      optAutek(common::Named<QRadioButton>("optAutek", "Analyser")),
      optNoiseBridge(common::Named<QRadioButton>("optNoiseBridge", "Noise bridge")),
      txtZ0(resultBox("txtZ0", "9999.9 - j 9999.99")), txtMLPer(resultBox("txtMLPer", "99999.999")),
      txtVF(resultBox("txtVF", " .6666667")), txtVoltage(resultBox("txtVoltage", " 99999.99")),
      lbldBPer(common::Named<QLabel>("lbldBPer", "dB/100 Feet")),
      txtMLTot(resultBox("txtMLTot", "999999.999")),
      txtAddLoss(resultBox("txtAddLoss", "999999.999")),
      txtTotalLoss(resultBox("txtTotalLoss", "999999.999")),
      txtLoadSWR(resultBox("txtLoadSWR", "-999999.99")),
      txtInputSWR(resultBox("txtInputSWR", "-999999.99")), txtRho(resultBox("txtRho", "99.99999")),
      lblRho(common::Named<QLabel>("lblRho", "Rho at Load: ")),
      txtImpedIn(resultBox("txtImpedIn", "-999999.99 - j 999999.99")),
      txtPolarZ(resultBox("txtPolarZ", "999999.99")),
      txtPolarDegree(resultBox("txtPolarDegree", "-180.00")),
      lblInputZ(common::Named<QLabel>("lblInputZ", "Impedance at Input: ")),
      txtWavelen(resultBox("txtWavelen", "999999.999")),
      optVoltCurr(common::Named<QRadioButton>("optVoltCurr", "Voltage and current")),
      optResisReac(common::Named<QRadioButton>("optResisReac", "Resistance and reactance")),
      cmdTuner(common::Named<QPushButton>("cmdTuner", "Tuner")),
      cmdGraph(common::Named<QPushButton>("cmdGraph", "Graph")),
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
    // The converters, the tuner, the graphs and the user-cable dialog open their own
    // windows; until those are part of the program their controls stay greyed.
    for (QWidget* w : std::initializer_list<QWidget*>{optAutek, optNoiseBridge, cmdTuner, cmdGraph,
                                                      cmdUserCable, optVoltCurr, optResisReac})
        w->setEnabled(false);

    layOut();
    readDefaults();
    showModel();
    connectControls();
}

std::string frmKavlo2::DefaultsPath() {
    return common::InFolder(common::ProgramFolder(), "TL.DEF");
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
    addRow(lineGrid, "Characteristic Impedance:", txtZ0, "ohm");
    addRow(lineGrid, new QLabel("Matched-Line Loss:"), txtMLPer, lbldBPer);
    addRow(lineGrid, "Velocity Factor:", txtVF);
    addRow(lineGrid, "Max Voltage:", txtVoltage, "V");

    auto* entryBoxGroup = new QGroupBox("Line and Impedance");
    auto* entryGrid = new QGridLayout(entryBoxGroup);
    addRow(entryGrid, "Frequency:", txtFreq, "MHz");
    addRow(entryGrid, new QLabel("Length:"), txtLength, lblUnits);
    addRow(entryGrid, "Units:", inRow({optFeet, optMeters}));
    addRow(entryGrid, "Resistance:", txtResistance, "ohm");
    addRow(entryGrid, "Reactance:", txtReactance, "ohm");
    addRow(entryGrid, "Impedance is at:", inRow({optLoad, optInput}));
    addRow(entryGrid, "Entry:", inRow({optNormal, optAutek, optNoiseBridge}));
    exclusive(this, {optFeet, optMeters});
    exclusive(this, {optLoad, optInput});
    exclusive(this, {optNormal, optAutek, optNoiseBridge});
    exclusive(this, {optVoltCurr, optResisReac});

    auto* resultsBox = new QGroupBox("Results");
    auto* resultsGrid = new QGridLayout(resultsBox);
    addRow(resultsGrid, "Total Matched-Line Loss:", txtMLTot, "dB");
    addRow(resultsGrid, "Additional Loss Due to SWR:", txtAddLoss, "dB");
    addRow(resultsGrid, "Total Line Loss:", txtTotalLoss, "dB");
    addRow(resultsGrid, "SWR at Load:", txtLoadSWR, ": 1");
    addRow(resultsGrid, "SWR at Line Input:", txtInputSWR, ": 1");
    addRow(resultsGrid, lblRho, txtRho);
    addRow(resultsGrid, lblInputZ, txtImpedIn, new QLabel("ohm"));
    addRow(resultsGrid, "Polar Form:",
           inRow({txtPolarZ, new QLabel("ohm at"), txtPolarDegree, new QLabel("degrees")}));
    addRow(resultsGrid, "Length in Wavelengths:", txtWavelen);

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
    for (QPushButton* b : {cmdTuner, cmdUserCable, cmdPrint, cmdHelp}) buttons->addWidget(b);
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
    connect(cboPickCable, &QComboBox::currentIndexChanged, this, &frmKavlo2::cboPickCable_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmKavlo2::cmdPrint_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmKavlo2::cmdHelp_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmKavlo2::cmdQuit_Click);
}

void frmKavlo2::readDefaults() {
    std::optional<std::vector<std::string>> lines = common::ReadTextLines(defaultsPath_);
    if (!lines) return; // no file yet: the form defaults stay
    TlDefaults d = ParseTlDefaults(*lines);
    calc_.applyDefaults(d);
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
    LblWarning->setVisible(!d.warning.empty());
    setTextColour(txtLoadSWR, d.loadSwrRed);
    setTextColour(txtInputSWR, d.inputSwrRed);
    setTextColour(txtImpedIn, d.impedInRed);
    writingBoxes_ = false;
}

void frmKavlo2::showMessages(const std::vector<Message>& messages) {
    // The boxes may lose focus to the message box; that is not the user leaving them.
    writingBoxes_ = true;
    for (const Message& m : messages) common::desktop().message(this, q(m.text), q(m.title));
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
void frmKavlo2::optFeet_Click() { settle(calc_.setUnit('F')); }
void frmKavlo2::optMeters_Click() { settle(calc_.setUnit('M')); }
void frmKavlo2::optLoad_Click() {
    calc_.setEnd(KnownEnd::Load);
    settle();
}
void frmKavlo2::optInput_Click() {
    calc_.setEnd(KnownEnd::Input);
    settle();
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
    placements_[MainSlot] = {common::LeftTwips(this), common::TopTwips(this), {}, {}};
    common::Result<> saved = SaveTlDefaults(defaultsPath_, calc_.defaults(placements_));
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
    event->accept();
}

} // namespace kavlo
