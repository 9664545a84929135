#pragma once
// What the azimuth and band windows share: a read-only table of texts, the note, Save CSV,
// Print and Close buttons under the window's content, the table saved as CSV where the
// user chooses and the window printed.
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

namespace brisco {

// A read-only table named `name`, its columns sized to their texts.
QTableWidget* MakeResultsTable(const char* name);
// The rows under the column headings; each row as many texts as there are headings.
void ShowTable(QTableWidget* table, const std::vector<std::string>& headings,
               const std::vector<std::vector<std::string>>& rows);

class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    // `noteName` names the label beside the buttons; `csvName` is the file name suggested
    // for the CSV, in `folder`.
    ResultsWindow(const char* objectName, const QString& title, const char* noteName,
                  std::string folder, QString csvName);

public slots:
    void cmdSave_Click();
    void cmdPrint_Click();
    void cmdClose_Click() { hide(); }

protected:
    // The window's content goes above the buttons.
    QBoxLayout* content() const { return content_; }
    // What Save CSV writes.
    virtual std::vector<std::string> csvLines() const = 0;

private:
    QBoxLayout* content_;
    std::string folder_;
    QString csvName_;

public:
    QLabel* note;
    QPushButton *cmdSave, *cmdPrint, *cmdClose;
};

} // namespace brisco
