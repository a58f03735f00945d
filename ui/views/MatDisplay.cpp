#include "ui/views/MatDisplay.h"

#include "engine/matrix/MatState.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <set>

namespace tallix {

namespace matfont {
namespace {
QFont face(int px, bool underline = false) {
    QFont f("DejaVu Sans");
    f.setPixelSize(px);
    f.setUnderline(underline);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}
} // namespace
QFont smallTitle() {
    return face(8, true);
}
QFont listName() {
    return face(16);
}
QFont nominal() {
    return face(11);
}
QFont listCells() {
    return face(8);
}
QFont listDates() {
    return face(9);
}
QFont nameExpr() {
    return face(16);
}
QFont cells() {
    return face(13);
}
QFont resultTitle() {
    return face(11, true);
}
QFont backLink() {
    return face(9);
}
} // namespace matfont

namespace {

const QColor kBackground(248, 248, 248);

void drawTextAt(QPainter& p, int x, int y, const QString& text) {
    p.drawText(QRect(x, y, 4000, 400), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

// The logical pixels of the segment a-b (Bresenham).
void segmentPixels(QPoint a, QPoint b, std::set<std::pair<int, int>>& out) {
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y);
    const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        out.insert({x, y});
        if (x == b.x() && y == b.y()) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

bool showsBack(MatSubMode prev) {
    return prev == MatSubMode::List || prev == MatSubMode::Edit || prev == MatSubMode::Algeb;
}

} // namespace

MatGridLayout drawMatGrid(QPainter& p, QSize box, int rows, int cols,
                          const std::function<QString(int, int)>& text,
                          const std::function<QColor(int, int)>& ink, bool brackets) {
    p.setFont(matfont::cells());
    const QFontMetrics fm(p.font());
    std::vector<int> widths(static_cast<std::size_t>(cols), 0);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
            widths[static_cast<std::size_t>(c)] =
                std::max(widths[static_cast<std::size_t>(c)], fm.horizontalAdvance(text(r, c)));
    const MatGridLayout g = layoutMatGrid(widths, rows, fm.horizontalAdvance(' '), fm.height(),
                                          box.width(), box.height());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            p.setPen(ink(r, c));
            drawTextAt(p, g.colX[static_cast<std::size_t>(c)], g.rowY[static_cast<std::size_t>(r)],
                       text(r, c));
        }
    if (brackets) {
        p.setPen(QPen(Qt::black, 1));
        const int t = g.bracketTop, b = g.bracketBottom;
        for (const auto& [x, hook] : {std::pair{g.leftBracket, 4}, std::pair{g.rightBracket, -4}}) {
            p.drawLine(x, t, x + hook, t);
            p.drawLine(x, t, x, b);
            p.drawLine(x, b, x + hook, b);
        }
    }
    return g;
}

MatDisplay::MatDisplay(const MatState& state, QWidget* parent)
    : PaintBox("MatPB", parent), state_(state) {
    setMouseTracking(true);
}

void MatDisplay::setCaretColor(int winValue) {
    caretColor_ = winColor(winValue);
    markDirty();
}

void MatDisplay::render(QPainter& p) {
    p.fillRect(QRect(QPoint(0, 0), size()), kBackground);
    gridShown_ = false;
    backRect_ = QRect();
    caretShown_ = false;
    switch (state_.subMode) {
    case MatSubMode::Edit:
        renderEdit(p);
        break;
    case MatSubMode::Algeb:
        renderAlgeb(p);
        break;
    case MatSubMode::List:
        break;
    default:
        renderResult(p);
        break;
    }
}

void MatDisplay::renderEdit(QPainter& p) {
    p.setFont(matfont::smallTitle());
    p.setPen(kMatMaroon);
    drawTextAt(p, 2, 2, "Matrix Name");
    const int nameTop = 2 + QFontMetrics(p.font()).height();
    const MatCellEditor& e = state_.editor();
    p.setFont(matfont::nameExpr());
    p.setPen(kMatBlue);
    if (state_.editIndex >= 0 && e.loaded()) drawTextAt(p, 16, nameTop, qs(e.def().name));
    headerHeight_ = nameTop + QFontMetrics(p.font()).height();
    if (state_.editIndex < 0 || !e.loaded()) return;
    const QColor text = palette().color(QPalette::WindowText);
    grid_ = drawMatGrid(
        p, size(), e.rows(), e.cols(),
        [&](int r, int c) {
            const std::string& s = e.cell(r + 1, c + 1);
            return s.empty() ? QString("_") : qs(s);
        },
        [&](int, int) { return text; });
    gridShown_ = true;
}

void MatDisplay::renderAlgeb(QPainter& p) {
    p.setFont(matfont::smallTitle());
    p.setPen(kMatMaroon);
    drawTextAt(p, 2, 2, "Matrix Expression");
    exprY_ = QFontMetrics(p.font()).height() + 6;
    p.setFont(matfont::nameExpr());
    p.setPen(kMatBlue);
    drawTextAt(p, 16, exprY_, qs(state_.expression()));
    const MatResult& r = state_.result();
    if (!r.message.empty()) {
        p.setFont(matfont::cells());
        p.setPen(Qt::red);
        const int w = QFontMetrics(p.font()).horizontalAdvance(qs(r.message));
        drawTextAt(p, width() / 2 - w / 2 - 8, 60, qs(r.message));
        return;
    }
    if (!r.valid) return;
    const QColor text = palette().color(QPalette::WindowText);
    drawMatGrid(
        p, size(), r.rows, r.cols, [&](int i, int j) { return qs(r.cell(i, j)); },
        [&](int, int) { return text; }, !r.scalar);
}

void MatDisplay::centredLine(QPainter& p, const QString& text, int y) {
    const int w = QFontMetrics(p.font()).horizontalAdvance(text);
    drawTextAt(p, width() / 2 - w / 2, y, text);
}

void MatDisplay::renderResult(QPainter& p) {
    const QColor text = palette().color(QPalette::WindowText);
    const int messageY = height() * 60 / 128;
    const MatSubMode mode = state_.subMode;
    if (mode == MatSubMode::Inv || mode == MatSubMode::Rref) {
        const MatOpGridResult& r = mode == MatSubMode::Inv ? state_.inv() : state_.rref();
        p.setFont(matfont::resultTitle());
        p.setPen(text);
        drawTextAt(p, 6, 6, qs(r.title));
        if (!r.message.empty()) {
            p.setFont(matfont::cells());
            centredLine(p, qs(r.message), messageY);
        } else if (r.rows > 0 && r.cols > 0) {
            drawMatGrid(
                p, size(), r.rows, r.cols, [&](int i, int j) { return qs(r.cell(i, j)); },
                [&](int, int) { return text; });
        }
    } else {
        p.setFont(matfont::cells());
        p.setPen(text);
        const std::string line =
            mode == MatSubMode::Det
                ? (state_.det().message.empty() ? state_.det().title : state_.det().message)
                : state_.trace().line;
        centredLine(p, qs(line), messageY);
    }
    if (showsBack(state_.prevSubMode)) {
        p.setFont(matfont::backLink());
        p.setPen(kMatBlue);
        const QFontMetrics fm(p.font());
        const int w = fm.horizontalAdvance("Back");
        const int centre = width() / 2;
        const int top = height() - fm.height() * 19 / 16;
        drawTextAt(p, centre - w / 2, top, "Back");
        backRect_ = QRect(QPoint(centre - w / 2, top), QPoint(centre + w / 2, height() - 1));
    }
}

bool MatDisplay::caretPoints(std::vector<QPoint>& pts) const {
    if (state_.subMode == MatSubMode::Edit && gridShown_) {
        const MatCellEditor& e = state_.editor();
        const std::string& cell = e.cell(e.row(), e.col());
        const std::size_t n = std::min(cell.size(), static_cast<std::size_t>(e.cursor() - 1));
        const int x = grid_.colX[static_cast<std::size_t>(e.col() - 1)] - 1 +
                      QFontMetrics(matfont::cells()).horizontalAdvance(qs(cell.substr(0, n)));
        const int y = grid_.rowY[static_cast<std::size_t>(e.row() - 1)];
        pts = {{x, y - 2}, {x + 3, y - 2}, {x, y + 1}, {x, y - 2}};
        return true;
    }
    if (state_.subMode == MatSubMode::Algeb) {
        const std::string& ex = state_.expression();
        const std::size_t n = std::min(ex.size(), static_cast<std::size_t>(state_.cursor() - 1));
        const int x = 17 + QFontMetrics(matfont::nameExpr()).horizontalAdvance(qs(ex.substr(0, n)));
        const int y = exprY_;
        pts = {{x, y}, {x + 3, y}, {x, y + 3}, {x, y}};
        return true;
    }
    return false;
}

void MatDisplay::finishImage(QImage&) {
    caretShown_ = false;
}

void MatDisplay::toggleCaret() {
    QImage& img = pixels();
    std::vector<QPoint> pts;
    if (!caretPoints(pts)) return;
    std::set<std::pair<int, int>> logical;
    for (std::size_t i = 1; i < pts.size(); ++i)
        segmentPixels(pts[i - 1], pts[i], logical);
    const int ratio = std::max(1, qRound(img.devicePixelRatio()));
    const QRgb mask = caretColor_.rgb() & 0x00FFFFFF;
    for (const auto& [x, y] : logical)
        for (int dy = 0; dy < ratio; ++dy)
            for (int dx = 0; dx < ratio; ++dx) {
                const int px = x * ratio + dx, py = y * ratio + dy;
                if (px < 0 || py < 0 || px >= img.width() || py >= img.height()) continue;
                img.setPixel(px, py, img.pixel(px, py) ^ mask);
            }
    caretShown_ = !caretShown_;
    update();
}

std::optional<MatDisplay::CellHit> MatDisplay::editHit(QPoint pos) {
    image();
    if (state_.subMode != MatSubMode::Edit || !gridShown_) return std::nullopt;
    const MatCellEditor& e = state_.editor();
    const int col = lastStartAtOrBefore(grid_.colX.data(), e.cols(), pos.x()) + 1;
    const int row = lastStartAtOrBefore(grid_.rowY.data(), e.rows(), pos.y()) + 1;
    const QFontMetrics fm(matfont::cells());
    const int cursor = cursorForOffset(
        e.cell(row, col), pos.x() - grid_.colX[static_cast<std::size_t>(col - 1)],
        [&](std::string_view s) { return fm.horizontalAdvance(qs(std::string(s))); });
    return CellHit{row, col, cursor};
}

int MatDisplay::exprHit(QPoint pos) {
    const QFontMetrics fm(matfont::nameExpr());
    return cursorForOffset(state_.expression(), pos.x() - 16, [&](std::string_view s) {
        return fm.horizontalAdvance(qs(std::string(s)));
    });
}

bool MatDisplay::onBack(QPoint pos) {
    image();
    return backRect_.isValid() && backRect_.contains(pos);
}

void MatDisplay::mouseMoveEvent(QMouseEvent* event) {
    setCursor(onBack(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

} // namespace tallix
