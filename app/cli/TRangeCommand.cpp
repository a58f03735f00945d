#include "app/cli/Commands.h"

#include "engine/core/Scalar.h"
#include "engine/graph/GraphOptions.h"
#include "engine/graph/TRange.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace tallix::cli {

namespace {

constexpr const char* kUsage =
    "usage: tallix-cli trange BUTTON TMIN TMAX\n"
    "BUTTON: zoomin zoomout min<< min< min> min>> shift< shift> max<< max< max> max>>\n";

constexpr std::array<std::pair<std::string_view, TRangeButton>, 12> kButtons = {{
    {"zoomin", TRangeButton::ZoomIn},
    {"zoomout", TRangeButton::ZoomOut},
    {"min<<", TRangeButton::MinFarLeft},
    {"min<", TRangeButton::MinLeft},
    {"min>", TRangeButton::MinRight},
    {"min>>", TRangeButton::MinFarRight},
    {"shift<", TRangeButton::ShiftLeft},
    {"shift>", TRangeButton::ShiftRight},
    {"max<<", TRangeButton::MaxFarLeft},
    {"max<", TRangeButton::MaxLeft},
    {"max>", TRangeButton::MaxRight},
    {"max>>", TRangeButton::MaxFarRight},
}};

} // namespace

int runTRange(std::span<char* const> args) {
    if (args.size() != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string_view name = args[0];
    const auto button = std::find_if(kButtons.begin(), kButtons.end(),
                                     [&](const auto& b) { return b.first == name; });
    if (button == kButtons.end()) {
        std::fprintf(stderr, "tallix-cli trange: unknown button '%s'\n", args[0]);
        std::fputs(kUsage, stderr);
        return 2;
    }
    Extended ends[2];
    for (int i = 0; i < 2; ++i) {
        const std::optional<Extended> v = readLimitText(args[1 + i]);
        if (!v || isUndefined(*v)) {
            std::fprintf(stderr, "tallix-cli trange: '%s' is not a number\n", args[1 + i]);
            return 2;
        }
        ends[i] = *v;
    }
    const TRange r = pressTRangeButton(button->second, ends[0], ends[1]);
    std::printf("%s\n%s\n", tValueText(r.min).c_str(), tValueText(r.max).c_str());
    return 0;
}

} // namespace tallix::cli
