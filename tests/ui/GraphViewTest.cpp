#include "ui/views/GraphView.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"
#include "engine/workspace/Workspace.h"
#include "store/AtomicFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/ui/UiTest.h"
#include "ui/shell/tallixMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tallix;

namespace {

using Graph = test::UiTest;

QColor colourOf(ColourValue v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

TEST_F(Graph, FunctionSlotsSurviveClosingAndReopeningTheWindow) {
    {
        TtallixMainForm form(dataFolder());
        form.show();
        form.close();
    }
    EXPECT_EQ(ini().find("func1="), std::string::npos); // nothing changed, nothing written
    {
        TtallixMainForm form(dataFolder());
        setFuncText(form.funcs(), 3, "x^2");
        form.funcs().setShown(3, false);
        form.funcs().setColour(3, 0x123456);
        form.close();
    }
    TtallixMainForm again(dataFolder());
    const FuncSlot& s3 = again.funcs().slot(3);
    ASSERT_EQ(s3.TokenCount(), 3);
    EXPECT_EQ(s3.text.at(1), func::Var);
    EXPECT_FALSE(s3.Shown);
    EXPECT_EQ(s3.Colour, 0x123456u);
    EXPECT_FALSE(again.funcs().FuncsChanged);
}

TEST_F(Graph, FailedSaveOnCloseWarnsAndKeepsTheOldFile) {
    TtallixMainForm form(dataFolder());
    form.show();
    form.selectMode(CalcMode::Fx); // writes the file once
    const std::string before = ini();
    setFuncText(form.funcs(), 1, "x");

    QString warning;
    closeNextMessageBox(warning);
    {
        test::FileSizeLimit full(4);
        ASSERT_TRUE(full.ok());
        form.close();
    }

    EXPECT_TRUE(warning.startsWith("Unable to save settings")) << warning.toStdString();
    EXPECT_EQ(ini(), before);
}

class GraphPixels : public Graph {
protected:
    void SetUp() override {
        Graph::SetUp();
        viewPtr = std::make_unique<GraphView>(*ws, nullptr);
    }
    QImage render() {
        view().resize(344, 170);
        return view().renderImage(1);
    }
    GraphView& view() { return *viewPtr; }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    FuncSet* funcs = &ws->funcs();
    GraphWindow& window = ws->graphWindow();
    std::unique_ptr<GraphView> viewPtr; // after the QApplication exists
};

TEST_F(GraphPixels, IdentityCrossesTheInteriorAxesAtTheCentre) {
    setFuncText(*funcs, 1, "x");
    const QImage img = render();
    const PlotLayout& p = view().plotLayout();
    const int c0 = p.column(0), r0 = p.row(0);
    EXPECT_NEAR(c0, 171, 1);
    EXPECT_EQ(img.pixelColor(c0, r0), colourOf(funcs->slot(1).Colour));
    // The axes pass through the mapped zero, away from the curve.
    EXPECT_EQ(img.pixelColor(c0, r0 - 40), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(c0 + 60, r0), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(c0 + 60, r0 - 20), QColor(0xF8, 0xF8, 0xF8));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black)); // the frame

    render(); // nothing changed: nothing evaluated
    EXPECT_EQ(view().sampler().evaluations(), 0);
}

TEST_F(GraphPixels, ExteriorAxesRunAlongTheRightColumnAndTheBottomRow) {
    setFuncText(*funcs, 1, "x^2+1"); // y never reaches 0
    window.UseInteriorAxes = false;
    const QImage img = render();
    const PlotLayout& p = view().plotLayout();
    EXPECT_FALSE(p.yAxisInterior);
    EXPECT_EQ(p.B, 170 * 224 / 256);
    for (int row : {2, p.B / 2, p.B - 2})
        EXPECT_EQ(img.pixelColor(p.R, row), QColor(Qt::black)) << row;
    EXPECT_EQ(img.pixelColor(p.R / 3, p.B), QColor(Qt::black));
}

TEST_F(Graph, TrigModeClickResamplesTheGraph) {
    TtallixMainForm form(dataFolder());
    form.show();
    form.selectMode(CalcMode::Fx);
    setFuncText(form.funcs(), 1, "sin x");
    form.graphView()->image();
    form.graphView()->image();
    QTest::mouseClick(form.findChild<QWidget*>("TrigModeLbl"), Qt::LeftButton, {}, QPoint(3, 3));
    form.graphView()->image();
    EXPECT_GT(form.graphView()->sampler().evaluations(), 0);
}

TEST_F(GraphPixels, ToolOverlaysAreDrawnOverTheCurvesAndReportTheirHotZones) {
    setFuncText(*funcs, 1, "x");
    GraphOverlay tool;
    tool.marks.push_back({{2, 2}, 0x0000FF, GraphOverlay::Shape::Cross, ""});
    view().setOverlay(7, tool);
    const QImage img = render();
    const PlotLayout& p = view().plotLayout();
    const int c = p.column(2), r = p.row(2);
    EXPECT_EQ(img.pixelColor(c + 3, r), QColor(Qt::red)); // the cross's arm, off the curve
    // The graph's own clickable marks: zoom in at the top left, out at the right.
    EXPECT_EQ(view().hotZones().at(10, 7), 1);
    EXPECT_EQ(view().hotZones().at(330, 7), 2);
    EXPECT_EQ(view().hotZones().at(172, 60), 0);

    view().setOverlay(7, {}); // removed: the mark goes
    const QImage plain = render();
    EXPECT_NE(plain.pixelColor(c + 3, r), QColor(Qt::red));
}

} // namespace
