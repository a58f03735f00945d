#pragma once

#include <QString>

namespace tallix {

// Renders the main window in each of the five modes into DIR as calc.png,
// fx.png, lists.png, regr.png and matrix.png (354 x 470 at ratio 1). Uses a
// fresh temporary data folder, so the user's settings are neither read nor
// changed. Needs a QApplication. Returns an error text, empty on success.
QString writeSnapshots(const QString& dir);

// Renders the Calc mode after a short sample session (roots, nested
// parentheses, fraction, pi and error answers, a line being edited) into
// DIR/calc-demo.png. Same conditions as writeSnapshots.
QString writeCalcDemo(const QString& dir);

// Renders the expression history window after a few evaluations into
// DIR/history.png, and the verification window after a short sample suite
// into DIR/verify.png (with the calculator as the suite left it in
// DIR/verify-calc.png). Same conditions as writeSnapshots.
QString writeHistoryAndVerify(const QString& dir);

} // namespace tallix
