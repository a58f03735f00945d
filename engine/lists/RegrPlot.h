#pragma once

#include "engine/core/Extended.h"
#include "engine/lists/Regression.h"

#include <string>
#include <vector>

namespace tallix {

// The regression plot laid out for a box of width x height pixels: what the
// view draws, in box pixels. Empty (hasData false) when there are no pairs.
struct RegrPlot {
    struct Point {
        int x = 0, y = 0;
    };
    struct Tick {
        int at = 0;         // column (x ticks) or row (y ticks)
        bool major = false; // 5 pixels long, labelled, with a grid line
        std::string label;
    };
    bool hasData = false;
    int plotW = 0, plotH = 0; // the plot area: columns 0..plotW, rows 0..plotH
    std::vector<Tick> xTicks, yTicks;
    std::vector<Point> crosses;            // the data pairs
    std::vector<std::vector<Point>> curve; // polylines of the fitted curve
};

// The major (1-2-5 series from 0.0001) and minor step of index 1..30 (the
// minor step is the major step two indexes lower).
Extended regrMajorStep(int index);
Extended regrMinorStep(int index);
// The largest index whose major step puts at least 4 steps between min and
// max (by round(max / step) - round(min / step)); 1 when none does.
int regrStepIndex(Extended min, Extended max);
// A tick label at `index`: an integer from index 13 on, else 1 to 4 decimals.
std::string regrTickLabel(Extended v, int index);

RegrPlot layoutRegrPlot(const RegrState& state, int width, int height);

} // namespace tallix
