#pragma once
// The one window: slope, intercept and channel in, the table source in a list, and
// the list saved as a text file.
#include "calibrix/core/number_style.h"

#include "common/qt/desktop.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace calibrix {

class MainForm : public QWidget {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);

    QLabel* lblInstructions;
    QLabel* lblSlope;
    QLineEdit* Slope;
    QLabel* lblIntercept;
    QLineEdit* Intercept;
    QGroupBox* Frame1;
    QRadioButton* ForwardChannel;
    QRadioButton* ReflectedChannel;
    QLabel* lblAdres;
    QLabel* lblFormula;
    QPushButton* Command1;
    QPushButton* Command2;
    QListWidget* List1;
    QLabel* lblSaved; // where the last save went
    common::FileDialogRequest CommonDialog1;

public slots:
    void Command1_Click(); // Construct Tables
    void Command2_Click(); // Save As

private:
    void layOut();

    NumberStyle style_; // the user's, for reading the boxes and writing the powers
};

} // namespace calibrix
