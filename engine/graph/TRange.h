#pragma once

#include "engine/core/Extended.h"

#include <string>

namespace tallix {

// The buttons of the "T - Value Range" window. With span = TMax - TMin and
// mid = (TMin + TMax) / 2 they give:
//   ZoomIn       mid -+ 0.4 span          ZoomOut      mid -+ 0.65 span
//   MinFarLeft   TMin - span              MinLeft      TMin - 0.2 span
//   MinRight     TMin + 0.1 span          MinFarRight  TMin + 0.5 span
//   ShiftLeft    both ends - 0.1 span     ShiftRight   both ends + 0.1 span
//   MaxFarLeft   TMax - 0.5 span          MaxLeft      TMax - 0.1 span
//   MaxRight     TMax + 0.2 span          MaxFarRight  TMax + span
enum class TRangeButton {
    ZoomIn,
    ZoomOut,
    MinFarLeft,
    MinLeft,
    MinRight,
    MinFarRight,
    ShiftLeft,
    ShiftRight,
    MaxFarLeft,
    MaxLeft,
    MaxRight,
    MaxFarRight,
};

struct TRange {
    Extended min = 0, max = 0;
};

// A changed end of the T range, rounded: in its 15-digit decimal text the
// first three digit characters (a leading 0 included) are kept and every
// later digit becomes 0; an exponent part is left as it is. So 12.3456 gives
// 12.3, 0.123456 gives 0.12, 0.00456 gives 0 and 1.23456E-7 gives 1.23E-7.
Extended roundTEnd(Extended v);

// The range after one press of `button` on tmin..tmax; only the ends the
// button moves are rounded. An end whose rounding would undo or reverse its
// move (1.23..1.24 with the minimum moved right to 1.231) is kept unrounded,
// and so are both ends when rounding would leave them equal or out of order
// (100..101 zoomed in gives 100.1..100.9), so every press moves the range and
// none collapses it.
// An end within 1e-12 span of 0 becomes 0 (the error of the sum, not a
// value). A range that is not in order, or a press whose result is not finite,
// leaves the range as it is.
TRange pressTRangeButton(TRangeButton button, Extended tmin, Extended tmax);

// The window's text of a T value: up to 7 significant digits, "+" before
// non-negative values, zero as "0" ("+10", "-1.5", "+1.234568E+20").
std::string tValueText(Extended v);

} // namespace tallix
