#include "engine/graph/GraphReadout.h"

#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <gtest/gtest.h>

#include <memory>

namespace tallix {
namespace {

TEST(GraphReadout, DigitsTellNeighbouringPixelsApart) {
    struct Case {
        Extended v, perPixel;
        const char* text;
    };
    const Case cases[] = {
        {1.23456789L, 0.01L, "1.23"},
        {-7.5L, 0.1L, "-7.5"},
        {0, 0.1L, "0"},
        {123456.7L, 10, "123457"},
        {1e14L + 3, 1, "100000000000003"},
        {3.0000042L, 1e-6L, "3.000004"},
        {2.5e-9L, 1e-11L, "2.5e-09"},
        {5e20L, 1e18L, "5e+20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readoutNumber(c.v, c.perPixel), c.text);
    }
    EXPECT_EQ(readoutNumber(UndefinedMarker, 1), "- no value -");
}

class TraceTest : public ::testing::Test {
protected:
    const GraphScene& paint() { return sampler->sample(*set, window, TrigMode::Radians, 344, 170); }
    std::unique_ptr<FuncSet> set = std::make_unique<FuncSet>();
    std::unique_ptr<GraphSampler> sampler = std::make_unique<GraphSampler>();
    GraphWindow window;
};

TEST_F(TraceTest, CartesianTakesTheNearestCurveWithAValue) {
    setFuncText(*set, 1, "x");
    setFuncText(*set, 2, "5");
    setFuncText(*set, 3, "sqrt x"); // no value left of 0
    const GraphScene& s = paint();
    const PlotLayout& p = s.layout;
    // Near y = 5 at x = -3: the constant, not the line nor the root.
    auto t = traceNearest(*set, *sampler, TrigMode::Radians, p.column(-3), p.row(4.5L));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->slot, 2);
    ASSERT_TRUE(t->at);
    EXPECT_EQ(t->at->y, 5);
    // Near the line at x = -3: its exact value there.
    t = traceNearest(*set, *sampler, TrigMode::Radians, p.column(-3), p.row(-3));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->slot, 1);
    EXPECT_NE(t->text.find("y = -3"), std::string::npos) << t->text;

    // Only the root shown: undefined at the pointer reads "- no value -".
    set->setShown(1, false);
    set->setShown(2, false);
    paint();
    t = traceNearest(*set, *sampler, TrigMode::Radians, p.column(-3), p.row(0));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->slot, 3);
    EXPECT_FALSE(t->at);
    EXPECT_NE(t->text.find("- no value -"), std::string::npos) << t->text;
}

TEST_F(TraceTest, ParametricPairsReadTheirT) {
    set->ParamMode = true;
    setFuncText(*set, 1, "x"); // x(t) = t
    setFuncText(*set, 2, "2"); // y(t) = 2
    const GraphScene& s = paint();
    ASSERT_EQ(s.curveCount, 1);
    const PlotLayout& p = s.layout;
    const auto t = traceNearest(*set, *sampler, TrigMode::Radians, p.column(4), p.row(2));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->slot, 1);
    EXPECT_EQ(t->text.rfind("1:  t = ", 0), 0u) << t->text;
    EXPECT_NE(t->text.find("y = 2"), std::string::npos) << t->text;
}

} // namespace
} // namespace tallix
