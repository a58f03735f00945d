#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace tallix {

// A label used as a button: a left click (press and release on it) emits
// clicked(); a right press emits rightPressed().
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString& name, const QString& text, QWidget* parent) : QLabel(text, parent) {
        setObjectName(name);
    }

signals:
    void clicked();
    void rightPressed(QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) emit rightPressed(e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            emit clicked();
    }
};

} // namespace tallix
