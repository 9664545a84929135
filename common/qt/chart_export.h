#pragma once
// Taking a chart out of the program: its image to the clipboard or a PNG file, its numbers
// to a CSV file. The files are chosen in the desktop's save dialog; Cancel saves nothing
// and says nothing, a failed write says what failed and leaves an existing file as it was.
#include <QString>

#include <string>

class QImage;
class QWidget;

namespace common {

void CopyImage(const QImage& image);
// `fileName` is the name the dialog suggests. True when the file was written.
bool SaveImageAsPng(QWidget* parent, const QImage& image, const QString& fileName);
bool SaveTextAsCsv(QWidget* parent, const std::string& text, const QString& fileName);
// Any other text file: the dialog's title and its "description|pattern" filter given.
bool SaveTextAs(QWidget* parent, const std::string& text, const QString& fileName,
                const QString& title, const QString& filter);

} // namespace common
