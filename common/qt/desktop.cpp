#include "desktop.h"

#include "common/qt/qt_text.h"
#include "common/text_file.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

namespace common {
namespace {

QString titleOr(const QString& title) {
    return title.isEmpty() ? QApplication::applicationName() : title;
}

class QtDesktop : public Desktop {
public:
    void message(QWidget* parent, const QString& text, const QString& title) override {
        QMessageBox::information(parent, titleOr(title), text);
    }

    bool askYesNo(QWidget* parent, const QString& text, const QString& title) override {
        return QMessageBox::question(parent, titleOr(title), text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

    FileChoice openFile(QWidget* parent, const FileDialogRequest& r) override {
        return choice(
            QFileDialog::getOpenFileName(parent, r.title, startPath(r), QtFilter(r.filter)));
    }

    FileChoice saveFile(QWidget* parent, const FileDialogRequest& r) override {
        return choice(
            QFileDialog::getSaveFileName(parent, r.title, startPath(r), QtFilter(r.filter)));
    }

    PrintResult printWidget(QWidget* widget) override {
        QPrinter printer(QPrinter::HighResolution);
        if (QPrinterInfo::defaultPrinter().isNull()) {
            // No printer on this desktop: the page goes into a PDF file the user names.
            FileChoice pdf = saveFile(widget, {QObject::tr("Print to PDF file"),
                                               {},
                                               widget->windowTitle() + ".pdf",
                                               "PDF files (*.pdf)|*.pdf"});
            if (!pdf.chosen()) return PrintResult::Cancelled;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf.path);
        }
        QPixmap image = widget->grab();
        QPainter painter;
        if (!painter.begin(&printer)) return PrintResult::Failed;
        QRect page = painter.viewport();
        QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
        painter.setViewport(page.x(), page.y(), size.width(), size.height());
        painter.setWindow(image.rect());
        painter.drawPixmap(0, 0, image);
        return painter.end() ? PrintResult::Printed : PrintResult::Failed;
    }

    OpenResult openDocument(const QString& path) override {
        if (!QFileInfo::exists(path)) return OpenResult::NotFound;
        if (!hasViewer(path)) return OpenResult::NoViewer;
        // Qt says no when the desktop has nothing that opens documents.
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? OpenResult::Opened
                                                                    : OpenResult::NoViewer;
    }

    bool startProgram(const QString& program, const QString& document) override {
        return QProcess::startDetached(program, {document});
    }

    QSize screenSize() override {
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() : QSize(1024, 768);
    }

private:
    // Whether the desktop names a program for the document's type; yes when it cannot tell.
    static bool hasViewer(const QString& path) {
        const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");
        if (xdgMime.isEmpty()) return true;
        QProcess query;
        query.start(xdgMime, {"query", "default", QMimeDatabase().mimeTypeForFile(path).name()});
        if (!query.waitForFinished(3000)) {
            query.kill();
            return true;
        }
        return !query.readAllStandardOutput().trimmed().isEmpty();
    }
    static QString startPath(const FileDialogRequest& r) {
        if (r.folder.isEmpty() || QFileInfo(r.fileName).isAbsolute()) return r.fileName;
        return r.fileName.isEmpty() ? r.folder : r.folder + "/" + r.fileName;
    }
    static FileChoice choice(const QString& path) {
        if (path.isEmpty()) return {};
        return {FileChoice::Status::Chosen, path};
    }
};

Desktop* replacementDesktop = nullptr;

} // namespace

Desktop& desktop() {
    static QtDesktop qtDesktop;
    return replacementDesktop ? *replacementDesktop : qtDesktop;
}

void setDesktop(Desktop* replacement) { replacementDesktop = replacement; }

void ShowMessages(QWidget* parent, const std::vector<Message>& messages) {
    for (const Message& m : messages) desktop().message(parent, q(m.text), q(m.title));
}

QString QtFilter(const QString& pipeFilter) {
    QStringList parts = pipeFilter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << (description.contains('(') ? description : description + " (" + patterns + ")");
    }
    if (filters.isEmpty() && !pipeFilter.isEmpty()) filters << pipeFilter;
    return filters.join(";;");
}

void OpenHelpDocument(QWidget* parent, const QString& documentName) {
    // A help document the desktop has no viewer for is still the user's to read.
    OpenDocument(parent,
                 QString::fromStdString(InFolder(ProgramFolder(), documentName.toStdString())),
                 true);
}

void OpenDocument(QWidget* parent, const QString& path, bool chooseProgram) {
    const QString name = QFileInfo(path).fileName();
    OpenResult opened = desktop().openDocument(path);
    if (opened == OpenResult::NotFound)
        desktop().message(parent, name + " or Adobe Reader not available.");
    if (opened != OpenResult::NoViewer || !chooseProgram) return;
    FileChoice program = desktop().openFile(
        parent, {"Choose the program to open " + name + " with", "/usr/bin", {}, "Programs|*"});
    if (program.chosen() && !desktop().startProgram(program.path, path))
        desktop().message(parent, program.path + " could not be started to open " + name + ".");
}

} // namespace common
