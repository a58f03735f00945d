#include "engine/func/FuncSet.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tallix;

namespace {

TEST(FuncSet, DefaultColoursRepeatEveryTenSlots) {
    const auto set = std::make_unique<FuncSet>();
    EXPECT_EQ(set->slot(1).Colour, 0xFF8000u);
    EXPECT_EQ(set->slot(6).Colour, 0x0000FFu);
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(set->slot(n + 10).Colour, set->slot(n).Colour);
    }
}

TEST(FuncSet, PoolHandsOutTheLowestFreeEntry) {
    const auto set = std::make_unique<FuncSet>();
    for (int n = 1; n <= kFnumPoolSize; ++n)
        ASSERT_EQ(set->AddFnumToPool(n), n);
    EXPECT_EQ(set->AddFnumToPool(0), -1);
    set->FreeFnumPoolEntry(90);
    set->FreeFnumPoolEntry(7);
    EXPECT_EQ(set->AddFnumToPool(2.5L), 7);
    EXPECT_EQ(set->poolValue(7), 2.5L);
    EXPECT_EQ(set->AddFnumToPool(0), 90);
    set->FreeFnumPoolEntry(0); // out of range: ignored
    set->FreeFnumPoolEntry(151);
    EXPECT_EQ(set->AddFnumToPool(0), -1);
}

// Fills slot n with tokens 1 + 2 and compiles it (two pool entries).
void compileOnePlusTwo(FuncSet& set, int n) {
    FuncSlot& s = set.slot(n);
    s.Tokens[0] = 19;
    s.Tokens[1] = func::Plus;
    s.Tokens[2] = 20;
    s.TokenCount = 3;
    set.EvalFuncAtX(n, 0, TrigMode::Radians);
    ASSERT_EQ(set.FuncResult, 3);
}

TEST(FuncSet, ClearAllEmptiesEverySlotAndKeepsColours) {
    const auto set = std::make_unique<FuncSet>();
    for (int n : {2, 9, 20})
        compileOnePlusTwo(*set, n);
    set->slot(9).Colour = 123;
    set->slot(9).Shown = false;
    set->slot(9).Cursor = 3;
    set->slot(9).SelStart = 1;
    set->slot(9).SelEnd = 2;
    set->slot(9).CacheValid = true;
    set->CurrentFunc = 9;
    set->ClearAll();
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        SCOPED_TRACE(n);
        const FuncSlot& s = set->slot(n);
        EXPECT_EQ(s.TokenCount, 0);
        EXPECT_EQ(s.FuncRPNLength, 0);
        EXPECT_EQ(s.Cursor, 1);
        EXPECT_EQ(s.SelStart, -1);
        EXPECT_EQ(s.SelEnd, -1);
        EXPECT_TRUE(s.Shown);
        EXPECT_FALSE(s.CacheValid);
        EXPECT_EQ(s.Colour, n == 9 ? 123u : defaultFuncColour(n));
    }
    EXPECT_EQ(set->CurrentFunc, 1);
    EXPECT_TRUE(set->FuncsChanged);
    EXPECT_EQ(set->AddFnumToPool(0), 1);
}

TEST(FuncSet, OutsideWriteStartsFromAnEmptyShownSlot) {
    const auto set = std::make_unique<FuncSet>();
    set->ParamMode = true;
    compileOnePlusTwo(*set, 19);
    compileOnePlusTwo(*set, 20);
    set->slot(19).Shown = set->slot(20).Shown = false;
    set->slot(20).SelStart = set->slot(20).SelEnd = 2;
    set->prepareOutsideWrite(19);
    EXPECT_EQ(set->CurrentFunc, 19);
    EXPECT_TRUE(set->FuncsChanged);
    EXPECT_EQ(set->slot(19).TokenCount, 0);
    EXPECT_EQ(set->slot(20).TokenCount, 3);
    for (int n : {19, 20}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(set->slot(n).FuncRPNLength, 0);
        EXPECT_EQ(set->slot(n).SelStart, -1);
        EXPECT_TRUE(set->slot(n).Shown);
    }
    EXPECT_EQ(set->AddFnumToPool(0), 1); // both programs gave their constants back
}

} // namespace
