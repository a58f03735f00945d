#pragma once

#include "engine/core/Extended.h"
#include "engine/matrix/MatCatalog.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// The limits of one evaluation: tokens of an expression (implicit products
// included) and temporary matrices.
inline constexpr int kMatMaxTokens = 40;
inline constexpr int kMatPoolSlots = 40;

// Token kinds of a matrix expression; 0 marks a consumed slot.
enum class MatTok : int {
    Consumed = 0,
    Matrix = 1,
    Number = 2,
    Add = 3,
    Sub = 4,
    Mul = 5,
    Div = 6,
    Power = 7,
    Transpose = 8,
    Inverse = 9,
    Open = 10,
    Close = 11,
    Plus = 12,
    Minus = 13,
    ImplicitMul = 14,
};

struct MatToken {
    MatTok kind = MatTok::Consumed;
    int index = 0;      // Matrix: catalog index (>= 0) or -slot of a temporary
    Extended value = 0; // Number
};

struct MatTokens {
    bool ok = false;
    std::vector<MatToken> tokens;
    std::string message;
};

// Splits the expression into tokens (names looked up in the catalog) and
// inserts the implicit product between a number and a following name. More
// than kMatMaxTokens tokens is an evaluation error.
MatTokens tokenizeMatExpr(std::string_view text, const MatCatalog& catalog);

// Incoming and stack precedence of a token kind (a lower number binds
// tighter) and its operand count.
int matIncomingPrec(MatTok kind);
int matStackPrec(MatTok kind);
int matOperandCount(MatTok kind);

// The postfix order of the tokens, by the two precedence tables.
std::vector<MatToken> matPostfix(const std::vector<MatToken>& tokens);

// The result of the algebra mode: a number (scalar, one cell) or a matrix of
// rows x cols cell texts (row r, column c at cells[r * 10 + c]).
struct MatResult {
    bool valid = false;
    bool scalar = false;
    int rows = 0;
    int cols = 0;
    std::array<std::string, kMatMaxDim * kMatMaxDim> cells;
    std::string message;
    const std::string& cell(int r, int c) const { return cells[r * kMatMaxDim + c]; }
    // The cells of rows 1..rows, columns 1..cols, row by row.
    std::vector<std::string> cellList() const;
};

// One evaluation's outcome: on success the result's shape and cells, on
// failure only the message.
struct MatEvalOutcome {
    bool ok = false;
    bool scalar = false;
    int rows = 0;
    int cols = 0;
    std::array<std::string, kMatMaxDim * kMatMaxDim> cells;
    std::string message;
};

// Evaluates a matrix expression over the catalog. `poolSlots` (at most
// kMatPoolSlots) bounds the temporary matrices.
MatEvalOutcome evalMatExpr(std::string_view text, const MatCatalog& catalog,
                           int poolSlots = kMatPoolSlots);

// A matrix result cell: 0 below 1e-15, an integer, a multiple of pi with a
// denominator up to 8 ("2 pi / 3", " pi / 2", "-1 pi"), a fraction ("-1 / 2")
// or the general 15-digit text.
std::string matResultCellText(Extended v);

} // namespace tallix
