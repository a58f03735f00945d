#pragma once

#include "engine/workspace/Workspace.h"

#include <QWidget>

#include <array>
#include <filesystem>

class QMenu;
class QTimer;

namespace tallix {

class AppState;
class CalcPage;
class ClickLabel;
class ExpDisplay;
class FxPage;
class GraphView;
class ImageExporter;
class ListsPage;
class MatrixPage;
class ModePage;
class RegrPage;
class SettingsStore;
struct WriteResult;
class TtallixAboutForm;
class TtallixHistoryForm;
class TtallixOptionsForm;
class TtallixVerfForm;

inline constexpr const char* kMainCaption = "v1.17c  --  Graphing Abacorn";

// The main window: the mode labels, the menus, the cursor timer and one page
// per mode on one fixed 354 x 470 surface. The models of the run are in the
// application state; the pages own the controls and keys of their modes.
class TtallixMainForm : public QWidget {
    Q_OBJECT
public:
    // Keeps its files ("tallix.ini", the history) in `dataFolder`.
    explicit TtallixMainForm(const std::filesystem::path& dataFolder, QWidget* parent = nullptr);
    ~TtallixMainForm() override;

    AppState& state() { return *state_; }
    Workspace& workspace();
    CalcMode mode() const;
    CalcPage* calcPage() const { return calcPage_; }
    ModePage* page(CalcMode m) const;
    FxPage* fxPage() const { return fxPage_; }
    ListsPage* listsPage() const { return listsPage_; }
    RegrPage* regrPage() const { return regrPage_; }

    // Shortcuts to the parts the tests and pictures look at.
    CalcEditor& calcEditor() { return workspace().calc(); }
    FuncSet& funcs() { return workspace().funcs(); }
    ExpDisplay* expDisplay() const;
    GraphView* graphView() const;
    TtallixHistoryForm* historyForm() const;
    TtallixVerfForm* verfForm() const;
    // Runs the picture commands of the menus; keeps the save dialogs' names.
    ImageExporter& imageExporter() const { return *exporter_; }

public slots:
    void ModeCalcLblClick() { selectMode(CalcMode::Calc); }
    void ModeFxLblClick() { selectMode(CalcMode::Fx); }
    void ModeListLblClick() { selectMode(CalcMode::Lists); }
    void ModeRegrLblClick() { selectMode(CalcMode::Regr); }
    void ModeMatrixLblClick() { selectMode(CalcMode::Matrix); }
    void selectMode(CalcMode m);
    void setBgColorToDefault();
    // One blink of the cursor of the current mode.
    void CursorTimerTick();

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
    void pickColour(int current, WriteResult (SettingsStore::*write)(int));
    void openHelpPage();
    void showOptions();

    AppState* state_ = nullptr;
    QTimer* cursorTimer_ = nullptr;
    std::array<ClickLabel*, 5> modeLbls_{};
    ClickLabel* HelpLbl_ = nullptr;

    CalcPage* calcPage_ = nullptr;
    FxPage* fxPage_ = nullptr;
    ListsPage* listsPage_ = nullptr;
    RegrPage* regrPage_ = nullptr;
    MatrixPage* matrixPage_ = nullptr;

    QMenu* CalcPU_ = nullptr;
    QMenu* FuncPU_ = nullptr;
    QMenu* MatPU_ = nullptr;
    QMenu* HelpPU_ = nullptr;
    ImageExporter* exporter_ = nullptr;
    TtallixOptionsForm* options_ = nullptr;
    TtallixAboutForm* about_ = nullptr;
};

} // namespace tallix
