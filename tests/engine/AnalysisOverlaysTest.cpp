#include "engine/analysis/AnalysisOverlays.h"
#include "engine/core/Scalar.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace tallix;

namespace {

// x from -10 to 10 over columns 0..200, y from -10 to 10 over rows 0..200:
// one unit is ten pixels both ways.
PlotLayout square() {
    PlotLayout p;
    p.left = 0, p.top = 0, p.R = 200, p.B = 200;
    p.PlotXMin = -10, p.PlotXMax = 10, p.PlotYMin = -10, p.PlotYMax = 10;
    p.XPerPixel = 0.1L, p.YPerPixel = 0.1L;
    return p;
}

Extended pixelLength(const PlotLayout& p, const GraphOverlay::Line& l) {
    return std::hypot((l.to.x - l.from.x) / p.XPerPixel, (l.to.y - l.from.y) / p.YPerPixel);
}

} // namespace

TEST(AnalysisOverlays, EvaluatedPointsAndTangents) {
    auto set = std::make_unique<FuncSet>();
    setFuncText(*set, 1, "x^2");
    setFuncText(*set, 2, "sqrt x");
    setFuncText(*set, 3, "x+20"); // outside the view: no mark
    const PlotLayout p = square();
    const EvalAtXResult r = evaluateAtX(*set, TrigMode::Radians, "1", {false, false, true});
    const GraphOverlay o = evalOverlay(r, *set, p);
    ASSERT_EQ(o.marks.size(), 2u);
    EXPECT_EQ(o.marks[0].shape, GraphOverlay::Shape::Circle);
    ASSERT_EQ(o.lines.size(), 2u);
    // 40 pixels to each side, along the line through (1, 1) with slope 2.
    EXPECT_NEAR(pixelLength(p, o.lines[0]), 80, 1e-9);
    EXPECT_NEAR((o.lines[0].to.y - o.lines[0].from.y) / (o.lines[0].to.x - o.lines[0].from.x), 2,
                1e-5);
    // A slope beyond 1e21 draws 80 pixels upright.
    EvalAtXResult steep = r;
    steep.slopes[0] = 1e30L;
    const GraphOverlay v = evalOverlay(steep, *set, p);
    EXPECT_EQ(v.lines[0].from.x, v.lines[0].to.x);
    EXPECT_NEAR(pixelLength(p, v.lines[0]), 80, 1e-9);

    // x on the plot's edge: nothing at all.
    EXPECT_TRUE(evalOverlay(evaluateAtX(*set, TrigMode::Radians, "10", {}), *set, p).empty());
}

TEST(AnalysisOverlays, IntegralShadingPerColumn) {
    auto set = std::make_unique<FuncSet>();
    setFuncText(*set, 1, "x");
    setFuncText(*set, 2, "1/x");
    const PlotLayout p = square();
    IntegralInput in;
    in.primary = 1;
    in.xmin = -1;
    in.xmax = 2;
    GraphOverlay o = integralOverlay(*set, in, 0x00FF00, p);
    ASSERT_EQ(o.lines.size(), 31u); // columns 90..120
    EXPECT_EQ(o.lines.front().colour, 0x00FF00u);
    EXPECT_NEAR(o.lines.back().from.y, 2, 1e-15);
    EXPECT_EQ(o.lines.back().to.y, 0); // down to the axis
    // The range may run backwards. Column 100 (x = 0) is undefined, and at
    // column 99 1/x lies just below the plot: both are skipped.
    in.primary = 2;
    in.xmin = 2;
    in.xmax = -1;
    EXPECT_EQ(integralOverlay(*set, in, 255, p).lines.size(), 29u);
    // Type 1 needs the secondary function.
    in.type = IntegralType::Difference;
    in.secondary = 0;
    EXPECT_TRUE(integralOverlay(*set, in, 255, p).empty());
}
