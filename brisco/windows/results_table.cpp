#include "results_table.h"

#include "common/qt/desktop.h"
#include "common/qt/form_support.h"
#include "common/qt/window_printing.h"
#include "common/text_file.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brisco {

QTableWidget* MakeResultsTable(const char* name) {
    auto* table = common::Named<QTableWidget>(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents); // as wide as its figures
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

void ShowTable(QTableWidget* table, const std::vector<std::string>& headings,
               const std::vector<std::vector<std::string>>& rows) {
    table->clear();
    table->setColumnCount(static_cast<int>(headings.size()));
    table->setRowCount(static_cast<int>(rows.size()));
    QStringList captions;
    for (const std::string& h : headings) captions << QString::fromStdString(h);
    table->setHorizontalHeaderLabels(captions);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size() && c < headings.size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
            item->setTextAlignment(Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight));
            table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
}

ResultsWindow::ResultsWindow(const char* objectName, const QString& title, const char* noteName,
                             std::string folder, QString csvName)
    : QWidget(nullptr, Qt::Window), content_(new QVBoxLayout), folder_(std::move(folder)),
      csvName_(std::move(csvName)), note(common::Named<QLabel>(noteName)),
      cmdSave(common::Named<QPushButton>("cmdSave", "Save &CSV...")),
      cmdPrint(common::Named<QPushButton>("cmdPrint", "&Print")),
      cmdClose(common::Named<QPushButton>("cmdClose", "&Close")) {
    setObjectName(objectName);
    setWindowTitle(title);
    cmdSave->setToolTip("Save the table as CSV");
    note->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note, 1);
    for (QPushButton* b : {cmdSave, cmdPrint, cmdClose}) buttons->addWidget(b);
    auto* page = new QVBoxLayout(this);
    page->addLayout(content_, 1);
    page->addLayout(buttons);
    connect(cmdSave, &QPushButton::clicked, this, &ResultsWindow::cmdSave_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &ResultsWindow::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &ResultsWindow::cmdClose_Click);
}

void ResultsWindow::cmdSave_Click() {
    common::FileChoice file =
        common::desktop().saveFile(this, {"Save the table as CSV", QString::fromStdString(folder_),
                                          csvName_, "CSV files (*.csv)|*.csv"});
    if (!file.chosen()) return;
    if (common::Result<> written =
            common::WriteFileAtomically(file.path.toStdString(), common::JoinLines(csvLines()));
        !written)
        common::desktop().message(
            this, "The table could not be saved: " + QString::fromStdString(written.message()),
            "Brisco");
}

void ResultsWindow::cmdPrint_Click() {
    common::PrintWindow(this, {"Brisco", {cmdSave, cmdPrint, cmdClose}, {}, {}});
}

} // namespace brisco
