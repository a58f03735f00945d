#include "engine/lists/Regression.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/func/FuncEditor.h"
#include "engine/lists/ListCatalog.h"
#include "engine/lists/RegrCopy.h"
#include "engine/lists/RegrPlot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace tallix;

namespace {

RegrData data(std::vector<std::string> x, std::vector<std::string> y) {
    return {"X", "Y", std::move(x), std::move(y)};
}

RegrState fit(RegrModel m, std::vector<std::string> x, std::vector<std::string> y) {
    RegrState s;
    runRegression(s, m, data(std::move(x), std::move(y)));
    return s;
}

std::vector<std::string> readItems(const std::string& file) {
    std::ifstream in(std::string(TALLIX_TEST_DATA) + "/" + file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return splitListItems(ss.str());
}

// |a - b| within `digits` significant digits of b.
void expectDigits(Extended a, Extended b, int digits) {
    EXPECT_LE(std::fabs(a - b), std::fabs(b) * std::pow(10.0L, -digits))
        << double(a) << " vs " << double(b);
}

} // namespace

TEST(Regression, ReportsEachMissingChoiceInOrder) {
    EXPECT_EQ(missingChoiceLines(false, false, false),
              (std::vector<std::string>{"X List not specified.", "Y List not specified.",
                                        "Method not specified."}));
    EXPECT_TRUE(missingChoiceLines(true, true, true).empty());
}

TEST(Regression, LinearFitOfIntegerListWritesTheWholeReport) {
    RegrState s;
    RegrData d{
        "Integer List 1..n", "evens", builtinXList("Integer List 1..n", 3).items, {"2", "4", "6"}};
    runRegression(s, RegrModel::Linear, d);
    ASSERT_EQ(s.report.size(), 11u);
    EXPECT_EQ(s.report[0], "--  Linear Fit  --");
    EXPECT_EQ(s.report[1], " ");
    EXPECT_EQ(s.report[2], "    y = 2.00000000x + 0.00000000");
    EXPECT_EQ(s.report[4], "    r = 1.00000000     r^2 = 1.00000000");
    EXPECT_EQ(s.report[7],
              "4!      X                   Y                    Y(est)                Err");
    EXPECT_EQ(s.report[8], "4!1.00000000    2.00000000    2.00000000    0.00000000");
    EXPECT_EQ(s.copyText, "2x+0");
    EXPECT_EQ(builtinXList("Integer List 0..n", 5).items,
              (std::vector<std::string>{"0", "1", "2", "3", "4"}));
}

TEST(Regression, CountMismatchNamesBothListsAndStops) {
    const RegrState s = fit(RegrModel::Linear, {}, {});
    EXPECT_EQ(s.report, (std::vector<std::string>{"Data item count mismatch -", "  X  -  0 items,",
                                                  "  Y  -  0 items."}));
    EXPECT_EQ(fit(RegrModel::Linear, {"1", "2"}, {"1"}).report[1], "  X  -  2 items,");
}

TEST(Regression, ModelsRefuseValuesTheirLogarithmsCannotTake) {
    const struct {
        RegrModel model;
        std::vector<std::string> x, y;
        const char* message;
    } cases[] = {
        {RegrModel::Exponential,
         {"1", "2"},
         {"0", "1"},
         "f(x) data not all positive - fit not possible."},
        {RegrModel::Power,
         {"1", "2"},
         {"1", "-1"},
         "X and f(x) data not all positive - fit not possible."},
        {RegrModel::Logarithmic,
         {"0", "2"},
         {"1", "1"},
         "X data not all positive - fit not possible."},
        {RegrModel::Power,
         {"0", "2"},
         {"1", "1"},
         "X and f(x) data not all positive - fit not possible."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const RegrState s = fit(c.model, c.x, c.y);
        EXPECT_EQ(s.report, std::vector<std::string>{c.message});
        EXPECT_FALSE(s.fitted);
    }
}

TEST(Regression, FailedRunsNameTheirCauseAndKeepTheLastFit) {
    RegrState s;
    runRegression(s, RegrModel::Linear, data({"1", "2", "3"}, {"2", "4", "6"}));
    ASSERT_EQ(s.copyText, "2x+0");
    runRegression(s, RegrModel::Linear, data({"1", "2", "3"}, {"2", "four", "6"}));
    EXPECT_EQ(s.report, std::vector<std::string>{
                            "Item 2 of \"Y\" is not a number: \"four\" - fit not possible."});
    // All X equal: no stale coefficient, no table, no copy text change.
    for (RegrModel m :
         {RegrModel::Linear, RegrModel::Logarithmic, RegrModel::Exponential, RegrModel::Power}) {
        runRegression(s, m, data({"0.1", "0.1", "0.1"}, {"1", "2", "3"}));
        ASSERT_EQ(s.report.size(), 3u);
        EXPECT_EQ(s.report[2], "X data all equal - fit not possible.");
        EXPECT_FALSE(s.fitted);
    }
    runRegression(s, RegrModel::Quadratic, data({"1", "1", "2", "2"}, {"1", "2", "3", "4"}));
    EXPECT_EQ(s.report.back(), "X data has fewer than 3 different values - fit not possible.");
    EXPECT_EQ(s.copyText, "2x+0");
    EXPECT_EQ(s.c1, 2);
}

TEST(Regression, CurvedModelsRecoverExactCoefficients) {
    const RegrState q =
        fit(RegrModel::Quadratic, {"-1", "0", "1", "2", "3"}, {"6", "1", "0", "3", "10"});
    EXPECT_NEAR(double(q.c1), 2, 1e-15);
    EXPECT_NEAR(double(q.c2), -3, 1e-15);
    EXPECT_NEAR(double(q.c3), 1, 1e-15);
    EXPECT_EQ(q.report[2], "    y = 2.00000x^2  - 3.00000x  + 1.00000");
    EXPECT_EQ(q.report[4], "    r^2 = 1.00000");
    EXPECT_EQ(q.report[7],
              "4!    X                  Y                    Y(est)               Err");
    EXPECT_EQ(q.copyText, "2*x^2-3x+1");

    std::vector<std::string> x, ye, yp;
    for (int i = 1; i <= 5; ++i) {
        x.push_back(std::to_string(i));
        ye.push_back(decimalText(3 * std::exp(-0.5L * i)));
        yp.push_back(decimalText(2 * std::pow(Extended(i), 1.5L)));
    }
    const RegrState e = fit(RegrModel::Exponential, x, ye);
    EXPECT_EQ(e.report[2], "    y = 3.00000000 e^ -0.50000000x");
    // The copy text carries 15 digits of the fitted values: 3.00000000000001.
    EXPECT_TRUE(e.copyText.starts_with("3") && e.copyText.find("*e^(-0.5") != std::string::npos)
        << e.copyText;
    const RegrState p = fit(RegrModel::Power, x, yp);
    EXPECT_EQ(p.report[2], "    y = 2.00000000x^ +1.50000000");
    EXPECT_TRUE(p.copyText.starts_with("2") && p.copyText.find("*x^(+1.5") != std::string::npos)
        << p.copyText;
    const RegrState l = fit(
        RegrModel::Logarithmic, {"1", "2", "4"},
        {decimalText(1), decimalText(1 + 2 * std::log(2.0L)), decimalText(1 + 2 * std::log(4.0L))});
    EXPECT_EQ(l.report[2], "    y = 2.00000000 ln x + 1.00000000");
    EXPECT_EQ(l.copyText, "2*lnx+1");
}

TEST(Regression, LinearFitMatchesTheCertifiedNorrisValues) {
    const std::vector<std::string> x = readItems("norris_x.lst"), y = readItems("norris_y.lst");
    ASSERT_EQ(x.size(), 36u);
    ASSERT_EQ(y.size(), 36u);
    const RegrState s = fit(RegrModel::Linear, x, y);
    ASSERT_TRUE(s.fitted);
    expectDigits(s.c1, 1.00211681802045L, 13);
    expectDigits(s.c2, -0.262323073774029L, 13);
    EXPECT_EQ(s.report[4], "    r = 0.99999690     r^2 = 0.99999370");
    // r^2 to 13 digits, by the statistics line's formula.
    Extended Sx = 0, Sy = 0, Sxx = 0, Sxy = 0, Syy = 0, n = 36;
    for (std::size_t i = 0; i < 36; ++i) {
        const Extended a = ParseListValue(x[i]), b = ParseListValue(y[i]);
        Sx += a, Sy += b, Sxx += a * a, Sxy += a * b, Syy += b * b;
    }
    const Extended rr = (n * Sxy - Sx * Sy) / std::sqrt((n * Sxx - Sx * Sx) * (n * Syy - Sy * Sy));
    expectDigits(rr * rr, 0.999993745883712L, 13);
}

TEST(Regression, TableCellsSwitchToScientificOutsideTheirRange) {
    EXPECT_EQ(FormatTableCell(0.0005L), "5.00000E-04");
    EXPECT_EQ(FormatTableCell(12345.678L), "12345.6780");
    EXPECT_EQ(FormatTableCell(1e-99L), "0.00000000");
    EXPECT_EQ(FormatTableCell(-3.5L), "-3.50000000");
    EXPECT_EQ(FormatTableCell(123456789), "1.23457E+08");
    EXPECT_EQ(FormatExponent(1234567890123.0L), "1.23457E+12");
}

TEST(RegrPlot, StepsAndTicksFollowThe125Table) {
    EXPECT_EQ(regrStepIndex(0, 10), 14);
    EXPECT_EQ(regrMajorStep(14), 2);
    EXPECT_EQ(regrMinorStep(14), Extended(0.5L));
    EXPECT_EQ(regrMinorStep(1), Extended(0.00002L));
    EXPECT_EQ(regrMajorStep(30), 500000);
    EXPECT_EQ(regrTickLabel(0.25L, 8), "0.25");
    EXPECT_EQ(regrTickLabel(20, 16), "20");

    RegrState none;
    EXPECT_FALSE(layoutRegrPlot(none, 344, 226).hasData);
    RegrState s;
    runRegression(s, RegrModel::Linear, data({"0", "5", "10"}, {"0", "10", "20"}));
    const RegrPlot p = layoutRegrPlot(s, 256, 256);
    ASSERT_TRUE(p.hasData);
    EXPECT_EQ(p.plotW, 226);
    EXPECT_EQ(p.plotH, 228);
    ASSERT_EQ(p.crosses.size(), 3u);
    // The data span 0..10 is padded by 10 % each side: x = 0 sits at 1/12.
    EXPECT_EQ(p.crosses[0].x, 19);
    EXPECT_EQ(p.crosses[2].x, 207);
    std::vector<std::string> labels;
    for (const auto& t : p.xTicks)
        if (t.major) labels.push_back(t.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
    ASSERT_EQ(p.curve.size(), 1u);
    EXPECT_EQ(p.curve[0].size(), 2u);

    // Far from 0 a step is below the values' last place: the ticks still end.
    RegrState far;
    runRegression(far, RegrModel::Linear,
                  data({"1", "2"}, {"10000000000000000000000000", "10000000000000000100000000"}));
    const RegrPlot f = layoutRegrPlot(far, 256, 256);
    EXPECT_TRUE(f.hasData);
    EXPECT_LE(f.yTicks.size(), 4002u);
}

TEST(RegrCopy, CopyTextBecomesFunctionKeysInTheFirstFreeSlot) {
    EXPECT_EQ(copyTextCodes("2x+0"), (std::vector<TokenCode>{20, func::Var, func::Plus, 28}));
    EXPECT_EQ(copyTextCodes("1.5*lnx-2"), (std::vector<TokenCode>{19, func::Point, 12, 22, func::Ln,
                                                                  func::Var, func::Minus, 20}));
    // An exponent's "E" is not a key: 1E-5 loses it.
    EXPECT_EQ(copyTextCodes("1E-5"), (std::vector<TokenCode>{19, func::Minus, 12}));

    auto set = std::make_unique<FuncSet>();
    EditContext ctx;
    FuncEditor editor(*set, ctx);
    EXPECT_EQ(copyFitToFunctions(*set, editor, ""), 0);
    set->setTokens(1, std::vector<TokenCode>{func::Var});
    EXPECT_EQ(copyFitToFunctions(*set, editor, "2x+0"), 2);
    EXPECT_EQ(set->slot(2).TokenCount(), 4);
    EXPECT_EQ(set->CurrentFunc, 2);
    for (int n = 1; n <= 20; ++n)
        set->setTokens(n, std::vector<TokenCode>{func::Var});
    EXPECT_EQ(copyTargetSlot(*set), 20);
    set->ParamMode = true;
    EXPECT_EQ(copyTargetSlot(*set), 19);
    EXPECT_EQ(copyFitToFunctions(*set, editor, "3x"), 19);
    EXPECT_EQ(set->slot(19).TokenCount(), 2); // the old tokens are replaced
}
