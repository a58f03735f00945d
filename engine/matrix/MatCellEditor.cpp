#include "engine/matrix/MatCellEditor.h"

#include <algorithm>

namespace tallix {

namespace {

bool insertsGlyph(TokenCode code) {
    return (code >= 3 && code <= 6) || (code >= 11 && code <= 14) || (code >= 19 && code <= 22) ||
           code == 28 || code == 30 || code == 36;
}

} // namespace

bool MatCellEditor::load(const MatCatalog& catalog, int index) {
    row_ = col_ = cursor_ = 1;
    const MatDef d = ParseMatDefN(catalog, index);
    const auto rows = strictInt(d.rows);
    const auto cols = strictInt(d.cols);
    if (d.name.empty() || d.created.empty() || d.updated.empty() || !rows || !cols || *rows < 1 ||
        *rows > kMatMaxDim || *cols < 1 || *cols > kMatMaxDim) {
        rows_ = cols_ = 0;
        return false;
    }
    def_ = d;
    rows_ = *rows;
    cols_ = *cols;
    cells_.fill({});
    const std::string_view e = d.elements;
    if (e.size() >= 2 && e.front() == '[' && e.back() == ']') {
        const std::vector<std::string> items = splitElements(e);
        const int n = std::min<int>(static_cast<int>(items.size()), rows_ * cols_);
        for (int i = 0; i < n; ++i)
            cells_[at(i / cols_ + 1, i % cols_ + 1)] = items[static_cast<std::size_t>(i)];
    }
    return true;
}

bool MatCellEditor::key(TokenCode code) {
    if (!loaded()) return false;
    std::string& c = current();
    if (insertsGlyph(code)) {
        const std::size_t pos =
            std::min<std::size_t>(static_cast<std::size_t>(cursor_ - 1), c.size());
        c.insert(pos, MatKeyGlyphs[code]);
        cursor_ = static_cast<int>(pos) + 2;
        return true;
    }
    if (code == 38) {
        if (cursor_ < 2 || static_cast<std::size_t>(cursor_ - 2) >= c.size()) return false;
        c.erase(static_cast<std::size_t>(cursor_ - 2), 1);
        --cursor_;
        return true;
    }
    if (code == 39) {
        const bool changed = !c.empty();
        c.clear();
        cursor_ = 1;
        return changed;
    }
    return false;
}

bool MatCellEditor::deleteAtCursor() {
    if (!loaded()) return false;
    std::string& c = current();
    if (cursor_ < 1 || static_cast<std::size_t>(cursor_ - 1) >= c.size()) return false;
    c.erase(static_cast<std::size_t>(cursor_ - 1), 1);
    return true;
}

void MatCellEditor::move(MatCellMove m) {
    if (!loaded()) return;
    switch (m) {
    case MatCellMove::Home:
        row_ = col_ = cursor_ = 1;
        break;
    case MatCellMove::End:
        row_ = rows_;
        col_ = cols_;
        cursor_ = 1;
        break;
    case MatCellMove::Left:
        if (cursor_ > 1) {
            --cursor_;
        } else {
            col_ = col_ > 1 ? col_ - 1 : cols_;
            cursor_ = cellEnd();
        }
        break;
    case MatCellMove::Right:
        if (cursor_ < cellEnd()) {
            ++cursor_;
        } else {
            col_ = col_ < cols_ ? col_ + 1 : 1;
            cursor_ = 1;
        }
        break;
    case MatCellMove::Up:
        row_ = row_ > 1 ? row_ - 1 : rows_;
        break;
    case MatCellMove::Down:
        row_ = row_ < rows_ ? row_ + 1 : 1;
        break;
    case MatCellMove::Enter:
        if (col_ < cols_) {
            ++col_;
        } else {
            col_ = 1;
            row_ = row_ < rows_ ? row_ + 1 : 1;
        }
        cursor_ = 1;
        break;
    }
}

void MatCellEditor::place(int row, int col, int cursor) {
    if (!loaded()) return;
    row_ = std::clamp(row, 1, rows_);
    col_ = std::clamp(col, 1, cols_);
    cursor_ = std::clamp(cursor, 1, cellEnd());
}

std::string MatCellEditor::line() const {
    std::vector<std::string> items;
    for (int r = 1; r <= rows_; ++r)
        for (int c = 1; c <= cols_; ++c)
            items.push_back(cell(r, c));
    return EncodeMatDef(def_.name, def_.created, def_.updated, def_.rows, def_.cols,
                        joinElements(items));
}

} // namespace tallix
