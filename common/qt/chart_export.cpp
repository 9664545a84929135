#include "chart_export.h"

#include "common/text_file.h"
#include "desktop.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

namespace common {
namespace {

// The folder of the last save, offered again while the program runs.
QString lastFolder;

bool saveThroughDialog(QWidget* parent, const QString& title, const QString& fileName,
                       const QString& filter, const QString& what, std::string_view content) {
    FileChoice choice = desktop().saveFile(parent, {title, lastFolder, fileName, filter});
    if (!choice.chosen()) return false;
    const Result<> written = WriteFileAtomically(choice.path.toStdString(), content);
    if (written) {
        lastFolder = QFileInfo(choice.path).absolutePath();
        return true;
    }
    desktop().message(parent, "The " + what + " could not be saved: " +
                                  QString::fromStdString(written.message()));
    return false;
}

} // namespace

void CopyImage(const QImage& image) { QGuiApplication::clipboard()->setImage(image); }

bool SaveImageAsPng(QWidget* parent, const QImage& image, const QString& fileName) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        desktop().message(parent, "The image could not be made: the chart has no size on "
                                  "the screen.");
        return false;
    }
    return saveThroughDialog(parent, "Save Image As PNG", fileName, "PNG images (*.png)|*.png",
                             "image", std::string_view(png.constData(), png.size()));
}

bool SaveTextAsCsv(QWidget* parent, const std::string& text, const QString& fileName) {
    return saveThroughDialog(parent, "Save Data As CSV", fileName,
                             "CSV files (*.csv)|*.csv|All files (*)|*", "data", text);
}

bool SaveTextAs(QWidget* parent, const std::string& text, const QString& fileName,
                const QString& title, const QString& filter) {
    return saveThroughDialog(parent, title, fileName, filter, "file", text);
}

} // namespace common
