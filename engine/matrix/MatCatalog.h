#pragma once

#include "engine/core/Extended.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

inline constexpr int kMatMaxDim = 10;

// A matrix of numbers: rows x cols (1..10 each) of a 10 x 10 grid, row-major.
struct MatGrid {
    int rows = 0;
    int cols = 0;
    std::array<Extended, kMatMaxDim * kMatMaxDim> a{};
    Extended& at(int r, int c) { return a[r * kMatMaxDim + c]; } // 0-based
    Extended at(int r, int c) const { return a[r * kMatMaxDim + c]; }
};

// The fields of one catalog line, all text: name, created, updated, rows,
// cols and elements ("[" cells "]").
struct MatDef {
    std::string name;
    std::string created;
    std::string updated;
    std::string rows;
    std::string cols;
    std::string elements;
};

// The named matrices, one text line per matrix:
// name,created,updated,rows,cols,[cell,cell,...]. A line's position is how the
// rest of the mode refers to a matrix. Inserting sorts the whole list
// (case-insensitively) and puts the new line in its sorted place; replacing a
// line keeps it where it is.
class MatCatalog {
public:
    const std::vector<std::string>& lines() const { return lines_; }
    int size() const { return static_cast<int>(lines_.size()); }
    // Line i, or the empty text past the end.
    const std::string& line(int i) const;

    // Sorts, then inserts `line` in its place. Returns its index, or -1 when
    // a line equal to it (ignoring case) is there already: then nothing is
    // inserted.
    int insertSorted(std::string line);
    // A cell edit: the line keeps its index.
    void replaceLine(int i, std::string line);
    void erase(int i);
    void clear() {
        lines_.clear();
        sorted_ = true;
    }

private:
    std::vector<std::string> lines_;
    bool sorted_ = true; // lines_ in order (case-insensitively)
};

// The catalog index of the matrix called `name` (compared ignoring case;
// `name` is not trimmed here), or -1. Lines that are blank or without a
// comma are skipped.
int FindMatDefInMatsTSL(const MatCatalog& catalog, std::string_view name);
// The fields of a line: trimmed, then fields 1..5 split off at the first
// comma each; what is left is the elements.
MatDef ParseMatDefLn(std::string_view line);
// Line i parsed; past the end every field is empty.
MatDef ParseMatDefN(const MatCatalog& catalog, int i);
std::string EncodeMatDef(std::string_view name, std::string_view created, std::string_view updated,
                         std::string_view rows, std::string_view cols, std::string_view elements);

// The strict integer conversion of the rows and cols fields: an optional
// sign and decimal digits, nothing else.
std::optional<int> strictInt(std::string_view s);
// The cell texts of an elements field, in row-major order ("[]" has none).
std::vector<std::string> splitElements(std::string_view elements);
// "[" + cells joined by "," + "]".
std::string joinElements(const std::vector<std::string>& cells);
// A date-time number (days since 1899-12-30, local time of day as the
// fraction) as the catalog writes it: general text of up to 15 digits with
// "." as the decimal point whatever the locale.
std::string dateTimeField(double dateTime);
// A date-time number as the matrix list shows it, "dmmmyy h:mma/p": day
// without a leading zero, English short month, two-digit year, the hour on
// the 12-hour clock, two-digit minutes, then "a" or "p" ("8Dec26 1:05p").
// Empty for a text that is not a number.
std::string matDateText(std::string_view field);
// Whether `name` can name a matrix: a letter followed by letters and digits
// (an expression reads a name so, and a comma would split the line).
bool isValidMatName(std::string_view name);
// Text without leading and trailing blanks and control characters.
std::string_view trimText(std::string_view s);

// What a catalog change did: the index of the line it wrote, or a message
// for the user and nothing changed.
struct MatChange {
    bool ok = false;
    int index = -1;
    std::string message;
};

// The new-matrix request: name, the typed rows and cols, and the text of the
// selected source entry (nothing for the first entry or no selection).
struct MatCreateRequest {
    std::string name;
    std::string rows;
    std::string cols;
    std::optional<std::string> source;
};

// Creates a matrix: checks the name, fills missing dimensions from the
// source, copies the source's cells to their own positions, stamps it with
// `now` and inserts it sorted.
MatChange createMat(MatCatalog& catalog, const MatCreateRequest& request, double now);
// Saves a result (its cell texts as shown) as `name`, replacing a matrix of
// that name: the caller has asked to overwrite.
MatChange saveMatAs(MatCatalog& catalog, std::string_view name, int rows, int cols,
                    const std::vector<std::string>& cells, double now);
// Renames line `index`, keeping its stamps, dimensions and cells; the line
// moves to its new sorted place.
MatChange renameMat(MatCatalog& catalog, int index, std::string_view newName);
// Deletes line `index`; a blank line is refused.
MatChange deleteMat(MatCatalog& catalog, int index);

// A cell text as an evaluation reads it: empty is 0; a "/" divides the
// values of its two sides; "PI" and "E" name pi and e, with a factor before
// them ("2PI", "-PI"); anything else is a number text. A cell that is not a
// number gives the invalid-format message and a zero denominator one naming
// the cell (row and col from 1).
struct MatCellValue {
    bool ok = true;
    Extended value = 0;
    std::string message;
};
MatCellValue matCellValue(std::string_view cell, std::string_view matrix, int row, int col);

// The matrix of catalog line `index` with every cell read by matCellValue;
// a failed cell gives its message.
struct MatLoad {
    bool ok = false;
    MatGrid grid;
    std::string message;
};
MatLoad loadCatalogMat(const MatCatalog& catalog, int index);

} // namespace tallix
