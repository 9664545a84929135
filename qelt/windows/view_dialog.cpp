#include "view_dialog.h"

#include "common/qt/form_support.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qelt {
namespace {

QRadioButton* option(const char* name, const char* caption, const char* tip) {
    auto* button = common::Named<QRadioButton>(name, caption);
    button->setToolTip(tip);
    return button;
}

// A frame of choices that exclude each other.
QGroupBox* frame(QWidget* owner, const char* title, std::initializer_list<QWidget*> choices) {
    auto* box = new QGroupBox(title);
    auto* column = new QVBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    for (QWidget* w : choices) {
        column->addWidget(w);
        if (auto* radio = qobject_cast<QRadioButton*>(w)) group->addButton(radio);
    }
    return box;
}

} // namespace

frmView::frmView(QWidget* owner, std::function<bool(const ViewChoices&)> accept)
    : QDialog(owner), accept_(std::move(accept)),
      optFR(option("optFR", "F/R",
                   "Display worst-case Front-to-Rear Ratio in rear 90 to 180 degree quadrant")),
      optFB(option("optFB", "F/B",
                   " Display Front-to-Back Ratio, 180 degrees compared to 0 degrees")),
      optFeet(option("optFeet", "feet, inches",
                     "Feet for antenna height and inches for matching network and element "
                     "dimensions")),
      optMeters(option("optMeters", "meters, mm",
                       "Meters for antenna height and mm for matching network and element "
                       "dimensions")),
      optGFS(option("optGFS", "Gain, Pattern, SWR",
                    "Compute graph showing Gain, Pattern and SWR over specified frequency range")),
      optAzi1(option("optAzi1", "Az/El, 0-60 deg.",
                     "Click for rectangular E/H-Plane plot (in free space) or Azimuth/Elevation "
                     "plot over flat ground, 0-60 degrees")),
      optAzi2(option("optAzi2", "Az/El, 0-180 deg.",
                     "Click for rectangular E/H-plane plot (in free space) or Azimuth/Elevation "
                     "plot over flat ground, 0-180 degrees")),
      optPolar(option("optPolar", "Linear polar plot", "Click for linear-scale polar graph")),
      optMorwen(option("optMorwen", "Morwen polar plot",
                       "Click for Az/El plot on Morwen polar plot grid")),
      frmoptAzEl(common::Named<QGroupBox>("frmoptAzEl", "Polar plots")),
      chkAz(common::Named<QCheckBox>("chkAz", "Azimuth")),
      chkElev(common::Named<QCheckBox>("chkElev", "Elevation")),
      txtF0(common::Named<QLineEdit>("txtF0")), cmdOK(common::Named<QPushButton>("cmdOK", "OK")),
      cmdEscape(common::Named<QPushButton>("cmdEscape", "&Cancel")) {
    setObjectName("frmView");
    setWindowTitle("View, other choices");
    txtF0->setToolTip("Frequency for Azimuth/ Elevation graph");
    txtF0->setMaximumWidth(txtF0->fontMetrics().horizontalAdvance("00000.000") + 16);
    cmdOK->setToolTip("Accept changes and compute response");
    cmdEscape->setToolTip("Cancel without changes");
    cmdOK->setDefault(true);

    auto* cuts = new QVBoxLayout(frmoptAzEl);
    cuts->addWidget(chkAz);
    cuts->addWidget(chkElev);
    auto* frequency = new QHBoxLayout;
    frequency->addWidget(new QLabel("Frequency, MHz:"));
    frequency->addWidget(txtF0);
    frequency->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(frame(this, "Pattern", {optFR, optFB}));
    left->addWidget(frame(this, "Units", {optFeet, optMeters}));
    left->addWidget(frmoptAzEl);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(frame(this, "Graph", {optGFS, optAzi1, optAzi2, optPolar, optMorwen}));
    right->addLayout(frequency);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEscape);
    auto* page = new QVBoxLayout(this);
    page->addLayout(columns);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &frmView::cmdOK_Click);
    connect(cmdEscape, &QPushButton::clicked, this, &frmView::cmdEscape_Click);
}

void frmView::ask(const ViewChoices& c, const ViewCaptions& captions) {
    (c.ratio == Ratio::FrontToBack ? optFB : optFR)->setChecked(true);
    (c.units == Units::Metric ? optMeters : optFeet)->setChecked(true);
    QRadioButton* graphs[] = {optGFS, optAzi1, optAzi2, optPolar, optMorwen};
    graphs[static_cast<int>(c.graph)]->setChecked(true);
    chkAz->setChecked(c.azimuth);
    chkElev->setChecked(c.elevation);
    txtF0->setText(QString::fromStdString(c.frequency));
    optAzi1->setText(QString::fromStdString(captions.optAzi1));
    optAzi2->setText(QString::fromStdString(captions.optAzi2));
    chkAz->setText(QString::fromStdString(captions.chkAz));
    chkElev->setText(QString::fromStdString(captions.chkElev));
    QDialog::open();
}

ViewChoices frmView::choices() const {
    ViewChoices c;
    c.ratio = optFB->isChecked() ? Ratio::FrontToBack : Ratio::FrontToRear;
    c.units = optMeters->isChecked() ? Units::Metric : Units::English;
    const QRadioButton* graphs[] = {optGFS, optAzi1, optAzi2, optPolar, optMorwen};
    for (int i = 0; i < 5; ++i)
        if (graphs[i]->isChecked()) c.graph = static_cast<Graph>(i);
    c.azimuth = chkAz->isChecked();
    c.elevation = chkElev->isChecked();
    c.frequency = txtF0->text().toStdString();
    return c;
}

void frmView::cmdOK_Click() {
    if (accept_(choices())) accept();
}

void frmView::cmdEscape_Click() { reject(); }

} // namespace qelt
