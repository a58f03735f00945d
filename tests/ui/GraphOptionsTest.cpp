#include "engine/func/FuncSet.h"
#include "tests/ui/UiTest.h"
#include "ui/dialogs/tallixGrfOpts.h"
#include "ui/dialogs/tallixOpts.h"
#include "ui/dialogs/tallixTspin.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/GraphView.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <initializer_list>
#include <utility>

using namespace tallix;

namespace {

class GraphOptions : public test::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = std::make_unique<TtallixMainForm>(dataFolder());
        dialog_ = std::make_unique<TtallixGraphPBoptsForm>(form_->state(), form_.get());
        layout_.PlotXMin = -12.5L;
        layout_.PlotXMax = 7.25L;
        layout_.PlotYMin = -3;
        layout_.PlotYMax = 4.5L;
    }
    // Opens the dialog as a right click on the graph does, without waiting.
    void open() {
        dialog_->loadValues(layout_, form_->graphView());
        dialog_->show();
    }
    QLineEdit* edit(const char* name) { return dialog_->findChild<QLineEdit*>(name); }
    QString text(const char* name) { return edit(name)->text(); }
    QString error() { return dialog_->findChild<QLabel*>("errorMsgLbl")->text(); }
    void click(QWidget* parent, const char* name) {
        QWidget* w = parent->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    }
    GraphWindow& window() { return form_->workspace().graphWindow(); }

    std::unique_ptr<TtallixMainForm> form_;
    std::unique_ptr<TtallixGraphPBoptsForm> dialog_;
    PlotLayout layout_;
};

TEST_F(GraphOptions, EachFailedCheckKeepsTheDialogOpenWithItsMessage) {
    using Texts = std::initializer_list<std::pair<const char*, const char*>>;
    const struct {
        Texts texts;
        const char* message;
    } cases[] = {
        {{{"minXeb", "x1"}, {"maxXeb", "?"}}, ">>  Xmin not a valid number."},
        {{{"maxXeb", "3/"}}, ">>  Xmax not a valid number."},
        {{{"minXeb", "-5"}, {"maxXeb", ""}}, ">>  Xmax value is missing."},
        {{{"minXeb", " "}, {"maxXeb", "5"}}, ">>  Xmin value is missing."},
        {{{"minXeb", "pi"}, {"maxXeb", "3"}, {"minYeb", "a"}}, ">>  Xmax not greater than Xmin."},
        {{{"minYeb", "y"}}, ">>  Ymin not a valid number."},
        {{{"minYeb", "1"}, {"maxYeb", "1/0"}}, ">>  Ymax not a valid number."},
        {{{"minYeb", "1"}}, ">>  Ymax value is missing."},
        {{{"maxYeb", "1"}}, ">>  Ymin value is missing."},
        {{{"minYeb", "2"}, {"maxYeb", "-2"}}, ">>  Ymax not greater than Ymin."},
        {{{"minThetaEB", "t"}}, ">>  Theta-min not a valid number."},
        {{{"maxThetaEB", "p"}}, ">>  Theta-max not a valid number."},
        {{{"maxThetaEB", ""}}, ">>  Theta-max value is missing."},
        {{{"minThetaEB", ""}}, ">>  Theta-min value is missing."},
        {{{"minThetaEB", "2pi"}, {"maxThetaEB", "pi"}},
         ">>  Theta-max not greater than Theta-min."},
        {{{"minTeb", "--1"}}, ">>  T-min not a valid number."},
        {{{"maxTeb", "1//2"}}, ">>  T-max not a valid number."},
        {{{"maxTeb", ""}}, ">>  T-max value is missing."},
        {{{"minTeb", ""}}, ">>  T-min value is missing."},
        {{{"minTeb", "10"}, {"maxTeb", "10."}}, ">>  T-max not greater than T-min."},
    };
    open(); // x -10 .. 10, theta 0 .. 2pi and T 0 .. 10 filled in, y empty
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ASSERT_EQ(text("minXeb"), "-10");
        for (const auto& [name, t] : c.texts)
            edit(name)->setText(t);
        click(dialog_.get(), "ApplyBtn");
        EXPECT_EQ(error(), c.message);
        EXPECT_TRUE(dialog_->isVisible());
        open();
    }
    EXPECT_EQ(window().XMin, -10); // nothing was taken
    EXPECT_EQ(window().TMax, 10);
}

TEST_F(GraphOptions, AcceptedRangesReachTheGraphWindow) {
    QSignalSpy repaints(&form_->state(), &AppState::graphChanged);
    open();
    edit("minXeb")->setText("-3pi/2");
    edit("maxXeb")->setText(".5");
    edit("maxYeb")->setText("6");
    QTest::keyClicks(edit("minYeb"), "-2"); // typing a y limit picks User Def
    EXPECT_TRUE(dialog_->findChild<QRadioButton*>("YUserDefRB")->isChecked());
    QTest::keyClick(edit("maxXeb"), Qt::Key_Return);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(window().XMin, -3 * kPi / 2);
    EXPECT_EQ(window().XMax, 0.5L);
    EXPECT_TRUE(window().userY.set);
    EXPECT_EQ(window().userY.min, -2);
    EXPECT_EQ(window().yScaling, YScaling::UserDef);
    EXPECT_EQ(repaints.count(), 1);

    // Choosing Auto empties the y limits; Escape leaves the window alone.
    open();
    EXPECT_EQ(text("minYeb"), "-2");
    QTest::mouseClick(dialog_->findChild<QRadioButton*>("YAutoRB"), Qt::LeftButton, {},
                      QPoint(5, 5));
    EXPECT_EQ(text("maxYeb"), "");
    edit("minXeb")->setText("-1");
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    EXPECT_EQ(window().XMin, -3 * kPi / 2);

    // A click on the background accepts.
    open();
    QTest::mouseClick(dialog_->findChild<QRadioButton*>("YAutoRB"), Qt::LeftButton, {},
                      QPoint(5, 5));
    QTest::mouseClick(dialog_.get(), Qt::LeftButton, {}, QPoint(2, 300));
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(window().yScaling, YScaling::Auto);
    EXPECT_FALSE(window().userY.set);
}

TEST_F(GraphOptions, LimitLabelsFillThePairs) {
    form_->funcs().ParamMode = true;
    open();
    EXPECT_EQ(text("minXeb"), ""); // no parametric x limits set
    click(dialog_.get(), "CurrentXLbl");
    EXPECT_EQ(text("minXeb"), "-12.5");
    EXPECT_EQ(text("maxXeb"), "7.25");
    click(dialog_.get(), "CurrentYLbl");
    EXPECT_EQ(text("maxYeb"), "4.5");
    EXPECT_TRUE(dialog_->findChild<QRadioButton*>("YUserDefRB")->isChecked());
    click(dialog_.get(), "ClearAllLbl");
    for (const char* name : {"minXeb", "maxYeb", "minThetaEB", "maxTeb"})
        EXPECT_EQ(text(name), "") << name;
    click(dialog_.get(), "DefaultsLbl");
    EXPECT_EQ(text("minYeb"), "-10");
    EXPECT_EQ(text("maxXeb"), "10");
    EXPECT_EQ(text("maxThetaEB"), "2pi");
    EXPECT_EQ(text("maxTeb"), "10");
    click(dialog_.get(), "ApplyBtn");
    EXPECT_TRUE(window().userX.set);
    EXPECT_EQ(window().userX.max, 10);
    EXPECT_EQ(window().XMax, 10);
    EXPECT_EQ(window().ThetaMax, 2 * kPi);
}

TEST_F(GraphOptions, TCountAndPointSettings) {
    open();
    QWidget* big = dialog_->findChild<QWidget*>("tCountBigUD");
    QWidget* small = dialog_->findChild<QWidget*>("tCountSmallUD");
    QTest::mouseClick(qobject_cast<UpDown*>(big)->upButton(), Qt::LeftButton);
    QTest::mouseClick(qobject_cast<UpDown*>(small)->downButton(), Qt::LeftButton);
    EXPECT_EQ(dialog_->findChild<QLabel*>("tCountLbl")->text(), "159");
    edit("PointXeb")->setText("1");
    edit("PointYeb")->setText("pi");
    dialog_->findChild<QCheckBox*>("PlotPointCB")->setChecked(true);
    click(dialog_.get(), "ApplyBtn");
    EXPECT_EQ(window().TCount, 159);
    EXPECT_TRUE(dialog_->marks().showPoint);
    EXPECT_EQ(dialog_->marks().point.y, kPi);
    open();
    EXPECT_EQ(text("PointYeb"), "pi");
}

TEST_F(GraphOptions, TRangeButtonsMoveTheRangeAndGiveTheFocusBack) {
    form_->show();
    TtallixTspinForm spin(form_->state(), form_.get());
    spin.show();
    QSignalSpy repaints(&form_->state(), &AppState::graphChanged);
    auto label = [&](const char* name) { return spin.findChild<QLabel*>(name); };
    EXPECT_EQ(label("TminLbl")->text(), "0");
    EXPECT_EQ(label("TmaxLbl")->text(), "+10");
    const int left = label("TmaxLbl")->x();
    click(&spin, "ZoomInBtn");
    EXPECT_EQ(window().TMin, 1);
    EXPECT_EQ(window().TMax, 9);
    EXPECT_EQ(label("TmaxLbl")->text(), "+9");
    click(&spin, "ZoomOutBtn");
    EXPECT_EQ(label("TminLbl")->text(), "-0.2");
    EXPECT_EQ(label("TmaxLbl")->text(), "+10.2");
    EXPECT_EQ(repaints.count(), 2);
    EXPECT_EQ(form_->focusWidget(), form_.get());
    click(&spin, "MinFarLeftBtn");
    click(&spin, "MaxFarRightBtn");
    EXPECT_EQ(window().TMin, -10.6L);
    EXPECT_EQ(window().TMax, 31);

    // A long TMax text stays inside the window.
    window().TMax = 123456.789e30L;
    form_->state().graphWindowChanged();
    EXPECT_EQ(label("TmaxLbl")->text(), "+1.234568E+35");
    EXPECT_LT(label("TmaxLbl")->x(), left);
    EXPECT_LE(label("TmaxLbl")->geometry().right(), spin.width());
}

TEST_F(GraphOptions, TRangeWindowSitsAboveOrBelowTheMainWindow) {
    TtallixTspinForm spin(form_->state(), form_.get());
    QWidget main;
    main.setGeometry(100, 300, 354, 470);
    spin.placeBeside(&main);
    EXPECT_EQ(spin.frameGeometry().bottom() + 1, main.frameGeometry().top());
    EXPECT_EQ(spin.x(), main.frameGeometry().left());
    main.move(100, 20);
    spin.placeBeside(&main);
    EXPECT_EQ(spin.frameGeometry().top(), main.frameGeometry().bottom() + 1);
}

} // namespace
