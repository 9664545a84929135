#pragma once
// The pieces every Kavlo window is laid out with: result and entry boxes sized for
// their texts, rows of caption, value and unit, exclusive option groups, and the model's
// messages shown through the desktop service.
#include "message.h"

#include <QString>

#include <initializer_list>
#include <string>
#include <vector>

class QGridLayout;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace kavlo {

inline QString q(const std::string& text) { return QString::fromStdString(text); }
inline std::string s(const QString& text) { return text.toStdString(); }

// A box the program writes and the user reads, wide enough for `longest`.
QLineEdit* ResultBox(const char* name, const char* longest);
// A box the user types into, starting with `text`.
QLineEdit* EntryBox(const char* name, const char* text);

// Widgets side by side, packed to the left.
QWidget* InRow(std::initializer_list<QWidget*> widgets);
// One row of a grid: the caption right-aligned, the value with its unit beside it.
void AddRow(QGridLayout* grid, QWidget* caption, QWidget* value, QWidget* unit = nullptr);
void AddRow(QGridLayout* grid, const char* caption, QWidget* value, const char* unit = nullptr);

// Option buttons in one group exclude each other, whatever their parents.
void Exclusive(QWidget* owner, std::initializer_list<QRadioButton*> buttons);

// Red for a value that needs the user's eye, blue otherwise.
void SetTextColour(QWidget* control, bool red);

// Message boxes, one after another.
void ShowMessages(QWidget* parent, const std::vector<Message>& messages);

// A caption in bold, a little larger: the heading of a window.
void MakeHeading(QWidget* label, double scale = 1.5);

} // namespace kavlo
