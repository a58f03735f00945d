#pragma once

#include "engine/core/Tokens.h"
#include "engine/matrix/MatCatalog.h"
#include "engine/matrix/MatCellEditor.h"
#include "engine/matrix/MatEval.h"
#include "engine/matrix/MatOps.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallix {

// The matrix mode's sub-modes (there is no 3).
enum class MatSubMode { List = 1, Edit = 2, Algeb = 4, Inv = 5, Rref = 6, Det = 7, Trace = 8 };

// The "MAT Options" of "tallix.ini", as plain values.
struct MatOptions {
    bool piReduction = true;     // "matpireduction": shown and stored only
    bool rational = true;        // "matrational": fraction cells in Rref and Inv
    bool funcPrevAnsw = false;   // "matfuncprevansw": operations on the last result
    bool clrExpUponEntry = true; // "matclrexpuponentry"
};

// Editing keys of the expression besides the keypad codes.
enum class MatEditKey { Home, End, Left, Right, Delete };

// The keypad code of a typed character in the algebra mode (after upper
// case): digits, + - * / ^ ( ) . and letters; "[" "{" open and "]" "}" close;
// "=" evaluates. Nothing for other characters.
std::optional<TokenCode> matCodeForChar(char c);

// Everything the matrix mode keeps for the run: the catalog, the sub-mode,
// the expression with its cursor, the algebra result, each operation's
// result and the options. Changes to the catalog are written to its file by
// the caller.
class MatState {
public:
    MatCatalog catalog;
    MatOptions options;
    MatSubMode subMode = MatSubMode::List;
    MatSubMode prevSubMode = MatSubMode::List;
    int selectedRow = -1; // the list's selected row, or -1
    int editIndex = -1;   // the catalog line being edited, or -1

    // Catalog changes through one door: each keeps the mode's own state in
    // step (the result is no longer valid after a create, rename or delete;
    // a new matrix is the one edited; a renamed one stays selected; a
    // deleted one is no longer edited). The caller writes the file after a
    // change that succeeded.
    MatChange create(const MatCreateRequest& request, double now);
    MatChange rename(int index, std::string_view newName);
    MatChange remove(int index);
    // Whether the shown result can be saved: a valid algebra result in
    // Algeb, or an Inv or Rref result without a message.
    bool canSaveResult() const;
    // Saves the shown result as `name` (the caller has asked to overwrite).
    MatChange saveResultAs(std::string_view name, double now);

    // Edits catalog line `index` (Edit Selected): it becomes the edited
    // matrix, its cells are loaded with the first cell current, and the
    // sub-mode becomes Edit. False, with nothing changed, for a line that
    // does not load.
    bool editMat(int index);
    const MatCellEditor& editor() const { return editor_; }
    // A keypad code on the current cell in the Edit sub-mode; when the cell
    // changed its catalog line is rewritten in place and true is returned
    // (the caller writes the file).
    bool editCellKey(TokenCode code);
    // Delete: removes the character at the cursor, as editCellKey.
    bool editCellDelete();
    void editCellMove(MatCellMove m) { editor_.move(m); }
    void editCellPlace(int row, int col, int cursor) { editor_.place(row, col, cursor); }

    const std::string& expression() const { return expr_; }
    // 1-based character position, 1..length + 1.
    int cursor() const { return cursor_; }
    const MatResult& result() const { return result_; }
    void invalidateResult() { result_.valid = false; }

    // Enters the algebra sub-mode, clearing the expression when the option
    // says so.
    void enterAlgeb();
    // A keypad or letter-panel code in the algebra sub-mode: digits and
    // operators and letters insert their glyph, "=" evaluates, 38 deletes
    // before the cursor, 39 clears. Other codes and sub-modes do nothing.
    void ProcessMatButtonClick(TokenCode code);
    void editKey(MatEditKey key);
    // Whether Rref, Inv, Det and Trace can be pressed in the algebra mode.
    bool opsEnabled() const { return !expr_.empty(); }
    // Evaluates the expression into the result; an error sets only the
    // message (the valid flag stays as it was).
    void EvalCrMatExp();

    // Runs an operation: remembers the sub-mode it was pressed in (an
    // operation pressed over another's result keeps the earlier one, so it
    // works on the same matrix) and switches to `op` (Inv, Rref, Det or
    // Trace).
    void runOperation(MatSubMode op);
    // The two halves of runOperation, for the Rref label whose menu comes
    // between them: false (nothing changed) when Rref cannot start from the
    // current sub-mode.
    bool enterOperation(MatSubMode op);
    void computeOperation();
    // Leaves a result sub-mode for the one it was entered from ("Back", or
    // the Rref menu closed without a choice).
    void returnToPrevious() { subMode = prevSubMode; }
    // The matrix an operation works on, by the previous sub-mode.
    MatSource operationSource() const;
    const MatOpGridResult& rref() const { return rref_; }
    const MatOpGridResult& inv() const { return inv_; }
    const MatDetResult& det() const { return det_; }
    const MatTraceResult& trace() const { return trace_; }

private:
    void clearExpression();
    // After lines moved (an insert or delete), finds the edited matrix again
    // by its name.
    void refindEdited();

    MatCellEditor editor_;
    std::string expr_;
    int cursor_ = 1;
    MatResult result_;
    MatOpGridResult rref_;
    MatOpGridResult inv_;
    MatDetResult det_;
    MatTraceResult trace_;
};

} // namespace tallix
