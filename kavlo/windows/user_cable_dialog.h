#pragma once
// The user-defined line's dialog (frmOtrCable, "User-Defined Transmission Line"): its
// boxes bound to the UserCableEntry model. The main window fills it from TL.DEF, reads the
// line from it when it closes and stores the line when OK is pressed.
#include "kavlo/core/user_cable.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kavlo {

class frmOtrCable : public QDialog {
    Q_OBJECT
public:
    explicit frmOtrCable(QWidget* parent = nullptr);

    UserCableEntry& entry() { return entry_; }
    // The model's boxes, as the main window has just filled them.
    void showModel();

signals:
    void stored(); // OK: the main window stores the line

private slots:
    void cmdCompute_Click();
    void cmdOK_Click();

private:
    UserCableEntry entry_;
    bool writing_ = false;

public:
    QLineEdit *txtR0, *txtX0, *txtVF, *txtVMax, *txtAtten100, *txtOldFreq, *txtNewFreq;
    QLabel *lblSX0, *lblAtten;
    QPushButton *cmdCompute, *cmdOK;
};

} // namespace kavlo
