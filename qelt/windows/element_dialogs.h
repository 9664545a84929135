#pragma once
// The element editor: frmElements shows the element grid (the header row and the caption
// column fixed), a click on a filled cell opens frmChangeCell, "Change cell", with the
// cell's original and current dimensions, a box for the new one and the boom length. OK
// of the editor hands the edited antenna to the main window; Cancel drops the edits.
// Below the grid, buttons add and remove elements and sections on the element whose row
// was clicked last (a click on its caption chooses it without changing a cell).
#include "qelt/core/element_grid.h"

#include <QDialog>

#include <functional>
#include <optional>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace qelt {

class frmChangeCell : public QDialog {
    Q_OBJECT
public:
    explicit frmChangeCell(QWidget* owner);
    void ask(const ElementGrid::CellTexts& texts);

    QLabel *lblOriginal, *lblOrigDim, *lblCurrent, *lblCurDim, *lblNew, *lblBoom;
    QLineEdit *txtNewDim, *txtBoomLen;
    QPushButton *cmdOK, *cmdCancel;
};

class frmElements : public QDialog {
    Q_OBJECT
public:
    // `accept` applies the edited antenna.
    frmElements(QWidget* owner, std::function<void(const ElementGrid&)> accept);

    void ask(ElementGrid grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void MSFlexGrid1_Click(int row, int column);
    void changeCell_OK();
    void cmdOK_Click();
    void cmdAddElement_Click();
    void cmdRemoveElement_Click();
    void cmdAddSection_Click();
    void cmdRemoveSection_Click();

private:
    void showGrid();
    void choose(int row);
    // A structure edit on the chosen element; a refusal is said (false).
    bool reshape(common::Result<> (ElementGrid::*edit)(int));

    std::function<void(const ElementGrid&)> accept_;
    std::optional<ElementGrid> grid_;
    int row_ = 0, column_ = 0; // the cell being changed, in the grid's numbering
    int chosen_ = 0;           // the element the structure buttons work on (0: none)
    QAbstractButton* corner_ = nullptr;
    QString cornerText_;

public:
    QTableWidget* MSFlexGrid1; // the grid's row 0 and column 0 are its headers
    QLabel* lblNote;
    QPushButton *cmdOK, *cmdEscape;
    QLabel* lblChosen;
    QPushButton *cmdAddElement, *cmdRemoveElement, *cmdAddSection, *cmdRemoveSection;
    frmChangeCell* ChangeCell;
};

} // namespace qelt
