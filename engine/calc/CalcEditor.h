#pragma once

#include "engine/core/NumFormat.h"
#include "engine/edit/CalcLine.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tallix {

// The calculator's stack of 8 expression lines (line 1 at the bottom) with
// the shared editor state: current line, token clipboard, pending keyword,
// display and trig modes. Drawing, pixel layout and scrolling belong to the
// display; this class keeps the tokens, cursors, selections and results.
class CalcEditor {
public:
    static constexpr int kLineCount = 8;

    // Told about every successful evaluation (the history records it).
    using EvaluatedHook = std::function<void(std::span<const TokenCode> tokens)>;

    ExpLine& line(int n) { return lines_[static_cast<std::size_t>(clampLine(n) - 1)]; }
    const ExpLine& line(int n) const { return lines_[static_cast<std::size_t>(clampLine(n) - 1)]; }
    ExpLine& current() { return line(currentLine_); }
    int currentLine() const { return currentLine_; }
    void setCurrentLine(int n) { currentLine_ = clampLine(n); }

    DisplayMode displayMode = DisplayMode::Decimal;
    TrigMode trigMode = TrigMode::Radians;
    bool autoscroll = false;
    // Horizontal scroll of the display in pixels, shared by all 8 lines (>= 0).
    // Keys that empty a line or go Home reset it; the display moves it otherwise.
    int scrollOffset = 0;

    // The settings that shape each new result text.
    void setDisplaySettings(const CalcDisplaySettings& s) { displaySettings_ = s; }
    const CalcDisplaySettings& displaySettings() const { return displaySettings_; }
    void setEvaluatedHook(EvaluatedHook h) { onEvaluated_ = std::move(h); }

    // What a key did, so that the display knows what to lay out and repaint.
    struct KeyEffect {
        bool changed = false;     // the current line's tokens or cursor changed
        bool relayoutAll = false; // every token of the current line needs a new position
        bool scrolled = false;    // the lines moved up the stack: repaint all
        bool modeChanged = false; // the display mode changed: repaint all results
        bool evaluated = false;
        CalcEvalResult result; // when evaluated
        int evaluatedLine = 0; // where the evaluated line is now (2 after a scroll)
    };

    // The calculator key handler: evaluates (31), switches the display mode
    // (35, 37), backspaces (38), clears the line (39) or inserts the code.
    KeyEffect ProcessExpButtonClick(TokenCode code);

    // A typed character: digits and operators through the keypad translation,
    // other printable characters through the keyword mechanism.
    KeyEffect typeChar(char c);
    // The Backspace key: the last pending letter if any, else code 38.
    KeyEffect backspaceKey();
    const std::string& pendingKeyword() const { return keywords_.pending(); }
    void clearPendingKeyword() { keywords_.clear(); }

    // Cursor keys on the current line. Up/Down wrap around the 8 lines.
    void home();
    void end();
    void left();
    void right();
    void up();
    void down();
    bool deleteKey();

    // The token clipboard (shared with the function editor). A paste that does
    // not fit in the line inserts nothing.
    void copySelected();
    bool cutSelected();
    bool pasteSelected();
    const std::vector<TokenCode>& clipboard() const { return clipboard_; }
    void setClipboard(std::vector<TokenCode> tokens);

    // The previous answer as token codes; empty when it is not usable (an
    // error text, no result, 0, or a magnitude outside 1e-200..1e301).
    std::vector<TokenCode> previousAnswerTokens() const;
    bool pastePreviousAnswer();
    KeyEffect recycleAns();

    // Empties all 8 lines and resets the scroll; the current line stays.
    void clearAll();
    // Replaces the current line with `codes` (a history entry): the line is
    // emptied (no result, no selection) and each code is appended with the
    // cursor after it. Codes past the line's capacity, unknown codes and key
    // actions (=, Frac, Dec, backspace, clear) are dropped.
    void replaceCurrentLine(std::span<const TokenCode> codes);

private:
    static int clampLine(int n) { return n < 1 ? 1 : n > kLineCount ? kLineCount : n; }
    KeyEffect evaluate();
    bool insertCodes(std::span<const TokenCode> codes);

    std::array<ExpLine, kLineCount> lines_;
    int currentLine_ = 1;
    std::vector<TokenCode> clipboard_;
    KeywordFeed keywords_;
    CalcDisplaySettings displaySettings_;
    EvaluatedHook onEvaluated_;
};

// Feeds text to the editor as typed keys, the way a verification-suite line
// is fed: every character up to and including the first "=", which evaluates.
struct TypedFeed {
    bool sawEquals = false;
    std::size_t consumed = 0;     // characters fed, the "=" included
    CalcEditor::KeyEffect effect; // of the "=" key
};
TypedFeed feedTypedLine(CalcEditor& editor, std::string_view text);

// Token codes for the characters of an answer text: digits, "+", "-", ".".
// An exponent ("1.5E+0025") becomes a product with ten to the power, in
// parentheses so that it stays one value wherever it is pasted:
// ( 1 . 5 * 10^ + 0 0 2 5 ). Other characters are skipped.
std::vector<TokenCode> answerTextToTokens(std::string_view text);

} // namespace tallix
