#include "engine/calc/CalcEditor.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tallix {

CalcEditor::CalcEditor() : ownContext_(std::make_unique<EditContext>()), ctx_(ownContext_.get()) {}

CalcEditor::CalcEditor(EditContext& context) : ctx_(&context) {}

CalcEditor::KeyEffect CalcEditor::ProcessExpButtonClick(TokenCode code) {
    KeyEffect effect;
    ExpLine& ln = current();
    switch (code) {
    case calc::Evaluate:
        return evaluate();
    case calc::FracMode:
        displayMode = DisplayMode::Fraction;
        effect.modeChanged = true;
        return effect;
    case calc::DecMode:
        displayMode = DisplayMode::Decimal;
        effect.modeChanged = true;
        return effect;
    case calc::Backspace:
        effect.changed = ln.backspace();
        return effect;
    case calc::ClearLine:
        ln.clearAll();
        scrollOffset = 0;
        effect.changed = true;
        return effect;
    default:
        if (code >= calc::kCodeCount) return effect;
        effect.changed = ln.insertAtCursor(code);
        effect.relayoutAll = effect.changed && code == calc::NthRoot;
        return effect;
    }
}

CalcEditor::KeyEffect CalcEditor::evaluate() {
    KeyEffect effect;
    ExpLine& ln = current();
    effect.result = EvalCrExp(ln.tokens(), ctx_->trig);
    if (effect.result.status == CalcEvalStatus::Empty) return effect;
    effect.evaluated = true;
    effect.evaluatedLine = currentLine_;
    if (effect.result.ok()) {
        ln.resultValue = effect.result.value;
        ln.resultText = CalcResultText(effect.result.value, displayMode, displaySettings_);
        if (onEvaluated_) onEvaluated_(ln.tokens());
    } else {
        ln.resultText = effect.result.errorText;
    }
    if (autoscroll && currentLine_ == 1 && effect.result.status != CalcEvalStatus::Unbalanced) {
        std::move_backward(lines_.begin(), lines_.end() - 1, lines_.end());
        lines_[0] = ExpLine{};
        scrollOffset = 0; // the new line starts empty
        effect.scrolled = true;
        effect.evaluatedLine = 2;
    }
    return effect;
}

CalcEditor::KeyEffect CalcEditor::typeChar(char c) {
    if (auto code = calcCodeForChar(c)) return ProcessExpButtonClick(*code);
    if (auto code = keywords_.feed(c, CalcKeywords)) return ProcessExpButtonClick(*code);
    return {};
}

CalcEditor::KeyEffect CalcEditor::backspaceKey() {
    if (keywords_.backspace()) return {};
    return ProcessExpButtonClick(calc::Backspace);
}

void CalcEditor::home() {
    current().cursor = 1;
    scrollOffset = 0;
}

void CalcEditor::end() {
    current().cursor = current().count() + 1;
}

void CalcEditor::left() {
    if (current().cursor > 1) --current().cursor;
}

void CalcEditor::right() {
    if (current().cursor <= current().count()) ++current().cursor;
}

void CalcEditor::up() {
    currentLine_ = currentLine_ == kLineCount ? 1 : currentLine_ + 1;
}

void CalcEditor::down() {
    currentLine_ = currentLine_ == 1 ? kLineCount : currentLine_ - 1;
}

bool CalcEditor::deleteKey() {
    return current().deleteForward();
}

void CalcEditor::copySelected() {
    std::vector<TokenCode> selected = current().selectedTokens();
    if (!selected.empty()) ctx_->clipboard = std::move(selected);
}

bool CalcEditor::cutSelected() {
    if (!current().hasSelection()) return false;
    copySelected();
    return current().backspace();
}

void CalcEditor::setClipboard(std::vector<TokenCode> tokens) {
    if (tokens.size() > static_cast<std::size_t>(kMaxLineTokens)) tokens.resize(kMaxLineTokens);
    ctx_->clipboard = std::move(tokens);
}

// Half a number would be a different number: all or nothing.
bool CalcEditor::insertCodes(std::span<const TokenCode> codes) {
    return current().pasteAtCursor(codes);
}

bool CalcEditor::pasteSelected() {
    return insertCodes(ctx_->clipboard);
}

std::vector<TokenCode> CalcEditor::previousAnswerTokens() const {
    const ExpLine& src = line(autoscroll && currentLine_ == 1 ? 2 : currentLine_);
    if (src.resultText.empty() || std::isalpha(static_cast<unsigned char>(src.resultText[0])))
        return {};
    const Extended magnitude = std::fabs(src.resultValue);
    if (!(magnitude > 1e-200L && magnitude < 1e301L)) return {};
    return answerTextToTokens(general20Text(src.resultValue));
}

bool CalcEditor::pastePreviousAnswer() {
    return insertCodes(previousAnswerTokens());
}

CalcEditor::KeyEffect CalcEditor::recycleAns() {
    const std::vector<TokenCode> codes = previousAnswerTokens();
    KeyEffect effect;
    if (codes.empty()) return effect;
    current().clear();
    scrollOffset = 0;
    effect.changed = true;
    for (TokenCode c : codes)
        ProcessExpButtonClick(c);
    return effect;
}

void CalcEditor::clearAll() {
    for (ExpLine& ln : lines_)
        ln.clearAll();
    scrollOffset = 0;
}

void CalcEditor::replaceCurrentLine(std::span<const TokenCode> codes) {
    ExpLine& ln = current();
    ln.clearAll();
    scrollOffset = 0;
    for (TokenCode c : codes) {
        // Key actions never sit in a line; a hand-edited history may hold them.
        const bool action = c == calc::Evaluate || c == calc::FracMode || c == calc::DecMode ||
                            c == calc::Backspace || c == calc::ClearLine;
        if (c < calc::kCodeCount && !action) ln.insertAtCursor(c);
    }
}

TypedFeed feedTypedLine(CalcEditor& editor, std::string_view text) {
    TypedFeed feed;
    for (char c : text) {
        ++feed.consumed;
        if (c == '=') {
            feed.sawEquals = true;
            feed.effect = editor.ProcessExpButtonClick(calc::Evaluate);
            break;
        }
        editor.typeChar(c);
    }
    return feed;
}

std::vector<TokenCode> answerTextToTokens(std::string_view text) {
    auto codesOf = [](std::string_view part, std::vector<TokenCode>& out) {
        for (char c : part) {
            if (c >= '0' && c <= '9')
                out.push_back(kDigitCodes[c - '0']);
            else if (c == '+')
                out.push_back(calc::Plus);
            else if (c == '-')
                out.push_back(calc::Minus);
            else if (c == '.')
                out.push_back(calc::Point);
        }
    };
    std::vector<TokenCode> out;
    const std::size_t e = text.find_first_of("eE");
    if (e == std::string_view::npos) {
        codesOf(text, out);
        return out;
    }
    out.push_back(calc::OpenParen);
    codesOf(text.substr(0, e), out);
    out.push_back(calc::Times);
    out.push_back(calc::TenPow);
    codesOf(text.substr(e + 1), out);
    out.push_back(calc::CloseParen);
    return out;
}

} // namespace tallix
