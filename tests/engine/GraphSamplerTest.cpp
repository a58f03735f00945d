#include "engine/graph/GraphSampler.h"
#include "engine/core/Scalar.h"

#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tallix;

namespace {

constexpr int kW = 344, kH = 170; // the f(x) mode's graph

class GraphSamplerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 1; n <= kFuncSlotCount; ++n)
            set->setShown(n, true);
    }
    const GraphScene& paint() { return sampler->sample(*set, window, trig, kW, kH); }

    std::unique_ptr<FuncSet> set = std::make_unique<FuncSet>();
    std::unique_ptr<GraphSampler> sampler = std::make_unique<GraphSampler>();
    GraphWindow window;
    TrigMode trig = TrigMode::Radians;
};

int firstDefinedColumn(const GraphScene& s, const Curve& c) {
    for (const WorldPoint& p : c.points)
        if (!isUndefined(p.y)) return s.layout.column(p.x);
    return -1;
}

TEST_F(GraphSamplerTest, IdentitySpansTheWidthWithSixPixelsOfMargin) {
    setFuncText(*set, 1, "x");
    const GraphScene& s = paint();
    ASSERT_EQ(s.curveCount, 1);
    const Curve& c = s.curves[0];
    EXPECT_EQ(c.colour, set->slot(1).Colour);
    EXPECT_EQ(int(c.points.size()), (kW - 1 - 12) / 2 + 1);
    EXPECT_EQ(s.layout.column(c.points.front().x), 6);
    EXPECT_NEAR(s.layout.column(c.points.back().x), s.layout.R - 6, 1);
    // The last sample falls a pixel short of 10: y about -10.8 .. 10.7.
    EXPECT_NEAR(double(s.layout.PlotYMin), -10.8, 0.01);
    EXPECT_NEAR(double(s.layout.PlotYMax), 10.8, 0.1);
    EXPECT_TRUE(s.layout.xAxisInterior);
    EXPECT_TRUE(s.layout.yAxisInterior);
    EXPECT_TRUE(sampler->errors().empty());
}

TEST_F(GraphSamplerTest, AutoRangeOfConstantsSquareRootsAndNothing) {
    setFuncText(*set, 1, "3");
    const GraphScene& s = paint();
    EXPECT_NEAR(double(s.layout.PlotYMax), 3 + 5e-6 + 0.04 * 1e-5, 1e-12);
    EXPECT_NEAR(double(s.layout.PlotYMin), 3 - 5e-6 - 0.04 * 1e-5, 1e-12);

    setFuncText(*set, 1, "sqrtx");
    paint();
    // Nothing left of x = 0, which lies at the middle column.
    EXPECT_NEAR(firstDefinedColumn(s, s.curves[0]), s.layout.column(0), 2);
    EXPECT_GE(s.layout.PlotYMin, -0.2L);

    set->setShown(1, false);
    paint();
    EXPECT_EQ(s.curveCount, 0);
    EXPECT_NEAR(double(s.layout.PlotYMin), -0.54, 1e-12);
    EXPECT_NEAR(double(s.layout.PlotYMax), 0.54, 1e-12);
}

TEST_F(GraphSamplerTest, FailingSlotIsLeftOutAndReported) {
    setFuncText(*set, 1, "(x+1");
    setFuncText(*set, 2, "x^2");
    const GraphScene& s = paint();
    ASSERT_EQ(s.curveCount, 1);
    EXPECT_EQ(s.curves[0].slot, 2);
    ASSERT_EQ(sampler->errors().size(), 1u);
    EXPECT_EQ(sampler->errors()[0], funcerr::kTooManyOpen);
    paint(); // the list is emptied at the start of each pass
    EXPECT_EQ(sampler->errors().size(), 1u);
}

TEST_F(GraphSamplerTest, CacheEvaluatesOnlyWhatWentStale) {
    for (int n = 1; n <= 3; ++n)
        setFuncText(*set, n, "x^2+1");
    paint();
    const long full = sampler->evaluations();
    EXPECT_EQ(full, 3L * ((kW - 1 - 12) / 2 + 1));
    paint();
    EXPECT_EQ(sampler->evaluations(), 0); // nothing changed

    setFuncText(*set, 2, "x");
    paint();
    EXPECT_EQ(sampler->evaluations(), full / 3); // only the edited slot

    struct Change {
        const char* what;
        void (*apply)(GraphWindow&, FuncSet&, TrigMode&);
    };
    const Change changes[] = {
        {"window", [](GraphWindow& w, FuncSet&, TrigMode&) { w.XMax = 5; }},
        {"angle", [](GraphWindow&, FuncSet&, TrigMode& t) { t = TrigMode::Degrees; }},
        {"polar", [](GraphWindow&, FuncSet& s, TrigMode&) { s.PolarMode = true; }},
        {"cartesian", [](GraphWindow&, FuncSet& s, TrigMode&) { s.PolarMode = false; }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        c.apply(window, *set, trig);
        paint();
        EXPECT_GT(sampler->evaluations(), 0);
        paint();
        EXPECT_EQ(sampler->evaluations(), 0);
    }
    // A change of the y range alone keeps the samples.
    window.yScaling = YScaling::OneToOne;
    paint();
    EXPECT_EQ(sampler->evaluations(), 0);
}

TEST_F(GraphSamplerTest, ParametricPairFollowsTheOddSlotsShownFlag) {
    set->ParamMode = true;
    setFuncText(*set, 1, "cos x");
    setFuncText(*set, 2, "sin x");
    setFuncText(*set, 3, "x"); // no partner: not drawn
    window.TMax = 2 * kPi;
    set->setShown(2, false);
    const GraphScene& s = paint();
    ASSERT_EQ(s.curveCount, 1);
    EXPECT_EQ(s.curves[0].slot, 1);
    EXPECT_EQ(int(s.curves[0].points.size()), window.TCount);
    EXPECT_NEAR(double(s.xBounds.min), -1, 1e-3);
    EXPECT_NEAR(double(s.yBounds.max), 1, 1e-3);

    set->setShown(1, false);
    set->setShown(2, true);
    paint();
    EXPECT_EQ(s.curveCount, 0);
    // No point drawn: both ranges -10..10 before the margins.
    EXPECT_NEAR(double(s.layout.PlotYMax), 10.8, 1e-9);

    // Polar parametric: theta = t, r = 2 is a circle of radius 2.
    set->setShown(1, true);
    set->PolarMode = true;
    setFuncText(*set, 1, "x");
    setFuncText(*set, 2, "2");
    paint();
    ASSERT_EQ(s.curveCount, 1);
    EXPECT_NEAR(double(s.xBounds.max), 2, 1e-3);
    EXPECT_NEAR(double(s.yBounds.min), -2, 1e-3);
}

TEST_F(GraphSamplerTest, PolarPointsAndUserLimits) {
    set->PolarMode = true;
    setFuncText(*set, 1, "1");
    const GraphScene& s = paint();
    ASSERT_EQ(s.curveCount, 1);
    EXPECT_EQ(int(s.curves[0].points.size()), 200);
    EXPECT_NEAR(double(s.xBounds.min), -1, 1e-3);
    EXPECT_NEAR(double(s.xBounds.max), 1, 1e-9);
    EXPECT_EQ(s.layout.column(s.xBounds.min), 6); // margins as in the cartesian graph

    window.polarX = {true, -4, 4};
    paint();
    EXPECT_EQ(s.layout.PlotXMin, -4);
    EXPECT_EQ(s.layout.column(4), s.layout.R);
}

TEST(CurveSegments, GapsBreakTheCurveAndRowsAreClipped) {
    PlotLayout p;
    p.R = 100;
    p.B = 100;
    p.PlotXMin = 0;
    p.PlotYMax = 100;
    const std::vector<WorldPoint> pts = {
        {10, 50}, {20, 60}, {30, UndefinedMarker}, {40, 50}, {50, 250}, {60, 300}, {70, 50}};
    std::vector<PixelSegment> segs;
    curveSegments(p, pts, segs);
    ASSERT_EQ(segs.size(), 3u);
    EXPECT_EQ(segs[0].from, (PixelPoint{10, 50}));
    EXPECT_EQ(segs[1].to, (PixelPoint{42, 1})); // leaves at the top border row
    EXPECT_EQ(segs[2].from, (PixelPoint{68, 1}));
}

} // namespace

namespace {

TEST_F(GraphSamplerTest, TwoSamplersEachSeeEveryEdit) {
    // A second sampler (a picture, an analysis tool) over the same slots must
    // not make the graph keep an edited slot's old curve.
    auto other = std::make_unique<GraphSampler>();
    setFuncText(*set, 1, "2");
    paint();
    other->sample(*set, window, trig, kW / 2, kH);
    setFuncText(*set, 1, "5");
    other->sample(*set, window, trig, kW / 2, kH);
    const GraphScene& s = paint();
    ASSERT_EQ(s.curveCount, 1);
    EXPECT_EQ(s.curves[0].points.front().y, 5);
    EXPECT_EQ(other->scene().curves[0].points.front().y, 5);

    // Nothing changed: nothing is evaluated again.
    paint();
    EXPECT_EQ(sampler->evaluations(), 0);
}

} // namespace
