#include "engine/matrix/MatOps.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/matrix/MatMessages.h"

#include <cmath>
#include <utility>
#include <vector>

namespace tallix {

namespace {

// Rows x cols numbers, up to 10 x 20 ([A | I] for the inverse).
struct Work {
    int rows = 0;
    int cols = 0;
    std::array<Extended, kMatMaxDim * 2 * kMatMaxDim> a{};
    Extended& at(int r, int c) { return a[r * 2 * kMatMaxDim + c]; }
};

// Eliminates column pc with pivot row pr. False when the column has no
// nonzero candidate (nothing changed then).
bool eliminate(Work& w, int pr, int pc) {
    int best = pr;
    for (int r = pr + 1; r < w.rows; ++r)
        if (std::fabs(w.at(r, pc)) > std::fabs(w.at(best, pc))) best = r;
    if (w.at(best, pc) == 0) return false;
    if (best != pr)
        for (int k = 0; k < w.cols; ++k)
            std::swap(w.at(best, k), w.at(pr, k));
    const Extended pivot = w.at(pr, pc);
    if (pivot != 1)
        for (int k = 0; k < w.cols; ++k)
            w.at(pr, k) /= pivot;
    for (int j = 0; j < w.rows; ++j) {
        if (j == pr) continue;
        const Extended f = w.at(j, pc);
        for (int k = 0; k < w.cols; ++k) {
            Extended v = w.at(j, k) - f * w.at(pr, k);
            if (v != 0 && std::fabs(v) < 1e-17L) v = 0;
            w.at(j, k) = v;
        }
    }
    return true;
}

} // namespace

void rrefInPlace(MatGrid& m) {
    Work w;
    w.rows = m.rows;
    w.cols = m.cols;
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c)
            w.at(r, c) = m.at(r, c);
    int pr = 0;
    int pc = 0;
    while (pr < w.rows && pc < w.cols) {
        if (eliminate(w, pr, pc)) ++pr;
        ++pc;
    }
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c)
            m.at(r, c) = w.at(r, c);
}

bool invertMatrix(const MatGrid& m, MatGrid& inverse) {
    const int n = m.rows;
    Work w;
    w.rows = n;
    w.cols = 2 * n;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c)
            w.at(r, c) = m.at(r, c);
        w.at(r, n + r) = 1;
    }
    for (int c = 0; c < n; ++c)
        if (!eliminate(w, c, c)) return false;
    inverse = MatGrid{};
    inverse.rows = inverse.cols = n;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            inverse.at(r, c) = w.at(r, n + c);
    return true;
}

// The minor of the last k rows over the columns in `mask` (k = its bit
// count) depends on nothing else, so each mask is computed once. Within a
// minor the columns are taken in ascending order, as the plain recursion
// keeps its column list, and the additions run in the same order.
Extended detCofactor(const MatGrid& m) {
    const int n = m.rows;
    if (n == 1) return m.at(0, 0);
    std::vector<Extended> memo(std::size_t{1} << n);
    std::vector<bool> known(std::size_t{1} << n);
    auto minor = [&](auto&& self, unsigned mask, int size) -> Extended {
        if (known[mask]) return memo[mask];
        const int top = n - size;
        std::array<int, kMatMaxDim> cols{};
        int count = 0;
        for (int c = 0; c < n; ++c)
            if (mask & (1u << c)) cols[count++] = c;
        Extended sum = 0;
        if (size == 2) {
            sum = m.at(top, cols[0]) * m.at(top + 1, cols[1]) -
                  m.at(top, cols[1]) * m.at(top + 1, cols[0]);
        } else {
            for (int i = 0; i < size; ++i) {
                const Extended term =
                    m.at(top, cols[i]) * self(self, mask & ~(1u << cols[i]), size - 1);
                sum = i % 2 == 0 ? sum + term : sum - term;
            }
        }
        memo[mask] = sum;
        known[mask] = true;
        return sum;
    };
    return minor(minor, (1u << n) - 1, n);
}

bool simpleCellValue(std::string_view cell, Extended& value) {
    const auto slash = cell.find('/');
    if (slash == std::string_view::npos) {
        value = parseNumberText(cell);
        return !isUndefined(value);
    }
    const Extended num = parseNumberText(cell.substr(0, slash));
    const Extended den = parseNumberText(cell.substr(slash + 1));
    if (isUndefined(num) || isUndefined(den) || den == 0) return false;
    value = num / den;
    return true;
}

namespace {

// Reads every cell of src's grid (its rows and cols set) with the simple cell
// rule; the first cell that is not a value makes the source invalid.
template <class CellAt> void fillSimpleCells(MatSource& src, CellAt cellAt) {
    for (int r = 0; r < src.grid.rows; ++r)
        for (int c = 0; c < src.grid.cols; ++c) {
            const std::string cell = cellAt(r, c);
            if (!simpleCellValue(cell, src.grid.at(r, c))) {
                src.status = MatSource::Status::InvalidCell;
                src.invalidCell = cell;
                return;
            }
        }
    src.status = MatSource::Status::Ok;
}

} // namespace

MatSource catalogSource(const MatCatalog& catalog, int index) {
    MatSource src;
    if (index < 0 || index >= catalog.size()) return src;
    const MatDef d = ParseMatDefN(catalog, index);
    const auto rows = strictInt(d.rows);
    const auto cols = strictInt(d.cols);
    if (!rows || !cols || *rows < 1 || *rows > kMatMaxDim || *cols < 1 || *cols > kMatMaxDim)
        return src;
    src.kind = MatSourceKind::Catalog;
    src.name = d.name;
    src.grid.rows = *rows;
    src.grid.cols = *cols;
    const std::vector<std::string> cells = splitElements(d.elements);
    fillSimpleCells(src, [&](int r, int c) {
        const std::size_t n = static_cast<std::size_t>(r * *cols + c);
        return n < cells.size() ? cells[n] : std::string();
    });
    return src;
}

MatSource resultSource(int rows, int cols,
                       const std::array<std::string, kMatMaxDim * kMatMaxDim>& cells) {
    MatSource src;
    src.kind = MatSourceKind::PrevAnswer;
    src.grid.rows = rows;
    src.grid.cols = cols;
    fillSimpleCells(src, [&](int r, int c) { return cells[r * kMatMaxDim + c]; });
    return src;
}

std::string matOpCellText(Extended v, bool rational) {
    return rational ? FloatToRationalStr(false, v) : formatFloat(FloatFormat::General, 8, 0, v);
}

namespace {

// The message for a source that is not there, or empty.
std::string sourceMessage(const MatSource& src, std::string_view algebExpr,
                          std::string_view noSelection, std::string (*invalid)(std::string_view)) {
    switch (src.status) {
    case MatSource::Status::Ok:
        return {};
    case MatSource::Status::InvalidCell:
        return invalid(src.invalidCell);
    case MatSource::Status::NotKnown:
        return matmsg::notKnown(algebExpr);
    case MatSource::Status::NoSelection:
        break;
    }
    return std::string(noSelection);
}

void fillCells(MatOpGridResult& r, const MatGrid& g, int cols, bool rational, int colOffset = 0) {
    for (int i = 0; i < g.rows; ++i)
        for (int j = 0; j < cols; ++j)
            r.cells[i * kMatMaxDim + j] = matOpCellText(g.at(i, j + colOffset), rational);
}

} // namespace

MatOpGridResult matRref(const MatSource& src, bool rational, std::string_view algebExpr) {
    MatOpGridResult r;
    r.message = sourceMessage(src, algebExpr, matmsg::kRrefNoSelection, matmsg::invalidData);
    if (src.status == MatSource::Status::NoSelection || src.status == MatSource::Status::NotKnown)
        return r;
    r.title = src.kind == MatSourceKind::PrevAnswer ? std::string(matmsg::kRrefPrevTitle)
                                                    : matmsg::rrefTitle(src.name);
    if (!r.message.empty()) return r;
    MatGrid g = src.grid;
    rrefInPlace(g);
    fillCells(r, g, g.cols, rational);
    r.rows = g.rows;
    r.cols = g.cols;
    return r;
}

MatOpGridResult matInv(const MatSource& src, bool rational, std::string_view algebExpr) {
    MatOpGridResult r;
    r.message = sourceMessage(src, algebExpr, matmsg::kNoSelection, matmsg::invalidData);
    if (src.status == MatSource::Status::NoSelection || src.status == MatSource::Status::NotKnown)
        return r;
    const bool prev = src.kind == MatSourceKind::PrevAnswer;
    r.title = prev ? std::string(matmsg::kInvPrevTitle) : matmsg::invTitle(src.name);
    if (!r.message.empty()) return r;
    if (src.grid.rows != src.grid.cols) {
        r.message = prev ? std::string(matmsg::kInvPrevNotSquare) : matmsg::invNotSquare(src.name);
        return r;
    }
    MatGrid inverse;
    if (!invertMatrix(src.grid, inverse)) {
        r.message = matmsg::kHasNoInverse;
        return r;
    }
    fillCells(r, inverse, inverse.cols, rational);
    r.rows = r.cols = inverse.rows;
    return r;
}

MatDetResult matDet(const MatSource& src, std::string_view algebExpr) {
    MatDetResult r;
    r.message = sourceMessage(src, algebExpr, matmsg::kNoSelection, matmsg::invalidData);
    if (src.status == MatSource::Status::NoSelection || src.status == MatSource::Status::NotKnown)
        return r;
    r.title = src.kind == MatSourceKind::PrevAnswer ? std::string(matmsg::kDetPrevTitle)
                                                    : matmsg::detTitle(src.name);
    if (!r.message.empty()) return r;
    if (src.grid.rows != src.grid.cols) {
        r.message = matmsg::kDetNotSquare;
        return r;
    }
    r.title += matmsg::kValueSeparator;
    r.title += FloatToRationalStr(true, detCofactor(src.grid));
    return r;
}

MatTraceResult matTrace(const MatSource& src, std::string_view algebExpr) {
    MatTraceResult r;
    r.line = sourceMessage(src, algebExpr, matmsg::kNoSelection, matmsg::traceInvalidCell);
    if (!r.line.empty()) return r;
    const bool prev = src.kind == MatSourceKind::PrevAnswer;
    if (src.grid.rows != src.grid.cols) {
        r.line = prev ? std::string(matmsg::kTracePrevNotSquare) : matmsg::traceNotSquare(src.name);
        return r;
    }
    Extended sum = 0;
    for (int i = 0; i < src.grid.rows; ++i)
        sum += src.grid.at(i, i);
    r.line = prev ? matmsg::tracePrevLine(FloatToRationalStr(true, sum))
                  : matmsg::traceLine(src.name, FloatToRationalStr(false, sum));
    return r;
}

} // namespace tallix
