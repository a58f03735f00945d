#pragma once

#include "engine/calc/CalcEditor.h"
#include "engine/core/Tokens.h"
#include "engine/graph/GraphLayout.h"
#include "store/History.h"
#include "store/Settings.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QScrollBar;
class QTimer;

namespace tallix {

class ClickLabel;
class ExpDisplay;
class FuncSet;
class GraphView;
class Keypad;
class PaintBox;
class TtallixAboutForm;
class TtallixHistoryForm;
class TtallixOptionsForm;
class TtallixVerfForm;

enum class CalcMode { Calc = 0, Fx = 1, Lists = 2, Regr = 3, Matrix = 4 };

inline constexpr const char* kMainCaption = "v1.17c  --  Graphing Abacorn";

// The main window: the five modes on one fixed 354 x 470 surface. Settings
// are read from and written to "tallix.ini" in the data folder.
class TtallixMainForm : public QWidget {
    Q_OBJECT
public:
    // Keeps its files in `dataFolder`; an empty path means the folder the
    // program would choose for itself (DataFolder::choose).
    explicit TtallixMainForm(const std::filesystem::path& dataFolder = {},
                             QWidget* parent = nullptr);
    ~TtallixMainForm() override;

    CalcMode mode() const { return mode_; }
    const Settings& settings() const { return store_.values(); }
    SettingsStore& settingsStore() { return store_; }
    bool hintsEnabled() const { return hints_; }
    bool degrees() const { return degrees_; }
    bool fractionDisplay() const { return calc_.displayMode == DisplayMode::Fraction; }
    CalcEditor& calcEditor() { return calc_; }
    ExpDisplay* expDisplay() const { return expPB_; }

    // A calculator key, as if clicked on the keypad in the Calc mode.
    void calcKey(TokenCode code);
    // Hands the current settings to the calculator and its display.
    void settingsChanged();

    // Reports a failed settings write in a warning box; true when it succeeded.
    bool checkWrite(const WriteResult& r);

    // The function slots (read from "tallix.ini" at start, written on close
    // when changed), the graph window and the graph itself.
    FuncSet& funcs() { return *funcs_; }
    GraphWindow& graphWindow() { return graphWindow_; }
    GraphView* graphView() const { return graph_; }
    // After a change of the graph window or the graph mode: every slot's
    // samples are stale; repaints the graph.
    void graphChanged();
    // The expression history and its windows.
    const ExpressionHistory& history() const { return history_; }
    TtallixHistoryForm* historyForm() const { return historyForm_; }
    TtallixVerfForm* verfForm() const { return verfForm_; }
    // Writes the history file when entries were added since the last save;
    // a failed write is reported in a warning box and leaves the old file.
    bool saveHistory();

public slots:
    void ModeCalcLblClick() { selectMode(CalcMode::Calc); }
    void ModeFxLblClick() { selectMode(CalcMode::Fx); }
    void ModeListLblClick() { selectMode(CalcMode::Lists); }
    void ModeRegrLblClick() { selectMode(CalcMode::Regr); }
    void ModeMatrixLblClick() { selectMode(CalcMode::Matrix); }
    void selectMode(CalcMode m);
    void setHintsEnabled(bool on);
    void setBgColorToDefault();
    // One blink of the cursor of the current mode.
    void CursorTimerTick();
    void ClearAllLblClick();
    void RecycleAnsLblClick();
    void copySelected();
    void cutSelected();
    void pasteSelected();
    void pastePreviousAnswer();
    // The calculator menu's "Show Expression History": a chosen entry
    // replaces the current line.
    void showHistory();
    void runVerificationSuite();

signals:
    // A key code handed to the mode's key handler (keypad click or typing).
    void keyDispatched(int mode, int code);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void ArrangeWindowComponentsPerMode();
    void ColorModeLbls();
    void applyBackground();
    void setTrigLabel();
    void setDisplayModeLabel();
    void fillRegrChoosers();
    void dispatchKey(CalcMode keypadMode, TokenCode code);
    void keypadMenu(Keypad* pad, QPoint pos);
    void pickColour(int current, WriteResult (SettingsStore::*write)(int));
    void openHelpPage();
    void showOptions();
    // Calc mode: keys, effects on the display, scroll buttons.
    bool calcKeyPress(QKeyEvent* event);
    void showCalcEffect(const CalcEditor::KeyEffect& effect, int offsetBefore, bool inserted);
    void calcEdited(bool changed, int offsetBefore, bool inserted);
    void scrollButtonPressed(bool rightButton, QPoint pos);
    void showPending();
    void createHistory();

    void loadFuncs();
    void saveFuncs();

    std::filesystem::path dataFolder_;
    SettingsStore store_;
    std::unique_ptr<FuncSet> funcs_;
    GraphWindow graphWindow_;
    GraphView* graph_ = nullptr;
    CalcMode mode_ = CalcMode::Calc;
    bool hints_ = false;
    bool degrees_ = false;
    KeywordFeed keywords_; // f(x) mode; the calculator keeps its own
    CalcEditor calc_;
    QTimer* cursorTimer_ = nullptr;

    std::array<ClickLabel*, 5> modeLbls_{};
    // Calc
    ExpDisplay* expPB_ = nullptr;
    Keypad* kbImage_ = nullptr;
    PaintBox* Limage_ = nullptr;
    PaintBox* Rimage_ = nullptr;
    ClickLabel* clearAllLbl_ = nullptr;
    QLabel* factPrimeLbl_ = nullptr;
    ClickLabel* recycleAnsLbl_ = nullptr;
    QLabel* pendingCharsLbl_ = nullptr;
    QLabel* dsplyCaptionLbl_ = nullptr;
    ClickLabel* DsplyModeLbl_ = nullptr;
    QLabel* trigCaptionLbl_ = nullptr;
    ClickLabel* TrigModeLbl_ = nullptr;
    ClickLabel* HelpLbl_ = nullptr;
    // f(x)
    PaintBox* GraphPB_ = nullptr;
    QLabel* funcDefsLbl_ = nullptr;
    QLabel* polarLbl_ = nullptr;
    QLabel* paramLbl_ = nullptr;
    PaintBox* FuncPB_ = nullptr;
    QScrollBar* FuncSB_ = nullptr;
    std::array<QLabel*, 6> analysisLbls_{};
    std::array<Keypad*, 3> funcPads_{}; // kb2Image, kb3Image, kb4Image
    // Lists
    QLabel* newListLbl_ = nullptr;
    QLabel* editListLbl_ = nullptr;
    QLabel* deleteListLbl_ = nullptr;
    QListWidget* ListsLB_ = nullptr;
    // Regr
    PaintBox* regrPB_ = nullptr;
    std::array<QLabel*, 3> regrCaptions_{};
    QComboBox* XListCB_ = nullptr;
    QComboBox* YListCB_ = nullptr;
    QComboBox* RegrModelCB_ = nullptr;
    QListWidget* RegrLB_ = nullptr;
    // Matrix (sub-mode List at start)
    QListWidget* MatsLB_ = nullptr;
    std::array<QLabel*, 3> matListLbls_{};
    std::array<QLabel*, 7> matSubModeLbls_{};
    PaintBox* MatPB_ = nullptr;

    QMenu* CalcPU_ = nullptr;
    QMenu* FuncPU_ = nullptr;
    QMenu* MatPU_ = nullptr;
    QMenu* HelpPU_ = nullptr;
    TtallixOptionsForm* options_ = nullptr;
    TtallixAboutForm* about_ = nullptr;

    ExpressionHistory history_;
    bool recordHistory_ = true; // off while a verification suite runs
    TtallixHistoryForm* historyForm_ = nullptr;
    TtallixVerfForm* verfForm_ = nullptr;
};

} // namespace tallix
