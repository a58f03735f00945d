#include "engine/edit/TokenLine.h"
#include "engine/calc/CalcEditor.h"

#include <gtest/gtest.h>

namespace tallix {
namespace {

using Codes = std::vector<TokenCode>;

TokenLine lineOf(const Codes& codes, int capacity = 10) {
    TokenLine line(capacity);
    line.assign(codes);
    return line;
}

TEST(TokenLine, InsertReplacesSelectionSpanningTheCursorAndStopsWhenFull) {
    TokenLine line = lineOf({19, 20, 21});
    line.cursor = 2;
    line.selStart = 1;
    line.selEnd = 2;
    EXPECT_TRUE(line.insertAtCursor(5)); // replaces "12" by "9"
    EXPECT_EQ(line.tokens(), (Codes{5, 21}));
    EXPECT_EQ(line.cursor, 2);
    EXPECT_FALSE(line.hasSelection());

    EXPECT_TRUE(line.backspace());
    EXPECT_EQ(line.tokens(), (Codes{21}));
    EXPECT_FALSE(line.backspace()); // cursor at 1

    TokenLine full = lineOf(Codes(4, 19), 4);
    const auto rev = full.revision();
    EXPECT_FALSE(full.insertAtCursor(20));
    EXPECT_FALSE(full.pasteAtCursor(Codes{1}));
    EXPECT_EQ(full.count(), 4);
    EXPECT_EQ(full.revision(), rev); // a refused insert is no change
}

TEST(TokenLine, SelectionStaysOnTheChosenTokensAcrossEdits) {
    // Tokens 4..5 chosen; two tokens pasted at 2 push them to 6..7.
    TokenLine line = lineOf({1, 2, 3, 4, 5, 6});
    line.selStart = 4;
    line.selEnd = 5;
    line.cursor = 2;
    ASSERT_TRUE(line.pasteAtCursor(Codes{8, 9}));
    EXPECT_EQ(line.selectedTokens(), (Codes{4, 5}));
    EXPECT_EQ(line.cursor, 4);

    // Deleting before the selection pulls it back; deleting into it drops it.
    line.eraseRange(1, 3);
    EXPECT_EQ(line.selectedTokens(), (Codes{4, 5}));
    line.eraseRange(1, 1);
    EXPECT_EQ(line.selectedTokens(), (Codes{4, 5}));
    line.eraseRange(2, 2);
    EXPECT_FALSE(line.hasSelection());

    // A paste at the cursor after the selection leaves it where it is.
    TokenLine tail = lineOf({1, 2, 3});
    tail.selStart = 1;
    tail.selEnd = 2;
    ASSERT_TRUE(tail.pasteAtCursor(Codes{7}));
    EXPECT_EQ(tail.selectedTokens(), (Codes{1, 2}));
}

TEST(TokenLine, RevisionMovesOnlyWithTheTokens) {
    TokenLine line = lineOf({1, 2, 3});
    const auto rev = line.revision();
    line.cursor = 1;
    line.selStart = 1;
    line.selEnd = 3;
    EXPECT_EQ(line.revision(), rev);
    EXPECT_TRUE(line.deleteForward());
    EXPECT_GT(line.revision(), rev);
    EXPECT_TRUE(line.empty());
}

TEST(CalcEditor, PastedAnswerKeepsTheSelectionOnItsTokens) {
    CalcEditor ed;
    for (char c : std::string("12="))
        ed.typeChar(c);
    ed.up(); // line 2: "3+4", "+4" selected, cursor at the start
    for (char c : std::string("3+4"))
        ed.typeChar(c);
    ExpLine& ln = ed.current();
    ln.selStart = 2;
    ln.selEnd = 3;
    ln.cursor = 1;
    ed.down();
    ed.up();
    // The previous answer of line 2 is line 2's own; give it one.
    ln.resultValue = 12;
    ln.resultText = "12";
    ASSERT_TRUE(ed.pastePreviousAnswer());
    EXPECT_EQ(ln.selectedTokens(), (Codes{calc::Plus, 11}));
}

} // namespace
} // namespace tallix
