#pragma once
// "Enter Heights/Antenna Type": the antenna type and the one to four stacked heights of
// every slot in a 4 x 4 grid, written back to the main window by OK.
#include "brisco/core/heights_editor.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brisco {

class frmBrisco;

class frmNewHeights : public QWidget {
    Q_OBJECT
public:
    explicit frmNewHeights(frmBrisco& main, QWidget* parent = nullptr);

    // Fills the grid from the main window's slots and shows the dialog, the cursor in the
    // first height cell, or in a slot's type list when `typeOfSlot` is 0..3.
    void showFor(int typeOfSlot);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdCopy_Click(int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void showEditor();

    frmBrisco& main_;
    HeightsEditor editor_;
    bool showing_ = false;

public:
    std::array<std::array<QLineEdit*, SlotCount>, StackSize> txtHt; // [antenna row][slot]
    std::array<QComboBox*, SlotCount> cboAnt;
    std::array<QLabel*, SlotCount> lblTerrain;
    std::array<QPushButton*, SlotCount> cmdCopy;
    QLabel* lblFeet;
    QPushButton *cmdOK, *cmdCancel;
};

} // namespace brisco
