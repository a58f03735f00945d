#include "ui/dialogs/tallixPrimeMap.h"

#include "ui/views/PrimeViews.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
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
    // The whole map when the screen holds it; else as tall as the screen,
    // with room for the vertical scroll bar.
    QSize want(1000 + 12, 1000 + 12 + caption->heightForWidth(1000) + 6);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableSize();
        if (want.height() > room.height())
            want.setWidth(want.width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        want = want.boundedTo(room);
    }
    resize(want);
}

} // namespace tallix
