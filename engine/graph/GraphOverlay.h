#pragma once

#include "engine/core/Tokens.h" // PixelRect
#include "engine/func/FuncSlot.h"
#include "engine/graph/GraphLayout.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tallix {

// What a tool draws over the graph: plain geometry, in world coordinates
// unless named otherwise. The graph view draws it after the curves; the tools
// never reach the painter, and the painter reads no tool.
struct GraphOverlay {
    // Circle: open, radius 3.
    enum class Shape { Cross, Dot, Square, Circle };
    struct Mark { // an evaluated point, a root, an extremum
        WorldPoint at;
        ColourValue colour = 0x0000FF; // red
        Shape shape = Shape::Cross;
        std::string label; // drawn beside the mark when not empty
    };
    struct Line { // a tangent: the part inside the plot is drawn
        WorldPoint from, to;
        ColourValue colour = 0x0000FF;
    };
    struct Shade { // the area of a definite integral: filled polygon
        std::vector<WorldPoint> outline;
        ColourValue colour = 0xC0C0C0;
    };
    struct HotMark { // a clickable mark drawn in graph pixels, zone 1..18
        int zone = 0;
        PixelRect rect;
        std::string text;
    };

    struct Readout { // a line of text in a corner of the graph
        std::string text;
        ColourValue colour = 0;
        bool right = false, bottom = false;
    };

    std::vector<Shade> shades;
    std::vector<Line> lines;
    std::vector<Mark> marks;
    std::vector<HotMark> hotMarks;
    std::optional<PixelRect> rubberBand; // exclusive-or white frame
    std::optional<PixelRect> selection;  // the selected region
    std::optional<Readout> readout;

    bool empty() const {
        return shades.empty() && lines.empty() && marks.empty() && hotMarks.empty() &&
               !rubberBand && !selection && !readout;
    }
};

// The overlay resolved into graph pixels for one plot layout; what lies
// wholly outside the plot is dropped.
struct PixelOverlay {
    struct Mark {
        PixelPoint at;
        ColourValue colour;
        GraphOverlay::Shape shape;
        std::string label;
    };
    struct Line {
        PixelSegment segment;
        ColourValue colour;
    };
    struct Shade {
        std::vector<PixelPoint> outline;
        ColourValue colour;
    };
    struct Readout { // a line of text in a corner of the graph
        std::string text;
        ColourValue colour = 0;
        bool right = false, bottom = false;
    };

    std::vector<Shade> shades;
    std::vector<Line> lines;
    std::vector<Mark> marks;
};
PixelOverlay resolveOverlay(const GraphOverlay& o, const PlotLayout& p);

// The hot zones 1..18 of the graph: where its clickable marks were drawn at
// the last paint.
class HotZones {
public:
    static constexpr int kCount = 18;
    void clear() { zones_.fill(std::nullopt); }
    // Records zone n (1..18); other numbers are ignored.
    void set(int n, const PixelRect& r);
    std::optional<PixelRect> zone(int n) const;
    // The zone under (x, y), tested in the order 1..14, 17, 18, 15, 16; 0 when none.
    int at(int x, int y) const;

private:
    std::array<std::optional<PixelRect>, kCount> zones_{};
};

} // namespace tallix
