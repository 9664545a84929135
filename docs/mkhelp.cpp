// mkhelp SOURCE.md OUTPUT.pdf: renders a Markdown help text to a PDF document,
// A4 pages with margins, so the help files are built from plain text with the suite.
#include "help_markdown.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkhelp SOURCE.md OUTPUT.pdf\n");
        return 2;
    }
    // Laying out text needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "mkhelp: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    LoadHelpMarkdown(document, QString::fromUtf8(source.readAll()));

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
    pdf.setTitle(document.begin().text()); // the first heading names the document
    pdf.setCreator("mkhelp");
    document.print(&pdf);
    return 0;
}
