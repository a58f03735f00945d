#pragma once

#include <QWidget>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QToolButton;

namespace tallix {

class ClickLabel;
class FactorStrip;
class TtallixPrimeLineForm;
class TtallixPrimeMapForm;
class Workspace;

// The "Factorize / Find Prime" window (modeless): an integer box with up and
// down arrows, links that factorize it or replace it by the next or previous
// prime, the result strip, and the links to the number line and the prime
// map. The three computing links are enabled exactly while the box holds an
// integer. The sieve is built when the window is first shown.
class TtallixFactForm : public QWidget {
    Q_OBJECT
public:
    // The workspace (for its sieve) must outlive the window.
    TtallixFactForm(Workspace& workspace, QWidget* parent);

    QLineEdit* edit() const { return FactEB_; }
    FactorStrip* strip() const { return strip_; }
    QLabel* valueErrorLabel() const { return valueErrorLbl_; }
    // The number line window; null until first opened.
    TtallixPrimeLineForm* lineForm() const { return lineForm_; }
    // The prime map window, created (not shown) on the first call.
    TtallixPrimeMapForm* mapForm();

public slots:
    void FactorizeLblClick();
    void NextPrimeLblClick();
    void PrevPrimeLblClick();
    void PrimeLineLblClick();
    // Shows the prime map modally.
    void PrimeMapLblClick();
    // The up (+1) and down (-1) arrows and keys.
    void step(int by);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void textChanged();
    // Writes a prime search's answer into the box, or shows "value error".
    void showSearch(const std::optional<std::string>& answer);

    Workspace& ws_;
    QLineEdit* FactEB_ = nullptr;
    QToolButton* upBtn_ = nullptr;
    QToolButton* downBtn_ = nullptr;
    ClickLabel* factorizeLbl_ = nullptr;
    ClickLabel* nextPrimeLbl_ = nullptr;
    ClickLabel* prevPrimeLbl_ = nullptr;
    QLabel* valueErrorLbl_ = nullptr;
    FactorStrip* strip_ = nullptr;
    TtallixPrimeLineForm* lineForm_ = nullptr;
    TtallixPrimeMapForm* mapForm_ = nullptr;
};

// Shows the factorization window of `owner` (the main window), creating it on
// first use, and brings it to the front.
TtallixFactForm* showFactPrimeWindow(Workspace& workspace, QWidget* owner);

} // namespace tallix
