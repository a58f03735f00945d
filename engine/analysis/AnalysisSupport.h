#pragma once
// Shared pieces of the analysis searches: one evaluation with the undefined
// test folded in, and the report's number texts.

#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/func/FuncSet.h"

#include <cmath>
#include <string>
#include <vector>

namespace tallix::analysis {

// Slot n at x: the value, or undefined (NaN) when the evaluation failed or
// gave the undefined value.
struct Evaluator {
    FuncSet& funcs;
    TrigMode trig;
    Extended operator()(int n, Extended x) const {
        funcs.EvalFuncAtX(n, x, trig);
        return funcs.FuncErrorText.empty() ? funcs.FuncResult : UndefinedMarker;
    }
    // Slot n at xs[0..count) into out; false when the slot cannot run or
    // any value is undefined.
    bool block(int n, const Extended* xs, int count, Extended* out) const {
        funcs.EvalFuncBlock(n, xs, count, out, trig);
        if (!funcs.FuncErrorText.empty()) return false;
        for (int k = 0; k < count; ++k)
            if (isUndefined(out[k])) return false;
        return true;
    }
};

// The report's fixed text: 15 significant digits, 10 decimals.
inline std::string fixed10(Extended v) {
    return formatFloat(FloatFormat::Fixed, 15, 10, v);
}

// Appends prefix + the pi form of v when v has one.
inline void addPiForm(std::vector<std::string>& report, const char* prefix, Extended v) {
    const std::string pi = FloatToOnlyPiRational(v);
    if (!pi.empty()) report.push_back(prefix + pi);
}

inline bool searchable(const FuncSet& f, int n) {
    return f.slot(n).defined() && f.slot(n).Shown;
}

// Pair j, j + 1 (j odd) of parametric mode: both slots defined, the x slot
// shown.
inline bool pairSearchable(const FuncSet& f, int j) {
    return f.slot(j).defined() && f.slot(j).Shown && f.slot(j + 1).defined();
}

// Whether b, the middle of three consecutive values a, b, c, is a local
// extremum that points toward zero (a maximum below it or a minimum above).
inline bool extremumTowardZero(Extended a, Extended b, Extended c) {
    return (b > a && b > c && b < 0) || (b < a && b < c && b > 0);
}

// Whether root repeats last (undefined when there is none yet).
inline bool sameRoot(Extended last, Extended root) {
    return !isUndefined(last) &&
           !(std::fabs(root - last) > (std::fabs(last) + std::fabs(root)) * 1e-7L);
}

} // namespace tallix::analysis
