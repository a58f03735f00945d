#include "ui/views/Keypad.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tallix {

namespace {

// Key faces, row by row. "\n" splits a two-line face.
constexpr std::array<const char*, 40> kCalcFaces = {
    "√",   "x²",  "abs", "7",    "8", "9",   "+", "^", //
    "∛",   "x³",  "sin", "4",    "5", "6",   "−", "(", //
    "log", "10^", "cos", "1",    "2", "3",   "*", ")", //
    "ln",  "e^",  "tan", "π",    "0", "e",   "/", "=", //
    "ⁿ√",  "!",   "arc", "frac", ".", "dec", "←", "CE"};

constexpr std::array<const char*, 40> kFuncFaces = {
    "",    "abs", "sin", "7", "8", "9",  "+", "^", //
    "√",   "x²",  "cos", "4", "5", "6",  "−", "(", //
    "∛",   "x³",  "tan", "1", "2", "3",  "*", ")", //
    "log", "10^", "arc", "π", "0", "e",  "/", "",  //
    "ln",  "e^",  "ⁿ√",  "!", ".", "CE", "←", ""};

const QColor kFrame(70, 86, 120);
const QColor kDigitInk(0, 0, 0);
const QColor kOpInk(0, 0, 140);
const QColor kFnInk(120, 0, 0);

bool isFuncKind(KeypadKind k) {
    return k != KeypadKind::Calc;
}

} // namespace

Keypad::Keypad(const QString& name, KeypadKind kind, QWidget* parent)
    : PaintBox(name, parent), kind_(kind), pressedRgb_(qRgb(255, 255, 0)) {
    const bool func = isFuncKind(kind);
    setFixedSize(func ? kFuncKeypadWidth : kCalcKeypadWidth,
                 func ? kFuncKeypadHeight : kCalcKeypadHeight);
    setCursor(Qt::PointingHandCursor);
}

void Keypad::setPressedColor(int value) {
    pressedRgb_ = winColor(value).rgb();
    markDirty();
}

void Keypad::render(QPainter& p) {
    const bool func = isFuncKind(kind_);
    const double cw = width() / 8.0, rh = height() / 5.0;
    p.fillRect(rect(), kFrame);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font("DejaVu Sans", 9);
    font.setPixelSize(12);
    for (int code = 0; code < 40; ++code) {
        const int row = code / 8, col = code % 8;
        if (func && code == func::EnterLow) continue; // part of the tall Enter key
        const bool tall = func && code == func::Enter;
        QRectF cell(col * cw, row * rh, cw, tall ? 2 * rh : rh);
        cell.adjust(1.5, 1.5, -1.5, -1.5);
        QPainterPath face;
        face.addRoundedRect(cell, 3, 3);
        p.fillPath(face, Qt::white);

        const QColor ink = isDigitCode(static_cast<TokenCode>(code)) ? kDigitInk
                           : (col >= 6)                              ? kOpInk
                                                                     : kFnInk;
        p.setPen(ink);
        QString text = QString::fromUtf8(func ? kFuncFaces[code] : kCalcFaces[code]);
        QFont f = font;
        if (tall) {
            text = "Enter";
            f.setPixelSize(9);
        } else if (func && code == func::Var) {
            // The variable key: the variable over the word "var".
            const QString v = kind_ == KeypadKind::FuncX       ? "x"
                              : kind_ == KeypadKind::FuncTheta ? "θ"
                                                               : "t";
            f.setPixelSize(12);
            f.setBold(true);
            p.setFont(f);
            p.drawText(cell.adjusted(0, 0, 0, -cell.height() * 0.4), Qt::AlignCenter, v);
            f.setBold(false);
            f.setPixelSize(8);
            p.setFont(f);
            p.drawText(cell.adjusted(0, cell.height() * 0.5, 0, 0), Qt::AlignCenter, "var");
            continue;
        } else if (text.size() > 3) {
            f.setPixelSize(10);
        }
        p.setFont(f);
        p.drawText(cell, Qt::AlignCenter, text);
    }
}

// The release paints pressed-colour pixels back to white, so the artwork must
// not contain that colour: any such pixel is nudged by one step of blue.
void Keypad::finishImage(QImage& img) {
    const QRgb hl = pressedRgb_ | 0xFF000000u;
    const QRgb nudged = qRgb(qRed(hl), qGreen(hl), qBlue(hl) ^ 1);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] | 0xFF000000u) == hl) line[x] = nudged;
    }
}

QRect Keypad::deviceCell(TokenCode code) {
    const PixelRect r = keypadCellRect(width(), height(), code, isFuncKind(kind_));
    const qreal ratio = pixels().devicePixelRatio();
    const int left = static_cast<int>(std::floor(r.left * ratio));
    const int top = static_cast<int>(std::floor(r.top * ratio));
    const int right = static_cast<int>(std::ceil((r.right + 1) * ratio)) - 1;
    const int bottom = static_cast<int>(std::ceil((r.bottom + 1) * ratio)) - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom)).intersected(pixels().rect());
}

void Keypad::recolour(TokenCode code, QRgb from, QRgb to) {
    QImage& img = pixels();
    const QRect cell = deviceCell(code);
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = cell.left(); x <= cell.right(); ++x)
            if ((line[x] | 0xFF000000u) == (from | 0xFF000000u)) line[x] = to | 0xFF000000u;
    }
    update();
}

void Keypad::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        emit menuRequested(pos);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const auto hit = keypadHitTest(width(), height(), pos.x(), pos.y());
    if (!hit) return;
    pressed_ = hit->code;
    recolour(hit->code, qRgb(255, 255, 255), pressedRgb_);
}

void Keypad::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    const TokenCode code = *pressed_;
    pressed_.reset();
    recolour(code, pressedRgb_, qRgb(255, 255, 255));
    emit keyClicked(code);
}

} // namespace tallix
