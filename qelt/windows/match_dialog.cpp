#include "match_dialog.h"

#include "controls.h"

#include "common/qt/form_layout.h"
#include "common/qt/form_support.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qelt {
frmMatch::frmMatch(QWidget* owner, MatchHandlers handlers)
    : QDialog(owner), handlers_(std::move(handlers)),
      txtFreq(NumberBox("txtFreq", "Enter frequency to compute match")),
      txtDELength(NumberBox("txtDELength", "Change dimension of driven-element tip")),
      txtZ0(NumberBox("txtZ0",
                      "Default = 50 but enter another value if you like; perhaps 200 ohms for "
                      "4:1 transformer")),
      txtDia(NumberBox("txtDia", "Specify diameter of tubing")),
      txtSpacing(NumberBox("txtSpacing", "Specify spacing from driven element")),
      lblFreq(common::Named<QLabel>("lblFreq", "Match frequency:")),
      lblMHz(common::Named<QLabel>("lblMHz", "MHz")),
      lblTipDE(common::Named<QLabel>("lblTipDE", "Driven-element tip:")),
      lblDEUnit(common::Named<QLabel>("lblDEUnit")),
      lblOrigLen(common::Named<QLabel>("lblOrigLen")),
      lblZ0(common::Named<QLabel>("lblZ0", "Cable Z0 impedance:")),
      lblOhms(common::Named<QLabel>("lblOhms", "ohms")), lblDia(common::Named<QLabel>("lblDia")),
      lblDiaUnits(common::Named<QLabel>("lblDiaUnits")),
      lblSpacing(common::Named<QLabel>("lblSpacing")),
      lblSpacingUnits(common::Named<QLabel>("lblSpacingUnits")),
      lblDEZ(common::Named<QLabel>("lblDEZ")), lblLength(common::Named<QLabel>("lblLength")),
      lblReac(common::Named<QLabel>("lblReac")), lblNeed(common::Named<QLabel>("lblNeed")),
      lblAssumes(common::Named<QLabel>("lblAssumes")),
      lblAdjusted(common::Named<QLabel>("lblAdjusted")),
      optNone(common::Named<QRadioButton>("optNone", "None")),
      optGamma(common::Named<QRadioButton>("optGamma", "Gamma")),
      optHairpin(common::Named<QRadioButton>("optHairpin", "Hairpin")),
      cmdCompute(
          Button("cmdCompute", "Co&mpute Match", "Compute the Gamma or Hairpin match dimensions")),
      cmdAdjust(Button("cmdAdjust", "A&djust driven element",
                       "Lengthen or shorten the driven-element tip until the feed point suits the "
                       "match, then compute it")),
      cmdOK(Button("cmdOK", "&Accept",
                   "Accept matching solution and compute response over frequency range")),
      cmdEsc(Button("cmdEsc", "&Cancel", "Cancel without matching")) {
    setObjectName("frmMatch");
    setWindowTitle("Matching ");
    optGamma->setToolTip("Compute Gamma match");
    optHairpin->setToolTip("Compute Hairpin match");
    cmdCompute->setDefault(true);
    layOut();

    const std::pair<QLineEdit*, MatchBox> boxes[] = {{txtFreq, MatchBox::Freq},
                                                     {txtDELength, MatchBox::Tip},
                                                     {txtZ0, MatchBox::Z0},
                                                     {txtDia, MatchBox::Diameter},
                                                     {txtSpacing, MatchBox::Spacing}};
    for (const auto& [edit, which] : boxes)
        connect(edit, &QLineEdit::textChanged, this, [this, which](const QString& text) {
            if (!showing_) handlers_.type(which, text.toStdString());
        });
    const std::pair<QRadioButton*, Network> options[] = {
        {optNone, Network::None}, {optGamma, Network::Gamma}, {optHairpin, Network::Hairpin}};
    for (const auto& [option, network] : options)
        connect(option, &QRadioButton::clicked, this,
                [this, network] { handlers_.choose(network); });
    connect(cmdCompute, &QPushButton::clicked, this, &frmMatch::cmdCompute_Click);
    connect(cmdAdjust, &QPushButton::clicked, this, &frmMatch::cmdAdjust_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmMatch::cmdOK_Click);
    connect(cmdEsc, &QPushButton::clicked, this, &frmMatch::cmdEsc_Click);
}

void frmMatch::layOut() {
    auto* entries = new QGridLayout;
    auto row = [entries](QLabel* caption, QWidget* value, QLabel* unit, QLabel* after = nullptr) {
        const int r = entries->rowCount();
        entries->addWidget(caption, r, 0);
        entries->addWidget(value, r, 1);
        entries->addWidget(unit, r, 2);
        if (after) entries->addWidget(after, r, 3);
    };
    row(lblFreq, txtFreq, lblMHz);
    row(lblTipDE, txtDELength, lblDEUnit, lblOrigLen);
    row(lblZ0, txtZ0, lblOhms);
    entries->setColumnStretch(3, 1);

    auto* networks = common::Named<QGroupBox>("frmMatches", "Match");
    auto* choices = new QVBoxLayout(networks);
    for (QRadioButton* option : {optNone, optGamma, optHairpin}) choices->addWidget(option);
    common::Exclusive(this, {optNone, optGamma, optHairpin});
    auto* rods = new QGridLayout;
    rods->addWidget(lblDia, 0, 0);
    rods->addWidget(txtDia, 0, 1);
    rods->addWidget(lblDiaUnits, 0, 2);
    rods->addWidget(lblSpacing, 1, 0);
    rods->addWidget(txtSpacing, 1, 1);
    rods->addWidget(lblSpacingUnits, 1, 2);
    rods->setRowStretch(2, 1);
    auto* network = new QHBoxLayout;
    network->addWidget(networks);
    network->addSpacing(12);
    network->addLayout(rods, 1);

    QFont bold = lblLength->font();
    bold.setBold(true);
    auto* design = new QGroupBox("Design");
    auto* results = new QVBoxLayout(design);
    for (QLabel* result : {lblDEZ, lblNeed, lblAssumes, lblAdjusted, lblLength, lblReac}) {
        result->setFont(bold);
        result->setMinimumWidth(result->fontMetrics().horizontalAdvance(
            "Driven element adjusted: tip 8888.888 -> 8888.888 mm, half-length 88888.8 mm"));
        results->addWidget(result);
    }
    for (QLabel* feed : {lblDEZ, lblNeed, lblAssumes, lblAdjusted}) feed->setFont(font());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdAdjust, cmdCompute, cmdOK, cmdEsc}) buttons->addWidget(b);
    auto* page = new QVBoxLayout(this);
    page->addLayout(entries);
    page->addLayout(network);
    page->addWidget(design);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
}

void frmMatch::ask(const Analyser& model) {
    showModel(model);
    QDialog::open();
}

void frmMatch::showModel(const Analyser& model) {
    showing_ = true; // the model's own texts are no edits
    common::ShowControlTexts(this, MatchTextTable, model.matchBoxes());
    showing_ = false;
    const Network choice = model.match().choice();
    (choice == Network::Gamma     ? optGamma
     : choice == Network::Hairpin ? optHairpin
                                  : optNone)
        ->setChecked(true);
    // Rods are for a network; none needs none.
    for (QWidget* rod : std::initializer_list<QWidget*>{lblDia, txtDia, lblDiaUnits, lblSpacing,
                                                        txtSpacing, lblSpacingUnits})
        rod->setEnabled(choice != Network::None);
    cmdAdjust->setEnabled(choice != Network::None);
    for (QLabel* line : {lblNeed, lblAssumes, lblAdjusted})
        line->setVisible(!line->text().isEmpty());
    cmdOK->setEnabled(model.match().acceptEnabled());
}

void frmMatch::cmdCompute_Click() { handlers_.compute(); }

void frmMatch::cmdAdjust_Click() { handlers_.adjust(); }

void frmMatch::cmdOK_Click() {
    if (handlers_.accept()) accept();
}

void frmMatch::cmdEsc_Click() { reject(); }

void frmMatch::reject() {
    handlers_.cancel();
    QDialog::reject();
}

} // namespace qelt
