// The f(x) tools without a window: the analysis report, the Evaluate
// window's list, the integral window's two value texts, one up-down step.
#include "app/cli/Commands.h"

#include "engine/analysis/DefInt.h"
#include "engine/analysis/EvalAtX.h"
#include "engine/analysis/GraphAnalysis.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tallix::cli {

namespace {

int usage(const char* text) {
    std::fputs(text, stderr);
    return 2;
}

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& l : lines)
        std::printf("%s\n", l.c_str());
}

// Types the functions into slots 1, 2, ... (all shown); false when there are
// more than the slots hold.
bool typeFunctions(FuncSet& set, const std::vector<std::string_view>& texts) {
    if (texts.size() > static_cast<std::size_t>(kFuncSlotCount)) return false;
    for (std::size_t i = 0; i < texts.size(); ++i)
        setFuncText(set, static_cast<int>(i) + 1, texts[i]);
    return true;
}

std::optional<Extended> number(std::string_view a) {
    const auto v = readRangeText(a);
    if (!v)
        std::fprintf(stderr, "tallix-cli: '%.*s' is not a number\n", static_cast<int>(a.size()),
                     a.data());
    return v;
}

} // namespace

int runAnalyze(std::span<char* const> args) {
    constexpr const char* kUsage =
        "usage: tallix-cli analyze xcross|min|max|isect [--deg] [--param "
        "--tmin A --tmax B] XA XB F1 [F2 ...]\n";
    if (args.empty()) return usage(kUsage);
    const std::string_view toolName = args[0];
    AnalysisTool tool;
    if (toolName == "xcross")
        tool = AnalysisTool::XCross;
    else if (toolName == "min")
        tool = AnalysisTool::Min;
    else if (toolName == "max")
        tool = AnalysisTool::Max;
    else if (toolName == "isect")
        tool = AnalysisTool::Isect;
    else
        return usage(kUsage);
    auto set = std::make_unique<FuncSet>();
    AnalysisInput in;
    std::vector<std::string_view> rest;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--deg") {
            in.trig = TrigMode::Degrees;
        } else if (a == "--param") {
            set->ParamMode = true;
        } else if ((a == "--tmin" || a == "--tmax") && i + 1 < args.size()) {
            const auto v = number(args[++i]);
            if (!v) return 2;
            (a == "--tmin" ? in.tMin : in.tMax) = *v;
        } else {
            rest.push_back(a);
        }
    }
    if (rest.size() < 3) return usage(kUsage);
    const auto xa = number(rest[0]), xb = number(rest[1]);
    if (!xa || !xb) return 2;
    in.xa = *xa;
    in.xb = *xb;
    if (!typeFunctions(*set, {rest.begin() + 2, rest.end()})) return usage(kUsage);
    printLines(analyze(*set, tool, in));
    return 0;
}

int runEvalAt(std::span<char* const> args) {
    constexpr const char* kUsage = "usage: tallix-cli evalat [--deg] [--param] [--rational] [--pi] "
                                   "[--slope] XTEXT F1 [F2 ...]\n";
    auto set = std::make_unique<FuncSet>();
    TrigMode trig = TrigMode::Radians;
    EvalOptions options;
    std::vector<std::string_view> rest;
    for (std::string_view a : args) {
        if (a == "--deg")
            trig = TrigMode::Degrees;
        else if (a == "--param")
            set->ParamMode = true;
        else if (a == "--rational")
            options.rational = true;
        else if (a == "--pi")
            options.piForms = true;
        else if (a == "--slope")
            options.slope = true;
        else
            rest.push_back(a);
    }
    if (rest.size() < 2 || !typeFunctions(*set, {rest.begin() + 1, rest.end()}))
        return usage(kUsage);
    const EvalAtXResult r = evaluateAtX(*set, trig, rest[0], options);
    if (!r.valid)
        std::printf("%s\n", kInvalidXText);
    else
        printLines(r.lines);
    return 0;
}

int runDefInt(std::span<char* const> args) {
    constexpr const char* kUsage = "usage: tallix-cli defint [--deg] [--type 0|1|2] [--cells N] "
                                   "XMINTEXT XMAXTEXT F [G]\n";
    auto set = std::make_unique<FuncSet>();
    IntegralInput in;
    std::vector<std::string_view> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--deg") {
            in.trig = TrigMode::Degrees;
        } else if (a == "--type" && i + 1 < args.size()) {
            const std::string_view t = args[++i];
            if (t != "0" && t != "1" && t != "2") return usage(kUsage);
            in.type = static_cast<IntegralType>(t[0] - '0');
        } else if (a == "--cells" && i + 1 < args.size()) {
            const std::string_view c = args[++i];
            in.cells = 0;
            for (int p = kMinCellPower; p <= kMaxCellPower; ++p)
                if (c == std::to_string(1 << p)) in.cells = 1 << p;
            if (in.cells == 0) return usage(kUsage);
        } else {
            rest.push_back(a);
        }
    }
    if (rest.size() < 3 || rest.size() > 4) return usage(kUsage);
    if (!typeFunctions(*set, {rest.begin() + 2, rest.end()})) return usage(kUsage);
    in.primary = 1;
    in.secondary = rest.size() == 4 ? 2 : 0;
    const auto xmin = readRangeText(rest[0]);
    const auto xmax = xmin ? readRangeText(rest[1]) : std::nullopt;
    if (!xmin || !xmax) {
        std::printf("%s\n", kInvalidRangeText);
        return 0;
    }
    in.xmin = *xmin;
    in.xmax = *xmax;
    const IntegralTexts t = integralTexts(integralSum(*set, in));
    std::printf("%s\n%s\n", t.value.c_str(), t.value2.c_str());
    return 0;
}

int runXStep(std::span<char* const> args) {
    constexpr const char* kUsage = "usage: tallix-cli xstep TEXT small|medium|large up|down\n";
    if (args.size() != 3) return usage(kUsage);
    const std::string_view size = args[1], dir = args[2];
    StepSize s;
    if (size == "small")
        s = StepSize::Small;
    else if (size == "medium")
        s = StepSize::Medium;
    else if (size == "large")
        s = StepSize::Large;
    else
        return usage(kUsage);
    if (dir != "up" && dir != "down") return usage(kUsage);
    std::printf("%s\n", steppedText(args[0], s, dir == "up").c_str());
    return 0;
}

} // namespace tallix::cli
