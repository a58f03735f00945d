#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tallix {

class PrimeSieve;

// The geometry of the "Primes on Number Line" window: its visible range, the
// axis, the ticks, the prime arrows and the eight controls under the axis.
// The window measures its texts and draws; everything here is plain numbers
// in the window's pixels.

// The visible integers low..high. Always 0 <= low, high - low >= 20, and
// high <= kMaxHigh.
struct PrimeLineRange {
    static constexpr std::int64_t kMaxHigh = 10'000'000;
    std::int64_t low = 0;
    std::int64_t high = 600;
    bool operator==(const PrimeLineRange&) const = default;
};

// The eight controls, left to right as they stand under the axis.
enum class LineControl {
    LowLess,   // "<" at the left end: the low end moves down
    LowMore,   // ">" at the left end: the low end moves up
    ShiftDown, // "<<"
    ZoomIn,    // "ZmIn"
    ZoomOut,   // "ZmOut"
    ShiftUp,   // ">>"
    HighLess,  // "<" at the right end
    HighMore,  // ">" at the right end
};
inline constexpr int kLineControlCount = 8;
const char* lineControlText(LineControl c);

// The range after a click on control c. Each click moves by a tenth of the
// span; the result is kept inside the range's invariants.
PrimeLineRange applyLineControl(PrimeLineRange r, LineControl c);

// The two 18-entry tick tables (major and minor steps).
inline constexpr std::array<std::int64_t, 18> kMajorTicks = {
    1,    2,    5,    10,    20,    50,    100,    200,    500,
    1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000};
inline constexpr std::array<std::int64_t, 18> kMinorTicks = {
    1, 1, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000};

struct LineRect {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom inclusive
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// One control: where its text's top-left corner goes and where it takes clicks.
struct LineControlPlace {
    int x = 0, y = 0;
    LineRect hit;
};

// The picture of one range in a drawing area of width x height pixels.
class PrimeLineGeometry {
public:
    static constexpr int kAxisMargin = 20;

    PrimeLineGeometry(int width, int height, PrimeLineRange range);

    int axisY() const { return axisY_; }
    int axisLeft() const { return kAxisMargin; }
    int axisRight() const { return width_ - kAxisMargin; }
    // The x of integer k: 20 + round((k - low) / scale) with scale =
    // (high - low) / (width - 40), halves to even.
    int xOf(std::int64_t k) const;
    // The index into the tick tables: the largest major step s that still
    // gives round(high / s) - round(low / s) >= max(3, (width - 40) div 120)
    // ticks, or the first entry.
    int tickEntry() const { return entry_; }
    // The multiples of the major or minor step whose x lies on the axis.
    std::vector<std::int64_t> majorTicks() const { return ticks(kMajorTicks[entry_]); }
    std::vector<std::int64_t> minorTicks() const { return ticks(kMinorTicks[entry_]); }
    // The x of each prime in the range (up to 1,000,000), each x once, left
    // to right.
    std::vector<int> primeXs(const PrimeSieve& sieve) const;

    // Places the controls, given the widths of their texts (in LineControl
    // order) and the text height: text tops at axisY + 22, hit rectangles
    // 4 pixels wider on each side, from axisY + 18 to 4 pixels below the text.
    std::array<LineControlPlace, kLineControlCount>
    placeControls(const std::array<int, kLineControlCount>& textWidths, int textHeight) const;

private:
    std::vector<std::int64_t> ticks(std::int64_t step) const;

    int width_;
    PrimeLineRange range_;
    int axisY_;
    int entry_ = 0;
};

// The control whose hit rectangle holds (x, y), or nothing.
std::optional<LineControl>
lineControlAt(const std::array<LineControlPlace, kLineControlCount>& places, int x, int y);

} // namespace tallix
