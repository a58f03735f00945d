#pragma once

#include "engine/core/Extended.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// The models of the regression chooser, in its order.
enum class RegrModel { Linear = 0, Logarithmic = 1, Exponential = 2, Power = 3, Quadratic = 4 };
inline constexpr const char* kRegrModelNames[5] = {"Linear", "Logarithmic", "Exponential", "Power",
                                                   "Quadratic"};

// The data of one regression run: the item texts of both lists with the
// names the report uses for them.
struct RegrData {
    std::string xName, yName;
    std::vector<std::string> x, y;
};

// The Regr mode's lasting state: the last report, the data it plotted and
// the fit. Coefficients and copy text survive a run that does not fit.
struct RegrState {
    std::vector<std::string> report; // the lines of the report list
    // The pairs of the last run that got past the count and number checks,
    // as values; empty otherwise.
    std::vector<Extended> xs, ys;
    RegrModel model = RegrModel::Linear;
    bool fitted = false; // the last run fitted `model` to xs, ys
    // Linear, Logarithmic: c1 slope, c2 intercept; Exponential, Power: c1
    // exponent, c2 factor; Quadratic: c1 x^2, c2 x, c3 constant.
    Extended c1 = 0, c2 = 0, c3 = 0;
    std::string copyText; // the fitted equation in function notation
};

// Number texts of the report, all with "." as decimal point.
// p significant digits, exactly d decimals; scientific when the integer
// part needs more than p digits.
std::string FormatFixed(int p, int d, Extended v);
// Six significant digits and a signed exponent of at least two digits: 1.23457E+12.
std::string FormatExponent(Extended v);
// A table cell: fixed with 10 digits and as many decimals as the magnitude
// allows; scientific below 0.001 and from 1e8 on; 0 below 1e-98.
std::string FormatTableCell(Extended v);

// The report lines for missing choices ("X List not specified." ...), or
// nothing when all three are chosen.
std::vector<std::string> missingChoiceLines(bool xChosen, bool yChosen, bool modelChosen);

// The X items of a built-in list named by `entry` ("Integer List 0..n" or
// "Integer List 1..n"), as many as `n`; the internal error line when the
// entry names none.
struct BuiltinList {
    std::vector<std::string> items;
    std::string error;
};
BuiltinList builtinXList(std::string_view entry, std::size_t n);

// Runs the fit of `model` on `data` and leaves the report and the fit in
// `state`: the count check, the number check of every item, the model's
// validation, then the title, equation, statistics and table lines. A run
// that stops early leaves its message lines and keeps the old coefficients
// and copy text. Sums are in Extended.
void runRegression(RegrState& state, RegrModel model, const RegrData& data);

// The model's value at x for the coefficients of `state` (undefined where
// the model has none).
Extended regrValue(const RegrState& state, Extended x);

} // namespace tallix
