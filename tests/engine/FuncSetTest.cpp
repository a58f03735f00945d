#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

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
    set.setTokens(n, std::vector<TokenCode>{19, func::Plus, 20});
    set.EvalFuncAtX(n, 0, TrigMode::Radians);
    ASSERT_EQ(set.FuncResult, 3);
}

TEST(FuncSet, ClearAllEmptiesEverySlotAndKeepsColours) {
    const auto set = std::make_unique<FuncSet>();
    for (int n : {2, 9, 20})
        compileOnePlusTwo(*set, n);
    set->setColour(9, 123);
    set->setShown(9, false);
    set->editText(9, [](TokenLine& t) {
        t.cursor = 3;
        t.selStart = 1;
        t.selEnd = 2;
    });
    const auto revision = set->slot(9).revision;
    set->CurrentFunc = 9;
    set->ClearAll();
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        SCOPED_TRACE(n);
        const FuncSlot& s = set->slot(n);
        EXPECT_EQ(s.TokenCount(), 0);
        EXPECT_EQ(s.FuncRPNLength, 0);
        EXPECT_EQ(s.text.cursor, 1);
        EXPECT_FALSE(s.text.hasSelection());
        EXPECT_TRUE(s.Shown);
        EXPECT_EQ(s.Colour, n == 9 ? 123u : defaultFuncColour(n));
    }
    EXPECT_NE(set->slot(9).revision, revision); // every sampler's values are stale
    EXPECT_EQ(set->CurrentFunc, 1);
    EXPECT_TRUE(set->FuncsChanged);
    EXPECT_EQ(set->AddFnumToPool(0), 1);
}

TEST(FuncSet, OutsideWriteStartsFromAnEmptyShownSlot) {
    const auto set = std::make_unique<FuncSet>();
    set->ParamMode = true;
    compileOnePlusTwo(*set, 19);
    compileOnePlusTwo(*set, 20);
    set->setShown(19, false);
    set->setShown(20, false);
    set->editText(20, [](TokenLine& t) { t.selStart = t.selEnd = 2; });
    set->prepareOutsideWrite(19);
    EXPECT_EQ(set->CurrentFunc, 19);
    EXPECT_TRUE(set->FuncsChanged);
    EXPECT_EQ(set->slot(19).TokenCount(), 0);
    EXPECT_EQ(set->slot(20).TokenCount(), 3);
    for (int n : {19, 20}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(set->slot(n).FuncRPNLength, 0);
        EXPECT_FALSE(set->slot(n).text.hasSelection());
        EXPECT_TRUE(set->slot(n).Shown);
    }
    EXPECT_EQ(set->AddFnumToPool(0), 1); // both programs gave their constants back
}

TEST(FuncSet, EveryTokenEditDropsTheProgramAndMarksTheSlotChanged) {
    const auto set = std::make_unique<FuncSet>();
    compileOnePlusTwo(*set, 4);
    set->FuncsChanged = false;
    const auto revision = set->slot(4).revision;

    // Cursor moves are no change.
    EXPECT_FALSE(set->editText(4, [](TokenLine& t) { t.cursor = 1; }));
    EXPECT_FALSE(set->FuncsChanged);
    EXPECT_GT(set->slot(4).FuncRPNLength, 0);

    // An edit of the tokens: program dropped, revision moved, change noted.
    EXPECT_TRUE(set->editText(4, [](TokenLine& t) { t.insertAtCursor(func::Minus); }));
    EXPECT_TRUE(set->FuncsChanged);
    EXPECT_EQ(set->slot(4).FuncRPNLength, 0);
    EXPECT_GT(set->slot(4).revision, revision);
    set->EvalFuncAtX(4, 0, TrigMode::Radians); // "-1+2"
    EXPECT_EQ(set->FuncResult, 1);

    // Text set from outside is an edit too.
    set->FuncsChanged = false;
    setFuncText(*set, 4, "x*x");
    EXPECT_TRUE(set->FuncsChanged);
    set->EvalFuncAtX(4, 3, TrigMode::Radians);
    EXPECT_EQ(set->FuncResult, 9);
}

} // namespace
