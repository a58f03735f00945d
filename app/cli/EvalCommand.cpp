#include "app/cli/Commands.h"

#include "engine/calc/CalcEditor.h"
#include "engine/core/NumFormat.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

namespace tallix::cli {

namespace {

constexpr const char* kUsage =
    "usage: tallix-cli eval [--deg] [--frac] [--roundn N] [--no-pi] [--sci] [--fracerr N] [--] "
    "LINE\n"
    "  --frac        fraction display mode (fractions and pi multiples)\n"
    "  --roundn N    decimals shown, -1..20 (-1: no rounding; the default)\n"
    "  --no-pi       no pi-multiple form in fraction mode\n"
    "  --sci         scientific text in decimal mode\n"
    "  --fracerr N   relative tolerance 10^N of the fraction search, -10..-4 (default -8)\n";

int usageError() {
    std::fputs(kUsage, stderr);
    return 2;
}

// The whole text as an integer in lo..hi, or nothing.
std::optional<int> intArg(std::string_view text, int lo, int hi) {
    int v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || v < lo || v > hi) return {};
    return v;
}

} // namespace

int runEval(std::span<char* const> args) {
    TrigMode trig = TrigMode::Radians;
    DisplayMode display = DisplayMode::Decimal;
    CalcDisplaySettings settings;
    const char* text = nullptr;
    bool optionsEnded = false; // after "--" every argument is the line
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (optionsEnded || !a.starts_with("--")) {
            if (text) return usageError();
            text = a.data();
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--deg") {
            trig = TrigMode::Degrees;
        } else if (a == "--rad") {
            trig = TrigMode::Radians;
        } else if (a == "--frac") {
            display = DisplayMode::Fraction;
        } else if (a == "--no-pi") {
            settings.expPiReduction = false;
        } else if (a == "--sci") {
            settings.floatVsSci = false;
        } else if (a == "--roundn" || a == "--fracerr") {
            if (i + 1 >= args.size()) return usageError();
            const auto v =
                a == "--roundn" ? intArg(args[i + 1], -1, 20) : intArg(args[i + 1], -10, -4);
            if (!v) return usageError();
            (a == "--roundn" ? settings.roundN : settings.fracOutErrDig) = *v;
            ++i;
        } else if (!text) {
            text = a.data(); // not an option: the line ("--3")
        } else {
            return usageError();
        }
    }
    if (!text) return usageError();
    CalcEditor editor;
    editor.context().trig = trig;
    editor.displayMode = display;
    editor.setDisplaySettings(settings);
    TypedFeed feed = feedTypedLine(editor, text);
    if (!feed.sawEquals) feed.effect = editor.ProcessExpButtonClick(calc::Evaluate);
    if (!feed.effect.evaluated) {
        std::printf("\n");
        return 0;
    }
    std::printf("%s\n", editor.line(feed.effect.evaluatedLine).resultText.c_str());
    return 0;
}

} // namespace tallix::cli
