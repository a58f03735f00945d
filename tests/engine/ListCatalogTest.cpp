#include "engine/lists/ListCatalog.h"
#include "engine/core/Scalar.h"
#include "engine/lists/ListEditGrid.h"

#include <gtest/gtest.h>

using namespace tallix;

TEST(ListCatalog, ParseSplitsFiveFieldsAndKeepsCommasInThePreview) {
    const ListDef d = ParseListLn("  abc,46000.5,46001.25,3,/data/listabc.lst,1,2,3  ");
    EXPECT_EQ(d.name, "abc");
    EXPECT_EQ(d.created, "46000.5");
    EXPECT_EQ(d.modified, "46001.25");
    EXPECT_EQ(d.count, "3");
    EXPECT_EQ(d.path, "/data/listabc.lst");
    EXPECT_EQ(d.preview, "1,2,3");
    // Without commas every field is empty and the whole line is the preview.
    const ListDef bare = ParseListLn("no commas here");
    EXPECT_EQ(bare.name, "");
    EXPECT_EQ(bare.path, "");
    EXPECT_EQ(bare.preview, "no commas here");
    ListCatalog empty;
    EXPECT_EQ(ParseListN(empty, 3).name, "");
}

TEST(ListCatalog, SortedInsertDropsLinesEqualIgnoringCaseAndFindComparesWholeNames) {
    ListCatalog c;
    EXPECT_EQ(c.insertSorted("zeta,1,1,0,/d/listzeta.lst,"), 0);
    EXPECT_EQ(c.insertSorted("abc,1,1,0,/d/listabc.lst,"), 0);
    EXPECT_EQ(c.insertSorted("ABC,1,1,0,/D/LISTABC.LST,"), -1);
    ASSERT_EQ(c.size(), 2);
    c.insertSorted("no comma line");
    EXPECT_EQ(FindListDefInListsTSL(c, "ABC"), 0);
    EXPECT_EQ(FindListDefInListsTSL(c, "Abc"), 0);
    EXPECT_EQ(FindListDefInListsTSL(c, "ab"), -1);
    EXPECT_EQ(FindListDefInListsTSL(c, "abcd"), -1);
    EXPECT_EQ(FindListDefInListsTSL(c, "no comma line"), -1);
}

TEST(ListCatalog, CreateRefusesUsedNamesAndNamesThatWouldLeaveTheFolder) {
    ListCatalog c;
    const ListCreate made = createList(c, "  Temps  ", 46000.5, "/data");
    ASSERT_TRUE(made.error.empty());
    EXPECT_EQ(c.line(0), "Temps,46000.5,46000.5,0,/data/listTemps.lst,");
    EXPECT_EQ(createList(c, "TEMPS", 1, "/data").error, "List Name \"TEMPS\" is already in use.");
    for (const char* bad : {"../up", "a/b", "a\\b", "a,b", "tab\there", "..", ".hidden", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(createList(c, bad, 1, "/data").error.empty());
    }
    EXPECT_EQ(c.size(), 1);
    EXPECT_FALSE(listNameProblem("Ozone 1.5 [ppm]"));
}

TEST(ListCatalog, SaveKeepsCreatedTimeAndPathAndRebuildsCountAndPreview) {
    ListCatalog c;
    c.insertSorted("data,100,100,0,/elsewhere/mine.lst,");
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i)
        items.push_back("12345.678" + std::to_string(i));
    const ListSave s = saveListItems(c, "DATA", items, 200.25, "/d");
    ASSERT_TRUE(s.error.empty());
    EXPECT_EQ(s.path, "/elsewhere/mine.lst");
    const ListDef d = ParseListN(c, s.index);
    EXPECT_EQ(d.name, "DATA");
    EXPECT_EQ(d.created, "100");
    EXPECT_EQ(d.modified, "200.25");
    EXPECT_EQ(d.count, "20");
    // The item that brings the preview to 60 characters or more is the last.
    EXPECT_EQ(d.preview, "12345.6780,12345.6781,12345.6782,12345.6783,12345.6784,12345.6785");
    EXPECT_EQ(ParseListN(c, saveListItems(c, "data", {}, 1, "/d").index).preview, "");
    EXPECT_EQ(saveListItems(c, "gone", {}, 1, "/d").error, listmsg::kRefindEntry);
}

TEST(ListCatalog, ChooserTextsAreCutAfter45Characters) {
    ListCatalog c;
    c.insertSorted("short,1,1,3,/d/x.lst,1,2,3");
    c.insertSorted("a rather long list name,1,1,12,/d/y.lst,100,200,300,400,500");
    const std::vector<std::string> t = regrChooserTexts(c);
    EXPECT_EQ(t[0], "a rather long list name     [12] 100,200,300,...");
    EXPECT_EQ(t[1], "short     [3] 1,2,3");
}

TEST(ListCatalog, ItemTextsBecomeNumbersOrUndefined) {
    const struct {
        const char* text;
        Extended value;
    } cases[] = {{" 2.5 ", 2.5L}, {".5", 0.5L}, {"5.", 5}, {"-.5", -0.5L}, {"1E3", 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseListValue(c.text), c.value);
    }
    for (const char* bad : {"", "  ", "abc", "1,5", "2x"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(isUndefined(ParseListValue(bad)));
    }
}

TEST(ListCatalog, StampTextsShowDayMonthYearAndTwelveHourTime) {
    EXPECT_EQ(listStampText("46000.5"), "9Dec25 12:00p");
    EXPECT_EQ(listStampText("46000.25"), "9Dec25 6:00a");
    EXPECT_EQ(listStampText("36526"), "1Jan00 12:00a");
    EXPECT_EQ(listStampText("junk"), "");
}

TEST(ListEditGrid, TypingInTheLastRowAddsARowAndMarksTheColumn) {
    ListEditGrid g;
    g.addColumn("a", {"1", "2"}, false);
    g.addColumn("b", {}, false);
    ASSERT_EQ(g.rowCount(), 3); // the longest list plus one spare row
    g.setCell(1, 2, "7");
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_TRUE(g.column(1).modified);
    EXPECT_FALSE(g.column(0).modified);
    // Cells 1, blank, 2, blank, blank are saved as two items.
    ListEditGrid s;
    s.addColumn("s", {"1", "", "2", "", ""}, false);
    EXPECT_EQ(s.items(0), (std::vector<std::string>{"1", "2"}));
}

TEST(ListEditGrid, InsertAndDeleteShiftOneColumnOnly) {
    ListEditGrid g;
    g.addColumn("a", {"1", "2", "3"}, false);
    g.addColumn("b", {"x", "y"}, false);
    g.insertItem(0, 1);
    EXPECT_EQ(g.items(0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(g.cell(0, 1), "");
    EXPECT_EQ(g.rowCount(), 5); // the last row held an item: a spare row is added
    EXPECT_EQ(g.items(1), (std::vector<std::string>{"x", "y"}));
    g.deleteItem(0, 0);
    EXPECT_EQ(g.cell(0, 0), "");
    EXPECT_EQ(g.items(0), (std::vector<std::string>{"2", "3"}));
    EXPECT_TRUE(g.column(0).modified);
    EXPECT_FALSE(g.column(1).modified);
}

TEST(ListEditGrid, AppendedLinesAreCutAtBlankCommaAndSemicolon) {
    ListEditGrid g;
    g.addColumn("a", {"9"}, false);
    EXPECT_EQ(g.appendLines(0, textLines("1.5 x\r\n2;3\r\n\r\n  \n4,5\r7")), 4);
    EXPECT_EQ(g.items(0), (std::vector<std::string>{"9", "1.5", "2", "4", "7"}));
    EXPECT_TRUE(g.column(0).modified);
    EXPECT_GT(g.rowCount(), 5);
    const auto bad = [] {
        ListEditGrid b;
        b.addColumn("b", {"1", "abc"}, false);
        return b.firstInvalid(0);
    }();
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->row, 1);
    EXPECT_EQ(listmsg::invalidItem(bad->row + 1, bad->text),
              "Item 2: \nInvalid format numeric value.\n        \"abc\"");
}
