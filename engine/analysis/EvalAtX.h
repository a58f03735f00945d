#pragma once

#include "engine/core/Extended.h"
#include "engine/func/FuncSlot.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

class FuncSet;

inline constexpr const char* kInvalidXText = "invalid format for X value";
inline constexpr const char* kNoValueText = "- no value -";

// The x (or t) text of the Evaluate window: blanks trimmed, the text up to the
// first "/" divided by the text after it (a whole text without "/" is
// divided by 1), each part read by ExtractFPval ("PI" and "E" as factors).
// Nothing when a part is empty or does not convert, or the denominator is
// within 1e-100 of 0.
std::optional<Extended> readXText(std::string_view text);

struct EvalOptions {
    bool rational = false; // "Allow Rational Reductions"
    bool piForms = false;  // "Allow Reduction to Pi Fractions"
    bool slope = false;    // "Compute Slope at X"
};

// The value text of one function: "- no value -" for undefined, a fraction
// or pi multiple when the options allow and the search finds one within
// 1e-9 (whole numbers never), else the 15-digit decimal text.
std::string evalValueText(Extended v, const EvalOptions& options);

// The slope at x from the values at 0.999 x and 1.001 x (+-1e-9 near 0),
// one-sided with v when one of them is undefined; undefined when no
// difference can be formed.
struct SlopeInputs {
    Extended x, v, left, right, xl, xr;
};
Extended slopeAt(const SlopeInputs& s);
// The two arguments the slope is computed from.
std::pair<Extended, Extended> slopePoints(Extended x);

// What the Evaluate window computed: the lines of its list ("3,0.5",
// "m=1.5"), and for the graph the value and slope of each slot (undefined
// for slots not shown or not computed).
struct EvalAtXResult {
    bool valid = false; // false: the x text could not be read
    Extended x = 0;
    std::vector<std::string> lines;
    std::array<Extended, kFuncSlotCount> values{};
    std::array<Extended, kFuncSlotCount> slopes{};
};
EvalAtXResult evaluateAtX(FuncSet& funcs, TrigMode trig, std::string_view xText,
                          const EvalOptions& options);

} // namespace tallix
