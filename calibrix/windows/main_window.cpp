#include "main_window.h"

#include "calibrix/core/lookup_tables.h"
#include "regional_style.h"

#include "common/qt/form_support.h"
#include "common/text_file.h"

#include <QDir>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace calibrix {
MainForm::MainForm(QWidget* parent)
    : QWidget(parent),
      lblInstructions(common::Named<QLabel>(
          "lblInstructions",
          "Enter values for Slope Intercept and whether these refer to foward or reflected power")),
      lblSlope(common::Named<QLabel>("lblSlope", "Slope (dBm per volt) =")),
      Slope(common::Named<QLineEdit>("Slope", "0.1")),
      lblIntercept(common::Named<QLabel>("lblIntercept", "Intercept (dBm) =")),
      Intercept(common::Named<QLineEdit>("Intercept", "-43.64")),
      Frame1(common::Named<QGroupBox>("Frame1", "Select Channel")),
      ForwardChannel(common::Named<QRadioButton>("ForwardChannel", "Forward Power")),
      ReflectedChannel(common::Named<QRadioButton>("ReflectedChannel", "Reflected Power")),
      lblAdres(common::Named<QLabel>("lblAdres", "ADRES is A/D value, 0 to 1023.")),
      lblFormula(common::Named<QLabel>("lblFormula", "dBm = Slope * ADRES + Intercept")),
      Command1(common::Named<QPushButton>("Command1", "Construct Tables")),
      Command2(common::Named<QPushButton>("Command2", "Save As")),
      List1(common::Named<QListWidget>("List1")), lblSaved(common::Named<QLabel>("lblSaved")),
      CommonDialog1{"Save As", {}, {}, "Text files (*.txt)|*.txt"},
      style_(RegionalStyle(QLocale())) {
    setObjectName("MainForm");
    setWindowTitle("Calibrix");
    // The defaults in the user's own style, so that Construct Tables works at once.
    Slope->setText(QString::fromStdString(InStyle("0.1", style_)));
    Intercept->setText(QString::fromStdString(InStyle("-43.64", style_)));
    ForwardChannel->setChecked(true);
    List1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layOut();
    connect(Command1, &QPushButton::clicked, this, &MainForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainForm::Command2_Click);

    QSize screen = common::desktop().screenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void MainForm::layOut() {
    auto* channels = new QVBoxLayout(Frame1);
    channels->addWidget(ForwardChannel);
    channels->addWidget(ReflectedChannel);

    auto* entries = new QFormLayout;
    entries->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    entries->addRow(lblSlope, Slope);
    entries->addRow(lblIntercept, Intercept);
    entries->addRow(Frame1);

    auto* notes = new QVBoxLayout;
    notes->addWidget(lblAdres);
    notes->addWidget(lblFormula);
    notes->addStretch();
    auto* buttons = new QHBoxLayout;
    Command2->setMinimumWidth(Command1->sizeHint().width());
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    notes->addLayout(buttons);

    auto* top = new QHBoxLayout;
    top->addLayout(entries);
    top->addSpacing(24);
    top->addLayout(notes);
    top->addStretch();

    auto* window = new QVBoxLayout(this);
    window->addWidget(lblInstructions);
    window->addSpacing(6);
    window->addLayout(top);
    window->addWidget(List1, 1);
    window->addWidget(lblSaved);

    // Wide enough for the longest retlw line with room to spare, tall enough to read
    // a good part of a table.
    QFontMetrics list(List1->font());
    int margins = window->contentsMargins().left() + window->contentsMargins().right();
    resize(list.horizontalAdvance(QString(100, '0')) + margins +
               style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * List1->frameWidth(),
           42 * list.height());
}

void MainForm::Command1_Click() {
    Calibration calibration{Slope->text().toStdString(), Intercept->text().toStdString(),
                            ForwardChannel->isChecked() ? Channel::Forward : Channel::Reflected};
    auto source = ConstructTables(calibration, style_);
    if (!source) {
        common::desktop().message(this, QString::fromStdString(source.message()));
        return;
    }
    List1->clear();
    lblSaved->clear();
    for (const std::string& line : source.value()) List1->addItem(QString::fromStdString(line));
}

void MainForm::Command2_Click() {
    // An empty list would replace the chosen file with nothing at all.
    if (List1->count() == 0) {
        common::desktop().message(this,
                                  "There are no tables to save yet. Press Construct Tables first.");
        return;
    }
    QString work = QDir::home().filePath("Work");
    CommonDialog1.folder = QDir(work).exists() ? work : QDir::homePath();
    common::FileChoice choice = common::desktop().saveFile(this, CommonDialog1);
    if (!choice.chosen()) return;

    std::vector<std::string> lines;
    for (int i = 0; i < List1->count(); ++i) lines.push_back(List1->item(i)->text().toStdString());
    if (!common::WriteFileAtomically(choice.path.toStdString(), common::JoinLines(lines))) {
        common::desktop().message(this, "I/O Error while writing file");
        return;
    }
    lblSaved->setText("Saved in " + QDir::toNativeSeparators(choice.path));
}

} // namespace calibrix
