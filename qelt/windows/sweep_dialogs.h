#pragma once
// The two small dialogs that change the conditions of the sweep: frmNewFreq, "Change
// frequency range" (the band's edges, with its centre shown as they are typed), and
// frmAntHt, "Antenna height" (free space or a height over flat ground). OK hands the
// boxes to the main window, which applies them or says why not and keeps the dialog
// open; Cancel changes nothing.
#include "qelt/core/analyser.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qelt {

class frmNewFreq : public QDialog {
    Q_OBJECT
public:
    // `accept` takes the low and high edges as typed; false keeps the dialog open.
    frmNewFreq(QWidget* owner, std::function<bool(const QString&, const QString&)> accept);
    void ask(const FrequencyBoxes& band);

private slots:
    void txtFreq_Change();
    void cmdOK_Click();

private:
    std::function<bool(const QString&, const QString&)> accept_;

public:
    QLabel *lblFreqLo, *lblFreqHi, *lblCentre, *lblFreqCentre;
    QLineEdit *txtFreqLo, *txtFreqHi;
    QPushButton *cmdOK, *cmdCancel;
};

class frmAntHt : public QDialog {
    Q_OBJECT
public:
    // `accept` takes the height as typed; false keeps the dialog open.
    frmAntHt(QWidget* owner, std::function<bool(const QString&)> accept);
    void ask(const HeightBoxes& height);

private slots:
    void cmdOK_Click();

private:
    std::function<bool(const QString&)> accept_;
    QString shown_; // the height in force, for a refused one to give way to

public:
    QLabel *lblHeightPrompt, *lblUnits, *lblNote;
    QLineEdit* txtHeight;
    QPushButton *cmdOK, *cmdCancel;
};

} // namespace qelt
