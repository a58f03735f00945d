#pragma once

#include <QWidget>

namespace tallix {

class PrimeLineBox;
class PrimeSieve;

// The "Primes on Number Line" window: a modeless window filled by the number
// line, starting at 0..600; its range lasts as long as the window. Escape
// closes it.
class TtallixPrimeLineForm : public QWidget {
    Q_OBJECT
public:
    // The sieve must outlive the window.
    TtallixPrimeLineForm(const PrimeSieve& sieve, QWidget* parent);
    PrimeLineBox* lineBox() const { return line_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PrimeLineBox* line_;
};

} // namespace tallix
