#pragma once
// What every window test uses: the scripted desktop of the running test and ways to
// reach a window's controls by the names the form gives them. The test program's main
// (gui_test_main.cpp) owns the QApplication and gives each test a fresh ScriptedDesktop.
#include "common/qt/scripted_desktop.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace common::testing {

// The desktop service of the running test, fresh for every test.
ScriptedDesktop& Scripted();

// The control named `name` inside `window`; a missing control fails the test.
template <typename T> T* Control(const QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    EXPECT_TRUE(found) << "no control named " << name.toStdString();
    return found;
}

// The user typing into a box (every keystroke's change handler runs once, for the whole
// text), leaving it, and pressing a button.
inline void Type(const QWidget* window, const QString& box, const QString& text) {
    if (auto* edit = Control<QLineEdit>(window, box)) edit->setText(text);
}
inline void Leave(const QWidget* window, const QString& box) {
    if (auto* edit = Control<QLineEdit>(window, box)) emit edit->editingFinished();
}
inline void Press(const QWidget* window, const QString& button) {
    if (auto* b = Control<QAbstractButton>(window, button)) b->click();
}
inline QString Text(const QWidget* window, const QString& box) {
    auto* edit = Control<QLineEdit>(window, box);
    return edit ? edit->text() : QString();
}

// A file the next open or save dialog returns.
inline void ChooseFile(const QString& path) {
    Scripted().fileChoices.push_back({FileChoice::Status::Chosen, path});
}

} // namespace common::testing
