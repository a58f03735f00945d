#include "ui/dialogs/tallixPrimeLine.h"

#include "ui/views/PrimeViews.h"

#include <QKeyEvent>

namespace tallix {

TtallixPrimeLineForm::TtallixPrimeLineForm(const PrimeSieve& sieve, QWidget* parent)
    : QWidget(parent, Qt::Tool) {
    setObjectName("TtallixPrimeLineForm");
    setWindowTitle("Primes on Number Line");
    line_ = new PrimeLineBox(sieve, this);
    setMinimumSize(320, 110);
    // 600 pixels of axis for 0..600: one pixel per integer at the start.
    resize(640, 140);
}

void TtallixPrimeLineForm::resizeEvent(QResizeEvent*) {
    line_->setGeometry(rect());
}

void TtallixPrimeLineForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace tallix
