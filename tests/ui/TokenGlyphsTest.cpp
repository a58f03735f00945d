#include "ui/views/TokenGlyphs.h"
#include "tests/ui/UiTest.h"

#include <QImage>
#include <QPainter>

namespace tallix {
namespace {

class TokenGlyphsUi : public test::UiTest {};

// Every glyph stays inside its token box (18 pixels from its top), so that
// nothing it draws reaches the answer row of a calculator band.
TEST_F(TokenGlyphsUi, EveryGlyphStaysInsideItsBox) {
    const TokenGlyphs glyphs;
    for (int code = 0; code < calc::kCodeCount; ++code) {
        for (bool small : {false, true}) {
            SCOPED_TRACE(code);
            QImage img(60, 40, QImage::Format_RGB32);
            img.fill(Qt::white);
            {
                QPainter p(&img);
                glyphs.paint(p, static_cast<TokenCode>(code), 5, 10, small, Qt::black);
            }
            int lowest = -1;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (qGray(img.pixel(x, y)) < 160) lowest = y;
            EXPECT_LT(lowest, 10 + 18) << "small " << small;
        }
    }
}

} // namespace
} // namespace tallix
