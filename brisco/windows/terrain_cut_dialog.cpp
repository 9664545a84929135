#include "terrain_cut_dialog.h"

#include "azimuth_rating_window.h"
#include "main_window.h"

#include "common/qt/desktop.h"
#include "common/qt/form_layout.h"
#include "common/qt/form_support.h"
#include "common/qt/qt_text.h"
#include "common/qt/user_files.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace brisco {
namespace {

using common::q;
using common::s;

const char* const ElevationFilter = "Elevation data (*.hgt *.HGT *.tif *.tiff *.TIF *.asc *.vrt "
                                    "*.dem *.img)|*.hgt *.HGT *.tif *.tiff *.TIF *.asc *.vrt "
                                    "*.dem *.img|All files (*)|*";

QLineEdit* box(const char* name, const QString& tip) {
    auto* b = common::Named<QLineEdit>(name);
    b->setToolTip(tip);
    return b;
}

QLabel* note(const char* name) {
    auto* l = common::Named<QLabel>(name);
    l->setWordWrap(true);
    l->setStyleSheet("color: rgb(0, 0, 160);");
    return l;
}

std::string profilesFolder(const std::string& programFolder) {
    return (std::filesystem::path(
                common::UserFileFolder(programFolder, "OUT.PRN", common::UserFile::Results)) /
            "Profiles")
        .string();
}

} // namespace

frmTerrainCut::frmTerrainCut(frmBrisco& main)
    : QWidget(nullptr, Qt::Window), main_(main), model_(profilesFolder(main.assessment().folder())),
      txtDem(box("txtDem", "A file of elevation data (SRTM .hgt, GeoTIFF, ASCII grid) or a "
                           "folder of tiles")),
      txtQth(box("txtQth", "Latitude,longitude in degrees (51.52,-0.12) or a locator (IO91wm)")),
      txtAzimuth(box("txtAzimuth", "One azimuth (45) or START:STOP:STEP (0:350:10), degrees "
                                   "from north")),
      txtLength(box("txtLength", "Empty: 14900 ft, or 150 points at the spacing")),
      txtSpacing(box("txtSpacing", "Empty: 100 ft, or 150 points along the length")),
      txtProfilesOut(box("txtProfilesOut", "The folder the profiles are written to, as AZnnn.PRO")),
      lblPlace(note("lblPlace")), lblPoints(note("lblPoints")), lblAzimuths(note("lblAzimuths")),
      cmdDemFile(common::Named<QPushButton>("cmdDemFile", "File...")),
      cmdDemFolder(common::Named<QPushButton>("cmdDemFolder", "Folder...")),
      cmdProfilesOut(common::Named<QPushButton>("cmdProfilesOut", "...")),
      cmdSlots(common::Named<QPushButton>("cmdSlots", "Put in &Slots")),
      cmdRate(common::Named<QPushButton>("cmdRate", "&Rate All Azimuths")),
      cmdClose(common::Named<QPushButton>("cmdClose", "&Close")),
      ProgressBar1(common::Named<QProgressBar>("ProgressBar1")) {
    setObjectName("frmTerrainCut");
    setWindowTitle("Profiles from Elevation Data, Brisco");
    cmdDemFile->setToolTip("Choose one file of elevation data");
    cmdDemFolder->setToolTip("Choose a tile: every tile in its folder is taken together");
    cmdProfilesOut->setFixedWidth(cmdProfilesOut->fontMetrics().horizontalAdvance("...") + 24);
    cmdProfilesOut->setToolTip("Choose the folder by a file name in it");
    cmdSlots->setToolTip("Write the profiles and put the first four in the slots");
    cmdRate->setToolTip("Rate the antennas of every slot with heights at every azimuth");
    ProgressBar1->setTextVisible(false);
    QSizePolicy keepPlace = ProgressBar1->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ProgressBar1->setSizePolicy(keepPlace);
    ProgressBar1->hide();
    layOut();
    showModel();

    auto edit = [this](QLineEdit* box, void (TerrainCut::*set)(const std::string&)) {
        connect(box, &QLineEdit::textChanged, this, [this, set](const QString& text) {
            if (showing_) return;
            (model_.*set)(s(text));
            showModel();
        });
    };
    edit(txtDem, &TerrainCut::setDem);
    edit(txtQth, &TerrainCut::setQth);
    edit(txtAzimuth, &TerrainCut::setAzimuth);
    edit(txtLength, &TerrainCut::setLength);
    edit(txtSpacing, &TerrainCut::setSpacing);
    edit(txtProfilesOut, &TerrainCut::setProfilesOut);
    connect(cmdDemFile, &QPushButton::clicked, this, &frmTerrainCut::cmdDemFile_Click);
    connect(cmdDemFolder, &QPushButton::clicked, this, &frmTerrainCut::cmdDemFolder_Click);
    connect(cmdProfilesOut, &QPushButton::clicked, this, &frmTerrainCut::cmdProfilesOut_Click);
    connect(cmdSlots, &QPushButton::clicked, this, &frmTerrainCut::cmdSlots_Click);
    connect(cmdRate, &QPushButton::clicked, this, &frmTerrainCut::cmdRate_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmTerrainCut::cmdClose_Click);
}

void frmTerrainCut::layOut() {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Elevation data:"), 0, 0, Qt::AlignRight);
    grid->addWidget(txtDem, 0, 1);
    grid->addWidget(common::InRow({cmdDemFile, cmdDemFolder}), 0, 2);
    grid->addWidget(new QLabel("Station (lat,lon or locator):"), 1, 0, Qt::AlignRight);
    grid->addWidget(txtQth, 1, 1);
    grid->addWidget(lblPlace, 2, 1, 1, 2);
    grid->addWidget(new QLabel("Azimuth, deg.:"), 3, 0, Qt::AlignRight);
    grid->addWidget(txtAzimuth, 3, 1);
    grid->addWidget(lblAzimuths, 4, 1, 1, 2);
    grid->addWidget(new QLabel("Length, ft:"), 5, 0, Qt::AlignRight);
    grid->addWidget(txtLength, 5, 1);
    grid->addWidget(new QLabel("Spacing, ft:"), 6, 0, Qt::AlignRight);
    grid->addWidget(txtSpacing, 6, 1);
    grid->addWidget(lblPoints, 7, 1, 1, 2);
    grid->addWidget(new QLabel("Profiles folder:"), 8, 0, Qt::AlignRight);
    grid->addWidget(txtProfilesOut, 8, 1);
    grid->addWidget(cmdProfilesOut, 8, 2, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, txtDem->fontMetrics().horizontalAdvance(QString(44, 'M')));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSlots);
    buttons->addWidget(cmdRate);
    buttons->addWidget(ProgressBar1, 1);
    buttons->addWidget(cmdClose);
    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addStretch();
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetMinimumSize); // a message of two lines still shows
}

void frmTerrainCut::showModel() {
    showing_ = true;
    common::ShowControlTexts(this, TerrainCutWindowTexts, model_.texts());
    showing_ = false;
}

QString frmTerrainCut::chooseFile(const QString& title, const QString& filter) {
    const std::string start =
        model_.texts().txtDem.empty()
            ? main_.assessment().folder()
            : std::filesystem::path(model_.texts().txtDem).parent_path().string();
    common::FileChoice file = common::desktop().openFile(this, {title, q(start), {}, filter});
    return file.chosen() ? file.path : QString();
}

void frmTerrainCut::cmdDemFile_Click() {
    const QString path = chooseFile("Select elevation data", ElevationFilter);
    if (path.isEmpty()) return;
    model_.setDem(s(path));
    showModel();
}

void frmTerrainCut::cmdDemFolder_Click() {
    const QString path =
        chooseFile("Select a tile: every tile in its folder is taken", ElevationFilter);
    if (path.isEmpty()) return;
    model_.setDem(std::filesystem::path(s(path)).parent_path().string());
    showModel();
}

void frmTerrainCut::cmdProfilesOut_Click() {
    common::FileChoice file = common::desktop().saveFile(
        this, {"The profiles go into the folder of this file", q(model_.texts().txtProfilesOut),
               "AZ000.PRO", "Terrain Files (*.PRO)|*.PRO"});
    if (!file.chosen()) return;
    model_.setProfilesOut(std::filesystem::path(s(file.path)).parent_path().string());
    showModel();
}

void frmTerrainCut::cmdSlots_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<Message> messages = model_.PutInSlots(main_.model());
    QApplication::restoreOverrideCursor();
    main_.showModel();
    main_.showMessages(messages, this);
}

void frmTerrainCut::cmdRate_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const common::Result<std::vector<double>> azimuths = ReadAzimuths(model_.texts().txtAzimuth);
    ProgressBar1->setRange(0, azimuths ? static_cast<int>(azimuths.value().size()) : 1);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    AzimuthRating rating = model_.RateAll(main_.assessment(), main_.engine(), [this](int done) {
        ProgressBar1->setValue(done);
        ProgressBar1->repaint(); // the engine holds the window until it returns
    });
    ProgressBar1->hide();
    QApplication::restoreOverrideCursor();
    main_.showMessages(rating.messages, this);
    if (rating.computed) main_.azimuthWindow().showRating(rating);
}

} // namespace brisco
