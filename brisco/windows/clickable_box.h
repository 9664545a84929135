#pragma once
// A box the program fills and the user clicks to change through a dialog: a terrain file,
// a heights text, an antenna type, the statistics file. Enter or the space bar click it too.
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace brisco {

class ClickableBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ClickableBox(QWidget* parent = nullptr) : QLineEdit(parent) {
        setReadOnly(true);
        setCursor(Qt::PointingHandCursor);
    }
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLineEdit::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
            event->key() == Qt::Key_Space)
            emit clicked();
        else
            QLineEdit::keyPressEvent(event);
    }
};

} // namespace brisco
