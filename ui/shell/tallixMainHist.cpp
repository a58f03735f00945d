// The expression history of the main window (recording, the history window,
// saving on close) and the verification suite run from the calculator menu.
#include "ui/dialogs/tallixHist.h"
#include "ui/dialogs/tallixVerf.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/ExpDisplay.h"

#include <QCloseEvent>
#include <QMessageBox>

#include <chrono>

namespace tallix {

void TtallixMainForm::createHistory() {
    // A missing file is an empty history; lines that do not parse are kept
    // as they are and shown as raw text.
    history_.load(dataFolder_ / ExpressionHistory::kFileName);
    calc_.setEvaluatedHook([this](std::span<const TokenCode> tokens) {
        if (recordHistory_)
            history_.record(dateTimeNumber(std::chrono::system_clock::now()), tokens);
    });
    historyForm_ = new TtallixHistoryForm(history_, this);
    verfForm_ = new TtallixVerfForm(calc_, this);
    connect(verfForm_, &TtallixVerfForm::runStarted, this, [this] { recordHistory_ = false; });
    connect(verfForm_, &TtallixVerfForm::runFinished, this, [this] { recordHistory_ = true; });
    connect(verfForm_, &TtallixVerfForm::lineFed, this, [this] {
        showPending();
        expPB_->repaintAll();
    });
}

void TtallixMainForm::showHistory() {
    const auto tokens = historyForm_->choose();
    if (!tokens) return;
    calc_.replaceCurrentLine(*tokens);
    expPB_->repaintAll();
}

void TtallixMainForm::runVerificationSuite() {
    verfForm_->run();
}

bool TtallixMainForm::saveHistory() {
    if (!history_.changed()) return true;
    const WriteResult r = history_.save(dataFolder_ / ExpressionHistory::kFileName);
    if (r.ok) {
        history_.markSaved();
        return true;
    }
    QMessageBox::warning(
        this, "Graphing Abacorn",
        QString("Unable to save expression history.\n%1").arg(QString::fromStdString(r.error)));
    return false;
}

// Closing is never refused: the history and the function definitions are
// written when they changed, each reporting its own failure.
void TtallixMainForm::closeEvent(QCloseEvent* event) {
    // The verification window is a window of its own: it would keep the
    // program running. Closing it also stops a run.
    verfForm_->close();
    saveHistory();
    saveFuncs();
    QWidget::closeEvent(event);
}

} // namespace tallix
