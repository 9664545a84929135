#include "calibrix/core/lookup_tables.h"
#include "calibrix/windows/main_window.h"
#include "calibrix/windows/regional_style.h"

#include "common/qt/testing/gui_test.h"
#include "common/text_file.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace calibrix;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("HOME", home.path().toLocal8Bit());
    }

    template <typename T> T* control(const char* name) {
        return common::testing::Control<T>(&form, name);
    }
    void press(const char* button) { common::testing::Press(&form, button); }
    QStringList listed() {
        QStringList lines;
        auto* list = control<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    }
    void save(const QString& path) {
        common::testing::ChooseFile(path);
        press("Command2");
    }

    QTemporaryDir home;
    common::ScriptedDesktop& scripted = common::testing::Scripted(); // before the form
    MainForm form;
};

std::string tablesWithDefaults() {
    return common::JoinLines(
        ConstructTables({"0.1", "-43.64", Channel::Forward}, RegionalStyle(QLocale())).value());
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(MainFormTest, StartsWithTheDefaultsCentredOnTheScreen) {
    EXPECT_EQ(form.windowTitle(), "Calibrix");
    EXPECT_EQ(control<QLineEdit>("Slope")->text(), "0.1");
    EXPECT_EQ(control<QLineEdit>("Intercept")->text(), "-43.64");
    EXPECT_TRUE(control<QRadioButton>("ForwardChannel")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("ReflectedChannel")->isChecked());
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "Select Channel");
    EXPECT_EQ(control<QPushButton>("Command1")->text(), "Construct Tables");
    EXPECT_EQ(control<QPushButton>("Command2")->text(), "Save As");
    EXPECT_EQ(control<QLabel>("lblSlope")->text(), "Slope (dBm per volt) =");
    EXPECT_EQ(control<QListWidget>("List1")->count(), 0);
    EXPECT_TRUE(QFontInfo(control<QListWidget>("List1")->font()).fixedPitch());
    EXPECT_EQ(form.x(), (1920 - form.width()) / 2);
    EXPECT_EQ(form.y(), (1080 - form.height()) / 2);
}

TEST_F(MainFormTest, ConstructThenSaveWritesTheListByteForByte) {
    press("Command1");
    EXPECT_EQ(listed().size(), 2068);
    EXPECT_EQ(listed().join('\n').toStdString() + '\n', tablesWithDefaults());

    QString path = home.filePath("tables.txt");
    save(path);
    EXPECT_TRUE(scripted.messages.isEmpty());
    EXPECT_EQ(fileBytes(path).toStdString(), tablesWithDefaults());
    EXPECT_EQ(control<QLabel>("lblSaved")->text(), "Saved in " + path);
    ASSERT_EQ(scripted.fileRequests.size(), 1);
    EXPECT_EQ(scripted.fileRequests[0].filter, "Text files (*.txt)|*.txt");
    EXPECT_EQ(scripted.fileRequests[0].folder, home.path()); // no Work folder yet

    ASSERT_TRUE(QDir(home.path()).mkdir("Work"));
    save(path);
    EXPECT_EQ(scripted.fileRequests[1].folder, home.filePath("Work"));
}

TEST_F(MainFormTest, ReflectedChannelReachesTheList) {
    control<QRadioButton>("ReflectedChannel")->click();
    press("Command1");
    EXPECT_EQ(listed()[1], "; Lookup Table for Reflected (Channel 1) Power");
    EXPECT_EQ(listed()[5], "RLowByteTable0");
}

TEST_F(MainFormTest, SavingBeforeConstructingWritesNothingAndSaysWhy) {
    QString path = home.filePath("tables.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old tables\n");
    old.close();
    save(path);
    EXPECT_EQ(scripted.messages,
              QStringList{"There are no tables to save yet. Press Construct Tables first."});
    EXPECT_TRUE(scripted.fileRequests.isEmpty());
    EXPECT_EQ(fileBytes(path), "old tables\n");
}

TEST_F(MainFormTest, CancelledSaveSaysNothingAndWritesNothing) {
    press("Command1");
    press("Command2"); // the scripted dialog answers Cancelled
    EXPECT_EQ(scripted.fileRequests.size(), 1);
    EXPECT_TRUE(scripted.messages.isEmpty());
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(MainFormTest, WriteFailureKeepsTheOldFileAndTheList) {
    press("Command1");
    QString path = home.filePath("tables.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old tables\n");
    old.close();

    save(home.filePath("missing/tables.txt"));
    EXPECT_EQ(scripted.messages, QStringList{"I/O Error while writing file"});
    EXPECT_EQ(fileBytes(path), "old tables\n");
    EXPECT_EQ(listed().size(), 2068);
}

TEST_F(MainFormTest, BadInputsLeaveTheListAsItWas) {
    press("Command1");
    QStringList before = listed();

    control<QLineEdit>("Slope")->setText("one");
    press("Command1");
    control<QLineEdit>("Slope")->setText("0.1");
    control<QLineEdit>("Intercept")->setText("");
    press("Command1");
    control<QLineEdit>("Intercept")->setText("1000");
    press("Command1");

    ASSERT_EQ(scripted.messages.size(), 3);
    EXPECT_EQ(scripted.messages[0], "Enter numeric value for slope");
    EXPECT_EQ(scripted.messages[1], "Enter numeric value for Intercept");
    EXPECT_TRUE(scripted.messages[2].contains("ADRES = 0 ")) << scripted.messages[2].toStdString();
    EXPECT_EQ(listed(), before);
}

TEST(MainFormInAFrenchLocale, ShowsTheDefaultsInItsStyleAndSavesPlainText) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTemporaryDir folder;
    {
        MainForm form;
        EXPECT_EQ(form.Slope->text(), "0,1");
        EXPECT_EQ(form.Intercept->text(), "-43,64");
        form.Intercept->setText("-40"); // the top powers pass 1000 W and get grouped
        form.Command1->click();
        EXPECT_TRUE(common::testing::Scripted().messages.isEmpty());
        ASSERT_EQ(form.List1->count(), 2068);

        common::testing::ChooseFile(folder.filePath("t.txt"));
        form.Command2->click();
    }
    QLocale::setDefault(before);
    const QByteArray bytes = fileBytes(folder.filePath("t.txt"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return c > 0 && c < 0x7F; }))
        << "the table file holds a character outside plain ASCII";
    EXPECT_TRUE(bytes.contains("Forward Power = 1 698,2 W\n"));
}
