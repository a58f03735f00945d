#include "engine/analysis/DefInt.h"

#include "engine/analysis/AnalysisSupport.h"
#include "engine/calc/CalcEval.h"
#include "engine/core/TextUtil.h"

#include <algorithm>
#include <array>

namespace tallix {

std::optional<Extended> readRangeText(std::string_view text) {
    text = trimBlanks(text);
    const std::size_t slash = text.find('/');
    const Extended num = ExtractFPval(trimBlanks(text.substr(0, slash)));
    const Extended den =
        slash == std::string_view::npos ? 1 : ExtractFPval(trimBlanks(text.substr(slash + 1)));
    if (isUndefined(num) || isUndefined(den) || std::fabs(den) < 1e-100L) return std::nullopt;
    const Extended v = num / den;
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

namespace {

constexpr int kBlock = 256;

// x_i = xmin + span i / n. For n a power of two, multiplying by 1 / n gives
// the same bits as dividing.
struct CellEnds {
    Extended xmin, span, perCell;
    int cells;
    bool exact;
    CellEnds(const IntegralInput& in)
        : xmin(in.xmin), span(in.xmax - in.xmin), perCell(Extended(1) / in.cells), cells(in.cells),
          exact((in.cells & (in.cells - 1)) == 0) {}
    Extended at(int i) const { return exact ? xmin + span * i * perCell : xmin + span * i / cells; }
};

// The sum for one type, its test hoisted out of the loop; halving by 0.5
// gives the same bits as dividing by 2.
template <IntegralType Type>
Extended sumCells(const analysis::Evaluator& eval, const IntegralInput& in) {
    const CellEnds ends(in);
    std::array<Extended, kBlock> xs, fs, gs;
    Extended prevX = in.xmin;
    Extended prevF = eval(in.primary, prevX);
    Extended prevG = Type == IntegralType::Difference ? eval(in.secondary, prevX) : 0;
    if (isUndefined(prevF) || isUndefined(prevG)) return UndefinedMarker;
    Extended sum = 0;
    for (int first = 1; first <= in.cells; first += kBlock) {
        const int count = std::min(in.cells - first + 1, kBlock);
        for (int k = 0; k < count; ++k)
            xs[k] = ends.at(first + k);
        if (!eval.block(in.primary, xs.data(), count, fs.data())) return UndefinedMarker;
        if (Type == IntegralType::Difference &&
            !eval.block(in.secondary, xs.data(), count, gs.data()))
            return UndefinedMarker;
        for (int k = 0; k < count; ++k) {
            const Extended x = xs[k], f = fs[k];
            const Extended dx = x - prevX;
            if constexpr (Type == IntegralType::OverRange) {
                sum += dx * (f + prevF) * 0.5L;
            } else if constexpr (Type == IntegralType::Difference) {
                const Extended g = gs[k];
                sum += dx * (f + prevF) * 0.5L - dx * (g + prevG) * 0.5L;
                prevG = g;
            } else {
                sum += std::sqrt((f - prevF) * (f - prevF) + dx * dx);
            }
            prevX = x;
            prevF = f;
        }
    }
    return sum;
}

} // namespace

Extended integralSum(FuncSet& funcs, const IntegralInput& in) {
    const bool difference = in.type == IntegralType::Difference;
    if (in.primary < 1 || (difference && in.secondary < 1) || in.cells < 1) return UndefinedMarker;
    const analysis::Evaluator eval{funcs, in.trig};
    switch (in.type) {
    case IntegralType::OverRange:
        return sumCells<IntegralType::OverRange>(eval, in);
    case IntegralType::Difference:
        return sumCells<IntegralType::Difference>(eval, in);
    case IntegralType::PathLength:
        break;
    }
    return sumCells<IntegralType::PathLength>(eval, in);
}

IntegralTexts integralTexts(Extended sum) {
    if (isUndefined(sum)) return {};
    return {decimalText(sum), FloatToOnlyPiRational(sum)};
}

std::string steppedText(std::string_view text, StepSize size, bool up) {
    const std::string_view t = trimBlanks(text);
    const auto inRun = [](char c) {
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    };
    std::size_t from = 0;
    while (from < t.size() && !inRun(t[from]))
        ++from;
    if (from == t.size()) return std::string(text);
    std::size_t to = from;
    while (to < t.size() && inRun(t[to]))
        ++to;
    const std::string_view run = t.substr(from, to - from);
    const Extended value = run == "-" ? -1 : parseNumberText(run);
    if (isUndefined(value)) return std::string(text);
    const std::size_t point = run.find('.');
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(run.size() - point - 1);
    Extended delta = size == StepSize::Small ? 1 : size == StepSize::Medium ? 10 : 100;
    if (!up) delta = -delta;
    std::string number;
    if (decimals > 0) {
        Extended unit = 1;
        for (int i = 0; i < decimals; ++i)
            unit /= 10;
        number = formatFloat(FloatFormat::Fixed, 20, decimals, value + delta * unit);
    } else {
        number = integerText(value + delta);
    }
    std::string out(t.substr(0, from));
    out += number;
    out += t.substr(to);
    return out;
}

} // namespace tallix
