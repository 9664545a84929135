#include "options_window.h"

#include "main_window.h"
#include "move_tower_window.h"

#include "common/qt/desktop.h"
#include "common/qt/form_layout.h"
#include "common/qt/form_support.h"
#include "common/qt/window_placement.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brisco {

frmOptions::frmOptions(frmBrisco& main, QWidget* parent)
    : QWidget(parent, Qt::Window), main_(main),
      lblOptForm(common::Named<QLabel>("lblOptForm", "Options")),
      cboEarth(common::Named<QComboBox>("cboEarth")),
      optDiffOn(common::Named<QRadioButton>("optDiffOn", "ON")),
      optDiffOff(common::Named<QRadioButton>("optDiffOff", "OFF")),
      optFeet(common::Named<QRadioButton>("optFeet", "Feet")),
      optMeters(common::Named<QRadioButton>("optMeters", "Meters")),
      lblLogAngle(common::Named<QLabel>("lblLogAngle", "Log Angle:")),
      txtLogAngle(common::Named<QLineEdit>("txtLogAngle", "5")),
      cmdOK(common::Named<QPushButton>("cmdOK", "&OK")),
      cmdClear(common::Named<QPushButton>("cmdClear", "Clear VEXLO.DEF")),
      CmdMove(common::Named<QPushButton>("CmdMove", "Move Tower")) {
    setObjectName("frmOptions");
    setWindowTitle("Options, Brisco");
    for (const GroundRow& row : GroundRows) cboEarth->addItem(row.text);
    cboEarth->setCurrentIndex(AverageSoil);
    cboEarth->setToolTip("Choose soil conductivity and dielectric constant");
    optDiffOn->setToolTip("Choose diffraction ON: energy bent over ridges and into their "
                          "shadow; right on every site");
    optDiffOff->setToolTip("Choose diffraction OFF: direct and reflected rays, eased over "
                           "sharp edges only; for antennas many wavelengths above open ground");
    optFeet->setToolTip("Units in feet");
    optMeters->setToolTip("Units in meters");
    cmdOK->setToolTip("OK and return to main window");
    cmdClear->setToolTip("Start again from a new VEXLO.DEF");
    CmdMove->setToolTip("Make a profile with the tower of Terrain File 1 moved back");
    optDiffOn->setChecked(true);
    optFeet->setChecked(true);
    txtLogAngle->setMaximumWidth(txtLogAngle->fontMetrics().horizontalAdvance("00.00") + 16);
    lblOptForm->setAlignment(Qt::AlignCenter);
    common::MakeHeading(lblOptForm, 1.4);
    lblOptForm->setAutoFillBackground(true);
    lblOptForm->installEventFilter(this);
    layOut();
    showLogSwitch();

    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmOptions::cmdClear_Click);
    connect(CmdMove, &QPushButton::clicked, this, &frmOptions::CmdMove_Click);
}

void frmOptions::layOut() {
    auto* ground = new QVBoxLayout;
    ground->addWidget(new QLabel("Soil Conductivity (mS/m)/Dielectric:"));
    ground->addWidget(cboEarth);

    auto pair = [this](const char* title, QRadioButton* a, QRadioButton* b) {
        auto* box = new QGroupBox(title);
        auto* row = new QHBoxLayout(box);
        row->addWidget(a);
        row->addWidget(b);
        row->addStretch();
        common::Exclusive(this, {a, b});
        return box;
    };
    auto* choices = new QHBoxLayout;
    choices->addWidget(pair("Diffraction", optDiffOn, optDiffOff));
    choices->addWidget(pair("Units", optFeet, optMeters));

    auto* log = new QHBoxLayout;
    log->addWidget(lblLogAngle);
    log->addWidget(txtLogAngle);
    log->addStretch();

    auto* move = new QGroupBox("Move Tower Back");
    auto* moveRow = new QHBoxLayout(move);
    moveRow->addWidget(CmdMove);
    moveRow->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear);
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lblOptForm);
    page->addLayout(ground);
    page->addLayout(choices);
    page->addLayout(log);
    page->addWidget(move);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
    cmdOK->setDefault(true);
}

void frmOptions::showOptions() {
    const Options& o = main_.assessment().options();
    cboEarth->setCurrentIndex(o.groundRow);
    (o.diffractionOff ? optDiffOff : optDiffOn)->setChecked(true);
    (o.units == Units::Meters ? optMeters : optFeet)->setChecked(true);
    txtLogAngle->setText(QString::fromStdString(o.logAngle));
    showLogSwitch();
    show();
    raise();
}

void frmOptions::showLogSwitch() {
    const bool on = main_.assessment().options().logFlag;
    QPalette palette = lblOptForm->palette();
    palette.setColor(QPalette::Window, on ? QColor(0, 255, 255) : QColor(0, 0, 255));
    palette.setColor(QPalette::WindowText, on ? Qt::black : Qt::white);
    lblOptForm->setPalette(palette);
    lblLogAngle->setVisible(on);
    txtLogAngle->setVisible(on);
}

void frmOptions::cmdOK_Click() {
    hide();
    Options o;
    o.groundRow = cboEarth->currentIndex();
    o.diffractionOff = optDiffOff->isChecked();
    o.units = optMeters->isChecked() ? Units::Meters : Units::Feet;
    o.logAngle = txtLogAngle->text().toStdString();
    main_.model().applyOptions(o);
    main_.showModel();
}

void frmOptions::cmdClear_Click() {
    if (!common::desktop().askYesNo(
            this, "This will delete VEXLO.DEF starting file. Are you sure you want to do this?",
            "Brisco"))
        return;
    if (common::Result<> cleared = main_.model().ClearDefaults(); !cleared) {
        main_.showMessages({{"VEXLO.DEF could not be written: " + cleared.message() +
                                 ". The previous file is unchanged.",
                             "Brisco"}},
                           this);
        return;
    }
    main_.showModel();
    common::ApplyPlacement(&main_, main_.assessment().mainPlacement(), true);
    main_.showMessages({{"Writing new DEF. Please start Brisco again.", ""}}, this);
    main_.endWithoutSaving();
}

void frmOptions::CmdMove_Click() {
    main_.moveWindow().showFor(optMeters->isChecked() ? Units::Meters : Units::Feet);
}

void frmOptions::lblOptForm_DblClick() {
    main_.model().setLogFlag(!main_.assessment().options().logFlag);
    showLogSwitch();
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblOptForm && event->type() == QEvent::MouseButtonDblClick) {
        lblOptForm_DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brisco
