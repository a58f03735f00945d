#pragma once

#include "engine/core/Extended.h"
#include "engine/matrix/MatCatalog.h"

#include <array>
#include <string>
#include <string_view>

namespace tallix {

// Gauss-Jordan elimination, shared by the algebra's ^-1 and the Rref and Inv
// operations. For each pivot column the pivot is the row (at or below the
// pivot row) with the largest magnitude, the first on ties; the pivot row is
// divided by the pivot unless it is 1, the other rows lose their multiple of
// it, and any result that is nonzero but below 1e-17 in magnitude becomes 0.
// The pivot test is exact.

// The reduced row echelon form of a, in place: a column without a nonzero
// pivot candidate is skipped.
void rrefInPlace(MatGrid& a);
// The inverse of the square matrix m (rows = cols) into `inverse`; false when
// some column has no nonzero pivot (the matrix is singular).
bool invertMatrix(const MatGrid& m, MatGrid& inverse);

// The determinant of the square matrix m by cofactor expansion along the
// first row, recursively over the minors (a 2 x 2 minor is ad - bc); each
// minor, keyed by its set of remaining columns, is computed once, so the
// cost is about n 2^n products instead of n!. Bit for bit the value of the
// plain recursion, whose additions it makes in the same order.
Extended detCofactor(const MatGrid& m);

// Where an operation takes its matrix from.
enum class MatSourceKind { PrevAnswer, Catalog };

// The matrix an operation works on, read by the simple cell rule; `status`
// tells why there is none.
struct MatSource {
    enum class Status { Ok, NoSelection, NotKnown, InvalidCell };
    Status status = Status::NoSelection;
    MatSourceKind kind = MatSourceKind::Catalog;
    std::string name;        // Catalog: the matrix's name
    std::string invalidCell; // InvalidCell: the text of the first invalid cell
    MatGrid grid;
};

// The simple cell rule: a number text, or two number texts around the first
// "/" divided; no pi or e. False for anything else, a zero denominator
// included.
bool simpleCellValue(std::string_view cell, Extended& value);

// Reads catalog line `index` by the simple rule (NoSelection when there is
// no such line or its size is not 1..10 by 1..10).
MatSource catalogSource(const MatCatalog& catalog, int index);
// Reads a previous algebra result (rows x cols texts, row r at r * 10).
MatSource resultSource(int rows, int cols,
                       const std::array<std::string, kMatMaxDim * kMatMaxDim>& cells);

// The results of the four operations, as the matrix display shows them.
struct MatOpGridResult {
    std::string title;
    std::string message; // empty when there was no error
    int rows = 0;
    int cols = 0;
    std::array<std::string, kMatMaxDim * kMatMaxDim> cells;
    const std::string& cell(int r, int c) const { return cells[r * kMatMaxDim + c]; }
};
struct MatDetResult {
    std::string title; // with "   =   " and the value appended on success
    std::string message;
};
struct MatTraceResult {
    std::string line; // the value line or the message
};

// `rational`: the "matrational" option (fraction cells, else 8-digit text).
// `algebExpr`: the expression text when the source was to come from the
// algebra mode (for the not-known message), else empty.
MatOpGridResult matRref(const MatSource& src, bool rational, std::string_view algebExpr);
MatOpGridResult matInv(const MatSource& src, bool rational, std::string_view algebExpr);
MatDetResult matDet(const MatSource& src, std::string_view algebExpr);
MatTraceResult matTrace(const MatSource& src, std::string_view algebExpr);

// A result cell of Rref and Inv: a fraction text when `rational`, else the
// general 8-digit text.
std::string matOpCellText(Extended v, bool rational);

} // namespace tallix
