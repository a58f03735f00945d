#include "tests/ui/UiTest.h"
#include "ui/dialogs/tallixFact.h"
#include "ui/dialogs/tallixPrimeLine.h"
#include "ui/dialogs/tallixPrimeMap.h"
#include "ui/pages/CalcPage.h"
#include "ui/pages/FxPage.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/PrimeViews.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace tallix;

namespace {

class PrimesWindow : public test::UiTest {
protected:
    // Opens the factorization window through the Calc page's label.
    TtallixFactForm* open(TtallixMainForm& form) {
        form.show();
        form.selectMode(CalcMode::Calc);
        QTest::mouseClick(form.calcPage()->findChild<QLabel*>("FactPrimeLbl"), Qt::LeftButton, {},
                          QPoint(3, 3));
        return form.findChild<TtallixFactForm*>();
    }
    static void click(QWidget& window, const char* name) {
        QWidget* w = window.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3));
    }
    static bool linksEnabled(TtallixFactForm& f) {
        const bool a = f.findChild<QLabel*>("FactorizeLbl")->isEnabled();
        EXPECT_EQ(f.findChild<QLabel*>("NextPrimeLbl")->isEnabled(), a);
        EXPECT_EQ(f.findChild<QLabel*>("PrevPrimeLbl")->isEnabled(), a);
        return a;
    }
};

} // namespace

TEST_F(PrimesWindow, OneWindowOpensFromTheCalcAndFxLabels) {
    TtallixMainForm form(dataFolder());
    TtallixFactForm* fact = open(form);
    ASSERT_NE(fact, nullptr);
    EXPECT_TRUE(fact->isVisible());
    EXPECT_EQ(fact->windowTitle(), "Factorize / Find Prime");
    fact->close();
    form.selectMode(CalcMode::Fx);
    QTest::mouseClick(form.fxPage()->findChild<QLabel*>("FactPrimeLbl"), Qt::LeftButton, {},
                      QPoint(3, 3));
    EXPECT_TRUE(fact->isVisible());
    EXPECT_EQ(form.findChildren<TtallixFactForm*>().size(), 1);
    QTest::keyClick(fact->edit(), Qt::Key_Escape);
    EXPECT_FALSE(fact->isVisible());
}

TEST_F(PrimesWindow, LinksFollowTheTextAndFactorsFillTheStrip) {
    TtallixMainForm form(dataFolder());
    TtallixFactForm& fact = *open(form);
    EXPECT_FALSE(linksEnabled(fact));
    for (const char* text : {"2.5", "abc", "18446744073709551616"}) {
        fact.edit()->setText(text);
        EXPECT_FALSE(linksEnabled(fact)) << text;
    }
    fact.edit()->setText(" -12 ");
    EXPECT_TRUE(linksEnabled(fact));
    click(fact, "FactorizeLbl");
    EXPECT_EQ(fact.strip()->factors(), (std::vector<std::string>{"-1", "2", "2", "3"}));

    fact.edit()->setText("1000036000099");
    click(fact, "FactorizeLbl");
    EXPECT_EQ(fact.strip()->factors(), (std::vector<std::string>{"1000003", "1000033"}));

    // 360: 2 with its exponent 3 raised above the bases' tops.
    fact.edit()->setText("360");
    click(fact, "FactorizeLbl");
    const QImage img = fact.strip()->renderImage(1);
    EXPECT_EQ(img.pixelColor(1, 1), QColor(244, 244, 244));
    int inkAbove = 0, inkBelow = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y).lightness() < 128) (y < 9 ? inkAbove : inkBelow)++;
    EXPECT_GT(inkAbove, 0);
    EXPECT_GT(inkBelow, inkAbove);
}

TEST_F(PrimesWindow, ArrowsKeysAndPrimeSearches) {
    TtallixMainForm form(dataFolder());
    TtallixFactForm& fact = *open(form);
    fact.edit()->setText("5");
    QTest::keyClick(fact.edit(), Qt::Key_Up);
    EXPECT_EQ(fact.edit()->text(), "6");
    click(fact, "FactDownBtn");
    click(fact, "FactDownBtn");
    EXPECT_EQ(fact.edit()->text(), "4");
    fact.edit()->setText("4.5");
    QTest::keyClick(fact.edit(), Qt::Key_Down);
    EXPECT_EQ(fact.edit()->text(), "4.5");

    fact.edit()->setText("-5");
    fact.NextPrimeLblClick();
    EXPECT_EQ(fact.edit()->text(), "2");
    fact.PrevPrimeLblClick();
    EXPECT_FALSE(fact.valueErrorLabel()->isHidden());
    QTest::keyClick(fact.edit(), Qt::Key_Up); // every change hides the message
    EXPECT_TRUE(fact.valueErrorLabel()->isHidden());
    EXPECT_EQ(fact.edit()->text(), "3");
    fact.PrevPrimeLblClick();
    EXPECT_EQ(fact.edit()->text(), "2");
    fact.edit()->setText("999983");
    fact.NextPrimeLblClick();
    EXPECT_FALSE(fact.valueErrorLabel()->isHidden());
    EXPECT_EQ(fact.edit()->text(), "999983");
}

TEST_F(PrimesWindow, NumberLineDrawsPrimesAndTakesClicks) {
    TtallixMainForm form(dataFolder());
    TtallixFactForm& fact = *open(form);
    click(fact, "PrimeLineLbl");
    TtallixPrimeLineForm* lineForm = fact.lineForm();
    ASSERT_NE(lineForm, nullptr);
    EXPECT_TRUE(lineForm->isVisible());
    PrimeLineBox& line = *lineForm->lineBox();
    EXPECT_EQ(line.range(), (PrimeLineRange{0, 600}));
    const PrimeLineGeometry g(line.width(), line.height(), line.range());
    const QImage img = line.renderImage(1);
    const int y = g.axisY() - 10;
    EXPECT_EQ(img.pixelColor(g.xOf(2), y), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(g.xOf(599), y), QColor(Qt::red));
    EXPECT_NE(img.pixelColor(g.xOf(4), y), QColor(Qt::red));
    EXPECT_NE(img.pixelColor(g.xOf(600), y), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(g.axisLeft(), g.axisY()), QColor(Qt::black));

    auto clickControl = [&](LineControl c) {
        const LineRect r = line.controlPlaces()[static_cast<std::size_t>(c)].hit;
        QTest::mouseClick(&line, Qt::LeftButton, {}, QPoint(r.left, r.bottom));
    };
    clickControl(LineControl::LowLess); // already at 0
    EXPECT_EQ(line.range(), (PrimeLineRange{0, 600}));
    clickControl(LineControl::ZoomIn);
    EXPECT_EQ(line.range(), (PrimeLineRange{60, 540}));
    clickControl(LineControl::ShiftDown);
    EXPECT_EQ(line.range(), (PrimeLineRange{12, 492}));
    for (int i = 0; i < 30; ++i)
        clickControl(LineControl::ZoomIn);
    EXPECT_EQ(line.range().high - line.range().low, 20);
    QTest::keyClick(lineForm, Qt::Key_Escape);
    EXPECT_FALSE(lineForm->isVisible());
}

TEST_F(PrimesWindow, PrimeMapIsModalAndPixelExact) {
    TtallixMainForm form(dataFolder());
    TtallixFactForm& fact = *open(form);
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (auto* map = qobject_cast<TtallixPrimeMapForm*>(QApplication::activeModalWidget())) {
            caption = map->findChild<QLabel*>("MapCaptionLbl")->text();
            map->close();
        }
    });
    click(fact, "PrimeMapLbl");
    EXPECT_TRUE(caption.startsWith("A color-coded mapping of the integers 1 - 1,000,000"));
    const QImage img = fact.mapForm()->mapBox()->renderImage(1);
    ASSERT_EQ(img.size(), QSize(1000, 1000));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(1, 0), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(3, 0), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(982, 999), QColor(255, 0, 0)); // 999983
    EXPECT_EQ(img.pixelColor(999, 999), QColor(192, 192, 192));
}
