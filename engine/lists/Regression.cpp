#include "engine/lists/Regression.h"

#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/lists/ListCatalog.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tallix {

namespace {

constexpr std::array<const char*, 5> kTitles = {
    "--  Linear Fit  --", "--  Logrithmic Fit  --", "--  Exponential Fit  --",
    "--  Power Function Fit  --", "--  Quadratic Fit  --"};
constexpr const char* kLinearHeader =
    "4!      X                   Y                    Y(est)                Err";
constexpr const char* kCurveHeader =
    "4!    X                  Y                    Y(est)                Err";
constexpr const char* kQuadHeader =
    "4!    X                  Y                    Y(est)               Err";

constexpr const char* kLogRefused = "X data not all positive - fit not possible.";
constexpr const char* kExpRefused = "f(x) data not all positive - fit not possible.";
constexpr const char* kPowerRefused = "X and f(x) data not all positive - fit not possible.";
constexpr const char* kXAllEqual = "X data all equal - fit not possible.";
constexpr const char* kQuadSingular =
    "X data has fewer than 3 different values - fit not possible.";

std::string sgn(Extended v) {
    return v < 0 ? "- " : "+ ";
}
std::string sgn1(Extended v) {
    return v < 0 ? "-" : "+";
}
std::string sgn3(Extended v) {
    return v < 0 ? " - " : " + ";
}
std::string G(Extended v) {
    return decimalText(v);
}
std::string signedFixed(Extended v) {
    std::string text = v < 0 ? std::string() : std::string(1, '+');
    return text.append(FormatFixed(7, 8, v));
}

// The least-squares line through the transformed pairs, with r.
struct LineFit {
    Extended m = 0, b = 0, r = 0;
};

LineFit fitLine(const std::vector<Extended>& X, const std::vector<Extended>& Y) {
    Extended Sx = 0, Sy = 0, Sxx = 0, Sxy = 0, Syy = 0;
    const Extended n = static_cast<Extended>(X.size());
    for (std::size_t i = 0; i < X.size(); ++i) {
        Sx += X[i];
        Sy += Y[i];
        Sxx += X[i] * X[i];
        Sxy += X[i] * Y[i];
        Syy += Y[i] * Y[i];
    }
    const Extended D = Sx * Sx - n * Sxx;
    LineFit f;
    f.m = (Sx * Sy - n * Sxy) / D;
    f.b = (Sx * Sxy - Sxx * Sy) / D;
    f.r = (n * Sxy - Sx * Sy) / std::sqrt((n * Sxx - Sx * Sx) * (n * Syy - Sy * Sy));
    return f;
}

// Solves the 3 x 3 system a x = y by elimination with partial pivoting;
// false when it is singular.
bool solve3(std::array<std::array<Extended, 4>, 3> a, std::array<Extended, 3>& x) {
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 3; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (a[pivot][col] == 0) return false;
        std::swap(a[col], a[pivot]);
        for (int r = col + 1; r < 3; ++r) {
            const Extended f = a[r][col] / a[col][col];
            for (int c = col; c < 4; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 2; r >= 0; --r) {
        Extended s = a[r][3];
        for (int c = r + 1; c < 3; ++c)
            s -= a[r][c] * x[c];
        x[r] = s / a[r][r];
    }
    return std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(x[2]);
}

int distinctValues(std::vector<Extended> v) {
    std::sort(v.begin(), v.end());
    return static_cast<int>(std::unique(v.begin(), v.end()) - v.begin());
}

// The first item of `items` that is not a number, as a report line.
std::optional<std::string> notANumber(const std::vector<std::string>& items,
                                      const std::vector<Extended>& values, std::string_view list) {
    for (std::size_t i = 0; i < values.size(); ++i)
        if (isUndefined(values[i]))
            return "Item " + std::to_string(i + 1) + " of \"" + std::string(list) +
                   "\" is not a number: \"" + items[i] + "\" - fit not possible.";
    return std::nullopt;
}

} // namespace

std::string FormatFixed(int p, int d, Extended v) {
    return formatFloat(FloatFormat::Fixed, p, d, v);
}

std::string FormatExponent(Extended v) {
    return formatFloat(FloatFormat::Exponent, 6, 2, v);
}

std::string FormatTableCell(Extended v) {
    const Extended a = std::fabs(v);
    if (a > 1e10L || a < 0.001L) return a < 1e-98L ? FormatFixed(10, 8, 0) : FormatExponent(v);
    static constexpr std::array<Extended, 7> kLimits = {10, 100, 1000, 10000, 100000, 1e6L, 1e7L};
    for (std::size_t i = 0; i < kLimits.size(); ++i)
        if (a < kLimits[i]) return FormatFixed(10, 8 - static_cast<int>(i), v);
    if (a < 1e8L) return FormatFixed(10, 1, v);
    return FormatExponent(v);
}

std::vector<std::string> missingChoiceLines(bool xChosen, bool yChosen, bool modelChosen) {
    std::vector<std::string> lines;
    if (!xChosen) lines.emplace_back("X List not specified.");
    if (!yChosen) lines.emplace_back("Y List not specified.");
    if (!modelChosen) lines.emplace_back("Method not specified.");
    return lines;
}

BuiltinList builtinXList(std::string_view entry, std::size_t n) {
    BuiltinList out;
    std::string head(entry.substr(0, 13));
    for (char& c : head)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (head != "INTEGER LIST ") {
        out.error = "Internal Error: int list not found.";
        return out;
    }
    const auto dots = entry.find("..");
    if (dots == std::string_view::npos) {
        out.error = "Internal Error: ..n not found.";
        return out;
    }
    const int first = dots > 0 && entry[dots - 1] == '0' ? 0 : 1;
    out.items = integerListItems(first, n);
    return out;
}

Extended regrValue(const RegrState& s, Extended x) {
    switch (s.model) {
    case RegrModel::Linear:
        return s.c1 * x + s.c2;
    case RegrModel::Logarithmic:
        return x > 0 ? s.c1 * std::log(x) + s.c2 : UndefinedMarker;
    case RegrModel::Exponential:
        return s.c2 * std::exp(s.c1 * x);
    case RegrModel::Power:
        return x > 0 ? s.c2 * std::pow(x, s.c1) : UndefinedMarker;
    case RegrModel::Quadratic:
        return (s.c1 * x + s.c2) * x + s.c3;
    }
    return UndefinedMarker;
}

void runRegression(RegrState& state, RegrModel model, const RegrData& data) {
    std::vector<std::string>& out = state.report;
    out.clear();
    state.xs.clear();
    state.ys.clear();
    state.fitted = false;
    const std::size_t n = data.x.size();
    if (n == 0 || data.y.empty() || n != data.y.size()) {
        out.emplace_back("Data item count mismatch -");
        out.push_back("  " + data.xName + "  -  " + std::to_string(n) + " items,");
        out.push_back("  " + data.yName + "  -  " + std::to_string(data.y.size()) + " items.");
        return;
    }
    std::vector<Extended> x(n), y(n);
    std::transform(data.x.begin(), data.x.end(), x.begin(), ParseListValue);
    std::transform(data.y.begin(), data.y.end(), y.begin(), ParseListValue);
    for (auto bad : {notANumber(data.x, x, data.xName), notANumber(data.y, y, data.yName)})
        if (bad) {
            out.push_back(*bad);
            return;
        }

    const bool logX = model == RegrModel::Logarithmic || model == RegrModel::Power;
    const bool logY = model == RegrModel::Exponential || model == RegrModel::Power;
    if (logX && std::any_of(x.begin(), x.end(), [](Extended v) { return v <= 0; })) {
        out.emplace_back(model == RegrModel::Power ? kPowerRefused : kLogRefused);
        return;
    }
    if (logY && std::any_of(y.begin(), y.end(), [](Extended v) { return v <= 0; })) {
        out.emplace_back(model == RegrModel::Power ? kPowerRefused : kExpRefused);
        return;
    }
    state.xs = x;
    state.ys = y;
    out.emplace_back(kTitles[static_cast<std::size_t>(model)]);
    const int distinct = distinctValues(x);
    if (distinct < (model == RegrModel::Quadratic ? 3 : 2)) {
        out.emplace_back(" ");
        out.emplace_back(model == RegrModel::Quadratic ? kQuadSingular : kXAllEqual);
        return;
    }

    Extended c1 = 0, c2 = 0, c3 = 0, r2 = 0, r = 0;
    if (model == RegrModel::Quadratic) {
        Extended s[5] = {}, sy = 0, sxy = 0, sx2y = 0;
        for (std::size_t i = 0; i < n; ++i) {
            Extended p = 1;
            for (Extended& power : s) {
                power += p;
                p *= x[i];
            }
            sy += y[i];
            sxy += x[i] * y[i];
            sx2y += x[i] * x[i] * y[i];
        }
        std::array<Extended, 3> abc{};
        if (!solve3({{{s[4], s[3], s[2], sx2y}, {s[3], s[2], s[1], sxy}, {s[2], s[1], s[0], sy}}},
                    abc)) {
            out.emplace_back(" ");
            out.emplace_back(kQuadSingular);
            return;
        }
        c1 = abc[0];
        c2 = abc[1];
        c3 = abc[2];
        const Extended mean = sy / static_cast<Extended>(n);
        Extended sse = 0, sst = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const Extended e = (c1 * x[i] + c2) * x[i] + c3 - y[i];
            sse += e * e;
            sst += (y[i] - mean) * (y[i] - mean);
        }
        r2 = 1 - sse / sst;
    } else {
        std::vector<Extended> X = x, Y = y;
        if (logX)
            for (Extended& v : X)
                v = std::log(v);
        if (logY)
            for (Extended& v : Y)
                v = std::log(v);
        const LineFit f = fitLine(X, Y);
        if (!std::isfinite(f.m) || !std::isfinite(f.b)) {
            out.emplace_back(" ");
            out.emplace_back(kXAllEqual);
            return;
        }
        r = f.r;
        r2 = r * r;
        c1 = f.m;
        c2 = logY ? std::exp(f.b) : f.b;
    }
    state.model = model;
    state.c1 = c1;
    state.c2 = c2;
    state.c3 = c3;
    state.fitted = true;

    std::string equation, copy;
    const char* header = kCurveHeader;
    switch (model) {
    case RegrModel::Linear:
        equation = "    y = " + FormatFixed(10, 8, c1) + "x " + sgn(c2) +
                   FormatFixed(10, 8, std::fabs(c2));
        copy = G(c1) + "x" + sgn1(c2) + G(std::fabs(c2));
        header = kLinearHeader;
        break;
    case RegrModel::Logarithmic:
        equation = "    y = " + FormatFixed(7, 8, c1) + " ln x " + sgn(c2) +
                   FormatFixed(7, 8, std::fabs(c2));
        copy = G(c1) + "*lnx" + sgn1(c2) + G(std::fabs(c2));
        break;
    case RegrModel::Exponential:
        equation = "    y = " + FormatFixed(7, 8, c2) + " e^ " + signedFixed(c1) + "x";
        copy = G(c2) + "*e^(" + sgn1(c1) + G(std::fabs(c1)) + "*x)";
        break;
    case RegrModel::Power:
        equation = "    y = " + FormatFixed(7, 8, c2) + "x^ " + signedFixed(c1);
        copy = G(c2) + "*x^(" + sgn1(c1) + G(std::fabs(c1)) + ")";
        break;
    case RegrModel::Quadratic:
        equation = "    y = " + FormatFixed(7, 5, c1) + "x^2 " + sgn3(c2) +
                   FormatFixed(7, 5, std::fabs(c2)) + "x " + sgn3(c3) +
                   FormatFixed(7, 5, std::fabs(c3));
        copy = G(c1) + "*x^2" + sgn1(c2) + G(std::fabs(c2)) + "x" + sgn1(c3) + G(std::fabs(c3));
        header = kQuadHeader;
        break;
    }
    out.emplace_back(" ");
    out.push_back(equation);
    out.emplace_back(" ");
    if (model == RegrModel::Quadratic)
        out.push_back("    r^2 = " + FormatFixed(7, 5, r2));
    else
        out.push_back("    r = " + FormatFixed(7, 8, r) + "     r^2 = " + FormatFixed(7, 8, r2));
    out.emplace_back(" ");
    out.emplace_back(" ");
    out.emplace_back(header);
    for (std::size_t i = 0; i < n; ++i) {
        const Extended est = regrValue(state, x[i]);
        out.push_back("4!" + FormatTableCell(x[i]) + "    " + FormatTableCell(y[i]) + "    " +
                      FormatTableCell(est) + "    " + FormatTableCell(est - y[i]));
    }
    state.copyText = copy;
}

} // namespace tallix
