#pragma once

#include "engine/graph/TRange.h"

#include <QWidget>

class QLabel;

namespace tallix {

class AppState;

// The "T - Value Range" window of the parametric graphs: the current TMin
// ("Cr Min T") and TMax ("Cr Max T") and the buttons that move them. Each
// press changes the workspace's T range, invalidates the function caches,
// redraws the graph and hands the focus back to the main window (the
// parent). It follows every change of the graph window.
class TtallixTspinForm : public QWidget {
    Q_OBJECT
public:
    // `main` is the main window: the parent, and where the focus returns.
    TtallixTspinForm(AppState& state, QWidget* main);

    // Shows the current T range.
    void refresh();
    // Moves the window to the left edge of `main`: directly above it when
    // main's top is greater than this window's height, directly below it
    // otherwise. Call it once the window is shown, when its frame is known.
    void placeBeside(QWidget* main);
    // One press of a button (what the button's click does).
    void press(TRangeButton button);

private:
    AppState& state_;
    QLabel* minLbl_;
    QLabel* maxLbl_;
};

} // namespace tallix
