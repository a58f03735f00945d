#include "engine/graph/GraphOptions.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/core/TextUtil.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace tallix {

namespace {

// One part of a limit's text, or UndefinedMarker.
Extended readPart(std::string_view part) {
    part = trimBlanks(part);
    if (part.empty()) return UndefinedMarker;
    std::string text(part);
    if (text.front() == '.') text.insert(text.begin(), '0');
    if (text.back() == '.') text.push_back('0');
    return ExtractFPval(text);
}

// The names of one pair in the messages.
struct PairNames {
    const char* min;
    const char* max;
};
constexpr std::array<PairNames, 4> kPairNames = {{
    {"Xmin", "Xmax"},
    {"Ymin", "Ymax"},
    {"Theta-min", "Theta-max"},
    {"T-min", "T-max"},
}};

std::string message(const char* name, const char* what) {
    return std::string(">>  ") + name + what;
}

// A checked pair: nothing when both texts are empty.
struct PairCheck {
    std::string error;
    std::optional<UserLimits> limits;
};

PairCheck checkPair(LimitPair pair, const std::string& minText, const std::string& maxText) {
    const PairNames& n = kPairNames[static_cast<int>(pair)];
    const std::optional<Extended> lo = readLimitText(minText), hi = readLimitText(maxText);
    if (lo && isUndefined(*lo)) return {message(n.min, " not a valid number."), {}};
    if (hi && isUndefined(*hi)) return {message(n.max, " not a valid number."), {}};
    if (lo && !hi) return {message(n.max, " value is missing."), {}};
    if (hi && !lo) return {message(n.min, " value is missing."), {}};
    if (!lo) return {};
    if (!(*lo < *hi)) return {message(n.max, " not greater than ") + n.min + ".", {}};
    return {{}, UserLimits{true, *lo, *hi}};
}

bool isPolar(GraphKind kind) {
    return kind == GraphKind::Polar || kind == GraphKind::PolarParametric;
}

// The plain decimal text of a general text with an exponent part
// ("1.5E+25", "-2E-7"), which ExtractFPval would read as a multiple of e.
std::string withoutExponent(const std::string& text) {
    const std::size_t e = text.find('E');
    if (e == std::string::npos) return text;
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string mantissa = text.substr(0, e), sign;
    if (mantissa.front() == '-') {
        sign = "-";
        mantissa.erase(0, 1);
    }
    std::string digits;
    for (char c : mantissa)
        if (c != '.') digits.push_back(c);
    const int point = 1 + exponent; // digits before the decimal point
    if (point <= 0) return sign + "0." + std::string(-point, '0') + digits;
    if (point >= static_cast<int>(digits.size()))
        return sign + digits + std::string(point - digits.size(), '0');
    return sign + digits.substr(0, point) + "." + digits.substr(point);
}

} // namespace

std::optional<Extended> readLimitText(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    const std::size_t slash = text.find('/');
    const Extended num = readPart(text.substr(0, slash));
    const Extended den = slash == std::string_view::npos ? 1 : readPart(text.substr(slash + 1));
    if (isUndefined(num) || isUndefined(den) || std::fabs(den) < 1e-100L) return UndefinedMarker;
    const Extended v = num / den;
    return std::isfinite(v) ? v : UndefinedMarker;
}

std::string limitText(Extended v) {
    if (std::trunc(v) != v) {
        const std::string pi = FloatToStrPiRational(v);
        if (pi.find("pi") != std::string::npos) {
            std::string compact;
            for (char c : pi)
                if (c != ' ') compact.push_back(c);
            return compact;
        }
    }
    return withoutExponent(formatFloat(FloatFormat::General, 7, 0, v));
}

GraphOptionsResult applyGraphOptions(const GraphOptionsInput& in, const GraphWindow& current,
                                     GraphKind kind) {
    GraphOptionsResult r;
    const std::array<PairCheck, 4> pairs = {
        checkPair(LimitPair::X, in.minX, in.maxX),
        checkPair(LimitPair::Y, in.minY, in.maxY),
        checkPair(LimitPair::Theta, in.minTheta, in.maxTheta),
        checkPair(LimitPair::T, in.minT, in.maxT),
    };
    for (const PairCheck& p : pairs)
        if (!p.error.empty()) {
            r.error = p.error;
            return r;
        }
    if (in.plotPoint) {
        const std::optional<Extended> x = readLimitText(in.pointX), y = readLimitText(in.pointY);
        if (!x || isUndefined(*x)) {
            r.error = ">>  Point X not a valid number.";
            return r;
        }
        if (!y || isUndefined(*y)) {
            r.error = ">>  Point Y not a valid number.";
            return r;
        }
        r.marks.showPoint = true;
        r.marks.labelPoint = in.labelPoint;
        r.marks.point = {*x, *y};
    }

    GraphWindow& w = r.window;
    w = current;
    w.yScaling = in.yScaling;
    w.UseInteriorAxes = in.UseInteriorAxes;
    w.piLabels = in.piLabels;
    w.gridType = in.gridType;
    w.TCount = std::clamp(in.TCount, 10, kMaxSamples);

    const std::optional<UserLimits>& x = pairs[0].limits;
    const std::optional<UserLimits>& y = pairs[1].limits;
    if (kind == GraphKind::Cartesian) {
        if (x) {
            w.XMin = x->min;
            w.XMax = x->max;
        }
    } else {
        (isPolar(kind) ? w.polarX : w.userX) = x.value_or(UserLimits{});
    }
    (isPolar(kind) ? w.polarY : w.userY) = y.value_or(UserLimits{});
    if (y) w.yScaling = YScaling::UserDef;
    if (const auto& theta = pairs[2].limits) {
        w.ThetaMin = theta->min;
        w.ThetaMax = theta->max;
    }
    if (const auto& t = pairs[3].limits) {
        w.TMin = t->min;
        w.TMax = t->max;
    }
    return r;
}

LimitTexts currentLimitTexts(LimitPair pair, const GraphWindow& w, const PlotLayout& current,
                             GraphKind kind) {
    switch (pair) {
    case LimitPair::X:
        if (kind == GraphKind::Cartesian) return {limitText(w.XMin), limitText(w.XMax)};
        return {limitText(current.PlotXMin), limitText(current.PlotXMax)};
    case LimitPair::Y:
        return {limitText(current.PlotYMin), limitText(current.PlotYMax)};
    case LimitPair::Theta:
        return {limitText(w.ThetaMin), limitText(w.ThetaMax)};
    case LimitPair::T:
        return {limitText(w.TMin), limitText(w.TMax)};
    }
    return {};
}

LimitTexts presetLimitTexts(LimitPair pair, const GraphWindow& w, GraphKind kind) {
    auto texts = [](const UserLimits& l) {
        return l.set ? LimitTexts{limitText(l.min), limitText(l.max)} : LimitTexts{};
    };
    switch (pair) {
    case LimitPair::X:
        if (kind == GraphKind::Cartesian) return {limitText(w.XMin), limitText(w.XMax)};
        return texts(isPolar(kind) ? w.polarX : w.userX);
    case LimitPair::Y:
        if (w.yScaling != YScaling::UserDef) return {};
        return texts(isPolar(kind) ? w.polarY : w.userY);
    case LimitPair::Theta:
    case LimitPair::T:
        return currentLimitTexts(pair, w, PlotLayout{}, kind);
    }
    return {};
}

LimitTexts defaultLimitTexts(LimitPair pair) {
    const GraphWindow defaults;
    switch (pair) {
    case LimitPair::X:
    case LimitPair::Y:
        return {"-10", "10"};
    case LimitPair::Theta:
        return {"0", "2pi"};
    case LimitPair::T:
        return {limitText(defaults.TMin), limitText(defaults.TMax)};
    }
    return {};
}

} // namespace tallix
