#include "common/qt/testing/gui_test.h"
#include "common/qt/window_printing.h"

#include <QPushButton>
#include <QVBoxLayout>

using common::testing::Scripted;

namespace {

struct Form {
    Form() : layout(&window), button(new QPushButton("Close")) {
        window.resize(200, 120);
        layout.addWidget(button);
        QPalette grey = window.palette();
        grey.setColor(QPalette::Window, QColor(212, 208, 200));
        window.setPalette(grey);
        window.show();
    }
    QWidget window;
    QVBoxLayout layout;
    QPushButton* button;
};

} // namespace

TEST(PrintWindow, AsksFirstPrintsWhiteWithoutHiddenControlsAndRestoresTheScreen) {
    Form form;
    int before = 0, after = 0;
    common::PrintRequest request{"Qelt", {form.button}, [&] { ++before; }, [&] { ++after; }};

    Scripted().answers = {false};
    EXPECT_FALSE(common::PrintWindow(&form.window, request));
    EXPECT_EQ(Scripted().questions.back(), "Are you sure you want to print? ");
    EXPECT_EQ(Scripted().printedCount, 0);
    EXPECT_EQ(before, 0);

    Scripted().answers = {true};
    EXPECT_TRUE(common::PrintWindow(&form.window, request));
    ASSERT_EQ(Scripted().printedPages.size(), 1);
    const QImage page = Scripted().printedPages[0];
    EXPECT_EQ(page.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(page.width() / 2, page.height() / 2), QColor(Qt::white))
        << "the hidden button is not on the page";
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_TRUE(form.button->isVisible());
    EXPECT_EQ(form.window.palette().color(QPalette::Window), QColor(212, 208, 200));
    EXPECT_TRUE(Scripted().messages.isEmpty());
}

TEST(PrintWindow, AFailedPrinterSaysSoUnderTheProgramsTitle) {
    Form form;
    Scripted().answers = {true};
    Scripted().printResults = {common::PrintResult::Failed};
    EXPECT_FALSE(common::PrintWindow(&form.window, {"Brisco", {}, {}, {}}));
    ASSERT_EQ(Scripted().messages.size(), 1);
    EXPECT_EQ(Scripted().messages[0], "Printer problem. ");
    EXPECT_EQ(Scripted().messageTitles[0], "Brisco");
    EXPECT_TRUE(form.button->isVisible());
}
