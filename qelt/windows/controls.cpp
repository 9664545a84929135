#include "controls.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qelt {

void LayOutDialog(QDialog* dialog, QLayout* rows, QPushButton* ok, QPushButton* cancel) {
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* page = new QVBoxLayout(dialog);
    page->addLayout(rows);
    page->addSpacing(6);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

} // namespace qelt
