#include "help_markdown.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

QString source(const char* name) {
    QFile file(QStringLiteral(TEST_DATA_DIR "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << name;
    return QString::fromUtf8(file.readAll());
}

QString rendered(const QString& markdown) {
    static int argc = 1;
    static char name[] = "help_text_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // fonts need the application
    QTextDocument document;
    LoadHelpMarkdown(document, markdown);
    return document.toPlainText();
}

// What a help text means literally: its code blocks, code spans and escaped characters.
struct Literals {
    QStringList code;
    int stars = 0, underscores = 0;
    void add(const QString& text) {
        code << text;
        stars += static_cast<int>(text.count('*'));
        underscores += static_cast<int>(text.count('_'));
    }
};

Literals literalsOf(const QString& markdown) {
    Literals l;
    bool fenced = false, blank = true, block = false;
    for (const QString& line : markdown.split('\n')) {
        if (line.startsWith("```")) {
            fenced = !fenced;
        } else if (fenced) {
            l.add(line);
        } else if (line.startsWith("    ") && (blank || block) && !line.trimmed().isEmpty()) {
            block = true;
            l.add(line.mid(4));
        } else {
            block = block && line.trimmed().isEmpty();
            const QStringList pieces = line.split('`');
            for (qsizetype i = 1; i < pieces.size(); i += 2) l.add(pieces[i]);
            for (qsizetype i = 0; i < pieces.size(); i += 2) {
                l.stars += static_cast<int>(pieces[i].count("\\*"));
                l.underscores += static_cast<int>(pieces[i].count("\\_"));
            }
        }
        blank = line.trimmed().isEmpty();
    }
    return l;
}

} // namespace

// A lone "*" or "_" in running text is read as emphasis and lost; in code it is kept.
TEST(HelpText, EveryLiteralCharacterIsPrintedAsWritten) {
    for (const char* name : {"kavlo.md", "qelt.md", "brisco.md"}) {
        const QString markdown = source(name);
        const QString text = rendered(markdown);
        const Literals literals = literalsOf(markdown);
        for (const QString& code : literals.code)
            EXPECT_TRUE(text.contains(code)) << name << ": " << code.toStdString();
        EXPECT_EQ(text.count('*'), literals.stars) << name;
        EXPECT_EQ(text.count('_'), literals.underscores) << name;
    }
    const QString brisco = rendered(source("brisco.md"));
    EXPECT_TRUE(brisco.contains(R"(A "*" after a height)"));
    EXPECT_TRUE(brisco.contains("120/90* is two antennas"));
}

TEST(HelpText, CodeKeepsAsterisksUnderscoresAndBackticks) {
    const QString text = rendered("Type `120/90*` or `a_b_c` or ``x`y``.\n\n"
                                  "    block *x* _y_ `z`\n");
    EXPECT_TRUE(text.contains("Type 120/90* or a_b_c or x`y."));
    EXPECT_TRUE(text.contains("block *x* _y_ `z`"));
}
