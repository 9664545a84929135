#include "common/qt/command_line_script.h"

#include "common/qt/testing/gui_test.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A main window with a box and a list, and a second window with a button of the same
// name as one in the first.
struct TwoWindows {
    QWidget main;
    QWidget* second = new QWidget(&main, Qt::Window);
    QLineEdit* box = new QLineEdit;
    QComboBox* list = new QComboBox;
    QPushButton* mainButton = new QPushButton("Main");
    QPushButton* secondButton = new QPushButton("Second");
    int mainPresses = 0, secondPresses = 0, activated = -1;
    QString left;

    TwoWindows() {
        main.setObjectName("frmMain");
        second->setObjectName("frmSecond");
        box->setObjectName("txtBox");
        list->setObjectName("cboList");
        list->addItems({"a", "b", "c"});
        mainButton->setObjectName("cmdGo");
        secondButton->setObjectName("cmdGo");
        auto* layout = new QVBoxLayout(&main);
        for (QWidget* w : std::initializer_list<QWidget*>{box, list, mainButton})
            layout->addWidget(w);
        (new QVBoxLayout(second))->addWidget(secondButton);
        QObject::connect(mainButton, &QPushButton::clicked, [this] { ++mainPresses; });
        QObject::connect(secondButton, &QPushButton::clicked, [this] { ++secondPresses; });
        QObject::connect(list, &QComboBox::activated, [this](int i) { activated = i; });
        QObject::connect(box, &QLineEdit::editingFinished, [this] { left = box->text(); });
    }
};

void RunSteps(QWidget* main, const QStringList& steps) {
    common::RunScript(main, QStringList{"program"} + steps);
    QCoreApplication::processEvents(); // the steps run once the event loop turns
}

} // namespace

TEST(CommandLineScript, TypesPressesAndChoosesInOrder) {
    TwoWindows w;
    w.main.show();
    RunSteps(&w.main, {"--type", "txtBox=3,5", "--choose", "cboList=2", "--press", "cmdGo",
                       "--unrelated", "--press", "frmSecond.cmdGo"});
    EXPECT_EQ(w.box->text(), "3,5");
    EXPECT_EQ(w.left, "3,5") << "typing ends with leaving the box";
    EXPECT_EQ(w.list->currentIndex(), 2);
    EXPECT_EQ(w.activated, 2);
    EXPECT_EQ(w.mainPresses, 1) << "the visible window's button first";
    EXPECT_EQ(w.secondPresses, 1);
}

TEST(CommandLineScript, CloseClosesTheWindowAsItsFrameWould) {
    TwoWindows w;
    w.main.show();
    w.second->show();
    RunSteps(&w.main, {"--press", "frmSecond.cmdGo", "--close", "frmSecond"});
    EXPECT_EQ(w.secondPresses, 1) << "the steps before it ran";
    EXPECT_FALSE(w.second->isVisible());
    EXPECT_TRUE(w.main.isVisible());
}

TEST(CommandLineScript, OtherControlsTakeAMouseClickAndFilesAreTheRest) {
    struct ClickCounter : QWidget {
        int clicks = 0;
        void mouseReleaseEvent(QMouseEvent* e) override {
            if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) ++clicks;
        }
    };
    QWidget main;
    auto* counter = new ClickCounter;
    counter->setObjectName("txtHeight1");
    counter->setFixedSize(40, 20);
    (new QVBoxLayout(&main))->addWidget(counter);
    main.show();
    RunSteps(&main, {"--press", "txtHeight1"});
    EXPECT_EQ(counter->clicks, 1);

    EXPECT_EQ(common::PlainArguments({"qelt", "--type", "a=1", "ANT.QELT", "--screenshot", "x.png",
                                      "--screenshot-window", "frmView", "v.png", "--press", "b",
                                      "--close", "frmQelt", "OTHER"}),
              (QStringList{"ANT.QELT", "OTHER"}));
}
