#include "ui/dialogs/ToolPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tallix {

void placeToolWindow(QWidget* tool, QWidget* main, QWidget* other) {
    const QRect m = main->frameGeometry();
    const int toolWidth = tool->frameGeometry().width();
    if (other && other->isVisible()) {
        const QRect o = other->frameGeometry();
        const bool otherOnRight = o.center().x() > m.center().x();
        const int shift = (otherOnRight ? 1 : -1) * o.width() / 3;
        other->move(o.topLeft() + QPoint(shift, 0));
        main->move(m.topLeft() + QPoint(shift, 0));
        const QRect moved = main->frameGeometry();
        tool->move(otherOnRight ? moved.left() - toolWidth : moved.right() + 1, moved.top());
        return;
    }
    const QScreen* screen = main->screen() ? main->screen() : QGuiApplication::primaryScreen();
    const int screenCentre = screen ? screen->availableGeometry().center().x() : m.center().x();
    const bool leftHalf = m.center().x() < screenCentre;
    const int shift = (leftHalf ? -1 : 1) * toolWidth / 3;
    main->move(m.topLeft() + QPoint(shift, 0));
    const QRect moved = main->frameGeometry();
    tool->move(leftHalf ? moved.right() + 1 : moved.left() - toolWidth, moved.top());
}

} // namespace tallix
