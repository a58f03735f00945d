#include "engine/graph/TRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace tallix;

TEST(TRange, RoundingKeepsThreeDigitCharacters) {
    const struct {
        Extended in, out;
    } cases[] = {
        {12.3456L, 12.3L},
        {0.123456L, 0.12L},
        {-12.3456L, -12.3L},
        {123456, 123000},
        {0.00456L, 0},
        {-0.004L, 0},
        {1.5L, 1.5L},
        {1.23456e-7L, 1.23e-7L},
        {4.5678e20L, 4.56e20L},
        {-11.5L, -11.5L},
        {0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(double(c.in)));
        EXPECT_EQ(roundTEnd(c.in), c.out);
    }
    EXPECT_FALSE(std::signbit(roundTEnd(-0.004L)));
}

TEST(TRange, EachButtonMovesItsEnds) {
    const struct {
        TRangeButton b;
        Extended min, max;
    } cases[] = {
        {TRangeButton::ZoomIn, 1, 9},        {TRangeButton::ZoomOut, -1.5L, 11.5L},
        {TRangeButton::MinFarLeft, -10, 10}, {TRangeButton::MinLeft, -2, 10},
        {TRangeButton::MinRight, 1, 10},     {TRangeButton::MinFarRight, 5, 10},
        {TRangeButton::ShiftLeft, -1, 9},    {TRangeButton::ShiftRight, 1, 11},
        {TRangeButton::MaxFarLeft, 0, 5},    {TRangeButton::MaxLeft, 0, 9},
        {TRangeButton::MaxRight, 0, 12},     {TRangeButton::MaxFarRight, 0, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.b));
        const TRange r = pressTRangeButton(c.b, 0, 10);
        EXPECT_EQ(r.min, c.min);
        EXPECT_EQ(r.max, c.max);
    }
}

TEST(TRange, OnlyMovedEndsAreRoundedAndTheRangeNeverCollapses) {
    // The minimum's button leaves an unrounded maximum alone.
    TRange r = pressTRangeButton(TRangeButton::MinRight, 0, 12.3456L);
    EXPECT_EQ(r.min, 1.23L);
    EXPECT_EQ(r.max, 12.3456L);
    // Both ends of 100.1 .. 100.9 round to 100: they stay unrounded.
    r = pressTRangeButton(TRangeButton::ZoomIn, 100, 101);
    EXPECT_NEAR(double(r.min), 100.1, 1e-12);
    EXPECT_NEAR(double(r.max), 100.9, 1e-12);
    EXPECT_LT(r.min, r.max);
    // The error of 0.1 - 0.1 x 1 is no value of its own.
    r = pressTRangeButton(TRangeButton::ShiftLeft, 0.1L, 1.1L);
    EXPECT_EQ(r.min, 0);
    // Rounding never undoes or reverses a move.
    r = pressTRangeButton(TRangeButton::MinRight, 1.23L, 1.24L);
    EXPECT_NEAR(double(r.min), 1.231, 1e-12);
    r = pressTRangeButton(TRangeButton::MinRight, 0.001L, 0.002L);
    EXPECT_NEAR(double(r.min), 0.0011, 1e-15);
    // An empty range stays as it is.
    r = pressTRangeButton(TRangeButton::ZoomOut, 3, 3);
    EXPECT_EQ(r.min, 3);
    EXPECT_EQ(r.max, 3);
}

TEST(TRange, ValueTexts) {
    EXPECT_EQ(tValueText(0), "0");
    EXPECT_EQ(tValueText(10), "+10");
    EXPECT_EQ(tValueText(-1.5L), "-1.5");
    EXPECT_EQ(tValueText(3.14159265358979L), "+3.141593");
    EXPECT_EQ(tValueText(-12345678), "-1.234568E+7");
}
