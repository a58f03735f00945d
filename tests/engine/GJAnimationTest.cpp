#include "engine/matrix/GJAnimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace tallix {
namespace {

MatGrid grid(int rows, int cols, std::initializer_list<Extended> cells) {
    MatGrid m;
    m.rows = rows;
    m.cols = cols;
    int i = 0;
    for (Extended v : cells) {
        m.at(i / cols, i % cols) = v;
        ++i;
    }
    return m;
}

// Every caption from the first to "Done.", one per click.
std::vector<std::string> captions(const MatGrid& m, GJAnimation* out = nullptr) {
    GJAnimation gj;
    gj.start(m);
    std::vector<std::string> all{gj.caption()};
    while (gj.advance() && all.size() < 500)
        all.push_back(gj.caption());
    if (out) *out = gj;
    return all;
}

TEST(GJAnimation, ZeroFirstColumnMovesOnWithoutAPivotRow) {
    const std::vector<std::string> expected = {
        "Click to Begin Gauss-Jordan Reduction Animation...",
        "Click to Begin reducing column 1",
        "Find largest value in column 1  ...  click",
        "Only zeros found, Click to begin column 2",
        "Find largest value in column 2  ...  click",
        "Largest value found in row 2...     click",
        "Click to swap rows 2 and 1",
        "Leading value not 1 - scale row by leading value...     click",
        "Row Scaled...  Click",
        "Click to begin sweeping zeros into column 2",
        "Click to subtract  (1 * row 1)  from row 2",
        "Done.",
    };
    GJAnimation gj;
    EXPECT_EQ(captions(grid(2, 2, {0, 1, 0, 2}), &gj), expected);
    EXPECT_EQ(gj.cellText(0, 1), "1");
    EXPECT_EQ(gj.cellText(1, 1), "0");
    EXPECT_EQ(gj.highlightColumn(), -1);
    EXPECT_EQ(gj.highlightRow(), -1);
}

TEST(GJAnimation, PivotOfMinusOneFoundBySwapIsScaled) {
    GJAnimation gj;
    gj.start(grid(2, 2, {0, 1, -1, 0}));
    for (int i = 0; i < 5; ++i)
        gj.advance();
    EXPECT_EQ(gj.caption(), "Leading value not 1 - scale row by leading value...     click");
    // After the swap only the pivot cell is red.
    EXPECT_TRUE(gj.isHighlighted(0, 0));
    EXPECT_FALSE(gj.isHighlighted(0, 1));
    EXPECT_FALSE(gj.isHighlighted(1, 0));
    gj.advance();
    EXPECT_EQ(gj.caption(), "Row Scaled...  Click");
    EXPECT_EQ(gj.cellText(0, 0), "1");
    EXPECT_EQ(gj.cellText(0, 1), "0"); // -0 is shown as 0
    // The scaled row is red as a whole.
    EXPECT_TRUE(gj.isHighlighted(0, 1));
}

TEST(GJAnimation, TwoByThreeEndsAfterItsSecondColumn) {
    GJAnimation gj;
    const auto all = captions(grid(2, 3, {1, 2, 3, 4, 5, 6}), &gj);
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all.back(), "Done.");
    EXPECT_EQ(all[all.size() - 3], "Click to subtract  (1.25 * row 2)  from row 1");
    EXPECT_EQ(all[all.size() - 2], "Leading zero produced...  click");
    for (const std::string& c : all)
        EXPECT_EQ(c.find("column 3"), std::string::npos) << c;
    const std::vector<std::string> cells = {gj.cellText(0, 0), gj.cellText(0, 1),
                                            gj.cellText(0, 2), gj.cellText(1, 0),
                                            gj.cellText(1, 1), gj.cellText(1, 2)};
    EXPECT_EQ(cells, (std::vector<std::string>{"1", "0", "-1", "0", "1", "2"}));
}

TEST(GJAnimation, ZeroEntriesAreSkippedAndLongFactorsCut) {
    // Column 1 of the identity needs no subtraction at all.
    auto all = captions(grid(2, 2, {1, 0, 0, 1}));
    for (const std::string& c : all)
        EXPECT_EQ(c.find("subtract"), std::string::npos) << c;
    EXPECT_EQ(all[4], "Click to begin sweeping zeros into column 1");
    EXPECT_EQ(all[5], "Zeros swept in, Click to begin column 2");

    all = captions(grid(2, 2, {3, 1, 1, 0}));
    EXPECT_NE(
        std::find(all.begin(), all.end(), "Click to subtract  (0.3333... * row 2)  from row 1"),
        all.end());
    EXPECT_EQ(gjFactorText(-0.5L), "-0.5");
    EXPECT_EQ(gjFactorText(123456.0L), "123456");
    EXPECT_EQ(gjFactorText(1234567.0L), "123456...");
}

TEST(GJAnimation, StepBackRestoresMatrixCaptionAndNumber) {
    GJAnimation gj;
    gj.start(grid(2, 2, {2, 1, 1, 1}));
    EXPECT_FALSE(gj.back());
    for (int i = 0; i < 3; ++i)
        gj.advance();
    const std::string caption = gj.caption();
    gj.advance(); // scales row 1 by 2
    EXPECT_EQ(gj.cellText(0, 1), "1 / 2");
    EXPECT_EQ(gj.stepNumber(), 4);
    EXPECT_TRUE(gj.back());
    EXPECT_EQ(gj.stepNumber(), 3);
    EXPECT_EQ(gj.caption(), caption);
    EXPECT_EQ(gj.cellText(0, 1), "1");
}

TEST(GJAnimation, EmptyMatrixEndsAtOnce) {
    const auto all = captions(MatGrid{});
    EXPECT_EQ(all.size(), 4u);
    EXPECT_EQ(all.back(), "Done.");
}

} // namespace
} // namespace tallix
