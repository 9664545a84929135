#include "sweep_dialogs.h"

#include "controls.h"

#include "common/qt/form_support.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qelt {
frmNewFreq::frmNewFreq(QWidget* owner, std::function<bool(const QString&, const QString&)> accept)
    : QDialog(owner), accept_(std::move(accept)),
      lblFreqLo(common::Named<QLabel>("lblFreqLo", "Low frequency, MHz:")),
      lblFreqHi(common::Named<QLabel>("lblFreqHi", "High frequency, MHz:")),
      lblCentre(common::Named<QLabel>("lblCentre", "Center frequency, MHz:")),
      lblFreqCentre(common::Named<QLabel>("lblFreqCentre")),
      txtFreqLo(NumberBox("txtFreqLo", "Specify the lowest frequency in the band")),
      txtFreqHi(NumberBox("txtFreqHi", "Specify the highest frequency in the band")),
      cmdOK(Button("cmdOK", "OK", "Accept frequency range and compute response")),
      cmdCancel(Button("cmdCancel", "&Cancel", "Cancel without changing frequency range")) {
    setObjectName("frmNewFreq");
    setWindowTitle("Change frequency range");
    auto* rows = new QGridLayout;
    rows->addWidget(lblFreqLo, 0, 0);
    rows->addWidget(txtFreqLo, 0, 1);
    rows->addWidget(lblFreqHi, 1, 0);
    rows->addWidget(txtFreqHi, 1, 1);
    rows->addWidget(lblCentre, 2, 0);
    rows->addWidget(lblFreqCentre, 2, 1);
    LayOutDialog(this, rows, cmdOK, cmdCancel);
    connect(txtFreqLo, &QLineEdit::textChanged, this, &frmNewFreq::txtFreq_Change);
    connect(txtFreqHi, &QLineEdit::textChanged, this, &frmNewFreq::txtFreq_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewFreq::cmdOK_Click);
}

void frmNewFreq::ask(const FrequencyBoxes& band) {
    common::ShowControlTexts(this, FrequencyTextTable, band);
    QDialog::open();
}

void frmNewFreq::txtFreq_Change() {
    lblFreqCentre->setText(QString::fromStdString(
        CentreText(txtFreqLo->text().toStdString(), txtFreqHi->text().toStdString())));
}

void frmNewFreq::cmdOK_Click() {
    if (accept_(txtFreqLo->text(), txtFreqHi->text())) accept();
}

frmAntHt::frmAntHt(QWidget* owner, std::function<bool(const QString&)> accept)
    : QDialog(owner), accept_(std::move(accept)),
      lblHeightPrompt(common::Named<QLabel>("lblHeightPrompt", "Enter height (free space = 0):")),
      lblUnits(common::Named<QLabel>("lblUnits")),
      lblNote(common::Named<QLabel>(
          "lblNote", "Use View button from main window to change units of meters or feet")),
      txtHeight(NumberBox("txtHeight")),
      cmdOK(Button("cmdOK", "OK", "Accept height and compute response over frequency range")),
      cmdCancel(Button("cmdCancel", "&Cancel", "Cancel without changing")) {
    setObjectName("frmAntHt");
    setWindowTitle("Antenna height");
    lblNote->setWordWrap(true);
    auto* rows = new QGridLayout;
    rows->addWidget(lblHeightPrompt, 0, 0);
    rows->addWidget(txtHeight, 0, 1);
    rows->addWidget(lblUnits, 0, 2);
    rows->addWidget(lblNote, 1, 0, 1, 3);
    LayOutDialog(this, rows, cmdOK, cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, &frmAntHt::cmdOK_Click);
}

void frmAntHt::ask(const HeightBoxes& height) {
    common::ShowControlTexts(this, HeightTextTable, height);
    shown_ = txtHeight->text();
    txtHeight->selectAll();
    QDialog::open();
}

void frmAntHt::cmdOK_Click() {
    if (accept_(txtHeight->text())) {
        accept();
        return;
    }
    txtHeight->setText(shown_);
    txtHeight->selectAll();
    txtHeight->setFocus();
}

} // namespace qelt
