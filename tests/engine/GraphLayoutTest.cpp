#include "engine/graph/GraphLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

using namespace tallix;

namespace {
constexpr int kW = 346, kH = 240; // any paint box size will do
constexpr Extended kInfinityForTest = std::numeric_limits<Extended>::infinity();
} // namespace

TEST(GraphLayout, CartesianMarginsAndSamples) {
    GraphWindow w;
    const XLayout x = layoutX(w.XMin, w.XMax, kW, true);
    const Extended s = 20.0L / (kW - 1 - 12);
    EXPECT_EQ(x.R, kW - 1);
    EXPECT_TRUE(x.yAxisInterior);
    EXPECT_NEAR(double(x.PlotXMin), double(-10 - 6 * s), 1e-15);
    EXPECT_NEAR(double(x.XPerPixel), double(s), 1e-18);
    const int n = cartesianSampleCount(x);
    EXPECT_EQ(n, (kW - 1 - 12) / 2 + 1);
    EXPECT_EQ(cartesianSample(w, x, 1), -10);
    // The last sample lies within one pixel of XMax; the first maps to column 6.
    EXPECT_NEAR(double(cartesianSample(w, x, n)), 10.0, double(s));
    const PlotLayout p = combine(x, layoutY(w, Bounds{}, w.userY, x.XPerPixel, kH));
    EXPECT_EQ(p.column(-10), 6);
    EXPECT_EQ(p.column(p.PlotXMax), x.R);

    // No 0 in the range: the y axis moves right, R even.
    const XLayout right = layoutX(1, 5, kW, true);
    EXPECT_FALSE(right.yAxisInterior);
    EXPECT_EQ(right.R, kW * 221 / 256 - (kW * 221 / 256) % 2);
    EXPECT_FALSE(layoutX(-10, 10, kW, false).yAxisInterior);
}

TEST(GraphLayout, AutoYRangeRules) {
    GraphWindow w;
    Bounds identity; // y = x sampled from -10 to about 10
    identity.widen(-10);
    identity.widen(9.97L);
    YLayout y = layoutY(w, identity, w.userY, 0.06L, kH);
    EXPECT_NEAR(double(y.PlotYMin), -10 - 0.04 * 19.97, 1e-12);
    EXPECT_NEAR(double(y.PlotYMax), 9.97 + 0.04 * 19.97, 1e-12);
    EXPECT_TRUE(y.xAxisInterior);
    EXPECT_EQ(y.B, kH * 242 / 256);

    Bounds constant;
    constant.widen(3);
    y = layoutY(w, constant, w.userY, 0.06L, kH);
    EXPECT_NEAR(double(y.PlotYMin), 3 - 5e-6 - 0.04 * 1e-5, 1e-15);
    EXPECT_FALSE(y.xAxisInterior); // 0 is far below
    EXPECT_EQ(y.B, kH * 224 / 256);

    y = layoutY(w, Bounds{}, w.userY, 0.06L, kH); // nothing defined
    EXPECT_NEAR(double(y.PlotYMax), 0.54, 1e-15);

    w.yScaling = YScaling::OneToOne;
    w.YCentre = 100;
    y = layoutY(w, identity, w.userY, 0.05L, kH);
    EXPECT_EQ(y.YPerPixel, 0.05L);
    EXPECT_EQ(y.B, kH * 224 / 256); // 0 is outside the centred range
    EXPECT_NEAR(double(y.PlotYMax - y.PlotYMin), y.B * 0.05, 1e-12);

    w.yScaling = YScaling::UserDef;
    w.userY = {true, -2, 8};
    y = layoutY(w, identity, w.userY, 0.05L, kH);
    EXPECT_EQ(y.PlotYMin, -2);
    EXPECT_EQ(y.PlotYMax, 8);
}

TEST(GraphLayout, SampleCountsOfPolarAndParametric) {
    EXPECT_EQ(polarSampleCount(0, 2 * kPi), 200);
    EXPECT_EQ(polarSampleCount(0, 0.1L), 50);
    EXPECT_EQ(polarSampleCount(0, 1000), 2048);
    EXPECT_EQ(spreadSample(0, 10, 150, 150), 10);
    EXPECT_EQ(spreadSample(0, 10, 11, 4), 3);
}

TEST(GraphLayout, MappingIsLimitedAndClippingMeetsTheBorderRows) {
    PlotLayout p;
    p.PlotXMin = 0;
    p.XPerPixel = 1e-10L;
    p.PlotYMax = 0;
    p.YPerPixel = 1;
    EXPECT_EQ(p.column(1), 10000);
    EXPECT_EQ(p.row(1e30L), -10000);
    EXPECT_EQ(p.row(-5), 5);

    const int top = 0, B = 100;
    auto seg = clipSegment({0, 50}, {10, 60}, top, B);
    ASSERT_TRUE(seg);
    EXPECT_EQ(seg->to, (PixelPoint{10, 60}));
    seg = clipSegment({0, 50}, {10, 150}, top, B); // leaves below
    ASSERT_TRUE(seg);
    EXPECT_EQ(seg->to, (PixelPoint{5, 99}));
    seg = clipSegment({0, -50}, {10, 50}, top, B); // comes in from above
    ASSERT_TRUE(seg);
    EXPECT_EQ(seg->from, (PixelPoint{5, 1}));
    EXPECT_FALSE(clipSegment({0, -5}, {10, 150}, top, B));
    EXPECT_FALSE(clipSegment({0, 100}, {10, 100}, top, B)); // on the border row is outside
}

TEST(GraphTicks, StepChoiceForOrdinaryLargeAndTinyRanges) {
    struct Case {
        Extended lo, hi, major, minor;
    };
    for (const Case& c : std::initializer_list<Case>{
             {-10.35L, 10.35L, 5, 1},
             {0, 1, 0.2L, 0.05L},
             {-3, 3, 2, 0.5L}, // round(1.5) - round(-1.5) = 4 ticks
             {0, 20000, 5000, 1000},
             {-99999, 99999, 50000, 10000},
             {-1e6L, 1e6L, 5e5L, 1e5L},
             {0, 3e9L, 5e8L, 1e8L},
             {-3e-7L, 3e-7L, 1e-7L, 2e-8L},
         }) {
        SCOPED_TRACE(std::to_string(double(c.lo)) + " .. " + std::to_string(double(c.hi)));
        const TickStep s = chooseTickStep(c.lo, c.hi);
        EXPECT_NEAR(double(s.major), double(c.major), double(c.major) * 1e-12);
        EXPECT_NEAR(double(s.minor), double(c.minor), double(c.minor) * 1e-12);
    }
    EXPECT_EQ(chooseTickStep(5, 5).major, 1); // empty range: anything sane
}

TEST(GraphTicks, LabelsLeaveOutZeroAndFollowTheStep) {
    auto labels = [](Extended lo, Extended hi, Extended major, bool pi) {
        std::vector<std::string> out;
        for (const Tick& t : majorTicks(lo, hi, {major, major / 5}, pi))
            out.push_back(t.label);
        return out;
    };
    EXPECT_EQ(labels(-10.3L, 10.3L, 5, false), (std::vector<std::string>{"-10", "-5", "5", "10"}));
    EXPECT_EQ(labels(-1.1L, 1.1L, 0.5L, false),
              (std::vector<std::string>{"-1.0", "-0.5", "0.5", "1.0"}));
    EXPECT_EQ(labels(0, 0.00011L, 0.00005L, false),
              (std::vector<std::string>{"0.00005", "0.00010"}));
    EXPECT_EQ(labels(-1.2L, 1.6L, 0.5L, true),
              (std::vector<std::string>{"-pi", "-pi / 2", "pi / 2", "pi", "3 pi / 2"}));
    EXPECT_EQ(labels(-2.5L, 4.5L, 2, true), (std::vector<std::string>{"-2 pi", "2 pi", "4 pi"}));
    // Huge and tiny steps take the exponent form.
    EXPECT_EQ(labels(-2.5e6L, 4.5e6L, 2e6L, false),
              (std::vector<std::string>{"-2e6", "2e6", "4e6"}));
    EXPECT_EQ(labels(0, 3.2e-7L, 1e-7L, false), (std::vector<std::string>{"1e-7", "2e-7", "3e-7"}));
    EXPECT_TRUE(labels(0, 1, 1e-9L, false).empty()); // a step too fine for the range
}

// Ranges far from 0 that are only a few units of the last place wide, beyond
// 2^64, or at the ends of the number type: every tick list is short, ordered,
// inside the range and labelled without repeats.
TEST(GraphTicks, AnyRangeGivesFewOrderedTicksWithDistinctLabels) {
    auto ulps = [](Extended v, int n) {
        while (n-- > 0)
            v = std::nextafter(v, kInfinityForTest);
        return v;
    };
    struct Case {
        Extended lo, hi;
    };
    for (const Case& c : std::initializer_list<Case>{
             {1e14L, ulps(1e14L, 3)},
             {1e13L - 5e-6L, 1e13L + 5e-6L},
             {1e5L, ulps(1e5L, 1)},
             {0x1p64L, 0x1p64L + 0x1p20L},
             {0x1p64L, ulps(0x1p64L, 5)},
             {1e25L, 1e25L + 1e12L},
             {-1e300L, 1e300L},
             {1e4000L, ulps(1e4000L, 40)},
             {-1e4930L, 1e4930L},
             {3 - 5.2e-6L, 3 + 5.2e-6L}, // y = 3
             {-7.0000052L, -6.9999948L},
             {0.1L, 0.1L + 1e-12L},
             {-10.35L, 10.35L},
             {0, 3e9L},
             {-3e-7L, 3e-7L},
             {1e-300L, 3e-300L},
         }) {
        SCOPED_TRACE(std::to_string(double(c.lo)) + " .. " + std::to_string(double(c.hi)));
        const TickStep step = chooseTickStep(c.lo, c.hi);
        ASSERT_GT(step.major, 0);
        const std::vector<Tick> ticks = majorTicks(c.lo, c.hi, step, false);
        EXPECT_LE(ticks.size(), 30u);
        std::set<std::string> labels;
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            SCOPED_TRACE(ticks[i].label);
            EXPECT_TRUE(c.lo <= ticks[i].value && ticks[i].value <= c.hi);
            if (i > 0) {
                EXPECT_LT(ticks[i - 1].value, ticks[i].value);
            }
            EXPECT_TRUE(labels.insert(ticks[i].label).second);
        }
        EXPECT_LE(minorTicks(c.lo, c.hi, step.minor).size(), 400u);
        EXPECT_LE(majorTicks(c.lo, c.hi, step, true).size(), 30u);
    }
    // A step finer than the values can tell apart gives nothing, however few.
    EXPECT_TRUE(majorTicks(1e20L, 1e20L + 64, {1, 0.2L}, false).empty());
    EXPECT_TRUE(minorTicks(1e20L, 1e20L + 64, 0.2L).empty());
    EXPECT_EQ(minorTicks(-1, 1.1L, 0.5L), (std::vector<Extended>{-0.5L, 0.5L, 1}));
}

TEST(GraphTicks, NarrowRangesKeepSeveralLabels) {
    GraphWindow w;
    for (Extended v : {3.0L, -7.0L, 1e13L, 1e14L, 1e20L, 0x1p70L}) {
        SCOPED_TRACE(std::to_string(double(v)));
        Bounds constant;
        constant.widen(v);
        const YLayout y = layoutY(w, constant, w.userY, 0.06L, kH);
        ASSERT_LT(y.PlotYMin, v);
        ASSERT_GT(y.PlotYMax, v);
        const auto ticks =
            majorTicks(y.PlotYMin, y.PlotYMax, chooseTickStep(y.PlotYMin, y.PlotYMax), false);
        EXPECT_GE(ticks.size(), 3u);
        EXPECT_LE(ticks.size(), 12u);
    }
}
