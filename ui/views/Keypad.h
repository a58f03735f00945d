#pragma once

#include "engine/core/Tokens.h"
#include "ui/views/PaintBox.h"

#include <array>
#include <optional>

namespace tallix {

// The key faces a keypad shows.
enum class KeypadKind { Calc, FuncX, FuncTheta, FuncT };

// A keypad picture drawn by our code: 8 x 5 white key faces, hit-tested by
// the keypad arithmetic of engine/Tokens. A left press paints the white
// pixels of the key in the pressed-key colour; the release paints them back
// and reports the code taken at the press.
class Keypad : public PaintBox {
    Q_OBJECT
public:
    Keypad(const QString& name, KeypadKind kind, QWidget* parent);

    KeypadKind kind() const { return kind_; }
    // The pressed-key colour as a Windows colour value. The artwork never
    // contains a pixel of this colour.
    void setPressedColor(int winColorValue);
    // The key held down, if any.
    std::optional<TokenCode> pressedCode() const { return pressed_; }

signals:
    void keyClicked(int code);
    // A right click at `pos` (image coordinates).
    void menuRequested(QPoint pos);

protected:
    void render(QPainter& painter) override;
    void finishImage(QImage& image) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The device-pixel rectangle of a key's cell.
    QRect deviceCell(TokenCode code);
    void recolour(TokenCode code, QRgb from, QRgb to);

    KeypadKind kind_;
    QRgb pressedRgb_;
    std::optional<TokenCode> pressed_;
};

} // namespace tallix
