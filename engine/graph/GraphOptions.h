#pragma once

#include "engine/graph/GraphLayout.h"
#include "engine/graph/GraphSampler.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallix {

// The graphing options dialog's contents, as typed and chosen.
//
// How an accepted dialog enters the GraphWindow, by the graph shown (kind):
// - x pair: the cartesian graph's XMin, XMax; the user x limits (userX) of
//   the parametric graph; the polar x limits (polarX) of the polar and polar
//   parametric graphs.
// - y pair: the user y limits (userY) of the cartesian and parametric graphs,
//   the polar y limits (polarY) of the polar ones; a given y pair makes the y
//   scaling User Def, otherwise the scaling chosen is taken.
// - theta and T pairs: ThetaMin, ThetaMax and TMin, TMax.
// - An x or y pair left empty unsets its explicit limits (the range goes back
//   to the data); empty cartesian x, theta and T pairs keep their values.
// The explicit limits of the graphs not shown are left as they are.
struct GraphOptionsInput {
    std::string minX, maxX, minY, maxY, minTheta, maxTheta, minT, maxT;
    YScaling yScaling = YScaling::Auto;
    bool UseInteriorAxes = true;
    bool piLabels = false;
    GridType gridType = GridType::DotMatrix;
    int TCount = 150;
    // The single point: its texts and switches.
    std::string pointX, pointY;
    bool plotPoint = false;
    bool labelPoint = false;
};

// What an accepted dialog leaves: the new graph window and the marks. On a
// failed check `error` holds the message and the rest is not to be used.
struct GraphOptionsResult {
    std::string error;
    GraphWindow window;
    GraphMarks marks;
};

// Checks the pairs x, y, theta, T in this order (per pair: the minimum's
// text, the maximum's text, a missing maximum, a missing minimum, the order)
// and then, when the point is plotted, its two texts; the first failure's
// message is returned (">>  Xmin not a valid number.", ...). Otherwise the
// new window is `current` changed as described above.
GraphOptionsResult applyGraphOptions(const GraphOptionsInput& in, const GraphWindow& current,
                                     GraphKind kind);

// A typed limit: blanks trimmed, then the text up to the first "/" divided by
// the text after it, each part read by ExtractFPval ("pi" and "e" as factors,
// a leading "." completed to "0.", a trailing one to ".0"). Nothing for
// empty or blank text; UndefinedMarker when a part is empty or does not
// convert, the denominator is within 1e-100 of 0 or the quotient is not finite.
std::optional<Extended> readLimitText(std::string_view text);

// The text a limit is filled in with: a multiple of pi as "2pi", "-pi/2",
// "3pi/4", any other value with up to 7 significant digits. readLimitText
// reads it back.
std::string limitText(Extended v);

// The edits' texts for the limits in force: x and y from `current` (the plot
// window of the last paint; the cartesian x from XMin, XMax), theta and T
// from the window.
struct LimitTexts {
    std::string min, max;
};
enum class LimitPair { X, Y, Theta, T };
LimitTexts currentLimitTexts(LimitPair pair, const GraphWindow& w, const PlotLayout& current,
                             GraphKind kind);
// The edits' texts when the dialog opens: the explicit limits that are set
// (the y limits only in User Def scaling) and the cartesian x, theta and T
// ranges; empty for limits not set.
LimitTexts presetLimitTexts(LimitPair pair, const GraphWindow& w, GraphKind kind);
// "( defaults )": x and y -10 .. 10, theta 0 .. 2pi, T 0 .. 10.
LimitTexts defaultLimitTexts(LimitPair pair);

} // namespace tallix
