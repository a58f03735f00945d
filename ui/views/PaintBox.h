#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class QPainter;

namespace tallix {

// A widget over an off-screen image: the picture is rendered into its own
// QImage at the screen's device pixel ratio when marked dirty, and paintEvent
// only copies it. Per-pixel effects (key feedback, exclusive-or cursors) and
// picture capture therefore work on exact pixels.
//
// The base class draws an empty white frame; it stands in for the displays
// whose contents arrive later.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    PaintBox(const QString& name, QWidget* parent);

    // The current picture, rendered first when dirty.
    const QImage& image();
    // Renders afresh at `ratio` (device pixels per logical pixel).
    QImage renderImage(qreal ratio);
    // Re-render before the next paint.
    void markDirty();

    // A short line of text drawn in the top-left corner (empty: none).
    void setNote(const QString& note);
    const QString& note() const { return note_; }

signals:
    // A mouse button went down at pos (widget coordinates).
    void pressed(Qt::MouseButton button, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Draws the picture in logical coordinates over the whole widget size.
    virtual void render(QPainter& painter);
    // Called on the finished picture (after the painter is done).
    virtual void finishImage(QImage&) {}
    // Direct pixel access for subclasses; rendered and current.
    QImage& pixels();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage image_;
    bool dirty_ = true;
    QString note_;
};

// A Windows colour value (0x00BBGGRR) as a QColor, and back.
QColor winColor(int value);
int winValue(const QColor& colour);

} // namespace tallix
