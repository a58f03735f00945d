#include "engine/func/FuncEditor.h"
#include "engine/func/FuncText.h"
#include "engine/graph/GraphInteraction.h"

#include <gtest/gtest.h>

#include <memory>

namespace tallix {
namespace {

using Codes = std::vector<TokenCode>;

class FuncEditorTest : public ::testing::Test {
protected:
    const Codes& tokens(int n) const { return set->slot(n).text.tokens(); }
    void keys(const Codes& codes) {
        for (TokenCode c : codes)
            ed.ProcessFuncButtonClick(c);
    }

    std::unique_ptr<FuncSet> set = std::make_unique<FuncSet>();
    EditContext shared;
    FuncEditor ed{*set, shared};
};

TEST_F(FuncEditorTest, KeysEditTheCurrentSlotAndMarkItChanged) {
    keys({func::Var, func::Power, 20, func::Minus, 20}); // x^2-2
    EXPECT_EQ(tokens(1), (Codes{func::Var, func::Power, 20, func::Minus, 20}));
    EXPECT_TRUE(set->FuncsChanged);
    set->EvalFuncAtX(1, 3, TrigMode::Radians);
    EXPECT_EQ(set->FuncResult, 7);

    // Enter only asks for the graph; BS deletes backwards; CE clears.
    const auto enter = ed.ProcessFuncButtonClick(func::Enter);
    EXPECT_TRUE(enter.graph);
    EXPECT_FALSE(enter.changed);
    EXPECT_TRUE(ed.ProcessFuncButtonClick(func::Backspace).changed);
    EXPECT_EQ(tokens(1).size(), 4u);
    const auto ce = ed.ProcessFuncButtonClick(func::ClearLine);
    EXPECT_TRUE(ce.cleared && ce.graph);
    EXPECT_TRUE(tokens(1).empty());
    EXPECT_FALSE(ed.ProcessFuncButtonClick(func::Backspace).changed); // nothing to delete

    // A full slot ignores the key.
    set->setTokens(2, Codes(kMaxFuncTokens, 19));
    ed.chooseSlot(2);
    EXPECT_FALSE(ed.ProcessFuncButtonClick(20).changed);
    EXPECT_EQ(set->slot(2).TokenCount(), kMaxFuncTokens);
}

TEST_F(FuncEditorTest, SelectionRulesOfInsertAndPaste) {
    keys({19, 20, 21, 11}); // 1234
    // A selection around the cursor is replaced...
    set->editText(1, [](TokenLine& t) {
        t.cursor = 2;
        t.selStart = 2;
        t.selEnd = 3;
    });
    ed.ProcessFuncButtonClick(5); // 9
    EXPECT_EQ(tokens(1), (Codes{19, 5, 11}));
    // ...one elsewhere is kept, on its tokens.
    set->editText(1, [](TokenLine& t) {
        t.cursor = 1;
        t.selStart = 2;
        t.selEnd = 3;
    });
    ed.ProcessFuncButtonClick(func::Minus);
    EXPECT_EQ(set->slot(1).text.selectedTokens(), (Codes{5, 11}));

    // Copy, then paste into another slot at its cursor.
    ed.copySelected();
    ed.down();
    EXPECT_EQ(ed.current(), 2);
    EXPECT_TRUE(ed.pasteSelected().changed);
    EXPECT_EQ(tokens(2), (Codes{5, 11}));
    EXPECT_TRUE(ed.cutSelected().changed == false); // nothing selected in slot 2
}

TEST_F(FuncEditorTest, SlotKeysKeepTheCurrentSlotVisible) {
    EXPECT_EQ(ed.topSlot(), 1);
    for (int i = 0; i < 4; ++i)
        ed.down();
    EXPECT_EQ(ed.current(), 5);
    EXPECT_EQ(ed.topSlot(), 3);
    ed.pageDown();
    EXPECT_EQ(ed.current(), 8);
    EXPECT_EQ(ed.topSlot(), 6);
    for (int i = 0; i < 10; ++i)
        ed.pageDown();
    EXPECT_EQ(ed.current(), 20);
    EXPECT_EQ(ed.topSlot(), 18);
    ed.pageUp();
    EXPECT_EQ(ed.current(), 17);
    EXPECT_EQ(ed.topSlot(), 17);
    // The scroll bar pulls the current slot into the rows; a row click stays in them.
    ed.setTopSlot(2);
    EXPECT_EQ(ed.current(), 4);
    EXPECT_FALSE(ed.chooseSlot(9)); // the lowest row: slot 4, already current
    EXPECT_TRUE(ed.chooseSlot(2));
    EXPECT_EQ(ed.current(), 2);
}

PlotLayout plot() {
    PlotLayout p;
    p.left = 0;
    p.top = 0;
    p.R = 200;
    p.B = 100;
    p.PlotXMin = -10;
    p.PlotXMax = 10;
    p.PlotYMin = -5;
    p.PlotYMax = 5;
    p.XPerPixel = 0.1L;
    p.YPerPixel = 0.1L;
    return p;
}

TEST(GraphInteraction, RightDragZoomsToTheBoxAndSetsUserDef) {
    GraphWindow w;
    zoomToBox(w, plot(), GraphKind::Cartesian, PixelRect{50, 20, 150, 60});
    EXPECT_EQ(w.XMin, -5);
    EXPECT_EQ(w.XMax, 5);
    EXPECT_TRUE(w.userY.set);
    EXPECT_NEAR(double(w.userY.min), -1, 1e-12);
    EXPECT_NEAR(double(w.userY.max), 3, 1e-12);
    EXPECT_EQ(w.yScaling, YScaling::UserDef);

    GraphWindow polar;
    zoomToBox(polar, plot(), GraphKind::Polar, PixelRect{50, 20, 150, 60});
    EXPECT_TRUE(polar.polarX.set && polar.polarY.set);
    EXPECT_EQ(polar.XMin, -10); // the cartesian range is left alone
}

TEST(GraphInteraction, HotZonesZoomAndMoveTheEnds) {
    GraphWindow w;
    applyHotZone(w, plot(), GraphKind::Cartesian, 1); // zoom in: 10 % off each end
    EXPECT_EQ(w.XMin, -8);
    EXPECT_EQ(w.XMax, 8);
    applyHotZone(w, plot(), GraphKind::Cartesian, 6); // right end >>: half the span shown
    EXPECT_EQ(w.XMax, 18);
    applyHotZone(w, plot(), GraphKind::Cartesian, 7); // left end <<
    EXPECT_EQ(w.XMin, -18);
    applyHotZone(w, plot(), GraphKind::Cartesian, 15); // y top up: user y from the plot
    EXPECT_EQ(w.yScaling, YScaling::UserDef);
    EXPECT_NEAR(double(w.userY.max), 6, 1e-12);
    EXPECT_NEAR(double(w.userY.min), -5, 1e-12);

    // Every mark lies inside the graph and has its own zone.
    for (GraphKind k : {GraphKind::Cartesian, GraphKind::Polar}) {
        HotZones zones;
        for (const auto& m : hotZoneMarks(344, 170, k, YScaling::UserDef)) {
            EXPECT_GE(m.rect.left, 0);
            EXPECT_LT(m.rect.right, 344);
            EXPECT_LT(m.rect.bottom, 170);
            EXPECT_FALSE(zones.zone(m.zone).has_value()) << m.zone;
            zones.set(m.zone, m.rect);
        }
        EXPECT_EQ(zones.zone(11).has_value(), k == GraphKind::Polar);
    }
}

} // namespace
} // namespace tallix
