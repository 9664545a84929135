#pragma once
// What the two impedance entry converters share: a modal dialog of captioned boxes over
// OK and Cancel, the model's texts and messages shown after each edit, and OK handing
// the impedance to the main window when there is one.
#include "kavlo/core/converters.h"

#include <QDialog>

class QGridLayout;
class QPushButton;

namespace kavlo {

class ConverterDialog : public QDialog {
    Q_OBJECT
public:
    ConverterDialog(const char* formName, const char* caption, QWidget* parent);

signals:
    // OK with an impedance: the main window enters it at the line input.
    void entered(const kavlo::ImpedanceEntry& entry);

protected:
    // The rows of captioned boxes, above the buttons.
    QGridLayout* rows() { return rows_; }
    // The model's texts into the boxes, without their change handlers running.
    void showModel();
    void settle(const std::vector<Message>& messages);
    bool writing() const { return writing_; }

private:
    virtual void showTexts() = 0;
    virtual std::optional<ImpedanceEntry> acceptEntry(std::vector<Message>& messages) = 0;
    void cmdOK_Click();

    QGridLayout* rows_;
    bool writing_ = false;

public:
    QPushButton *cmdOK, *cmdCancel;
};

} // namespace kavlo
