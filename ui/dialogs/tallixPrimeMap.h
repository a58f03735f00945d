#pragma once

#include <QDialog>

namespace tallix {

class PrimeMapBox;
class PrimeSieve;

// The "1st Million Integers - Prime / Composite Map" window, shown modally:
// its caption text above the 1000 x 1000 map (scrolled when the screen is
// smaller).
class TtallixPrimeMapForm : public QDialog {
    Q_OBJECT
public:
    // The sieve must outlive the window.
    TtallixPrimeMapForm(const PrimeSieve& sieve, QWidget* parent);
    PrimeMapBox* mapBox() const { return map_; }

private:
    PrimeMapBox* map_;
};

} // namespace tallix
