#pragma once

#include "engine/core/Extended.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallix {

class FuncSet;

inline constexpr const char* kInvalidRangeText = "--  Invalid X value  --";

// A range text of the integral window: blanks trimmed, the text up to the
// first "/" divided by the text after it (by 1 without "/"), each part read
// by ExtractFPval (so "2PI/3" is 2 pi / 3, and an empty part reads 0).
// Nothing when a part does not convert or the denominator is within 1e-100
// of 0.
std::optional<Extended> readRangeText(std::string_view text);

enum class IntegralType {
    OverRange = 0,  // the primary function over the range
    Difference = 1, // primary minus secondary
    PathLength = 2, // the length of the primary function's curve
};

inline constexpr int kMinCellPower = 4, kMaxCellPower = 20;

struct IntegralInput {
    IntegralType type = IntegralType::OverRange;
    int primary = 0;   // slot 1..20; 0 when none is selected
    int secondary = 0; // slot 1..20; 0 when none is selected
    Extended xmin = 0, xmax = 1;
    int cells = 1024; // 16..1048576
    TrigMode trig = TrigMode::Radians;
};

// The trapezoid sum over `cells` equal cells from xmin to xmax (signed when
// xmax < xmin). Undefined when a function the type needs is undefined at any
// of the cell ends, x_0 included, or when the type needs a function that is
// not selected.
Extended integralSum(FuncSet& funcs, const IntegralInput& in);

// The two value texts of the window for a sum: the decimal text and the pi
// or fraction form (empty when there is none); both empty for undefined.
struct IntegralTexts {
    std::string value, value2;
};
IntegralTexts integralTexts(Extended sum);

// One step of a range (or x) text's up-downs. Within the trimmed text the
// first run of digits, "+", "-" and "." is the number ("-" alone counts as
// -1); it is replaced by itself plus the step, keeping its decimals (one unit
// of the last decimal for Small, ten for Medium, a hundred for Large; 1, 10
// and 100 for a whole number), and the rest of the text is kept. Text
// without such a run, or whose run is not a number ("2-3"), comes back
// unchanged.
enum class StepSize { Small = 1, Medium = 2, Large = 3 };
std::string steppedText(std::string_view text, StepSize size, bool up);

} // namespace tallix
