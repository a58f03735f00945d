#include "engine/graph/TRange.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"

#include <cmath>

namespace tallix {

Extended roundTEnd(Extended v) {
    if (!std::isfinite(v)) return v;
    std::string text = decimalText(v);
    int digits = 0;
    for (char& c : text) {
        if (c == 'E') break;
        if (c >= '0' && c <= '9' && ++digits > 3) c = '0';
    }
    const Extended r = parseNumberText(text);
    if (isUndefined(r)) return v;
    return r == 0 ? 0 : r; // no negative zero
}

TRange pressTRangeButton(TRangeButton button, Extended tmin, Extended tmax) {
    const TRange old{tmin, tmax};
    if (!(tmin < tmax)) return old;
    const Extended span = tmax - tmin;
    const Extended mid = tmin / 2 + tmax / 2;
    TRange next = old;
    bool minMoves = true, maxMoves = true;
    switch (button) {
    case TRangeButton::ZoomIn:
        next = {mid - 0.4L * span, mid + 0.4L * span};
        break;
    case TRangeButton::ZoomOut:
        next = {mid - 0.65L * span, mid + 0.65L * span};
        break;
    case TRangeButton::ShiftLeft:
        next = {tmin - 0.1L * span, tmax - 0.1L * span};
        break;
    case TRangeButton::ShiftRight:
        next = {tmin + 0.1L * span, tmax + 0.1L * span};
        break;
    case TRangeButton::MinFarLeft:
    case TRangeButton::MinLeft:
    case TRangeButton::MinRight:
    case TRangeButton::MinFarRight: {
        static constexpr Extended kSteps[] = {-1, -0.2L, 0.1L, 0.5L};
        next.min = tmin + kSteps[int(button) - int(TRangeButton::MinFarLeft)] * span;
        maxMoves = false;
        break;
    }
    case TRangeButton::MaxFarLeft:
    case TRangeButton::MaxLeft:
    case TRangeButton::MaxRight:
    case TRangeButton::MaxFarRight: {
        static constexpr Extended kSteps[] = {-0.5L, -0.1L, 0.2L, 1};
        next.max = tmax + kSteps[int(button) - int(TRangeButton::MaxFarLeft)] * span;
        minMoves = false;
        break;
    }
    }
    if (!std::isfinite(next.min) || !std::isfinite(next.max) || !(next.min < next.max)) return old;
    // An end that should be 0 but carries the rounding error of the sum.
    auto snap = [span](Extended v) { return std::fabs(v) < span * 1e-12L ? 0 : v; };
    if (minMoves) next.min = snap(next.min);
    if (maxMoves) next.max = snap(next.max);
    // A rounded end must still have moved the way the button moves it.
    auto settle = [](Extended from, Extended to) {
        const Extended r = roundTEnd(to);
        return (r - from) * (to - from) > 0 ? r : to;
    };
    const TRange rounded{minMoves ? settle(tmin, next.min) : next.min,
                         maxMoves ? settle(tmax, next.max) : next.max};
    return rounded.min < rounded.max ? rounded : next;
}

std::string tValueText(Extended v) {
    if (v == 0) return "0";
    std::string text = formatFloat(FloatFormat::General, 7, 0, v);
    if (v > 0) text.insert(text.begin(), '+');
    return text;
}

} // namespace tallix
