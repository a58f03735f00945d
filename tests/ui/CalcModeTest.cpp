// The Calc mode driven as a person would: keypad clicks, typing, the mouse on
// the display, the labels and the scroll buttons; then the lines' tokens,
// cursors, selections and results, and pixels of the rendered bands.
#include "engine/calc/ExpGeometry.h"
#include "tests/ui/UiTest.h"
#include "ui/pages/CalcPage.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/ExpDisplay.h"
#include "ui/views/Keypad.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace tallix;

namespace {

using Tokens = std::vector<TokenCode>;
constexpr TokenCode d0 = 28, d1 = 19, d2 = 20, d3 = 21, d5 = 12;

class CalcModeUi : public test::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = std::make_unique<TtallixMainForm>(dataFolder());
        form_->show();
        pad_ = form_->findChild<Keypad*>("kbImage");
        exp_ = form_->expDisplay();
    }
    void TearDown() override {
        form_.reset();
        UiTest::TearDown();
    }

    CalcEditor& ed() { return form_->calcEditor(); }
    ExpLine& cur() { return ed().current(); }
    void click(TokenCode code) {
        const double cw = pad_->width() / 8.0, rh = pad_->height() / 5.0;
        QTest::mouseClick(pad_, Qt::LeftButton, {},
                          QPoint(int((code % 8 + 0.5) * cw), int((code / 8 + 0.5) * rh)));
    }
    void type(const char* text) { QTest::keyClicks(form_.get(), text); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(form_.get(), k, m); }
    void setAutoscroll(bool on) { form_->state().changeSetting(&SettingsStore::setAutoScroll, on); }
    QColor pixel(int x, int y) { return exp_->image().pixelColor(x, y); }
    int bandTop(int n) { return expgeo::bandTop(n, exp_->height()); }
    // The ink of the token at pos of line n, as the colour of `palette` whose
    // blend with the band best explains the token's most covered pixel (the
    // text is antialiased, so few pixels carry the pure colour).
    QColor inkOf(int n, int pos, const std::vector<QColor>& palette) {
        const expgeo::LineLayout& ln = exp_->layout(n);
        const auto i = std::size_t(pos - 1);
        const QColor band = pixel(exp_->width() - 3, bandTop(n) + 6);
        auto diff = [&](const QColor& c) {
            return std::array<double, 3>{double(c.red() - band.red()),
                                         double(c.green() - band.green()),
                                         double(c.blue() - band.blue())};
        };
        auto norm = [](const std::array<double, 3>& v) {
            return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        };
        std::array<double, 3> most{};
        for (int y = bandTop(n) + 1; y < bandTop(n) + 18; ++y)
            for (int x = ln.rightEdge[i] - ln.width[i] + 1; x <= ln.rightEdge[i]; ++x)
                if (const auto d = diff(pixel(x, y)); norm(d) > norm(most)) most = d;
        QColor best;
        double bestCos = -2;
        for (const QColor& c : palette) {
            const auto d = diff(c);
            const double cos =
                (d[0] * most[0] + d[1] * most[1] + d[2] * most[2]) / (norm(d) * norm(most) + 1e-9);
            if (cos > bestCos) bestCos = cos, best = c;
        }
        return best;
    }

    std::unique_ptr<TtallixMainForm> form_;
    Keypad* pad_ = nullptr;
    ExpDisplay* exp_ = nullptr;
};

} // namespace

TEST_F(CalcModeUi, KeypadAndKeyboardEditAndEvaluateTheLine) {
    click(d1);
    click(calc::Plus);
    click(d2);
    click(calc::Evaluate);
    EXPECT_EQ(cur().tokens(), (Tokens{d1, calc::Plus, d2}));
    EXPECT_EQ(cur().resultText, "3");

    // Typing a digit while a selection covers the cursor replaces the selection.
    cur().selStart = 1;
    cur().selEnd = 2;
    cur().cursor = 2;
    type("5");
    EXPECT_EQ(cur().tokens(), (Tokens{d5, d2}));
    EXPECT_EQ(cur().cursor, 2);

    // Backspace at cursor 1 without a selection does nothing.
    key(Qt::Key_Home);
    key(Qt::Key_Backspace);
    EXPECT_EQ(cur().tokens(), (Tokens{d5, d2}));
    key(Qt::Key_Delete);
    EXPECT_EQ(cur().tokens(), (Tokens{d2}));
    key(Qt::Key_End);
    key(Qt::Key_Left);
    EXPECT_EQ(cur().cursor, 1);

    // Fraction answers after the frac key; its label follows.
    key(Qt::Key_End);
    type("/3=");
    EXPECT_EQ(cur().resultText, "0.66666666666666666668");
    click(calc::FracMode);
    type("=");
    EXPECT_EQ(cur().resultText, "2 / 3");
    EXPECT_EQ(form_->findChild<QLabel*>("DsplyModeLbl")->text(), "Frac");
}

TEST_F(CalcModeUi, UpAndDownWrapAroundTheEightLines) {
    for (int i = 0; i < 7; ++i)
        key(Qt::Key_Up);
    EXPECT_EQ(ed().currentLine(), 8);
    key(Qt::Key_Up);
    EXPECT_EQ(ed().currentLine(), 1);
    key(Qt::Key_Down);
    EXPECT_EQ(ed().currentLine(), 8);
}

TEST_F(CalcModeUi, EnterClearsWithoutAutoscrollAndEvaluatesWithIt) {
    type("2*3");
    key(Qt::Key_Return);
    EXPECT_TRUE(cur().tokens().empty());
    EXPECT_TRUE(cur().resultText.empty());

    setAutoscroll(true);
    type("2*3");
    key(Qt::Key_Return);
    EXPECT_TRUE(ed().line(1).tokens().empty());
    EXPECT_EQ(ed().line(2).resultText, "6");
    // Every band is active while line 1 is current with autoscroll.
    const QColor active(0xF4, 0xF4, 0xF8);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(pixel(exp_->width() - 3, bandTop(n) + 6), active) << n;
    setAutoscroll(false);
    EXPECT_EQ(pixel(exp_->width() - 3, bandTop(2) + 6), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(CalcModeUi, PreviousAnswerIsPastedOnlyWhenUsable) {
    auto recycle = [&] {
        QTest::mouseClick(form_->findChild<QLabel*>("RecycleAnsLbl"), Qt::LeftButton, {},
                          QPoint(3, 3));
    };
    type("1/0=");
    ASSERT_EQ(cur().resultText, "error: division by zero.");
    ed().pastePreviousAnswer();
    recycle();
    EXPECT_EQ(cur().tokens(), (Tokens{d1, calc::Divide, d0}));

    key(Qt::Key_Return); // clears: autoscroll is off
    type("0*5=");
    recycle();
    EXPECT_EQ(cur().tokens(), (Tokens{d0, calc::Times, d5}));

    // An answer in scientific notation keeps its exponent.
    key(Qt::Key_Return);
    type("15*10^24=");
    recycle();
    type("=");
    EXPECT_EQ(cur().resultText, "1.5E+0025");
    EXPECT_EQ(cur().tokens().front(), calc::OpenParen);

    // With autoscroll the answer comes from line 2 into the new line 1.
    setAutoscroll(true);
    type("=");
    type("2+");
    form_->calcPage()->pastePreviousAnswer();
    type("=");
    EXPECT_EQ(ed().line(2).resultText, "1.5E+0025");
}

TEST_F(CalcModeUi, ClipboardKeysCopyCutAndPasteTokens) {
    type("12+3");
    cur().selStart = 1;
    cur().selEnd = 2;
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_End);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cur().tokens(), (Tokens{d1, d2, calc::Plus, d3, d1, d2}));
    cur().selStart = 3;
    cur().selEnd = 4;
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(cur().tokens(), (Tokens{d1, d2, d1, d2}));
    EXPECT_EQ(ed().clipboard(), (Tokens{calc::Plus, d3}));

    QTest::mouseClick(form_->findChild<QLabel*>("ClearAllLbl"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(cur().tokens().empty());
}

TEST_F(CalcModeUi, MousePicksTheLineSelectsByDragAndPlacesTheCursor) {
    type("123+456");
    const ExpLine& ln = cur();
    const int y = bandTop(1) + 8;
    auto edgeOf = [&](int pos) { return exp_->layout(1).rightEdge[std::size_t(pos - 1)]; };

    // A click on another line only switches lines.
    QTest::mouseClick(exp_, Qt::LeftButton, {}, QPoint(edgeOf(2), bandTop(3) + 8));
    EXPECT_EQ(ed().currentLine(), 3);
    QTest::mouseClick(exp_, Qt::LeftButton, {}, QPoint(edgeOf(2), y));
    EXPECT_EQ(ed().currentLine(), 1);
    EXPECT_EQ(ln.cursor, 8);

    QTest::mouseClick(exp_, Qt::LeftButton, {}, QPoint(edgeOf(2), y));
    EXPECT_EQ(ln.cursor, 2);
    QTest::mouseClick(exp_, Qt::LeftButton, {}, QPoint(exp_->width() - 10, y));
    EXPECT_EQ(ln.cursor, 8);

    // Drag from the middle of token 6 back to token 2: tokens 2..6 selected.
    const int from = edgeOf(6) - 2, to = edgeOf(2) - 2;
    QTest::mousePress(exp_, Qt::LeftButton, {}, QPoint(from, y));
    QTest::mouseMove(exp_, QPoint(to, y));
    QTest::mouseRelease(exp_, Qt::LeftButton, {}, QPoint(to, y));
    EXPECT_EQ(ln.selStart, 2);
    EXPECT_EQ(ln.selEnd, 6);
    EXPECT_EQ(ln.cursor, 2);
    // Selected tokens are drawn in green on the active band.
    const std::vector<QColor> inkColours = {Qt::black, QColor(0, 255, 0)};
    EXPECT_EQ(inkOf(1, 3, inkColours), QColor(0, 255, 0));
    EXPECT_EQ(inkOf(1, 1, inkColours), QColor(Qt::black));
}

TEST_F(CalcModeUi, LongLinesScrollWithInsertEndHomeAndTheButtons) {
    for (int i = 0; i < 60; ++i)
        type("7");
    const int w = exp_->width();
    const int edge = expgeo::lastEdge(cur(), exp_->layout(1));
    EXPECT_EQ(ed().scrollOffset,
              expgeo::scrollAfterInsert(0, cur(), exp_->layout(1), w) > 0 ? ed().scrollOffset : 0);
    EXPECT_LE(edge - ed().scrollOffset, w - 25);
    key(Qt::Key_Home);
    EXPECT_EQ(ed().scrollOffset, 0);
    key(Qt::Key_End);
    EXPECT_EQ(ed().scrollOffset, edge - w + 40);

    QWidget* limage = form_->findChild<QWidget*>("Limage");
    QWidget* rimage = form_->findChild<QWidget*>("Rimage");
    QTest::mouseClick(limage, Qt::LeftButton, {}, QPoint(2, 5)); // to start
    EXPECT_EQ(ed().scrollOffset, 0);
    QTest::mouseClick(rimage, Qt::LeftButton, {}, QPoint(rimage->width() - 2, 5)); // to end
    EXPECT_EQ(ed().scrollOffset, edge - w + 20);
    QTest::mouseClick(rimage, Qt::RightButton, {}, QPoint(2, 5)); // only the left button acts
    EXPECT_EQ(ed().scrollOffset, edge - w + 20);
}

TEST_F(CalcModeUi, NthRootIndexIsLaidOutSmallUnderTheRadical) {
    type("12nrt8");
    ASSERT_EQ(cur().tokens(), (Tokens{d1, d2, calc::NthRoot, 4}));
    const expgeo::LineLayout& ln = exp_->layout(1);
    const QFontMetrics small(exp_->smallFont()), normal(exp_->normalFont());
    EXPECT_EQ(ln.width[0], small.horizontalAdvance("1"));
    EXPECT_EQ(exp_->ExpTokenWidth(1, 1, false), normal.horizontalAdvance("1"));
    EXPECT_EQ(ln.rightEdge[0], 4 + ln.width[0] - 1);
    // The radical starts back over its index.
    EXPECT_LT(ln.rightEdge[2] - ln.width[2] + 1, ln.rightEdge[1] + 2);
    // Deleting the root gives the digits their normal size back.
    key(Qt::Key_Left);
    key(Qt::Key_Backspace);
    EXPECT_EQ(ln.width[0], normal.horizontalAdvance("1"));
}

TEST_F(CalcModeUi, ParenthesesAreColouredByDepthUnlessSwitchedOff) {
    type("(((1)))");
    const QColor black(0, 0, 0), magenta(255, 0, 255), red(255, 0, 0), blue(0x40, 0x80, 0xFF);
    const std::vector<QColor> palette = {black, magenta, red, blue};
    const std::array<QColor, 6> expected = {magenta, red, blue, blue, red, magenta};
    const std::array<int, 6> positions = {1, 2, 3, 5, 6, 7};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(positions[i]);
        EXPECT_EQ(inkOf(1, positions[i], palette), expected[i]);
    }
    form_->state().changeSetting(&SettingsStore::setColorParens, false);
    EXPECT_EQ(inkOf(1, 1, palette), black);
    EXPECT_EQ(inkOf(1, 7, palette), black);
}

TEST_F(CalcModeUi, CursorBlinksOnTimerTicks) {
    auto* timer = form_->findChild<QTimer*>("CursorTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 400);
    const QColor mark = QColor(0x80, 0x00, 0xFF), band(0xF4, 0xF4, 0xF8);
    const int top = bandTop(1);
    EXPECT_EQ(pixel(4, top + 1), mark);
    EXPECT_EQ(pixel(6, top + 2), mark);
    form_->CursorTimerTick();
    EXPECT_EQ(pixel(4, top + 1), band);
    EXPECT_EQ(pixel(6, top + 2), band);
    EXPECT_EQ(pixel(8, top + 1), band); // beside the mark: untouched
    form_->CursorTimerTick();
    EXPECT_EQ(pixel(4, top + 1), mark);
    QTest::qWait(450);
    EXPECT_EQ(timer->interval(), 700);
}

TEST_F(CalcModeUi, OptionsReachTheCalculator) {
    auto* dialog = form_->findChild<QDialog*>("TtallixOptionsForm");
    auto* scroll = dialog->findChild<QCheckBox*>("ScrollCB");
    scroll->setChecked(true);
    EXPECT_TRUE(ed().autoscroll);
    form_->state().changeSetting(&SettingsStore::setRoundN, 2);
    type("2/3=");
    EXPECT_EQ(ed().line(2).resultText, "0.67");
}
