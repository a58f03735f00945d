#pragma once

#include "engine/core/Tokens.h"
#include "engine/matrix/MatCatalog.h"

#include <array>
#include <string>

namespace tallix {

// Cursor moves of the cell editor.
enum class MatCellMove { Home, End, Left, Right, Up, Down, Enter };

// The cells of the matrix being edited, with the current cell and the
// character cursor inside it. Rows, columns and the cursor count from 1; the
// cursor runs 1..length + 1 of the current cell.
class MatCellEditor {
public:
    // Loads catalog line `index` (PreloadMatEditWithMat): fields 1 to 5 must
    // be there and rows and cols integers 1..10, else nothing is loaded and
    // false is returned. The current cell becomes row 1, column 1, cursor 1.
    bool load(const MatCatalog& catalog, int index);
    bool loaded() const { return rows_ > 0; }

    const MatDef& def() const { return def_; }
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int row() const { return row_; }
    int col() const { return col_; }
    int cursor() const { return cursor_; }
    // 1-based.
    const std::string& cell(int row, int col) const { return cells_[at(row, col)]; }

    // A keypad code: digits, + - * / and "." insert at the cursor, 38 deletes
    // before it, 39 empties the cell. True when the cell changed.
    bool key(TokenCode code);
    // Removes the character at the cursor; true when there was one.
    bool deleteAtCursor();
    void move(MatCellMove m);
    // Makes (row, col) current with the cursor at `cursor`, each clamped.
    void place(int row, int col, int cursor);

    // The catalog line of the edited matrix as it stands now, with the stamps
    // it was loaded with (ChkptCrEditMatToMatsTSL).
    std::string line() const;

private:
    static int at(int row, int col) { return (row - 1) * kMatMaxDim + (col - 1); }
    std::string& current() { return cells_[at(row_, col_)]; }
    int cellEnd() const { return static_cast<int>(cell(row_, col_).size()) + 1; }

    MatDef def_;
    int rows_ = 0;
    int cols_ = 0;
    int row_ = 1;
    int col_ = 1;
    int cursor_ = 1;
    std::array<std::string, kMatMaxDim * kMatMaxDim> cells_;
};

} // namespace tallix
