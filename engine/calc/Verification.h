#pragma once

#include "engine/calc/CalcEditor.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// Replays verification-suite lines through the calculator's key handler and
// collects every disagreement. A line is "EXPRESSION=ANSWER" (upper-cased and
// trimmed); empty lines and lines starting with ";" are comments, except the
// directives ";@DEG" and ";@RAD", which switch the trig mode for the lines
// that follow.
class VerificationRun {
public:
    // The directives change the trig mode through `setTrig`; by default they
    // set the editor's context.
    using TrigSetter = std::function<void(TrigMode)>;
    explicit VerificationRun(CalcEditor& editor, TrigSetter setTrig = {});

    // Runs line n (1-based) of the suite. Returns the text shown in the
    // suite list (the trimmed, upper-cased line); failures are appended to
    // errors() as two lines each: "n: line" and the message. A line whose
    // evaluation ends in an error fails with three blanks and the
    // calculator's error text as its message.
    std::string runLine(int n, std::string_view rawLine);

    const std::vector<std::string>& errors() const { return errors_; }
    int checked() const { return checked_; }
    int failed() const { return failed_; }

private:
    void report(int n, const std::string& line, std::string message);

    CalcEditor& editor_;
    TrigSetter setTrig_;
    std::vector<std::string> errors_;
    int checked_ = 0;
    int failed_ = 0;
};

// Splits a suite file's text into lines (LF or CRLF).
std::vector<std::string> splitLines(std::string_view text);

} // namespace tallix
