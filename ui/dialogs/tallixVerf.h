#pragma once

#include "engine/calc/CalcEditor.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace tallix {

class AppState;
class VerificationRun;

// The "Verification Test Suite" window: replays a suite file line by line
// through the calculator's key handler, listing each line under "Test Suite
// Text" and each failure (two lines) under "Errors". One line is fed per
// turn of the event loop, so the window stays responsive and "Abort Test"
// stops the run before its next line. Both lists keep growing across runs.
class TtallixVerfForm : public QWidget {
    Q_OBJECT
public:
    // Returns the chosen suite file, or an empty text when cancelled.
    using FileChooser = std::function<QString(QWidget* parent)>;

    // Runs suites through the calculator of `state`, which must outlive this
    // window.
    TtallixVerfForm(AppState& state, QWidget* parent);
    ~TtallixVerfForm() override;

    // Replaces the file dialog (tests run suites without one).
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    bool running() const { return run_ != nullptr; }

public slots:
    // Asks for a suite file and starts running it; nothing on cancel or
    // while a run is going on.
    void run();
    // Runs the suite in `file` (the chooser's answer).
    void runFile(const QString& file);
    void AbortTestBtnClick();

signals:
    // Around a run: the calculator's history is not recorded in between.
    void runStarted();
    void runFinished();
    // A line went through the calculator: its display needs a repaint.
    void lineFed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void step();
    void finish();

    AppState& state_;
    FileChooser chooser_;
    std::unique_ptr<VerificationRun> run_; // while a run is going on
    std::vector<std::string> lines_;
    std::size_t next_ = 0; // index of the next line to feed
    std::size_t errorsShown_ = 0;
    bool abortRequested_ = false;
    // The trig mode before the run; whether the suite's directives changed it,
    // and whether anyone else did while it ran.
    TrigMode trigModeBefore_ = TrigMode::Radians;
    bool suiteSetTrig_ = false;
    bool suiteSetting_ = false;
    bool userSetTrig_ = false;

    QLabel* fileLbl_ = nullptr;
    QPushButton* abortBtn_ = nullptr;
    QListWidget* suiteLB_ = nullptr;
    QListWidget* errorsLB_ = nullptr;
    QLabel* statusLbl_ = nullptr;
};

} // namespace tallix
