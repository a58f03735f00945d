#pragma once

#include "engine/CalcEval.h"
#include "engine/Extended.h"
#include "engine/NumFormat.h"
#include "engine/Tokens.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// One calculator expression line. Positions are 1-based as the editor counts
// them: the cursor runs 1..count + 1, the selection is -1 when there is none.
struct ExpLine {
    std::vector<TokenCode> tokens; // at most kMaxLineTokens
    int cursor = 1;
    int selStart = -1;
    int selEnd = -1;
    Extended resultValue = 0;
    std::string resultText;

    int count() const { return static_cast<int>(tokens.size()); }
    bool hasSelection() const { return selStart >= 0 && selEnd >= 0; }
    // Empties the line: no tokens, cursor 1, no selection, no result.
    void clear();
};

// Inserts code at the cursor. A selection that spans the cursor is replaced.
// Returns false (and changes nothing) when the line is full.
bool insertToken(ExpLine& line, TokenCode code);
// Deletes the selection, or the token before the cursor; false when nothing
// was deleted.
bool backspaceToken(ExpLine& line);

// Feeds typed text into a calculator line as keys, the way a verification
// suite line is fed: characters to codes, letters through the keyword
// mechanism, "=" evaluates and ends the feed. The display-mode keywords
// ("FRAC", "DEC") switch the mode rather than insert.
class TypedLineFeeder {
public:
    struct Outcome {
        bool evaluated = false;       // an "=" was reached
        std::size_t consumed = 0;     // characters fed, the "=" included
        CalcEvalResult result;        // of the evaluation, when evaluated
    };

    // A successful evaluation leaves the result text for displayMode (as it
    // is at the "=") and settings in the line.
    TypedLineFeeder(ExpLine& line, TrigMode trigMode, DisplayMode& displayMode,
                    const CalcDisplaySettings& settings = {})
        : line_(line), trigMode_(trigMode), displayMode_(displayMode), settings_(settings) {}

    Outcome feed(std::string_view text);
    // Acts as the calculator key `code` does on this line.
    void key(TokenCode code, Outcome& outcome);

private:
    ExpLine& line_;
    TrigMode trigMode_;
    DisplayMode& displayMode_;
    CalcDisplaySettings settings_;
    KeywordFeed keywords_;
};

} // namespace tallix
