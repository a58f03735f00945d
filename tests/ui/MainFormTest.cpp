#include "store/AtomicFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/ui/UiTest.h"
#include "ui/dialogs/tallixOpts.h"
#include "ui/dialogs/tallixVerf.h"
#include "ui/pages/CalcPage.h"
#include "ui/pages/FxPage.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/Keypad.h"
#include "ui/views/PaintBox.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace tallix;

namespace {

class MainForm : public test::UiTest {
protected:
    std::filesystem::path iniPath() const { return dataFolder() / "tallix.ini"; }
    template <class T = QWidget> static T* child(QWidget& form, const char* name) {
        T* w = form.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void clickLabel(QWidget& form, const char* name) {
        QTest::mouseClick(child(form, name), Qt::LeftButton, {}, QPoint(3, 3));
    }
    static QPoint keyCentre(QWidget* pad, int code) {
        const double cw = pad->width() / 8.0, rh = pad->height() / 5.0;
        return QPoint(int((code % 8 + 0.5) * cw), int((code / 8 + 0.5) * rh));
    }
    static int countColour(const QImage& img, QColor c) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y).rgb() == c.rgb();
        return n;
    }
};

const QColor kYellow(255, 255, 0); // the default pressed-key colour

} // namespace

TEST_F(MainForm, ModeLabelsSwitchControlsAndWriteTheMode) {
    TtallixMainForm form(dataFolder());
    form.show();
    EXPECT_EQ(form.windowTitle(), "v1.17c  --  Graphing Abacorn");
    EXPECT_EQ(form.size(), QSize(354, 470));

    struct Case {
        const char* label;
        CalcMode mode;
        std::vector<const char*> shown, hidden;
    };
    const std::vector<Case> cases = {
        {"ModeFxLbl",
         CalcMode::Fx,
         {"GraphPB", "FuncPB", "kb2Image", "TrigModeLbl"},
         {"expPB", "kbImage", "kb3Image", "DsplyModeLbl"}},
        {"ModeListLbl", CalcMode::Lists, {"ListsLB"}, {"kbImage", "kb2Image", "GraphPB"}},
        {"ModeRegrLbl", CalcMode::Regr, {"regrPB", "XListCB", "RegrLB"}, {"kbImage", "ListsLB"}},
        {"ModeMatrixLbl", CalcMode::Matrix, {"MatsLB", "kbImage"}, {"MatPB", "regrPB"}},
        {"ModeCalcLbl",
         CalcMode::Calc,
         {"expPB", "kbImage", "Limage", "Rimage", "pendingCharsLbl"},
         {"MatsLB", "GraphPB"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        clickLabel(form, c.label);
        EXPECT_EQ(form.mode(), c.mode);
        EXPECT_NE(ini().find("calcmode=" + std::to_string(int(c.mode))), std::string::npos);
        for (const char* n : c.shown)
            EXPECT_TRUE(child(form, n)->isVisible()) << n;
        for (const char* n : c.hidden)
            EXPECT_FALSE(child(form, n)->isVisible()) << n;
        EXPECT_EQ(child(form, c.label)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
    // Calc: the display spans the width between equal margins, ending 2 pixels above Limage.
    QWidget* exp = child(form, "expPB");
    EXPECT_EQ(exp->x(), form.width() - exp->geometry().right() - 1);
    EXPECT_EQ(exp->geometry().bottom() + 3, child(form, "Limage")->y());
    EXPECT_EQ(child(form, "Limage")->y(), child(form, "kbImage")->y());
}

TEST_F(MainForm, ClickingTheActiveLabelWritesNothingButRegrRefills) {
    TtallixMainForm form(dataFolder());
    form.show();
    clickLabel(form, "ModeCalcLbl");
    EXPECT_FALSE(std::filesystem::exists(iniPath()));

    clickLabel(form, "ModeRegrLbl");
    const std::string written = ini();
    auto* x = child<QComboBox>(form, "XListCB");
    x->clear();
    clickLabel(form, "ModeRegrLbl");
    EXPECT_EQ(ini(), written);
    ASSERT_EQ(x->count(), 2);
    EXPECT_EQ(x->itemText(0), "Integer List 0..n");
    EXPECT_EQ(x->itemText(1), "Integer List 1..n");
}

TEST_F(MainForm, RestartRestoresTheModeButNotTrigDisplayOrHints) {
    {
        TtallixMainForm form(dataFolder());
        form.show();
        clickLabel(form, "ModeFxLbl");
        clickLabel(form, "TrigModeLbl");
        EXPECT_EQ(child<QLabel>(form, "TrigModeLbl")->text(), "degrees");
        clickLabel(form, "ModeCalcLbl");
        clickLabel(form, "DsplyModeLbl");
        EXPECT_EQ(child<QLabel>(form, "DsplyModeLbl")->text(), "Frac");
        form.state().setHintsEnabled(true);
        clickLabel(form, "ModeMatrixLbl");
    }
    TtallixMainForm form(dataFolder());
    form.show();
    EXPECT_EQ(form.mode(), CalcMode::Matrix);
    EXPECT_TRUE(child(form, "MatsLB")->isVisible());
    EXPECT_EQ(form.state().trigMode(), TrigMode::Radians);
    EXPECT_EQ(form.calcEditor().displayMode, DisplayMode::Decimal);
    EXPECT_FALSE(form.state().hintsEnabled());
    EXPECT_EQ(child<QLabel>(form, "TrigModeLbl")->text(), "radians");
    EXPECT_EQ(child<QLabel>(form, "DsplyModeLbl")->text(), "Dec");
    EXPECT_EQ(child(form, "DsplyModeLbl")->toolTip(),
              "Click to enable Fractional/Rational display of results");
}

TEST_F(MainForm, BgColorToDefaultWritesAndRepaints) {
    ASSERT_TRUE(writeFileAtomically(iniPath(), "[config]\nbgcolor=255\n").ok);
    TtallixMainForm form(dataFolder());
    form.show();
    EXPECT_EQ(form.grab().toImage().pixel(350, 466), qRgb(255, 0, 0));

    QAction* item = nullptr;
    for (QAction* a : child<QMenu>(form, "CalcPU")->actions())
        if (a->text() == "Set BG Color to Default") item = a;
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_NE(ini().find("bgcolor=14548735"), std::string::npos);
    EXPECT_EQ(form.grab().toImage().pixel(350, 466), qRgb(255, 0xFE, 0xDD)); // 14548735 is 0xDDFEFF
}

TEST_F(MainForm, OptionsDialogFollowsEveryUpDownClickAndWritesAtOnce) {
    TtallixMainForm form(dataFolder());
    auto* opts = child<TtallixOptionsForm>(form, "TtallixOptionsForm");
    opts->loadValues();
    opts->show();
    auto* round = child<UpDown>(*opts, "RoundUD");
    auto* roundLbl = child<QLabel>(*opts, "RoundLbl");
    EXPECT_EQ(roundLbl->text(), "full");
    QTest::mouseClick(round->upButton(), Qt::LeftButton);
    EXPECT_EQ(roundLbl->text(), "0");
    EXPECT_NE(ini().find("roundn=0"), std::string::npos);
    QTest::mouseClick(round->downButton(), Qt::LeftButton);
    EXPECT_EQ(roundLbl->text(), "full");
    EXPECT_NE(ini().find("roundn=-1"), std::string::npos);

    // The up arrow of the tolerance moves toward -10.
    auto* frac = child<UpDown>(*opts, "FracErrUD");
    QTest::mouseClick(frac->upButton(), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(*opts, "FracErrLbl")->text(), "-9");
    EXPECT_NE(ini().find("fracouterrdig=-9"), std::string::npos);

    QTest::mouseClick(child(*opts, "PiCB"), Qt::LeftButton);
    EXPECT_NE(ini().find("exppireduction=0"), std::string::npos);
    QTest::mouseClick(child(*opts, "HintsCB"), Qt::LeftButton);
    EXPECT_TRUE(form.state().hintsEnabled());
    EXPECT_EQ(ini().find("hint"), std::string::npos); // hints are never stored
}

TEST_F(MainForm, KeyPressHighlightsAndTheReleaseSendsThePressedKey) {
    TtallixMainForm form(dataFolder());
    form.show();
    auto* pad = child<Keypad>(form, "kbImage");
    EXPECT_EQ(pad->size(), QSize(235, 147));
    EXPECT_EQ(countColour(pad->image(), kYellow), 0);
    QSignalSpy spy(&form, &TtallixMainForm::keyDispatched);

    // Press on sin (10), release over 7 (3): sin is sent and its cell restored.
    QTest::mousePress(pad, Qt::LeftButton, {}, keyCentre(pad, calc::Sin));
    const int lit = countColour(pad->image(), kYellow);
    EXPECT_GT(lit, 200);
    const QImage pressed = pad->image();
    const PixelRect cell = keypadCellRect(235, 147, calc::Sin, false);
    for (int y = 0; y < pressed.height(); ++y)
        for (int x = 0; x < pressed.width(); ++x)
            if (pressed.pixelColor(x, y) == kYellow) {
                ASSERT_TRUE(x >= cell.left && x <= cell.right && y >= cell.top && y <= cell.bottom);
            }
    QTest::mouseRelease(pad, Qt::LeftButton, {}, keyCentre(pad, 3));
    EXPECT_EQ(countColour(pad->image(), kYellow), 0);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][1].toInt(), calc::Sin);
    EXPECT_EQ(form.calcEditor().current().tokens(), std::vector<TokenCode>{calc::Sin});

    // The frac key switches the display mode label.
    QTest::mouseClick(pad, Qt::LeftButton, {}, keyCentre(pad, calc::FracMode));
    EXPECT_EQ(child<QLabel>(form, "DsplyModeLbl")->text(), "Frac");
}

TEST_F(MainForm, TallEnterKeyLightsBothRowsAndGivesItsRowsCode) {
    TtallixMainForm form(dataFolder());
    form.show();
    clickLabel(form, "ModeFxLbl");
    auto* pad = child<Keypad>(form, "kb2Image");
    EXPECT_EQ(pad->size(), QSize(238, 148));
    QSignalSpy spy(&form, &TtallixMainForm::keyDispatched);
    QTest::mousePress(pad, Qt::LeftButton, {}, keyCentre(pad, func::EnterLow));
    const QImage img = pad->image();
    const QPoint upper = keyCentre(pad, func::Enter);
    EXPECT_EQ(img.pixelColor(upper.x(), upper.y() - 6), kYellow);
    QTest::mouseRelease(pad, Qt::LeftButton, {}, keyCentre(pad, func::EnterLow));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][1].toInt(), func::EnterLow);
}

TEST_F(MainForm, TypedKeywordsGoThroughThePendingLabel) {
    TtallixMainForm form(dataFolder());
    form.show();
    auto* pending = child<QLabel>(form, "pendingCharsLbl");
    QSignalSpy spy(&form, &TtallixMainForm::keyDispatched);

    QTest::keyClick(&form, 's');
    EXPECT_EQ(pending->text(), "S");
    QTest::keyClick(&form, 'i');
    EXPECT_EQ(pending->text(), "SI");
    QTest::keyClick(&form, 'n');
    EXPECT_EQ(pending->text(), "");
    EXPECT_EQ(form.calcEditor().current().tokens(), std::vector<TokenCode>{calc::Sin});

    QTest::keyClicks(&form, "sq");
    EXPECT_EQ(pending->text(), "SQ");
    QTest::keyClick(&form, Qt::Key_Backspace);
    EXPECT_EQ(pending->text(), "S");
    QTest::keyClick(&form, 'x'); // "SX" starts no keyword: both letters dropped
    EXPECT_EQ(pending->text(), "");
    EXPECT_EQ(form.calcEditor().current().count(), 1);

    // In the f(x) mode the letters spell the function keywords.
    clickLabel(form, "ModeFxLbl");
    QTest::keyClicks(&form, "sinx");
    EXPECT_EQ(form.funcs().slot(1).text.tokens(), (std::vector<TokenCode>{func::Sin, func::Var}));
}

TEST_F(MainForm, KeypadsDrawAtDoubleDensityWithoutThePressedColour) {
    TtallixMainForm form(dataFolder());
    for (const char* name : {"kbImage", "kb2Image", "kb3Image", "kb4Image"}) {
        SCOPED_TRACE(name);
        auto* pad = child<Keypad>(form, name);
        const QImage img = pad->renderImage(2.0);
        EXPECT_EQ(img.size(), pad->size() * 2);
        EXPECT_EQ(countColour(img, kYellow), 0);
        EXPECT_GT(countColour(img, Qt::white), img.width() * img.height() / 3);
    }
}

TEST_F(MainForm, FailedSettingsWriteWarnsAndKeepsTheOldFile) {
    TtallixMainForm form(dataFolder());
    form.show();
    clickLabel(form, "ModeFxLbl");
    const std::string before = ini();

    QString warning;
    closeNextMessageBox(warning);
    {
        test::FileSizeLimit full(4);
        ASSERT_TRUE(full.ok());
        clickLabel(form, "ModeMatrixLbl");
    }

    EXPECT_TRUE(warning.startsWith("Unable to save settings")) << warning.toStdString();
    EXPECT_EQ(ini(), before);
    EXPECT_EQ(form.mode(), CalcMode::Matrix); // the window still follows the click
}

namespace tallix {
namespace {

TEST_F(MainForm, UnreadableSettingsAreNamedAtStartAndNeverWrittenOver) {
    // A folder where "tallix.ini" should be: it exists but cannot be read.
    std::filesystem::create_directory(iniPath());
    QString warning;
    closeNextMessageBox(warning);
    TtallixMainForm form(dataFolder());
    EXPECT_TRUE(warning.contains("tallix.ini")) << warning.toStdString();
    EXPECT_TRUE(warning.contains("not written over")) << warning.toStdString();

    // A change is kept for the run, and its save is refused with a message.
    QString refused;
    closeNextMessageBox(refused);
    form.selectMode(CalcMode::Fx);
    EXPECT_EQ(form.mode(), CalcMode::Fx);
    EXPECT_TRUE(refused.startsWith("Unable to save settings")) << refused.toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(iniPath()));
}

TEST_F(MainForm, TrigModeIsOneFactForEveryPageAndTheVerificationRun) {
    TtallixMainForm form(dataFolder());
    form.show();
    form.selectMode(CalcMode::Fx);
    QLabel* fxTrig = form.fxPage()->findChild<QLabel*>("TrigModeLbl");
    QTest::mouseClick(fxTrig, Qt::LeftButton, {}, QPoint(3, 3));
    form.selectMode(CalcMode::Calc);
    EXPECT_EQ(form.calcPage()->findChild<QLabel*>("TrigModeLbl")->text(), "degrees");
    QTest::keyClicks(&form, "sin(30)=");
    EXPECT_NEAR(double(form.calcEditor().line(1).resultValue), 0.5, 1e-15); // degrees

    // A suite that switches to radians gives the user's degrees back...
    const std::string suite = (dataFolder() / "rad.txt").string();
    std::string lines = ";@rad\n";
    for (int i = 0; i < 300; ++i)
        lines += "1+1=2\n";
    ASSERT_TRUE(writeFileAtomically(suite, lines).ok);
    TtallixVerfForm& verf = *form.verfForm();
    verf.runFile(QString::fromStdString(suite));
    while (verf.running())
        QApplication::processEvents();
    EXPECT_EQ(form.state().trigMode(), TrigMode::Degrees);
    // ...but not over a choice the user made while it ran.
    verf.runFile(QString::fromStdString(suite));
    QApplication::processEvents(); // the directive has run
    ASSERT_TRUE(verf.running());
    QTest::mouseClick(fxTrig, Qt::LeftButton, {}, QPoint(3, 3)); // to degrees
    QTest::mouseClick(fxTrig, Qt::LeftButton, {}, QPoint(3, 3)); // and back to radians
    while (verf.running())
        QApplication::processEvents();
    EXPECT_EQ(form.state().trigMode(), TrigMode::Radians);
}

} // namespace
} // namespace tallix

namespace tallix {
namespace {

TEST_F(MainForm, MatrixCatalogIsLoadedAtStartAndAnUnreadableOneWarns) {
    ASSERT_TRUE(writeFileAtomically(dataFolder() / "tallixMats.Lst",
                                    "B,1,1,1,1,[2]\nA,1,1,1,1,[1]\nb,1,1,1,1,[2]\n")
                    .ok);
    {
        TtallixMainForm form(dataFolder());
        EXPECT_EQ(form.state().workspace().mat().catalog.lines(),
                  (std::vector<std::string>{"A,1,1,1,1,[1]", "B,1,1,1,1,[2]"}));
    }
    std::filesystem::remove(dataFolder() / "tallixMats.Lst");
    std::filesystem::create_directory(dataFolder() / "tallixMats.Lst");
    QString warning;
    closeNextMessageBox(warning);
    TtallixMainForm form(dataFolder());
    EXPECT_EQ(warning, "Error reading Matrix catalog - catalog initialized to empty.");
    EXPECT_EQ(form.state().workspace().mat().catalog.size(), 0);
}

} // namespace
} // namespace tallix
