#pragma once

#include "engine/matrix/MatCatalog.h"

#include <string>
#include <vector>

namespace tallix {

// The steps of the Gauss-Jordan animation. Each click runs the action of the
// current step and moves to the next one.
enum class GJStep {
    Begin = 0,
    Announce = 1,
    FindPivot = 2,
    AnnounceSwap = 3,
    Scale = 4,
    AnnounceSweep = 5,
    Swap = 6,
    FindNextEntry = 7,
    ClearEntry = 8,
    Done = 99,
};

// The reduction of one matrix to reduced row echelon form, one click at a
// time, with the caption that says what the next click does and the cells to
// draw in red. Every click can be taken back, to the matrix and caption it
// started from.
class GJAnimation {
public:
    // Starts again from Begin on a copy of `m` (rows and cols 0..10; a 0 x 0
    // matrix ends at its first steps).
    void start(const MatGrid& m);

    // One click. False (and nothing changes) in Done, where the click closes
    // the window instead.
    bool advance();
    // Returns to the state before the last click; false at the beginning.
    bool back();

    GJStep step() const { return s_.step; }
    bool done() const { return s_.step == GJStep::Done; }
    const std::string& caption() const { return s_.caption; }
    // The clicks made so far (0 at the beginning).
    int stepNumber() const { return static_cast<int>(history_.size()); }
    const MatGrid& matrix() const { return s_.work; }
    // Whether the cell (0-based) is drawn in red: the pivot cell, a
    // highlighted row while no column is highlighted, or the highlighted
    // column while no row is.
    bool isHighlighted(int row, int col) const;
    // The cell as the drawing shows it: its exact fraction.
    std::string cellText(int row, int col) const;

    // The highlights (1-based; -1 for none), for tests and drawing.
    int highlightColumn() const { return s_.hlCol; }
    int highlightRow() const { return s_.hlRow; }
    int highlightRow2() const { return s_.hlRow2; }
    int pivotRow() const { return s_.pr; }
    int pivotColumn() const { return s_.pc; }

private:
    struct State {
        MatGrid work;
        GJStep step = GJStep::Begin;
        std::string caption;
        int pc = 1, pr = 1, sr = 1, mr = 1;
        int hlCol = -1, hlRow = -1, hlRow2 = -1;
    };
    Extended& a(int r, int c) { return s_.work.at(r - 1, c - 1); }
    void highlight(int col, int row, int row2 = -1);
    void findPivot();
    void findNextEntry();
    void columnFinished();
    void finish();

    State s_;
    std::vector<State> history_;
};

// The caption's text of a value to subtract: the general text with "." as
// decimal point, cut to 6 characters + "..." when 7 or more long.
std::string gjFactorText(Extended v);

} // namespace tallix
