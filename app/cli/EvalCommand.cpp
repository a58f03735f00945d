#include "app/cli/Commands.h"

#include "engine/CalcEditor.h"

#include <cstdio>
#include <string>

namespace tallix::cli {

namespace {

std::string resultText(Extended v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.20Lg", v);
    std::string s(buf);
    for (char& c : s)
        if (c == ',') c = '.';
    return s;
}

} // namespace

int runEval(std::span<char* const> args) {
    TrigMode trig = TrigMode::Radians;
    const char* text = nullptr;
    for (std::string_view a : args) {
        if (a == "--deg") {
            trig = TrigMode::Degrees;
        } else if (a == "--rad") {
            trig = TrigMode::Radians;
        } else if (!text && !(a.starts_with("--") && a.size() > 2)) {
            text = a.data();
        } else {
            std::fprintf(stderr, "usage: tallix-cli eval [--deg] LINE\n");
            return 2;
        }
    }
    if (!text) {
        std::fprintf(stderr, "usage: tallix-cli eval [--deg] LINE\n");
        return 2;
    }
    CalcEditor editor;
    editor.trigMode = trig;
    editor.setResultFormatter([](Extended v, DisplayMode) { return resultText(v); });
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
