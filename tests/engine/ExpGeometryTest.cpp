#include "engine/calc/ExpGeometry.h"
#include "engine/calc/CalcEditor.h"

#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::expgeo;

namespace {

// A line of n tokens laid out 10 pixels wide with 1-pixel gaps from x = 4.
struct LaidOut {
    ExpLine ln;
    LineLayout lay;
};
LaidOut laidOut(int n) {
    LaidOut l;
    for (int i = 0; i < n; ++i) {
        l.ln.insertAtCursor(kDigitCodes[1]);
        l.lay.width.push_back(10);
        l.lay.rightEdge.push_back(4 + i * 11 + 9);
    }
    return l;
}

} // namespace

TEST(ExpGeometry, BandsTileTheDisplayFromTheBottomUp) {
    for (int h : {276, 100, 41}) {
        SCOPED_TRACE(h);
        EXPECT_EQ(bandBottom(1, h), h);
        EXPECT_EQ(bandTop(8, h), 0);
        for (int n = 1; n < 8; ++n)
            EXPECT_EQ(bandTop(n, h), bandBottom(n + 1, h));
        for (int n = 1; n <= 8; ++n) {
            EXPECT_EQ(lineAtY(bandTop(n, h) + 1, h), n) << n;
            EXPECT_EQ(lineAtY(bandBottom(n, h) - 1, h), n) << n;
        }
    }
}

TEST(ExpGeometry, MouseHitsPlaceTheCursorAndSelectOverlappingTokens) {
    auto [ln, lay] = laidOut(5); // edges 13, 24, 35, 46, 57
    EXPECT_EQ(cursorForX(ln, lay, 0), 1);
    EXPECT_EQ(cursorForX(ln, lay, 13), 1);
    EXPECT_EQ(cursorForX(ln, lay, 14), 2);
    EXPECT_EQ(cursorForX(ln, lay, 57), 5);
    EXPECT_EQ(cursorForX(ln, lay, 58), 6);
    EXPECT_EQ(cursorForX(ExpLine{}, LineLayout{}, 30), 1);
    EXPECT_EQ(cursorForX(ln, LineLayout{}, 30), 6); // not laid out: the end

    selectSpan(ln, lay, 40, 20); // either direction
    EXPECT_EQ(ln.selStart, 2);
    EXPECT_EQ(ln.selEnd, 4);
    selectSpan(ln, lay, 58, 90);
    EXPECT_FALSE(ln.hasSelection());
}

TEST(ExpGeometry, ScrollRulesOfInsertEndAndTheButtons) {
    const auto [ln, lay] = laidOut(30); // last edge 332
    EXPECT_EQ(scrollAfterInsert(0, ln, lay, 400), 0);
    EXPECT_EQ(scrollAfterInsert(0, ln, lay, 340), 332 - 340 + 35);
    EXPECT_EQ(scrollAfterInsert(100, ln, lay, 340), 100); // already in sight
    EXPECT_EQ(scrollForEnd(ln, lay, 340), 32);
    EXPECT_EQ(scrollForEnd(ln, lay, 400), 0);
    const auto one = laidOut(1);
    EXPECT_EQ(scrollForEnd(one.ln, one.lay, 5), 0);

    EXPECT_EQ(scrollPartAt(false, 0, 48), ScrollPart::ToStart);
    EXPECT_EQ(scrollPartAt(false, 47, 48), ScrollPart::TenthLeft);
    EXPECT_EQ(scrollPartAt(true, 16, 48), ScrollPart::PageRight);
    EXPECT_EQ(scrollPartAt(true, 47, 48), ScrollPart::ToEnd);

    const int w = 340, e = 1000; // right-hand moves stop at e - w + 20 = 680
    EXPECT_EQ(scrollByButton(ScrollPart::ToEnd, 0, w, e), 680);
    EXPECT_EQ(scrollByButton(ScrollPart::PageRight, 500, w, e), 680);
    EXPECT_EQ(scrollByButton(ScrollPart::TwentiethRight, 0, w, e), 17);
    EXPECT_EQ(scrollByButton(ScrollPart::TenthLeft, 20, w, e), 0);
    EXPECT_EQ(scrollByButton(ScrollPart::PageLeft, 500, w, e), 160);
    EXPECT_EQ(scrollByButton(ScrollPart::ToStart, 500, w, e), 0);
    EXPECT_EQ(scrollByButton(ScrollPart::PageRight, 0, w, 100), 0); // short lines: no scroll
}

TEST(CalcEditor, FullLineTakesNoKeyAndNoPartialPaste) {
    CalcEditor editor;
    ExpLine& ln = editor.current();
    for (int i = 0; i < kMaxLineTokens; ++i)
        editor.ProcessExpButtonClick(kDigitCodes[7]);
    ASSERT_EQ(ln.count(), kMaxLineTokens);
    EXPECT_FALSE(editor.ProcessExpButtonClick(calc::Plus).changed);
    editor.setClipboard({calc::Plus, kDigitCodes[1]});
    EXPECT_FALSE(editor.pasteSelected());
    EXPECT_EQ(ln.count(), kMaxLineTokens);

    // A selection around the cursor makes room: the key replaces it.
    ln.cursor = 10;
    ln.selStart = 9;
    ln.selEnd = 11;
    EXPECT_TRUE(editor.ProcessExpButtonClick(calc::Plus).changed);
    EXPECT_EQ(ln.count(), kMaxLineTokens - 2);
}
