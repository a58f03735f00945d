#include "engine/analysis/GraphAnalysis.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tallix;

namespace {

using Lines = std::vector<std::string>;
constexpr AnalysisTool XCross = AnalysisTool::XCross, Min = AnalysisTool::Min,
                       Max = AnalysisTool::Max, Isect = AnalysisTool::Isect;

struct Case {
    const char* name;
    AnalysisTool tool;
    std::vector<const char*> funcs; // slots 1, 2, ...
    Extended xa, xb;
    Lines expected;
};

Lines run(const Case& c, bool param = false, Extended tMin = 0, Extended tMax = 10) {
    auto set = std::make_unique<FuncSet>();
    set->ParamMode = param;
    for (std::size_t i = 0; i < c.funcs.size(); ++i)
        setFuncText(*set, static_cast<int>(i) + 1, c.funcs[i]);
    AnalysisInput in;
    in.xa = c.xa;
    in.xb = c.xb;
    in.tMin = tMin;
    in.tMax = tMax;
    return analyze(*set, c.tool, in);
}

void expectReports(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c), c.expected);
    }
}

} // namespace

// clang-format off
TEST(GraphAnalysis, CrossingsReportEveryRootOnce) {
    expectReports({
        {"two roots", XCross, {"x^2-2"}, -3, 3,
         {"1", " x = -1.4142135624", " y = 0", " x = 1.4142135624", " y = 0"}},
        // No sample lands on 1: the touching search finds the double root.
        {"double root", XCross, {"(x-1)^2"}, 0, 3.5L, {"1", " x = 1.0000000000", " y = 0"}},
        // Here the scan approaches the double root a second time.
        {"double root approached twice", XCross, {"(x-1)^2"}, 0, 3,
         {"1", " x = 1.0000000000", " y = 0"}},
        {"pole", XCross, {"1/x"}, -1, 1.5L, {kNoneFound}},
        // A scan that starts exactly on a root reports that root, not the
        // far end of the first step.
        {"root at the left end", XCross, {"x"}, 0, 1, {"1", " x = 0.0000000000", " y = 0"}},
        {"pi form", XCross, {"sin x"}, 2, 4, {"1", " x = 3.1415926536", " =  pi", " y = 0"}},
        // The touching search runs into the gap around 0, where the function
        // is undefined: it ends without a report.
        {"touching search meets a gap", XCross, {"x^2+0*sqrt(x^2-0.000001)"}, -1, 1.1L,
         {kNoneFound}},
        {"touching search without a gap", XCross, {"x^2"}, -1, 1.1L,
         {"1", " x = 0.0000000000", " y = 0"}},
        {"per slot", XCross, {"x-1", "", "x+1"}, -2, 2.5L,
         {"1", " x = 1.0000000000", " y = 0", "3", " x = -1.0000000000", " y = 0"}},
    });
}

TEST(GraphAnalysis, ExtremaAreGlobalAndSnapped) {
    expectReports({
        {"snapped minimum", Min, {"x^2-4x"}, 0, 5,
         {"1", " x = 2.0000000000", " y = -4.0000000000"}},
        {"constant: leftmost", Min, {"3"}, -2, 5, {"1", " x = -2.0000000000", " y = 3.0000000000"}},
        {"minimum at the left edge", Min, {"x"}, 1.25L, 4,
         {"1", " x = 1.2500000000", "    = 5 / 4", " y = 1.2500000000"}},
        // Near a flat maximum samples 3e-10 apart have equal 64-bit values
        // and the first of them wins; the pi form still finds pi / 2.
        {"maximum with pi form", Max, {"sin x"}, 0, 3,
         {"1", " x = 1.5707963266", "    =  pi / 2", " y = 1.0000000000"}},
        {"maximum at the right edge", Max, {"x", "0-x"}, -1, 2,
         {"1", " x = 2.0000000000", " y = 2.0000000000",
          "2", " x = -1.0000000000", " y = 1.0000000000"}},
        {"undefined everywhere", Max, {"sqrt(0-1-x^2)"}, -1, 1, {kNoneFound}},
    });
}

TEST(GraphAnalysis, IntersectionsOfEveryPair) {
    expectReports({
        {"pair order", Isect, {"x", "0-x", "1"}, -2, 2.5L,
         {"2", "1", " x = 0.0000000000", " y = 0.0000000000",
          "3", "1", " x = 1.0000000000", " y = 1.0000000000",
          "3", "2", " x = -1.0000000000", " y = 1.0000000000"}},
        // The difference changes sign across the pole of tan at pi / 2: the
        // widening values reject it.
        {"pole rejected", Isect, {"tan x", "2"}, 0.5L, 2.3L,
         {"2", "1", " x = 1.1071487178", " y = 2.0000000000"}},
        // Touching y = 0: nothing to scale the test by but the curve itself.
        {"tangent to zero", Isect, {"(x-1)^2", "0"}, 0, 3.5L,
         {"2", "1", " x = 1.0000000000", " y = 0.0000000000"}},
        // The sample before the touching point lies left of it: the scan
        // approaches the point a second time.
        {"tangent, approached twice", Isect, {"(x-1)^2", "0"}, 0, 3,
         {"2", "1", " x = 1.0000000000", " y = 0.0000000000"}},
        {"none", Isect, {"x^2+1", "0"}, -2, 2, {kNoneFound}},
    });
}
// clang-format on

TEST(GraphAnalysis, RegionsTooNarrowToScanReportNothing) {
    for (const auto& [xa, xb] :
         {std::pair<Extended, Extended>{1, 1}, {2, 1}, {1e20L, 1e20L + 16}, {-INFINITY, 0}}) {
        SCOPED_TRACE(xa);
        for (AnalysisTool tool : {XCross, Min, Max, Isect})
            EXPECT_EQ(run({"", tool, {"x", "x"}, xa, xb, {}}), (Lines{kNoneFound}));
    }
    const Case c{"", XCross, {"x", "x"}, -1, 1, {}};
    EXPECT_EQ(run(c, true, 3, 3), (Lines{kNoneFound}));
}

TEST(GraphAnalysis, IdenticalFunctionsMeetAllAlong) {
    const Lines r = run({"", AnalysisTool::Isect, {"x", "x"}, 0, 1, {}});
    ASSERT_GE(r.size(), 40u);
    EXPECT_EQ(r[0], "2");
    EXPECT_EQ(r[1], "1");
    EXPECT_EQ(r[2], " x = 0.0000000000");
}

TEST(GraphAnalysis, ParametricCrossingsEnd) {
    // Bisection near t = 17 cannot reach an absolute width of 1e-18.
    const Case far{"", AnalysisTool::XCross, {"x", "x^2-300"}, 0, 100, {}};
    EXPECT_EQ(run(far, true, 16.5L, 19),
              (Lines{"1", " t = 17.3205080757", " x = 17.3205080757", " y = 0"}));
    // The crossing at t = -2 lies outside the region's x range.
    // A touching root in t is approached twice and told once.
    const Case touch{"", AnalysisTool::XCross, {"x", "(x-1)^2"}, 0, 10, {}};
    EXPECT_EQ(run(touch, true, 0, 3),
              (Lines{"1", " t = 1.0000000000", " x = 1.0000000000", " y = 0"}));
    const Case region{"", AnalysisTool::XCross, {"x", "x^2-4"}, 0, 5, {}};
    EXPECT_EQ(run(region, true, -3, 3.5L),
              (Lines{"1", " t = 2.0000000000", " x = 2.0000000000", " y = 0"}));
}

TEST(GraphAnalysis, ParametricExtremaCountOnlySamplesInRegion) {
    const Case c{"", AnalysisTool::Min, {"x", "x^2", "x"}, 1, 5, {}};
    EXPECT_EQ(run(c, true, -3, 3),
              (Lines{"1", " t = 1.0000000000", " x = 1.0000000000", " y = 1.0000000000"}));
}

TEST(GraphAnalysis, ParametricIntersectionsInAndOutOfPhase) {
    const Case inPhase{"", AnalysisTool::Isect, {"x", "x", "x", "2-x"}, -10, 10, {}};
    EXPECT_EQ(run(inPhase, true, 0, 3), (Lines{"2", "1", kInPhaseLine, " t = 1.0000000000",
                                               " x = 1.0000000000", " y = 1.0000000000"}));
    // Two circles meet twice at different t: both points are told. The search
    // stops within about 1e-11 of pi/3, so the digits past that follow the
    // last bits of sin and cos.
    const Case circles{"", AnalysisTool::Isect, {"cos x", "sin x", "1+cos x", "sin x"}, -10, 10,
                       {}};
    EXPECT_EQ(run(circles, true, 0, 2 * kPi),
              (Lines{"1", "2", kOutOfPhaseLine, "t.1 = 1.04719755119488", " =  pi / 3",
                     "t.2 = 2.09439510239491", " = 2 pi / 3", "x = 0.500000000001486", " = 1 / 2",
                     "y = 0.866025403783581", "t.1 = 5.2359877559847", " = 5 pi / 3",
                     "t.2 = 4.18879020478982", " = 4 pi / 3", "x = 0.500000000001486", " = 1 / 2",
                     "y = -0.866025403783581"}));
}
