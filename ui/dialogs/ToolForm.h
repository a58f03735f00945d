#pragma once
// What the small tool windows (f(x) Details, Evaluate, Definite Integral,
// the factor tool) share: their font and the f(x) tools' background.

#include <QFont>

namespace tallix {

// DejaVu Sans at a size in pixels.
inline QFont formFont(int pixelSize) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixelSize);
    return f;
}

// The f(x) tool windows' background, as a colour value (0x00BBGGRR).
inline constexpr int kToolBackground = 14548735;

} // namespace tallix
