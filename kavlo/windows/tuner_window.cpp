#include "tuner_window.h"

#include "window_parts.h"

#include "common/qt/form_support.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kavlo {

frmTuner::frmTuner(const Calculator& calc, QWidget* parent)
    : QWidget(parent, Qt::Window), calc_(calc),
      optLNet1(common::Named<QRadioButton>("optLNet1", "Low-Pass L-Network")),
      optLNet2(common::Named<QRadioButton>("optLNet2", "High-Pass L-Network")),
      optPiNet(common::Named<QRadioButton>("optPiNet", "Low-Pass Pi-Network")),
      optTeeNet(common::Named<QRadioButton>("optTeeNet", "High-Pass Tee Network")),
      txtCoilQ(EntryBox("txtCoilQ", "200")), txtCapQ(EntryBox("txtCapQ", "1000")),
      txtPhase(EntryBox("txtPhase", "0")), txtStrayC(EntryBox("txtStrayC", "10")),
      txtTxPwr(EntryBox("txtTxPwr", "1500")), txtTunerR(EntryBox("txtTunerR", "50")),
      txtPiCap(EntryBox("txtPiCap", "500")), txtTeeCap(EntryBox("txtTeeCap", "100")),
      lblPiCap(new QLabel("Pi Network Output Capacitor, pF:")),
      lblTeeCap(new QLabel("Tee Network Series Capacitor, pF:")),
      lblTunerLoad(common::Named<QLabel>("lblTunerLoad")),
      cmdDrawTuner(common::Named<QPushButton>("cmdDrawTuner", "Design Tuner")),
      cmdBack(common::Named<QPushButton>("cmdBack", "Back")) {
    setObjectName("frmTuner");
    setWindowTitle("Tuner Selection, Kavlo");
    optPiNet->setToolTip("Shunt-C/series-L/shunt-C Pi network");
    optTeeNet->setToolTip("Series-C/shunt-L/series-C Tee network");
    txtCapQ->setToolTip("Unloaded Q of capacitor(s) -- 1000 for typical air variable");
    txtPhase->setToolTip("Desired phase at output of network");
    txtStrayC->setToolTip("Estimated stray output shunt capacitance");
    txtTxPwr->setToolTip("Up to 5 MW");
    txtTunerR->setToolTip("Desired input resistance seen by transmitter at antenna tuner's input");
    cmdDrawTuner->setToolTip("Design the chosen network and show its page");
    cmdBack->setToolTip("Close and go back to main window.");
    cmdDrawTuner->setDefault(true);
    optLNet1->setChecked(true);
    layOut();
    showModel();
    connectControls();
}

void frmTuner::layOut() {
    auto* types = new QGroupBox("Tuner Network Type");
    auto* typeList = new QVBoxLayout(types);
    for (QRadioButton* b : {optLNet1, optLNet2, optPiNet, optTeeNet}) typeList->addWidget(b);
    typeList->addStretch();
    Exclusive(this, {optLNet1, optLNet2, optPiNet, optTeeNet});

    auto* values = new QGroupBox("Tuner Values");
    auto* grid = new QGridLayout(values);
    AddRow(grid, "Unloaded Inductor Q:", txtCoilQ);
    AddRow(grid, "Unloaded Capacitor Q:", txtCapQ);
    AddRow(grid, "Output voltage phase, deg.:", txtPhase);
    AddRow(grid, "Output Stray Capacitance, pF:", txtStrayC);
    AddRow(grid, "Transmitter Power, W:", txtTxPwr);
    AddRow(grid, "Tuner's Input Resistance:", txtTunerR, "ohms");
    AddRow(grid, lblPiCap, txtPiCap);
    AddRow(grid, lblTeeCap, txtTeeCap);
    // The capacitor boxes come and go with the network; the page keeps its size.
    for (QWidget* w : std::initializer_list<QWidget*>{lblPiCap, txtPiCap, lblTeeCap, txtTeeCap}) {
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keep);
    }

    auto* columns = new QHBoxLayout;
    columns->addWidget(types);
    columns->addWidget(values, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDrawTuner);
    buttons->addStretch();
    buttons->addWidget(cmdBack);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lblTunerLoad);
    page->addLayout(columns);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
}

void frmTuner::connectControls() {
    const std::pair<QLineEdit*, void (TunerSetup::*)(const std::string&)> plain[] = {
        {txtCoilQ, &TunerSetup::setCoilQ}, {txtCapQ, &TunerSetup::setCapQ},
        {txtPhase, &TunerSetup::setPhase}, {txtStrayC, &TunerSetup::setStrayC},
        {txtTxPwr, &TunerSetup::setTxPwr}, {txtTunerR, &TunerSetup::setTunerR},
        {txtPiCap, &TunerSetup::setPiCap}, {txtTeeCap, &TunerSetup::setTeeCap},
    };
    for (const auto& [box, set] : plain)
        connect(box, &QLineEdit::textChanged, this, [this, box, set] {
            if (writing_) return;
            (setup_.*set)(s(box->text()));
            emit changed();
        });
    connect(txtCoilQ, &QLineEdit::editingFinished, this, &frmTuner::txtCoilQ_LostFocus);
    connect(txtCapQ, &QLineEdit::editingFinished, this, &frmTuner::txtCapQ_LostFocus);
    const std::pair<QLineEdit*, void (TunerSetup::*)()> capacitors[] = {
        {txtPiCap, &TunerSetup::leavePiCap}, {txtTeeCap, &TunerSetup::leaveTeeCap}};
    for (const auto& [box, leave] : capacitors)
        connect(box, &QLineEdit::editingFinished, this, [this, leave] {
            if (writing_) return;
            (setup_.*leave)();
            showModel();
        });
    const std::pair<QRadioButton*, TunerChoice> options[] = {
        {optLNet1, TunerChoice::LowPassL},
        {optLNet2, TunerChoice::HighPassL},
        {optPiNet, TunerChoice::Pi},
        {optTeeNet, TunerChoice::Tee},
    };
    for (const auto& [button, choice] : options)
        connect(button, &QRadioButton::toggled, this, [this, choice](bool on) {
            if (on && !writing_) choose(choice);
        });
    connect(cmdDrawTuner, &QPushButton::clicked, this, &frmTuner::cmdDrawTuner_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmTuner::cmdBack_Click);
}

void frmTuner::showModel() {
    writing_ = true;
    common::ShowControlTexts(this, TunerBoxTexts, setup_.boxes());
    lblPiCap->setVisible(setup_.piCapShown());
    txtPiCap->setVisible(setup_.piCapShown());
    lblTeeCap->setVisible(setup_.teeCapShown());
    txtTeeCap->setVisible(setup_.teeCapShown());
    writing_ = false;
    showLoad();
}

void frmTuner::showLoad() { lblTunerLoad->setText(q(TunerLoadText(TunerLoadOf(calc_)))); }

void frmTuner::showPage() { showModel(); }

void frmTuner::choose(TunerChoice choice) {
    setup_.choose(choice);
    showModel();
}

void frmTuner::txtCoilQ_LostFocus() {
    if (writing_) return;
    std::vector<Message> messages = setup_.leaveCoilQ();
    showModel();
    ShowMessages(this, messages);
}

void frmTuner::txtCapQ_LostFocus() {
    if (writing_) return;
    std::vector<Message> messages = setup_.leaveCapQ();
    showModel();
    ShowMessages(this, messages);
}

void frmTuner::cmdDrawTuner_Click() {
    TunerOutcome outcome = setup_.design(TunerLoadOf(calc_));
    showModel();
    // The boxes may lose focus to a message box; that is not the user leaving them.
    writing_ = true;
    ShowMessages(this, outcome.messages);
    writing_ = false;
    if (outcome.result) emit designed(*outcome.result);
}

void frmTuner::cmdBack_Click() { hide(); }

} // namespace kavlo
