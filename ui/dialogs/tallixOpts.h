#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QToolButton;

namespace tallix {

class AppState;

// An up-down pair of arrows over an integer in [lo, hi]. The up arrow adds
// `increment` (which may be negative), the down arrow subtracts it.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(const QString& name, int lo, int hi, int increment, QWidget* parent);
    int position() const { return pos_; }
    void setPosition(int v);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void changed(int value);

private:
    void step(int delta);
    int lo_, hi_, increment_, pos_;
    QToolButton* up_;
    QToolButton* down_;
};

// The "Options" dialog: output formatting settings, each written the moment
// it changes, and the pop-up hint switch of the main window.
class TtallixOptionsForm : public QDialog {
    Q_OBJECT
public:
    TtallixOptionsForm(AppState& state, QWidget* parent);
    // Sets every control from the current settings.
    void loadValues();

private:
    void showValues();

    AppState& state_;
    bool loading_ = false;
    UpDown* fracErrUD_;
    QLabel* fracErrLbl_;
    UpDown* roundUD_;
    QLabel* roundLbl_;
    QCheckBox* piCB_;
    QCheckBox* floatCB_;
    QCheckBox* scrollCB_;
    QCheckBox* parensCB_;
    QCheckBox* hintsCB_;
};

} // namespace tallix
