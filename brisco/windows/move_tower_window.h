#pragma once
// "Move Tower": makes a profile from slot 1's with the tower moved back over level ground,
// saves it under a name the user confirms and puts it into slot 2 for comparison.
#include "brisco/core/assessment.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brisco {

class frmBrisco;

class frmMove : public QWidget {
    Q_OBJECT
public:
    explicit frmMove(frmBrisco& main, QWidget* parent = nullptr);

    // Shows the tool for slot 1's file with the distance in metres or feet.
    void showFor(Units units);

public slots:
    void cmdOK_Click(); // MoveTower
    void CmdCancel_Click();

private:
    frmBrisco& main_;
    Units units_ = Units::Feet;

public:
    QLabel *lblInstructions, *lblFile1, *lblFeet;
    QLineEdit* TxtMove;
    QPushButton *cmdOK, *CmdCancel;
};

} // namespace brisco
