#include "heights_window.h"

#include "main_window.h"

#include "common/qt/form_support.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace brisco {
namespace {
std::string slotName(const char* stem, int slot) { return stem + std::to_string(slot + 1); }
} // namespace

frmNewHeights::frmNewHeights(frmBrisco& main, QWidget* parent)
    : QWidget(parent, Qt::Window), main_(main), lblFeet(common::Named<QLabel>("lblFeet", "feet")),
      cmdOK(common::Named<QPushButton>("cmdOK", "OK")),
      cmdCancel(common::Named<QPushButton>("cmdCancel", "Cancel")) {
    setObjectName("frmNewHeights");
    setWindowTitle("Enter Heights/Antenna Type");
    for (int column = 0; column < SlotCount; ++column) {
        for (int row = 0; row < StackSize; ++row) {
            const std::string name = "txtHt" + std::to_string(row + 1) + std::to_string(column + 1);
            txtHt[row][column] = common::Named<QLineEdit>(name.c_str());
            txtHt[row][column]->setAlignment(Qt::AlignRight);
            txtHt[row][column]->installEventFilter(this);
        }
        cboAnt[column] = common::Named<QComboBox>(slotName("cboAnt", column).c_str());
        for (int i = 0; i < static_cast<int>(AntennaTypes.size()); ++i)
            cboAnt[column]->addItem(QString::fromStdString(TypeListItem(i)));
        lblTerrain[column] = common::Named<QLabel>(slotName("lblTerrain", column).c_str());
        lblTerrain[column]->setAlignment(Qt::AlignCenter);
        cmdCopy[column] = common::Named<QPushButton>(slotName("cmdCopy", column).c_str(), "Copy");
        cmdCopy[column]->setToolTip("Copy this slot's antennas to another slot");
    }
    cmdOK->setToolTip("Return to main form after saving data");
    cmdCancel->setToolTip("Escapes back to main form without saving data");
    layOut();

    for (int column = 0; column < SlotCount; ++column) {
        connect(cmdCopy[column], &QPushButton::clicked, this,
                [this, column] { cmdCopy_Click(column); });
        connect(cboAnt[column], &QComboBox::currentIndexChanged, this, [this, column](int index) {
            if (!showing_) editor_.setType(column, index);
        });
        for (int row = 0; row < StackSize; ++row)
            connect(txtHt[row][column], &QLineEdit::textChanged, this,
                    [this, row, column](const QString& text) {
                        if (!showing_) editor_.setCell(row, column, text.toStdString());
                    });
    }
    connect(cmdOK, &QPushButton::clicked, this, &frmNewHeights::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewHeights::cmdCancel_Click);
}

void frmNewHeights::layOut() {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("File:"), 1, 0, Qt::AlignRight);
    grid->addWidget(new QLabel("Antenna type:"), 2, 0, Qt::AlignRight);
    for (int row = 0; row < StackSize; ++row)
        grid->addWidget(new QLabel(QString("Antenna %1:").arg(row + 1)), row + 3, 0,
                        Qt::AlignRight);
    for (int column = 0; column < SlotCount; ++column) {
        auto* heading = new QLabel(QString("<b>Terrain %1</b>").arg(column + 1));
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, column + 1);
        grid->addWidget(lblTerrain[column], 1, column + 1);
        grid->addWidget(cboAnt[column], 2, column + 1);
        for (int row = 0; row < StackSize; ++row)
            grid->addWidget(txtHt[row][column], row + 3, column + 1);
        grid->addWidget(cmdCopy[column], StackSize + 3, column + 1);
        grid->setColumnStretch(column + 1, 1);
    }
    grid->addWidget(lblFeet, 3, SlotCount + 1);

    auto* phase = new QLabel("Use * for out-of-phase drive; e.g., 90*");
    auto* gains = new QLabel("Free-space gain: 2-Ele.=5.5 dBi, 3-Ele.=7.0 dBi, 4-Ele.=8.5 dBi, "
                             "5-Ele.=9.5 dBi, 6-Ele.=11.0 dBi, 8-Ele.=12.0 dBi.");
    gains->setMinimumWidth(gains->fontMetrics().horizontalAdvance(gains->text()));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addWidget(phase);
    page->addWidget(gains);
    page->addLayout(buttons);
    cmdOK->setDefault(true);
}

void frmNewHeights::showEditor() {
    showing_ = true;
    common::ShowControlTexts(this, HeightsDialogTexts, editor_.texts());
    for (int column = 0; column < SlotCount; ++column) {
        cboAnt[column]->setCurrentIndex(editor_.type(column));
        cmdCopy[column]->setEnabled(editor_.copyEnabled(column));
    }
    showing_ = false;
}

void frmNewHeights::showFor(int typeOfSlot) {
    editor_.fill(main_.assessment());
    showEditor();
    show();
    raise();
    activateWindow();
    if (typeOfSlot >= 0)
        cboAnt[typeOfSlot]->setFocus();
    else
        txtHt[0][0]->setFocus();
}

void frmNewHeights::cmdCopy_Click(int column) {
    editor_.copy(column);
    showEditor();
    cmdOK->setFocus();
}

void frmNewHeights::cmdOK_Click() {
    main_.model().applyHeights(editor_.columns());
    main_.showModel();
    hide();
}

void frmNewHeights::cmdCancel_Click() { hide(); }

bool frmNewHeights::eventFilter(QObject* watched, QEvent* event) {
    // A cell taking the focus has its first five characters selected, ready to type over.
    if (event->type() == QEvent::FocusIn)
        if (auto* cell = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, cell, [cell] { cell->setSelection(0, 5); });
    return QWidget::eventFilter(watched, event);
}

} // namespace brisco
