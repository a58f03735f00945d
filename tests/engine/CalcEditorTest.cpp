#include "engine/calc/CalcEditor.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

void type(CalcEditor& editor, std::string_view text) {
    for (char c : text)
        editor.typeChar(c);
}

std::string g20(Extended v) {
    return general20Text(v);
}

} // namespace

TEST(CalcEditor, AutoscrollPushesEvaluatedLinesUpUnlessUnbalanced) {
    CalcEditor editor;
    editor.autoscroll = true;
    for (int i = 1; i <= 9; ++i)
        type(editor, std::to_string(i) + "+0=");
    // Nine evaluations: line 2 holds the last, line 8 the third; the first two fell off.
    EXPECT_EQ(editor.line(2).resultValue, 9);
    EXPECT_EQ(editor.line(8).resultValue, 3);
    EXPECT_TRUE(editor.line(1).tokens().empty());

    type(editor, "(1=");
    EXPECT_EQ(editor.line(1).resultText, "Unbalanced parentheses - too many \"(\" ");
    EXPECT_EQ(editor.line(2).resultValue, 9);

    // An error still scrolls; the line keeps its message.
    editor.ProcessExpButtonClick(calc::ClearLine);
    type(editor, "1/0=");
    EXPECT_EQ(editor.line(2).resultText, "error: division by zero.");
    EXPECT_TRUE(editor.line(1).tokens().empty());
}

TEST(CalcEditor, ErrorKeepsThePreviousValueForTheAnswerKeys) {
    CalcEditor editor;
    type(editor, "6*7=");
    EXPECT_EQ(editor.current().resultValue, 42);
    EXPECT_EQ(editor.previousAnswerTokens(), (std::vector<TokenCode>{11, 20}));
    editor.ProcessExpButtonClick(calc::Divide);
    editor.ProcessExpButtonClick(28);
    editor.ProcessExpButtonClick(calc::Evaluate);
    EXPECT_EQ(editor.current().resultValue, 42);        // unchanged by the error...
    EXPECT_TRUE(editor.previousAnswerTokens().empty()); // ...but its text is a message

    editor.ProcessExpButtonClick(calc::ClearLine);
    type(editor, "0*5=");
    EXPECT_TRUE(editor.previousAnswerTokens().empty()); // 0 is never pasted
}

TEST(CalcEditor, ScientificAnswersKeepTheirValueAsTokens) {
    for (Extended v : {1.5e25L, -2.25e-30L, 6.02214076e23L, 123.5L, -7.0L}) {
        SCOPED_TRACE(g20(v));
        const std::vector<TokenCode> tokens = answerTextToTokens(g20(v));
        const CalcEvalResult r = EvalCrExp(tokens, TrigMode::Radians);
        ASSERT_TRUE(r.ok()) << r.errorText;
        EXPECT_NEAR(static_cast<double>(r.value / v), 1.0, 1e-15);
    }
    // Pasted after a digit, the answer stays one value: 2 (1.5 * 10^25).
    CalcEditor editor;
    editor.autoscroll = true;
    type(editor, "1.5*10^25=");
    type(editor, "2");
    ASSERT_TRUE(editor.pastePreviousAnswer());
    type(editor, "=");
    EXPECT_EQ(editor.line(2).resultValue, 3e25L);
}

TEST(CalcEditor, RecycleAnsStartsANewExpressionWithTheAnswer) {
    CalcEditor editor;
    type(editor, "2^10=");
    editor.recycleAns();
    type(editor, "+1=");
    EXPECT_EQ(editor.current().resultValue, 1025);
}

TEST(CalcEditor, CursorKeysSelectionAndClipboard) {
    CalcEditor editor;
    type(editor, "123");
    editor.left();
    editor.left();
    EXPECT_EQ(editor.current().cursor, 2);
    EXPECT_TRUE(editor.deleteKey()); // deletes "2"
    EXPECT_EQ(editor.current().tokens(), (std::vector<TokenCode>{19, 21}));
    editor.home();
    EXPECT_FALSE(editor.backspaceKey().changed); // nothing before the cursor
    editor.end();
    EXPECT_FALSE(editor.deleteKey());

    ExpLine& ln = editor.current();
    ln.selStart = 1;
    ln.selEnd = 2;
    editor.copySelected();
    EXPECT_EQ(editor.clipboard(), (std::vector<TokenCode>{19, 21}));
    EXPECT_TRUE(editor.cutSelected());
    EXPECT_TRUE(ln.tokens().empty());
    editor.pasteSelected();
    editor.pasteSelected();
    EXPECT_EQ(ln.tokens(), (std::vector<TokenCode>{19, 21, 19, 21}));
    EXPECT_EQ(ln.cursor, 5);

    editor.down();
    EXPECT_EQ(editor.currentLine(), 8); // wraps
    editor.up();
    EXPECT_EQ(editor.currentLine(), 1);
}

TEST(CalcEditor, KeywordBackspaceAndModeKeys) {
    CalcEditor editor;
    type(editor, "7s");
    EXPECT_EQ(editor.pendingKeyword(), "S");
    editor.backspaceKey(); // eats the pending letter, not the 7
    EXPECT_EQ(editor.current().count(), 1);
    type(editor, "frac");
    EXPECT_EQ(editor.displayMode, DisplayMode::Fraction);
    EXPECT_EQ(editor.current().count(), 1);
    type(editor, "dec");
    EXPECT_EQ(editor.displayMode, DisplayMode::Decimal);
}

TEST(CalcEditor, ReplacingTheCurrentLineDropsKeyActionsAndTheOldAnswer) {
    CalcEditor editor;
    type(editor, "8*8=");
    editor.current().selStart = 1;
    editor.current().selEnd = 2;
    editor.scrollOffset = 30;
    // A hand-edited history entry: "1 = + clear 2 Frac" with the actions in it.
    const std::vector<TokenCode> entry = {19, calc::Evaluate, 6, calc::ClearLine,
                                          20, calc::FracMode};
    editor.replaceCurrentLine(entry);
    const ExpLine& ln = editor.current();
    EXPECT_EQ(ln.tokens(), (std::vector<TokenCode>{19, 6, 20}));
    EXPECT_EQ(ln.cursor, 4);
    EXPECT_FALSE(ln.hasSelection());
    EXPECT_TRUE(ln.resultText.empty());
    EXPECT_EQ(editor.scrollOffset, 0);
    EXPECT_EQ(editor.displayMode, DisplayMode::Decimal);
}
