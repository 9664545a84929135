#pragma once
// "Options, Brisco": ground, diffraction, units, the engine's diagnostic log (switched by
// a double-click on the heading), clearing VEXLO.DEF and the move-tower tool.
#include "brisco/core/assessment.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brisco {

class frmBrisco;

class frmOptions : public QWidget {
    Q_OBJECT
public:
    explicit frmOptions(frmBrisco& main, QWidget* parent = nullptr);

    // Shows the options as the program holds them.
    void showOptions();

public slots:
    void cmdOK_Click();
    void cmdClear_Click();
    void CmdMove_Click();
    void lblOptForm_DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void showLogSwitch();

    frmBrisco& main_;

public:
    QLabel* lblOptForm;
    QComboBox* cboEarth;
    QRadioButton *optDiffOn, *optDiffOff, *optFeet, *optMeters;
    QLabel* lblLogAngle;
    QLineEdit* txtLogAngle;
    QPushButton *cmdOK, *cmdClear, *CmdMove;
};

} // namespace brisco
