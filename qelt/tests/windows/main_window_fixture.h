#pragma once
// The main window on a defaults file of the test's own, the engine from the run-time
// folder, and ways to reach its controls and dialogs, for the window tests.
#include "qelt/windows/main_window.h"
#include "qelt/windows/view_dialog.h"

#include "common/qt/testing/gui_test.h"
#include "common/text_file.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <fstream>
#include <memory>

using namespace qelt;
using common::testing::ChooseFile;
using common::testing::Control;
using common::testing::Press;
using common::testing::Scripted;

// Failures show the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline QString Sample(const char* name) { return QString(SUITE_DIR "/QeltAnts/") + name; }

class MainWindowTest : public ::testing::Test {
protected:
    std::string folderPath() const { return folder.path().toStdString(); }
    std::string defaultsPath() const { return common::InFolder(folderPath(), "QELT.DEF"); }
    void writeDefaults(const std::string& content) { std::ofstream(defaultsPath()) << content; }
    std::vector<std::string> savedDefaults() const {
        return common::ReadTextLines(defaultsPath()).value_or(std::vector<std::string>{});
    }
    // The window on a defaults file of the test's own, the engine from the run-time folder.
    frmQelt& start() {
        if (!QFile::exists(QString::fromStdString(defaultsPath())))
            writeDefaults("60;48\n3768;2088:6456,8484\n84;2088:6456,8484\nfeet, inches\n" +
                          std::string(SUITE_DIR) + "/QeltAnts\n");
        window = std::make_unique<frmQelt>(folderPath(), SUITE_DIR);
        return *window;
    }
    frmQelt& startWith(const QString& antenna) {
        start();
        ChooseFile(antenna);
        press("cmdFile");
        return *window;
    }

    template <typename T> T* control(const char* name) { return Control<T>(window.get(), name); }
    QString label(const char* name) { return control<QLabel>(name)->text(); }
    void press(const char* name) { Press(window.get(), name); }
    bool enabled(const char* name) { return control<QWidget>(name)->isEnabled(); }
    void chooseView(const char* option, const char* frequency = nullptr) {
        press("cmdView");
        frmView* view = window->ViewDialog;
        Control<QRadioButton>(view, option)->setChecked(true);
        if (frequency) Control<QLineEdit>(view, "txtF0")->setText(frequency);
        Press(view, "cmdOK");
    }

    QTemporaryDir folder;
    common::ScriptedDesktop& scripted = Scripted();
    std::unique_ptr<frmQelt> window;
};
