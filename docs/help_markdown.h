#pragma once
// How a help text is read: the one reading mkhelp prints and the help test checks.
#include <QFont>
#include <QString>
#include <QTextDocument>

inline void LoadHelpMarkdown(QTextDocument& document, const QString& markdown) {
    document.setDefaultFont(QFont("DejaVu Sans", 10));
    document.setMarkdown(markdown);
}
