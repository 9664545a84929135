#pragma once
// frmView, "View, other choices": the ratio (F/R or F/B), the unit system, what to
// compute and draw (the sweep, a rectangular pattern, a polar plot), which cuts the polar
// plots show, and the pattern's frequency. OK hands the choices to the main window,
// which applies them or says why not; Cancel leaves everything as it was.
#include "qelt/core/analyser.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qelt {

class frmView : public QDialog {
    Q_OBJECT
public:
    // `accept` applies the choices; false keeps the dialog open.
    frmView(QWidget* owner, std::function<bool(const ViewChoices&)> accept);

    // Shows the choices in force, with the captions that follow the height.
    void ask(const ViewChoices& choices, const ViewCaptions& captions);
    ViewChoices choices() const;

private slots:
    void cmdOK_Click();
    void cmdEscape_Click();

private:
    std::function<bool(const ViewChoices&)> accept_;

public:
    QRadioButton *optFR, *optFB, *optFeet, *optMeters;
    QRadioButton *optGFS, *optAzi1, *optAzi2, *optPolar, *optMorwen;
    QGroupBox* frmoptAzEl;
    QCheckBox *chkAz, *chkElev;
    QLineEdit* txtF0;
    QPushButton *cmdOK, *cmdEscape;
};

} // namespace qelt
