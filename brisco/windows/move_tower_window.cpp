#include "move_tower_window.h"

#include "brisco/core/move_tower.h"
#include "main_window.h"

#include "common/constants.h"
#include "common/qt/desktop.h"
#include "common/qt/form_layout.h"
#include "common/qt/form_support.h"
#include "common/text_file.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisco {

frmMove::frmMove(frmBrisco& main, QWidget* parent)
    : QWidget(parent, Qt::Window), main_(main),
      lblInstructions(common::Named<QLabel>(
          "lblInstructions",
          "This allows you to move the base of the tower in Terrain File 1 back from its "
          "present position. Specify the number of feet (meters) to move the tower, which is "
          "assumed to be on flat ground at the same elevation as the present tower base. You "
          "will be asked to save the resulting profile to a new filename, which will be "
          "placed in Terrain File 2, with the same antenna height as File 1 for comparison.")),
      lblFile1(common::Named<QLabel>("lblFile1")),
      lblFeet(common::Named<QLabel>("lblFeet", "Feet")),
      TxtMove(common::Named<QLineEdit>("TxtMove", "100")),
      cmdOK(common::Named<QPushButton>("cmdOK", "OK")),
      CmdCancel(common::Named<QPushButton>("CmdCancel", "Cancel")) {
    setObjectName("frmMove");
    setWindowTitle("Move Tower");
    lblInstructions->setWordWrap(true);
    common::MakeHeading(lblFile1, 1.0);
    TxtMove->setAlignment(Qt::AlignRight);
    TxtMove->setMaximumWidth(TxtMove->fontMetrics().horizontalAdvance("000000.0") + 16);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel("Terrain File 1:"), 0, 0, Qt::AlignRight);
    form->addWidget(lblFile1, 0, 1, 1, 2);
    form->addWidget(new QLabel("Move back:"), 1, 0, Qt::AlignRight);
    form->addWidget(TxtMove, 1, 1);
    form->addWidget(lblFeet, 1, 2);
    form->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(CmdCancel);
    auto* page = new QVBoxLayout(this);
    page->addWidget(lblInstructions);
    page->addLayout(form);
    page->addLayout(buttons);
    setFixedWidth(440);
    cmdOK->setDefault(true);

    connect(cmdOK, &QPushButton::clicked, this, &frmMove::cmdOK_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &frmMove::CmdCancel_Click);
}

void frmMove::showFor(Units units) {
    units_ = units;
    lblFile1->setText(QString::fromStdString(main_.assessment().terrain(0)));
    lblFeet->setText(units == Units::Meters ? "Meters" : "Feet");
    show();
    raise();
}

void frmMove::cmdOK_Click() {
    const Assessment& a = main_.assessment();
    if (a.path(0).empty()) {
        main_.showMessages({NoTerrainToMove}, this);
        return;
    }
    common::Result<ProfileRead> read = ReadTerrainProfile(a.path(0));
    if (!read) {
        main_.showMessages({{read.message(), "Brisco"}}, this);
        return;
    }
    MoveDistance move = ReadMoveDistance(TxtMove->text().toStdString());
    TxtMove->setText(QString::fromStdString(move.boxText));
    if (move.message) main_.showMessages({*move.message}, this);
    if (!move.usable) return;
    const double feet =
        units_ == Units::Meters ? move.distance / common::MetresPerFoot : move.distance;
    const std::string profile = common::JoinLines(MovedProfile(read.value().profile, feet));

    for (;;) {
        common::FileChoice file =
            common::desktop().saveFile(this, {"Save terrain profile to (suggested) filename",
                                              QString::fromStdString(a.resultsFolder()),
                                              QString::fromStdString(SuggestedMoveName(a.path(0))),
                                              "Terrain Files (*.PRO)|*.PRO"});
        if (file.chosen()) {
            common::Result<> written =
                common::WriteFileAtomically(file.path.toStdString(), profile);
            if (written) {
                main_.model().placeMovedProfile(file.path.toStdString());
                main_.showModel();
                hide();
                return;
            }
            main_.showMessages(
                {{"The new profile could not be written: " + written.message(), "Move tower"}},
                this);
        }
        if (common::desktop().askYesNo(this, "Are you sure you want to exit?", "Move tower"))
            return;
    }
}

void frmMove::CmdCancel_Click() { hide(); }

} // namespace brisco
