#pragma once

#include "engine/core/Tokens.h"

#include <QDialog>

#include <optional>
#include <vector>

class QListView;
class QPushButton;

namespace tallix {

class ExpressionHistory;
class HistoryModel;

// The "Expression History" window: every recorded line, newest first, one
// 16-pixel row each (date and time, then the tokens as the calculator draws
// them). "Re-Use Selected Expression", or a right-click on a row, chooses
// that entry and closes the window. Entries that cannot be parsed are shown
// as their raw text and cannot be chosen.
class TtallixHistoryForm : public QDialog {
    Q_OBJECT
public:
    // The history is the main window's; it must outlive this window.
    TtallixHistoryForm(const ExpressionHistory& history, QWidget* parent);
    ~TtallixHistoryForm() override;

    // Shows the window modally with the list brought up to date and the
    // newest entry selected. Returns the chosen entry's tokens, or nothing
    // when the window was closed without a choice.
    std::optional<std::vector<TokenCode>> choose();
    // Brings the list up to date with the history, newest entry selected.
    void refresh();

    // The index chosen for re-use, -1 when none.
    int chosenIndex() const { return chosen_; }
    QListView* list() const { return list_; }

public slots:
    // Chooses the selected entry and closes the window; does nothing when
    // no entry is selected or the selected one cannot be parsed.
    void ReUseBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectionChanged();
    std::optional<std::vector<TokenCode>> selectedTokens() const;

    const ExpressionHistory& history_;
    HistoryModel* model_ = nullptr;
    QListView* list_ = nullptr;
    QPushButton* reuseBtn_ = nullptr;
    int chosen_ = -1;
};

} // namespace tallix
