#pragma once

#include "engine/workspace/Workspace.h"

#include <QFont>
#include <QLabel>
#include <QWidget>

class QKeyEvent;

namespace tallix {

class AppState;
class ClickLabel;
class Keypad;
class PaintBox;

// Geometry of the 354 x 470 client area shared by the shell and the pages.
namespace layout {
inline constexpr int kClientWidth = 354, kClientHeight = 470;
inline constexpr int kMargin = 5; // left and right margin of the wide controls
inline constexpr int kModeLblTop = 4, kModeLblHeight = 16;
inline constexpr int kBelowModeLbls = kModeLblTop + kModeLblHeight + 2;
inline constexpr int kKeypadTop = 300; // both keypads; bottom edge at 447 / 448
inline constexpr int kSideWidth = 48;  // Limage, Rimage and the columns below them
inline constexpr int kWide = kClientWidth - 2 * kMargin;
inline constexpr int kRightCol = kClientWidth - kMargin - kSideWidth;
} // namespace layout

QFont uiFont(int pixelSize, bool bold = false);
void setInk(QWidget* w, const QColor& c);
extern const QColor kActiveLbl;   // red: the chosen mode or state
extern const QColor kInactiveLbl; // navy
// A label whose action belongs to a part of the program not built yet: shown
// in its place, greyed, doing nothing.
QLabel* placeholderLabel(const QString& name, const QString& text, QWidget* parent);
// The label at the bottom left that shows the letters typed towards a keyword.
QLabel* pendingLabel(QWidget* page);
// The "FactPrime" label: a click opens the factorization window of the page's
// main window (one window, whichever page opened it).
QLabel* factPrimeLabel(AppState& state, QWidget* page);

// The page of one mode: it covers the client area under the shell's mode
// labels, owns the mode's controls (placed in client coordinates) and its key
// handling, and reaches the models through the application state.
class ModePage : public QWidget {
    Q_OBJECT
public:
    ModePage(const char* name, AppState& state, QWidget* shell);

    // Places and shows the page's controls for the current state.
    virtual void arrange() = 0;
    // A key pressed while the page is shown; false when the page does not take it.
    virtual bool keyPress(QKeyEvent* event);
    // One tick of the cursor timer while the page is shown.
    virtual void cursorTick() {}
    // The mode was chosen while already current (a click on its label).
    virtual void chosenAgain() {}
    // The shell leaves this mode: pending typed letters are dropped.
    virtual void left() {}
    // The keypads' colour of a pressed key changed.
    virtual void setPressedColor(int winColorValue);
    // The paint box that "Save Display" pictures; nullptr when the mode has
    // none (the entries are greyed).
    virtual QWidget* displayBox() const { return nullptr; }

signals:
    // A right click on a keypad or display of the page: the mode's menu at
    // `globalPos`.
    void menuRequested(QPoint globalPos);
    // A key code handed to the mode's key handler (keypad click or typing).
    void keyDispatched(int mode, int code);

protected:
    // Ctrl+C, Ctrl+X and Ctrl+V on the page's token clipboard commands;
    // false for any other key.
    bool clipboardKey(QKeyEvent* event);
    virtual void copySelected() {}
    virtual void cutSelected() {}
    virtual void pasteSelected() {}

    AppState& state_;
    // The keypads of the page (for the pressed-key colour).
    std::vector<Keypad*> keypads_;
};

// The "Trig Mode :" caption and the label that flips the run's trig mode;
// every page that shows it shows the same mode.
class TrigModeLabels : public QObject {
    Q_OBJECT
public:
    TrigModeLabels(AppState& state, QWidget* page);
    void place(int x, int y);

private:
    void show(TrigMode t);
    QLabel* caption_;
    ClickLabel* label_;
};

} // namespace tallix
