#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// The list editor's contents: one column per list with its name, its
// "modified" mark and its item cells; every column has rowCount() cells.
// The last row is kept as a spare so that typing can always go on below the
// items. Edits live here until the editor is closed with OK.
class ListEditGrid {
public:
    struct Column {
        std::string name;
        bool modified = false;
        std::vector<std::string> cells;
    };

    int columnCount() const { return static_cast<int>(columns_.size()); }
    int rowCount() const { return rows_; }
    const Column& column(int c) const { return columns_[static_cast<std::size_t>(c)]; }
    const std::string& cell(int c, int row) const {
        return column(c).cells[static_cast<std::size_t>(row)];
    }

    // A list column holding `items` (trimmed); rows grow so that the longest
    // list fits plus one spare row.
    void addColumn(std::string name, const std::vector<std::string>& items, bool modified);
    // A typed cell: the column is marked modified; typing in the last row
    // adds a row below it.
    void setCell(int c, int row, std::string text);
    // A key typed in a cell, before its text changes: as setCell, without
    // the text (so that a spare row is there to move down to).
    void typing(int c, int row);
    // Insert Item: the cells from `row` down move one row down (the last
    // row's content is pushed out), the cell at `row` becomes empty; a row
    // is added when the last row is then not blank.
    void insertItem(int c, int row);
    // Delete Item: the cells below `row` move up one row; the last row
    // becomes empty.
    void deleteItem(int c, int row);
    // Appends lines after the column's last non-empty cell, each cut as
    // appendedItem does (lines that leave nothing are skipped), adding rows as
    // needed. Returns how many items were appended; the column is marked
    // modified when any was.
    int appendLines(int c, const std::vector<std::string>& lines);

    // The non-empty trimmed cells of column c, in order: what is saved.
    std::vector<std::string> items(int c) const;
    // The first non-empty cell of column c that is not a number: its row
    // (0-based) and text.
    struct BadItem {
        int row = 0;
        std::string text;
    };
    std::optional<BadItem> firstInvalid(int c) const;

private:
    void addRow();
    int lastFilledRow(int c) const; // -1 when the column is blank

    std::vector<Column> columns_;
    int rows_ = 0;
};

// Splits pasted or loaded text into its lines (CR LF, LF or CR).
std::vector<std::string> textLines(std::string_view text);

} // namespace tallix
