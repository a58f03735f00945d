#pragma once

#include "engine/core/Extended.h"
#include "engine/core/Scalar.h"

#include <optional>
#include <string>
#include <vector>

namespace tallix {

enum class YScaling { Auto = 0, OneToOne = 1, UserDef = 2 };
enum class GridType { None = 0, DotMatrix = 1, LineMatrix = 2 };
enum class GraphKind { Cartesian, Polar, Parametric, PolarParametric };

GraphKind graphKindOf(bool polarMode, bool paramMode);

// An explicit pair of limits the user typed, with its "set" flag.
struct UserLimits {
    bool set = false;
    Extended min = 0;
    Extended max = 0;
};

// The graph's ranges and options. Defaults are set at start; nothing is stored.
struct GraphWindow {
    Extended XMin = -10, XMax = 10;
    Extended ThetaMin = 0, ThetaMax = 2 * kPi;
    Extended TMin = 0, TMax = 10;
    int TCount = 150; // 10..2048
    YScaling yScaling = YScaling::Auto;
    Extended YCentre = 0;
    UserLimits userY;  // cartesian and parametric y
    UserLimits userX;  // parametric x
    UserLimits polarX; // polar x and y
    UserLimits polarY;
    bool UseInteriorAxes = true;
    GridType gridType = GridType::DotMatrix;
    bool piLabels = false; // x axis labelled in multiples of pi
};

inline constexpr int kMaxSamples = 2048;

// Smallest and largest defined values seen while sampling.
struct Bounds {
    bool any = false;
    Extended min = 0, max = 0;
    void widen(Extended v) {
        if (!any) {
            min = max = v;
            any = true;
        } else {
            if (v < min) min = v;
            if (v > max) max = v;
        }
    }
};

// The horizontal layout: the plot's right column R, the world x at its left
// (column 0) and right edges, and the units per pixel.
struct XLayout {
    int R = 0;
    Extended PlotXMin = 0, PlotXMax = 0, XPerPixel = 0;
    bool yAxisInterior = false;
};
// Lays x out over [xmin, xmax] with six pixels of margin at each side; the y
// axis moves to the right (R = width * 221 / 256, made even) when it cannot be
// interior.
XLayout layoutX(Extended xmin, Extended xmax, int width, bool useInteriorAxes);
// The same without margins: column 0 shows xmin and column R xmax exactly (a
// range the user typed).
XLayout layoutXExact(Extended xmin, Extended xmax, int width, bool useInteriorAxes);

// Sample arguments of the three kinds of graph.
int cartesianSampleCount(const XLayout& x);                              // one every two columns
Extended cartesianSample(const GraphWindow& w, const XLayout& x, int k); // k = 1..n
int polarSampleCount(Extended thetaMin, Extended thetaMax);              // 50..2048
Extended spreadSample(Extended first, Extended last, int n, int k);      // k = 1..n

// The vertical layout: the bottom row B, the world y at rows 0 and B.
struct YLayout {
    int B = 0;
    Extended PlotYMin = 0, PlotYMax = 0, YPerPixel = 0;
    bool xAxisInterior = false;
};
YLayout layoutY(const GraphWindow& w, const Bounds& yBounds, const UserLimits& userY,
                Extended xPerPixel, int height);

// The plot layout that the graph's tools read after each paint.
struct PlotLayout {
    int left = 0, top = 0, R = 0, B = 0;
    Extended PlotXMin = 0, PlotXMax = 0, PlotYMin = 0, PlotYMax = 0;
    Extended XPerPixel = 1, YPerPixel = 1;
    bool xAxisInterior = false, yAxisInterior = false;

    // World to pixel, each coordinate limited to +-10000 before rounding.
    int column(Extended x) const;
    int row(Extended y) const;
    Extended worldX(int column) const { return PlotXMin + (column - left) * XPerPixel; }
    Extended worldY(int row) const { return PlotYMax - (row - top) * YPerPixel; }
};
PlotLayout combine(const XLayout& x, const YLayout& y);

// Clipping of one curve segment against the rows top and B: nothing when both
// ends lie outside; otherwise the part to draw, the outside end moved to the
// border row (B - 1 below, top + 1 above).
struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};
struct PixelSegment {
    PixelPoint from, to;
};
std::optional<PixelSegment> clipSegment(PixelPoint prev, PixelPoint cur, int top, int B);

// A sampled point of a curve in world coordinates; either coordinate
// undefined (isUndefined) makes it a gap.
struct WorldPoint {
    Extended x = 0, y = 0;
};
// The pixel segments that draw a curve through `points` in order: consecutive
// defined points are joined, a gap breaks the curve, and each segment is
// clipped at the border rows. `out` is cleared first (its capacity is reused).
void curveSegments(const PlotLayout& p, const std::vector<WorldPoint>& points,
                   std::vector<PixelSegment>& out);

// Axis ticks: the major step and the minor step between them.
struct TickStep {
    Extended major = 1;
    Extended minor = 0.2L;
};
// The step for an axis shown from lo to hi (both in axis units: divide by pi
// first for pi labels).
TickStep chooseTickStep(Extended lo, Extended hi);

struct Tick {
    Extended value; // in axis units (multiples of pi when labelled so)
    std::string label;
};
// The major ticks inside [lo, hi], leaving out those within 1e-5 of 0; labels
// as integers for a whole step, else with the decimals the step needs, or as
// pi multiples ("-pi", "pi / 2", "3 pi / 2") when piLabels is set.
// At most 1000 ticks, none when more would be needed; the labels are pairwise
// distinct (more digits where six would repeat).
std::vector<Tick> majorTicks(Extended lo, Extended hi, const TickStep& step, bool piLabels);
// The multiples of `step` strictly inside (lo, hi), 0 left out: the minor
// ticks and grid dots. None when there would be more than 400.
std::vector<Extended> minorTicks(Extended lo, Extended hi, Extended step);

} // namespace tallix
