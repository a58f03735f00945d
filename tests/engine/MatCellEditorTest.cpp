#include "engine/matrix/MatGridLayout.h"
#include "engine/matrix/MatState.h"

#include <gtest/gtest.h>

namespace tallix {
namespace {

MatState editing(const char* line) {
    MatState st;
    st.catalog.insertSorted(line);
    EXPECT_TRUE(st.editMat(0));
    return st;
}

TEST(MatCellEditor, KeysEditTheCellAndRewriteTheLineInPlace) {
    MatState st = editing("A,45000.5,45000.5,2,2,[1,2,3,4]");
    st.catalog.insertSorted("B,1,1,1,1,[]");
    EXPECT_TRUE(st.editCellKey(kDigitCodes[7])); // "7" before the "1"
    EXPECT_TRUE(st.editCellKey(36));             // "." after it
    EXPECT_EQ(st.catalog.line(0), "A,45000.5,45000.5,2,2,[7.1,2,3,4]");
    EXPECT_TRUE(st.editCellKey(38));
    EXPECT_TRUE(st.editCellDelete()); // the "1" at the cursor
    EXPECT_FALSE(st.editCellDelete());
    st.editCellMove(MatCellMove::Down);
    EXPECT_TRUE(st.editCellKey(39));
    EXPECT_FALSE(st.editCellKey(39));
    EXPECT_EQ(st.catalog.line(0), "A,45000.5,45000.5,2,2,[7,2,,4]");
    EXPECT_EQ(st.editIndex, 0);
}

TEST(MatCellEditor, CursorKeysWrap) {
    MatState st = editing("A,1,1,2,3,[1,22,333,4,5,6]");
    const MatCellEditor& e = st.editor();
    st.editCellMove(MatCellMove::Left); // cursor 1 of column 1
    EXPECT_EQ(e.row(), 1);
    EXPECT_EQ(e.col(), 3);
    EXPECT_EQ(e.cursor(), 4);
    st.editCellMove(MatCellMove::Right); // past the end: next column, wrapping
    EXPECT_EQ(e.col(), 1);
    EXPECT_EQ(e.cursor(), 1);
    st.editCellMove(MatCellMove::End);
    st.editCellMove(MatCellMove::Enter); // the last cell wraps to the first
    EXPECT_EQ(e.row(), 1);
    EXPECT_EQ(e.col(), 1);
    st.editCellMove(MatCellMove::Up);
    EXPECT_EQ(e.row(), 2);
    st.editCellMove(MatCellMove::Enter);
    EXPECT_EQ(e.row(), 2);
    EXPECT_EQ(e.col(), 2);
}

TEST(MatCellEditor, LoadsEmptyAndRefusesBrokenLines) {
    MatState st = editing("N,1,1,2,2,[]");
    EXPECT_EQ(st.editor().cell(2, 2), "");
    MatState bad;
    bad.catalog.insertSorted("X,1,1,two,2,[]");
    EXPECT_FALSE(bad.editMat(0));
    EXPECT_EQ(bad.subMode, MatSubMode::List);
}

TEST(MatCellEditor, EditedMatrixFollowsItsLineWhenOthersMove) {
    MatState st = editing("M,1,1,1,1,[5]");
    st.catalog.insertSorted("B,1,1,1,1,[1]");
    st.enterAlgeb();
    for (char c : std::string_view("M+1="))
        st.ProcessMatButtonClick(*matCodeForChar(c));
    ASSERT_TRUE(st.saveResultAs("A", 1).ok);
    EXPECT_EQ(st.editIndex, 2);
    ASSERT_TRUE(st.saveResultAs("M", 1).ok); // over the edited one
    EXPECT_EQ(st.editor().cell(1, 1), "6");
}

TEST(MatGridLayout, GapsAreClampedAndTheGridCentred) {
    // 3 columns of 10 px in 300 px, spaces of 4 px: (270 / 2 / 4) * 20 / 64 = 10 -> 8.
    MatGridLayout g = layoutMatGrid({10, 10, 10}, 2, 4, 16, 300, 128);
    EXPECT_EQ(g.gapSpaces, 8);
    EXPECT_EQ(g.colX[0], 150 - (30 + 64) / 2);
    EXPECT_EQ(g.colX[1], g.colX[0] + 10 + 32);
    EXPECT_EQ(g.leftBracket, g.colX[0] - 32);
    EXPECT_EQ(g.rightBracket, g.colX[3] + 32);
    EXPECT_EQ(g.pitch, 19);
    EXPECT_EQ(g.rowY[0], 128 * 29 / 64 - 19);
    // Wide columns get the least gap; one column none.
    EXPECT_EQ(layoutMatGrid({140, 140, 140}, 1, 4, 16, 300, 128).gapSpaces, 2);
    g = layoutMatGrid({12}, 1, 4, 16, 300, 128);
    EXPECT_EQ(g.gap, 0);
    EXPECT_EQ(g.leftBracket, g.colX[0]);
}

TEST(MatGridLayout, ClickFindsCellAndCursor) {
    auto width = [](std::string_view s) { return static_cast<int>(s.size()) * 7; };
    EXPECT_EQ(cursorForOffset("123", 3, width), 1);
    EXPECT_EQ(cursorForOffset("123", 8, width), 2);
    EXPECT_EQ(cursorForOffset("123", 15, width), 3);
    EXPECT_EQ(cursorForOffset("123", 99, width), 4);
    const int starts[] = {50, 100, 150};
    EXPECT_EQ(lastStartAtOrBefore(starts, 3, 10), 0);
    EXPECT_EQ(lastStartAtOrBefore(starts, 3, 96), 1);
    EXPECT_EQ(lastStartAtOrBefore(starts, 3, 95), 0);
}

} // namespace
} // namespace tallix
