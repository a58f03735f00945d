#pragma once

// Every text the matrix mode shows, byte for byte (blanks included), in one
// place. Texts that name a matrix, a size or a cell are built by the
// functions below.
#include <string>
#include <string_view>

namespace tallix::matmsg {

inline std::string inQuotes(std::string_view s) {
    std::string q(1, '"');
    q.append(s).push_back('"');
    return q;
}
inline std::string sizeText(int rows, int cols) {
    return std::to_string(rows) + "x" + std::to_string(cols);
}

// The catalog and its file.
inline constexpr std::string_view kSaveFailed =
    "Error: unable to save new matric definition to disk ??";
inline constexpr std::string_view kLoadFailed =
    "Error reading Matrix catalog - catalog initialized to empty.";
inline constexpr std::string_view kNoDimensions = "New Matrix valid row and column count missing.";
inline constexpr std::string_view kNullDefLine = "Internal Error: null matrix def line.";
inline constexpr std::string_view kDeleteAsk =
    "Once Deleted, data of matrix will be LOST FOREVER - continue?";
inline constexpr std::string_view kDeleteAskAgain = "Are you sure?";
inline constexpr std::string_view kRenamePrompt = "Enter Matrix Replacement Name";
inline constexpr std::string_view kDoNotInitialize = "Do Not Initialize New Matrix.";
inline std::string nameInUse(std::string_view name) {
    return "Matrix Name " + inQuotes(name) + " is already in use - new definition not added.";
}
inline std::string renameNameInUse(std::string_view name) {
    return "Matrix Name " + inQuotes(name) + " is already in use - matrix not renamed.";
}
inline std::string badName(std::string_view name) {
    return "Matrix Name " + inQuotes(name) +
           " is not valid - a name is a letter followed by letters and digits.";
}
inline std::string overwriteAsk(std::string_view name) {
    return "Matrix " + inQuotes(name) + " already defined - overwrite?";
}
inline std::string renameTitle(std::string_view oldName) {
    return "Rename Matrix  " + std::string(oldName);
}

// Reading a cell for an evaluation.
inline std::string invalidNumberFormat(std::string_view text) {
    return "Invalid number format - " + inQuotes(text);
}
inline std::string zeroDenominator(std::string_view matrix, int row, int col,
                                   std::string_view cell) {
    return "Zero denominator in cell (" + std::to_string(row) + "," + std::to_string(col) +
           ") of matrix " + inQuotes(matrix) + ": " + inQuotes(cell) + ".";
}

// The expression evaluator.
inline std::string invalidNumeric(std::string_view run) {
    return "Invalid numeric value : " + inQuotes(run) + ".";
}
inline std::string unknownName(std::string_view name) {
    return "Unrecognized MAT name : " + inQuotes(name) + ".";
}
inline std::string missingOpen(int column) {
    return "Missing \"(\" (before col " + std::to_string(column) + ")";
}
inline std::string invalidChar(char c) {
    return "Invalid character in expression - " + inQuotes(std::string(1, c)) + ".";
}
inline constexpr std::string_view kInsufficientOperands = "error: insufficient operands.";
inline constexpr std::string_view kPoolOverflow = "internal error: temp matrix space overflow.";
inline constexpr std::string_view kNoFreeTemp = "internal error - no free temp mats";
inline constexpr std::string_view kTooFewOperands = "error: too few data operands.";
inline constexpr std::string_view kTooManyOperands = "error: too many data operands.";
inline constexpr std::string_view kBadTempIndex = "internal error - invalid temp mat ndx";
inline constexpr std::string_view kEvaluationError = "error: Evaluation error.";
inline constexpr std::string_view kDivisionByZero = "Error: division by zero";
inline constexpr std::string_view kMatDivMat = "Error: Mat / Mat not defined";
inline constexpr std::string_view kNumPowMat = "Error: num^mat not defined.";
inline constexpr std::string_view kMatPowMat = "Error: Mat^Mat not defined - the power must be "
                                               "a number.";
inline constexpr std::string_view kPowerNotPositive = "Error: Mat^NNN, n must be positive integer.";
inline constexpr std::string_view kTransposeNumber = "Error:  Mat^T only supported form.";
inline constexpr std::string_view kZeroInverse = "Error: 0^-1 not defined";
inline constexpr std::string_view kInverseNotSquare =
    "Error: matrix not square, inverse not possible";
inline constexpr std::string_view kNoInverse = "Error: no Inverse.";
inline constexpr std::string_view kInverseNotMatrix = "internal error - ^-1 non-mat num";
inline std::string addSize(int r1, int c1, int r2, int c2) {
    return "Mat + Mat size error: " + sizeText(r1, c1) + " + " + sizeText(r2, c2);
}
inline std::string subSize(int r1, int c1, int r2, int c2) {
    return "Mat - Mat size error:  [" + sizeText(r1, c1) + "] - [" + sizeText(r2, c2) + "]";
}
inline std::string mulSize(int r1, int c1, int r2, int c2) {
    return "Mat * Mat size error: " + sizeText(r1, c1) + " * " + sizeText(r2, c2);
}
inline std::string powerNotSquare(int rows, int cols) {
    return "Error: Mat^n needs a square matrix, not " + sizeText(rows, cols) + ".";
}

// The operations Rref, Inv, Det and Trace.
inline std::string notKnown(std::string_view expression) {
    return inQuotes(expression) + " not a known matrix.";
}
inline constexpr std::string_view kRrefNoSelection = "No matrix item selected.";
inline constexpr std::string_view kNoSelection = "No Matrix selected from Matrix List";
inline constexpr std::string_view kRrefPrevTitle = "results matrix Rref -";
inline constexpr std::string_view kInvPrevTitle = "Inverse of results matrix -";
inline constexpr std::string_view kDetPrevTitle = "DET for previous result";
inline std::string rrefTitle(std::string_view name) {
    return "RREF of matrix  " + inQuotes(name) + " -";
}
inline std::string invTitle(std::string_view name) {
    return "Inverse of " + inQuotes(name);
}
inline std::string detTitle(std::string_view name) {
    return "DET for matrix " + inQuotes(name);
}
inline std::string invalidData(std::string_view cell) {
    return "Invalid Data - " + inQuotes(cell) + ".";
}
inline std::string traceInvalidCell(std::string_view cell) {
    return "Error evaluating elements of matrix (" + inQuotes(cell) + ").";
}
inline std::string invNotSquare(std::string_view name) {
    return "Inverse not possible - " + inQuotes(name) + " not square.";
}
inline constexpr std::string_view kInvPrevNotSquare =
    "Previous answer not Invertable - not square.";
inline constexpr std::string_view kDetNotSquare = "DET not possible - matrix not square";
inline std::string traceNotSquare(std::string_view name) {
    return "TRACE not possible - " + inQuotes(name) + " not square.";
}
inline constexpr std::string_view kTracePrevNotSquare = "TRACE not possible - matrix not square.";
inline constexpr std::string_view kHasNoInverse = "Has no Inverse.";
inline constexpr std::string_view kValueSeparator = "   =   ";
inline std::string traceLine(std::string_view name, std::string_view value) {
    return "TRACE of  " + inQuotes(name) + std::string(kValueSeparator) + std::string(value);
}
inline std::string tracePrevLine(std::string_view value) {
    return "TRACE result matrix  =  " + std::string(value);
}

// The options dialog.
inline constexpr std::string_view kOptionsCaption = "MAT Options";

} // namespace tallix::matmsg
