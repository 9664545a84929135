#pragma once
// What the tests of Kavlo's windows share: a main window reading and writing TL.DEF in a
// folder of its own, the scripted desktop, and the controls of any of its windows by name.
#include "kavlo/windows/main_window.h"

#include "common/qt/testing/gui_test.h"
#include "common/text_file.h"

#include <QComboBox>
#include <QTemporaryDir>

#include <fstream>
#include <memory>

namespace kavlo::testing {

class KavloWindowTest : public ::testing::Test {
protected:
    std::string defaultsPath() const {
        return common::InFolder(folder.path().toStdString(), "TL.DEF");
    }
    void writeDefaults(const std::string& content) { std::ofstream(defaultsPath()) << content; }
    std::vector<std::string> savedDefaults() const {
        return common::ReadTextLines(defaultsPath()).value_or(std::vector<std::string>{});
    }
    frmKavlo2& open() {
        window = std::make_unique<frmKavlo2>(defaultsPath());
        return *window;
    }

    // A control of the main window, or of `in`, one of the windows it opens.
    template <typename T> T* control(const char* name, const QWidget* in = nullptr) {
        return common::testing::Control<T>(in ? in : window.get(), name);
    }
    QString text(const char* name, const QWidget* in = nullptr) {
        return common::testing::Text(in ? in : window.get(), name);
    }
    void type(const char* box, const QString& value, const QWidget* in = nullptr) {
        common::testing::Type(in ? in : window.get(), box, value);
    }
    void leave(const char* box, const QWidget* in = nullptr) {
        common::testing::Leave(in ? in : window.get(), box);
    }
    void press(const char* button, const QWidget* in = nullptr) {
        common::testing::Press(in ? in : window.get(), button);
    }
    // The user picking an entry of the cable list, also the one already chosen.
    void chooseCable(int index) {
        auto* list = control<QComboBox>("cboPickCable");
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    QTemporaryDir folder;
    common::ScriptedDesktop& scripted = common::testing::Scripted();
    std::unique_ptr<frmKavlo2> window;
};

} // namespace kavlo::testing
