#include "converter_dialog.h"

#include "window_parts.h"

#include "common/qt/form_support.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kavlo {

ConverterDialog::ConverterDialog(const char* formName, const char* caption, QWidget* parent)
    : QDialog(parent), rows_(new QGridLayout), cmdOK(common::Named<QPushButton>("cmdOK", "OK")),
      cmdCancel(common::Named<QPushButton>("cmdCancel", "Cancel")) {
    setObjectName(formName);
    setWindowTitle(caption);
    setModal(true);
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* page = new QVBoxLayout(this);
    page->addLayout(rows_);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
    connect(cmdOK, &QPushButton::clicked, this, &ConverterDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ConverterDialog::showModel() {
    writing_ = true;
    showTexts();
    writing_ = false;
}

void ConverterDialog::settle(const std::vector<Message>& messages) {
    showModel();
    ShowMessages(this, messages);
}

void ConverterDialog::cmdOK_Click() {
    std::vector<Message> messages;
    std::optional<ImpedanceEntry> impedance = acceptEntry(messages);
    ShowMessages(this, messages);
    if (!impedance) return;
    emit entered(*impedance);
    accept();
}

} // namespace kavlo
