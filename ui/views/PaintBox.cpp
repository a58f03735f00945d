#include "ui/views/PaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tallix {

QColor winColor(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int winValue(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

PaintBox::PaintBox(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage PaintBox::renderImage(qreal ratio) {
    const QSize logical = size().isEmpty() ? QSize(1, 1) : size();
    QImage img(logical * ratio, QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        render(p);
    }
    finishImage(img);
    return img;
}

const QImage& PaintBox::image() {
    return pixels();
}

QImage& PaintBox::pixels() {
    const qreal ratio = devicePixelRatioF();
    if (dirty_ || image_.devicePixelRatio() != ratio) {
        image_ = renderImage(ratio);
        dirty_ = false;
    }
    return image_;
}

void PaintBox::markDirty() {
    dirty_ = true;
    update();
}

void PaintBox::setNote(const QString& note) {
    note_ = note;
    markDirty();
}

void PaintBox::render(QPainter& p) {
    p.setPen(QColor(128, 128, 128));
    p.drawRect(0, 0, width() - 1, height() - 1);
    if (!note_.isEmpty()) {
        p.setPen(Qt::black);
        p.setFont(QFont("DejaVu Sans", 8));
        p.drawText(QRect(4, 2, width() - 8, height() - 4), Qt::AlignLeft | Qt::AlignTop, note_);
    }
}

void PaintBox::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& img = pixels();
    p.drawImage(event->rect(), img,
                QRectF(QPointF(event->rect().topLeft()) * img.devicePixelRatio(),
                       QSizeF(event->rect().size()) * img.devicePixelRatio()));
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->position().toPoint());
}

void PaintBox::resizeEvent(QResizeEvent*) {
    dirty_ = true;
}

} // namespace tallix
