#include "engine/graph/GraphOptions.h"

#include "engine/core/Scalar.h"

#include <gtest/gtest.h>

using namespace tallix;
using namespace std::string_literals;

namespace {

GraphOptionsInput pairs(const char* minX, const char* maxX, const char* minY = "",
                        const char* maxY = "") {
    GraphOptionsInput in;
    in.minX = minX;
    in.maxX = maxX;
    in.minY = minY;
    in.maxY = maxY;
    return in;
}

} // namespace

TEST(GraphOptions, LimitTexts) {
    EXPECT_EQ(readLimitText("   "), std::nullopt);
    EXPECT_EQ(readLimitText(" -10 "), -10);
    EXPECT_EQ(readLimitText(".5"), 0.5L);
    EXPECT_EQ(readLimitText("5."), 5);
    EXPECT_EQ(readLimitText("3pi/2"), 3 * kPi / 2);
    EXPECT_EQ(readLimitText("-pi / 4"), -kPi / 4);
    for (const char* bad : {"abc", "1/", "/2", "1/0", "2x", "1/2/3"}) {
        SCOPED_TRACE(bad);
        const auto v = readLimitText(bad);
        ASSERT_TRUE(v.has_value());
        EXPECT_TRUE(isUndefined(*v));
    }
    // What the dialog fills in reads back.
    for (Extended v : {Extended(-10), 2 * kPi, -kPi / 2, -10.84L, 1.5e25L, -2.5e-9L}) {
        SCOPED_TRACE(limitText(v));
        const auto back = readLimitText(limitText(v));
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(double(*back / v), 1, 1e-6);
    }
    EXPECT_EQ(limitText(2 * kPi), "2pi");
    EXPECT_EQ(limitText(-kPi / 2), "-pi/2");
}

// The pairs' messages are checked through the dialog (tests/ui); the point
// is checked after them, only when it is plotted.
TEST(GraphOptions, PointIsCheckedAfterThePairs) {
    GraphOptionsInput in = pairs("1", "");
    in.pointX = "1"s;
    EXPECT_EQ(applyGraphOptions(in, {}, GraphKind::Cartesian).error, ">>  Xmax value is missing.");
    in.maxX = "2"s;
    EXPECT_EQ(applyGraphOptions(in, {}, GraphKind::Cartesian).error, "");
    in.plotPoint = true;
    EXPECT_EQ(applyGraphOptions(in, {}, GraphKind::Cartesian).error,
              ">>  Point Y not a valid number.");
    in.pointX = ""s;
    EXPECT_EQ(applyGraphOptions(in, {}, GraphKind::Cartesian).error,
              ">>  Point X not a valid number.");
}

TEST(GraphOptions, AcceptedPairsReachTheWindowOfTheGraphShown) {
    GraphWindow before;
    before.userX = {true, -1, 1};
    before.yScaling = YScaling::UserDef;
    GraphOptionsInput in = pairs("-2pi", "2pi", "-3", "4");
    in.minT = "-1"s;
    in.maxT = "1"s;
    in.TCount = 5000;
    GraphOptionsResult r = applyGraphOptions(in, before, GraphKind::Cartesian);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.window.XMin, -2 * kPi);
    EXPECT_EQ(r.window.XMax, 2 * kPi);
    EXPECT_TRUE(r.window.userY.set);
    EXPECT_EQ(r.window.userY.max, 4);
    EXPECT_EQ(r.window.yScaling, YScaling::UserDef);
    EXPECT_EQ(r.window.TMin, -1);
    EXPECT_EQ(r.window.TCount, 2048);
    EXPECT_TRUE(r.window.userX.set); // the parametric graph's limits stay
    EXPECT_FALSE(r.marks.showPoint);

    // Empty pairs: the cartesian x range stays, the explicit y limits go.
    in = pairs("", "");
    in.yScaling = YScaling::OneToOne;
    r = applyGraphOptions(in, before, GraphKind::Cartesian);
    EXPECT_EQ(r.window.XMin, -10);
    EXPECT_FALSE(r.window.userY.set);
    EXPECT_EQ(r.window.yScaling, YScaling::OneToOne);

    in = pairs("1", "2", "3", "4");
    r = applyGraphOptions(in, before, GraphKind::Parametric);
    EXPECT_EQ(r.window.XMin, -10);
    EXPECT_EQ(r.window.userX.min, 1);
    EXPECT_EQ(r.window.userY.min, 3);
    r = applyGraphOptions(in, before, GraphKind::Polar);
    EXPECT_TRUE(r.window.polarX.set && r.window.polarY.set);
    EXPECT_EQ(r.window.polarX.max, 2);
    EXPECT_EQ(r.window.polarY.max, 4);
    EXPECT_FALSE(r.window.userY.set);
}
