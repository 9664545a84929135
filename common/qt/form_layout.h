#pragma once
// How the suite's forms lay out their controls: rows of caption, value and unit,
// option buttons that exclude each other, headings, and the red-or-blue text of a value.
#include <initializer_list>

class QGridLayout;
class QRadioButton;
class QWidget;

namespace common {

// Widgets side by side, packed to the left, a unit standing clear of its box.
QWidget* InRow(std::initializer_list<QWidget*> widgets);

// One row of a grid: the caption right-aligned (none when null), the value with its unit
// beside it.
void AddRow(QGridLayout* grid, QWidget* caption, QWidget* value, QWidget* unit = nullptr);
void AddRow(QGridLayout* grid, const char* caption, QWidget* value, const char* unit = nullptr);

// Option buttons in one group exclude each other, whatever their parents.
void Exclusive(QWidget* owner, std::initializer_list<QRadioButton*> buttons);

// A caption in bold, `scale` times the size of the form's text: a window's heading, or
// with a scale of 1 a label that stands out.
void MakeHeading(QWidget* label, double scale = 1.5);

// Red for a value that needs the user's eye, blue otherwise.
void SetTextColour(QWidget* control, bool red);

} // namespace common
