#pragma once

#include <QToolButton>
#include <QWidget>

namespace tallix {

// A pair of small arrow buttons, up over down, as the tool windows' number
// steppers: stepped(true) for up, stepped(false) for down.
class StepArrows : public QWidget {
    Q_OBJECT
public:
    StepArrows(const QString& name, QWidget* parent) : QWidget(parent) {
        setObjectName(name);
        setFixedSize(16, 22);
        up_ = new QToolButton(this);
        up_->setArrowType(Qt::UpArrow);
        up_->setGeometry(0, 0, 16, 11);
        down_ = new QToolButton(this);
        down_->setArrowType(Qt::DownArrow);
        down_->setGeometry(0, 11, 16, 11);
        for (QToolButton* b : {up_, down_})
            b->setFocusPolicy(Qt::NoFocus);
        connect(up_, &QToolButton::clicked, this, [this] { emit stepped(true); });
        connect(down_, &QToolButton::clicked, this, [this] { emit stepped(false); });
    }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void stepped(bool up);

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace tallix
