#include "engine/analysis/DefInt.h"

#include "engine/analysis/AnalysisSupport.h"
#include "engine/calc/CalcEval.h"
#include "engine/core/TextUtil.h"

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

Extended integralSum(FuncSet& funcs, const IntegralInput& in) {
    const bool difference = in.type == IntegralType::Difference;
    if (in.primary < 1 || (difference && in.secondary < 1) || in.cells < 1) return UndefinedMarker;
    const analysis::Evaluator eval{funcs, in.trig};
    const Extended span = in.xmax - in.xmin;
    const Extended n = in.cells;
    Extended prevX = in.xmin;
    Extended prevF = eval(in.primary, prevX);
    Extended prevG = difference ? eval(in.secondary, prevX) : 0;
    if (isUndefined(prevF) || isUndefined(prevG)) return UndefinedMarker;
    Extended sum = 0;
    for (int i = 1; i <= in.cells; ++i) {
        const Extended x = in.xmin + span * i / n;
        const Extended f = eval(in.primary, x);
        if (isUndefined(f)) return UndefinedMarker;
        const Extended dx = x - prevX;
        switch (in.type) {
        case IntegralType::OverRange:
            sum += dx * (f + prevF) / 2;
            break;
        case IntegralType::Difference: {
            const Extended g = eval(in.secondary, x);
            if (isUndefined(g)) return UndefinedMarker;
            sum += dx * (f + prevF) / 2 - dx * (g + prevG) / 2;
            prevG = g;
            break;
        }
        case IntegralType::PathLength:
            sum += std::sqrt((f - prevF) * (f - prevF) + dx * dx);
            break;
        }
        prevX = x;
        prevF = f;
    }
    return sum;
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
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(run.size() - point - 1);
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
