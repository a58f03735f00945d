#pragma once

#include <QString>

namespace tallix {

struct SnapshotOptions {
    QString ini;        // a "tallix.ini" to start from (empty: none)
    bool polar = false; // graph mode of the f(x) picture
    bool param = false;
};

// Renders the main window in each of the five modes into DIR as calc.png,
// fx.png, lists.png, regr.png and matrix.png (354 x 470 at ratio 1), and
// the f(x) mode's graph alone at ratio 2 as graph.png, the graphing options
// dialog as grfopts.png and the T-value range window as trange.png. Uses a
// fresh temporary data folder, so the user's settings are neither read nor
// changed; a given ini file is copied into it first. Needs a QApplication.
// Returns an error text, empty on success.
QString writeSnapshots(const QString& dir, const SnapshotOptions& options = {});

// Renders the Calc mode after a short sample session (roots, nested
// parentheses, fraction, pi and error answers, a line being edited) into
// DIR/calc-demo.png. Same conditions as writeSnapshots.
QString writeCalcDemo(const QString& dir);

// Renders the f(x) mode after three functions were typed on the keyboard
// (part of the third selected) into DIR/fx-demo.png, and the same in the
// polar graph into DIR/fx-polar.png. Same conditions as writeSnapshots.
QString writeFxDemo(const QString& dir);

// Renders the expression history window after a few evaluations into
// DIR/history.png, and the verification window after a short sample suite
// into DIR/verify.png (with the calculator as the suite left it in
// DIR/verify-calc.png). Same conditions as writeSnapshots.
QString writeHistoryAndVerify(const QString& dir);

// Renders the Lists mode with three data lists as DIR/lists-demo.png, the
// list editor with two of them as DIR/listedit.png and the Regr mode with an
// exponential fit, its report and plot, as DIR/regr-demo.png. Same conditions
// as writeSnapshots.
QString writeListsDemo(const QString& dir);

// Renders the factorization window after factorizing 360 into
// DIR/factor.png, the number line at 0..600 into DIR/primeline.png and the
// prime map's 1000 x 1000 area, pixel for pixel, into DIR/primemap.png. Same
// conditions as writeSnapshots.
QString writePrimeSnapshots(const QString& dir);

// Renders the Matrix mode over a sample catalog: the list
// (DIR/matrix-list.png), a matrix being edited (matrix-edit.png), an
// expression typed and evaluated (matrix-algeb-typed.png, matrix-algeb.png),
// an Rref with fractions (matrix-rref.png, and its display alone at double
// density in matrix-rref-2x.png), a determinant (matrix-det.png)
// and three steps of the Gauss-Jordan animation (gj-begin.png,
// gj-scaled.png, gj-sweep.png). Same conditions as writeSnapshots.
QString writeMatrixSnapshots(const QString& dir);
// Renders the f(x) tool windows: the details window after a crossing search
// into DIR/details.png, the Evaluate window with its marks and tangents
// beside the graph into DIR/evalfx.png, and the integral window beside its
// shaded graph into DIR/defint.png. Same conditions as writeSnapshots.
QString writeAnalysisSnapshots(const QString& dir);

} // namespace tallix
