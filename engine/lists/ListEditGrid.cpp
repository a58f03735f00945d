#include "engine/lists/ListEditGrid.h"

#include "engine/core/Scalar.h"
#include "engine/lists/ListCatalog.h"

#include <algorithm>

namespace tallix {

namespace {

bool blank(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char ch) { return static_cast<unsigned char>(ch) <= ' '; });
}

std::string trimmedText(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return std::string(s);
}

} // namespace

void ListEditGrid::addRow() {
    ++rows_;
    for (Column& col : columns_)
        col.cells.resize(static_cast<std::size_t>(rows_));
}

void ListEditGrid::addColumn(std::string name, const std::vector<std::string>& items,
                             bool modified) {
    Column col{std::move(name), modified, {}};
    for (const std::string& item : items)
        col.cells.push_back(trimmedText(item));
    columns_.push_back(std::move(col));
    const int need = static_cast<int>(items.size()) + 1;
    rows_ = std::max(rows_, need);
    for (Column& c : columns_)
        c.cells.resize(static_cast<std::size_t>(rows_));
}

void ListEditGrid::setCell(int c, int row, std::string text) {
    if (c < 0 || c >= columnCount() || row < 0 || row >= rows_) return;
    columns_[static_cast<std::size_t>(c)].cells[static_cast<std::size_t>(row)] = std::move(text);
    typing(c, row);
}

void ListEditGrid::typing(int c, int row) {
    if (c < 0 || c >= columnCount() || row < 0 || row >= rows_) return;
    columns_[static_cast<std::size_t>(c)].modified = true;
    if (row == rows_ - 1) addRow();
}

void ListEditGrid::insertItem(int c, int row) {
    if (c < 0 || c >= columnCount() || row < 0 || row >= rows_) return;
    Column& col = columns_[static_cast<std::size_t>(c)];
    std::rotate(col.cells.begin() + row, col.cells.end() - 1, col.cells.end());
    col.cells[static_cast<std::size_t>(row)].clear();
    col.modified = true;
    if (!blank(col.cells.back())) addRow();
}

void ListEditGrid::deleteItem(int c, int row) {
    if (c < 0 || c >= columnCount() || row < 0 || row >= rows_) return;
    Column& col = columns_[static_cast<std::size_t>(c)];
    col.cells.erase(col.cells.begin() + row);
    col.cells.emplace_back();
    col.modified = true;
}

int ListEditGrid::lastFilledRow(int c) const {
    const Column& col = column(c);
    for (int r = rows_ - 1; r >= 0; --r)
        if (!blank(col.cells[static_cast<std::size_t>(r)])) return r;
    return -1;
}

int ListEditGrid::appendLines(int c, const std::vector<std::string>& lines) {
    if (c < 0 || c >= columnCount()) return 0;
    int row = lastFilledRow(c) + 1;
    int added = 0;
    for (const std::string& line : lines) {
        const auto item = appendedItem(line);
        if (!item) continue;
        while (row >= rows_ - 1)
            addRow();
        columns_[static_cast<std::size_t>(c)].cells[static_cast<std::size_t>(row++)] = *item;
        ++added;
    }
    if (added > 0) columns_[static_cast<std::size_t>(c)].modified = true;
    return added;
}

std::vector<std::string> ListEditGrid::items(int c) const {
    std::vector<std::string> out;
    for (const std::string& cell : column(c).cells)
        if (!blank(cell)) out.push_back(trimmedText(cell));
    return out;
}

std::optional<ListEditGrid::BadItem> ListEditGrid::firstInvalid(int c) const {
    const Column& col = column(c);
    for (int r = 0; r < rows_; ++r) {
        const std::string& cell = col.cells[static_cast<std::size_t>(r)];
        if (blank(cell)) continue;
        if (isUndefined(ParseListValue(cell))) return BadItem{r, trimmedText(cell)};
    }
    return std::nullopt;
}

std::vector<std::string> textLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        // CR LF is one line end.
        text.remove_prefix(text.substr(end, 2) == "\r\n" ? end + 2 : end + 1);
    }
    return lines;
}

} // namespace tallix
