#include "element_dialogs.h"

#include "controls.h"

#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
#include "common/qt/qt_text.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qelt {
namespace {

using common::q;

} // namespace

frmChangeCell::frmChangeCell(QWidget* owner)
    : QDialog(owner), lblOriginal(new QLabel("Original dimension:")),
      lblOrigDim(common::Named<QLabel>("lblOrigDim")), lblCurrent(new QLabel("Current dimension:")),
      lblCurDim(common::Named<QLabel>("lblCurDim")), lblNew(new QLabel("New dimension:")),
      lblBoom(new QLabel("Boomlength:")),
      txtNewDim(NumberBox("txtNewDim", "Enter dimension to change")),
      txtBoomLen(NumberBox("txtBoomLen")),
      cmdOK(Button("cmdOK", "OK", "Accept new dimension and return to spreadsheet layout")),
      cmdCancel(Button("cmdCancel", "&Cancel", "Cancel without change")) {
    setObjectName("frmChangeCell");
    setWindowTitle("Change cell");
    txtBoomLen->setReadOnly(true);
    auto* rows = new QGridLayout;
    const std::pair<QLabel*, QWidget*> pairs[] = {{lblOriginal, lblOrigDim},
                                                  {lblCurrent, lblCurDim},
                                                  {lblNew, txtNewDim},
                                                  {lblBoom, txtBoomLen}};
    for (const auto& [caption, value] : pairs) {
        const int r = rows->rowCount();
        rows->addWidget(caption, r, 0);
        rows->addWidget(value, r, 1);
    }
    LayOutDialog(this, rows, cmdOK, cmdCancel);
}

void frmChangeCell::ask(const ElementGrid::CellTexts& texts) {
    lblOrigDim->setText(q(texts.original));
    lblCurDim->setText(q(texts.current));
    txtNewDim->setText(q(texts.current));
    txtNewDim->selectAll();
    txtNewDim->setFocus();
    txtBoomLen->setText(q(texts.boom));
    QDialog::open();
}

frmElements::frmElements(QWidget* owner, std::function<void(const ElementGrid&)> accept)
    : QDialog(owner), accept_(std::move(accept)),
      MSFlexGrid1(common::Named<QTableWidget>("MSFlexGrid1")),
      lblNote(common::Named<QLabel>(
          "lblNote", "Click on any filled cell to modify it, except Reflector Spacing")),
      cmdOK(Button("cmdOK", "OK", "Accept change(s) and compute response over frequency range")),
      cmdEscape(Button("cmdEscape", "&Cancel", "Cancel without making change(s)")),
      lblChosen(common::Named<QLabel>("lblChosen")),
      cmdAddElement(Button("cmdAddElement", "Add &element",
                           "Add a director after the chosen element (a reflector before a lone "
                           "driver)")),
      cmdRemoveElement(Button("cmdRemoveElement", "Re&move element",
                              "Remove the chosen element; the others keep their places")),
      cmdAddSection(Button("cmdAddSection", "Add &section",
                           "Split the chosen element's outermost section in two")),
      cmdRemoveSection(Button("cmdRemoveSection", "Remove sec&tion",
                              "Join the chosen element's outermost section to the one inside it")),
      ChangeCell(new frmChangeCell(this)) {
    setObjectName("frmElements");
    setWindowTitle("Elements/Spacings");
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->horizontalHeader()->setSectionsClickable(false);
    MSFlexGrid1->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The table's corner, where the header row meets the caption column, names the unit.
    corner_ = MSFlexGrid1->findChild<QAbstractButton*>();
    if (corner_) corner_->installEventFilter(this);

    auto* structure = new QHBoxLayout;
    structure->addWidget(lblChosen);
    structure->addStretch();
    for (QPushButton* b : {cmdAddElement, cmdRemoveElement, cmdAddSection, cmdRemoveSection})
        structure->addWidget(b);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblNote);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEscape);
    auto* page = new QVBoxLayout(this);
    page->addWidget(MSFlexGrid1, 1);
    page->addLayout(structure);
    page->addLayout(buttons);

    connect(MSFlexGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int column) { MSFlexGrid1_Click(row + 1, column + 1); });
    MSFlexGrid1->verticalHeader()->setSectionsClickable(true);
    connect(MSFlexGrid1->verticalHeader(), &QHeaderView::sectionClicked, this,
            [this](int row) { choose(row + 1); });
    connect(cmdAddElement, &QPushButton::clicked, this, &frmElements::cmdAddElement_Click);
    connect(cmdRemoveElement, &QPushButton::clicked, this, &frmElements::cmdRemoveElement_Click);
    connect(cmdAddSection, &QPushButton::clicked, this, &frmElements::cmdAddSection_Click);
    connect(cmdRemoveSection, &QPushButton::clicked, this, &frmElements::cmdRemoveSection_Click);
    connect(ChangeCell->cmdOK, &QPushButton::clicked, this, &frmElements::changeCell_OK);
    connect(cmdOK, &QPushButton::clicked, this, &frmElements::cmdOK_Click);
    connect(cmdEscape, &QPushButton::clicked, this, &QDialog::reject);
}

void frmElements::ask(ElementGrid grid) {
    grid_.emplace(std::move(grid));
    setWindowTitle(q(grid_->caption()));
    chosen_ = 0;
    showGrid();
    // Wide enough for every column, and tall enough for twenty rows at most.
    const int width = MSFlexGrid1->verticalHeader()->width() +
                      MSFlexGrid1->horizontalHeader()->length() + 2 * MSFlexGrid1->frameWidth() +
                      24;
    const int rows = std::min(grid_->rowCount(), 21);
    MSFlexGrid1->setMinimumSize(width,
                                MSFlexGrid1->horizontalHeader()->height() +
                                    rows * MSFlexGrid1->verticalHeader()->defaultSectionSize() +
                                    2 * MSFlexGrid1->frameWidth());
    adjustSize();
    QDialog::open();
}

void frmElements::showGrid() {
    const ElementGrid& g = *grid_;
    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(g.rowCount() - 1);
    MSFlexGrid1->setColumnCount(ElementGrid::Columns - 1);
    QStringList columns, rows;
    for (int c = 1; c < ElementGrid::Columns; ++c) columns << q(g.text(0, c));
    for (int r = 1; r < g.rowCount(); ++r) rows << q(g.text(r, 0));
    MSFlexGrid1->setHorizontalHeaderLabels(columns);
    MSFlexGrid1->setVerticalHeaderLabels(rows);
    cornerText_ = q(g.text(0, 0));
    if (corner_) corner_->update();
    for (int r = 1; r < g.rowCount(); ++r)
        for (int c = 1; c < ElementGrid::Columns; ++c) {
            auto* item = new QTableWidgetItem(q(g.text(r, c)));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!g.editable(r, c)) item->setFlags(Qt::ItemIsEnabled);
            MSFlexGrid1->setItem(r - 1, c - 1, item);
        }
    MSFlexGrid1->resizeColumnsToContents();
    MSFlexGrid1->setCurrentCell(-1, -1); // no cell looks chosen before a click
    choose(g.rowOf(chosen_));
}

void frmElements::choose(int row) {
    chosen_ = grid_->elementOf(row);
    lblChosen->setText(chosen_ ? "Chosen: " + q(grid_->text(row, 0))
                               : "Click on an element's caption to add or remove after it");
    for (QPushButton* b : {cmdAddElement, cmdRemoveElement, cmdAddSection, cmdRemoveSection})
        b->setEnabled(chosen_ != 0);
    if (chosen_) MSFlexGrid1->selectRow(row - 1);
}

bool frmElements::reshape(common::Result<> (ElementGrid::*edit)(int)) {
    if (common::Result<> done = ((*grid_).*edit)(grid_->rowOf(chosen_)); !done) {
        common::desktop().message(this, q(done.message()), "Qelt");
        return false;
    }
    return true;
}

// A new element is chosen next (the driver, after a reflector put before it); after one
// removed, the element before it.
void frmElements::cmdAddElement_Click() {
    if (reshape(&ElementGrid::addElement))
        chosen_ = grid_->antenna().elementCount == 2 ? 2 : chosen_ + 1;
    showGrid();
}

void frmElements::cmdRemoveElement_Click() {
    if (reshape(&ElementGrid::removeElement)) chosen_ = std::max(1, chosen_ - 1);
    showGrid();
}

void frmElements::cmdAddSection_Click() {
    reshape(&ElementGrid::addSection);
    showGrid();
}

void frmElements::cmdRemoveSection_Click() {
    reshape(&ElementGrid::removeSection);
    showGrid();
}

bool frmElements::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || event->type() != QEvent::Paint)
        return QDialog::eventFilter(watched, event);
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.text = cornerText_;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QPainter painter(corner_);
    corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
    return true;
}

void frmElements::MSFlexGrid1_Click(int row, int column) {
    if (!grid_) return;
    if (grid_->elementOf(row)) choose(row);
    if (!grid_->editable(row, column)) return;
    row_ = row;
    column_ = column;
    ChangeCell->ask(grid_->cellTexts(row, column));
}

void frmElements::changeCell_OK() {
    if (grid_->change(row_, column_, ChangeCell->txtNewDim->text().toStdString()))
        MSFlexGrid1->item(row_ - 1, column_ - 1)->setText(q(grid_->text(row_, column_)));
    ChangeCell->accept();
}

void frmElements::cmdOK_Click() {
    accept_(*grid_);
    accept();
}

} // namespace qelt
