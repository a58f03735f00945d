#include "ui/dialogs/tallixPrimeMap.h"

#include "ui/views/PrimeViews.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tallix {

TtallixPrimeMapForm::TtallixPrimeMapForm(const PrimeSieve& sieve, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TtallixPrimeMapForm");
    setWindowTitle("1st Million Integers - Prime / Composite Map");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* caption = new QLabel(
        "A color-coded mapping of the integers 1 - 1,000,000 in raster form - 1000 numbers per "
        "row, left to right, 1000 rows, with one color dot per number - gray dots for composite "
        "numbers, red dots for primes.",
        this);
    caption->setObjectName("MapCaptionLbl");
    caption->setWordWrap(true);
    layout->addWidget(caption);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    map_ = new PrimeMapBox(sieve, scroll);
    scroll->setWidget(map_);
    layout->addWidget(scroll, 1);
    QSize want(1000 + 12 + 2, 1000 + 12 + 2 + caption->heightForWidth(1000) + 6);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        want = want.boundedTo(screen->availableSize());
    resize(want);
}

} // namespace tallix
