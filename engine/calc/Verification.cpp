#include "engine/calc/Verification.h"

#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/core/TextUtil.h"

#include <cmath>

namespace tallix {

namespace {

// The line trimmed (a line end's "\r" included) and in upper case.
std::string trimmedUpper(std::string_view s) {
    if (s.ends_with('\r')) s.remove_suffix(1);
    std::string out(trimBlanks(s));
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

} // namespace

VerificationRun::VerificationRun(CalcEditor& editor, TrigSetter setTrig)
    : editor_(editor), setTrig_(std::move(setTrig)) {
    if (!setTrig_) setTrig_ = [this](TrigMode t) { editor_.context().trig = t; };
}

std::string VerificationRun::runLine(int n, std::string_view rawLine) {
    const std::string line = trimmedUpper(rawLine);
    if (line == ";@DEG") setTrig_(TrigMode::Degrees);
    if (line == ";@RAD") setTrig_(TrigMode::Radians);
    if (line.empty() || line.front() == ';') return line;

    ++checked_;
    // Each test starts on an empty line, so that lines never run together.
    editor_.ProcessExpButtonClick(calc::ClearLine);
    const TypedFeed feed = feedTypedLine(editor_, line);
    if (!feed.sawEquals) {
        report(n, line, "   error: end of expression = missing.");
        return line;
    }
    const std::string answer = trimmedUpper(std::string_view(line).substr(feed.consumed));
    if (answer.empty()) {
        report(n, line, "   error: correct answer not specified.");
        return line;
    }
    const Extended expected = parseNumberText(answer);
    if (isUndefined(expected)) {
        report(n, line, "   error: correct answer not a valid floating point number.");
        return line;
    }
    // A line whose evaluation fails fails, whatever its answer: the line
    // keeps its previous value, which could match by chance.
    const CalcEvalStatus status = feed.effect.result.status;
    if (status == CalcEvalStatus::Error || status == CalcEvalStatus::Unbalanced) {
        report(n, line, "   " + feed.effect.result.errorText);
        return line;
    }
    // The value of the line that was evaluated (it moved up when the lines scroll).
    const int evaluated = feed.effect.evaluated ? feed.effect.evaluatedLine : editor_.currentLine();
    const Extended v = editor_.line(evaluated).resultValue;
    if (std::fabs(v - expected) > std::fabs(expected) * 1e-7L)
        report(n, line, "   error: answer conflict: computed valued = " + decimalText(v));
    return line;
}

void VerificationRun::report(int n, const std::string& line, std::string message) {
    ++failed_;
    errors_.push_back(std::to_string(n) + ": " + line);
    errors_.push_back(std::move(message));
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view l = text.substr(0, eol);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        lines.emplace_back(l);
        if (eol == std::string_view::npos) break;
        text.remove_prefix(eol + 1);
    }
    return lines;
}

} // namespace tallix
