#include "engine/matrix/MatCatalog.h"
#include "engine/core/Extended.h"
#include "engine/core/Scalar.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>

namespace tallix {
namespace {

std::string line(std::string_view name, std::string_view rows, std::string_view cols,
                 std::string_view elements) {
    return EncodeMatDef(name, "45000.5", "45000.5", rows, cols, elements);
}

TEST(MatCatalog, InsertSortsWholeListIgnoringCaseAndDropsDuplicates) {
    MatCatalog cat;
    EXPECT_EQ(cat.insertSorted(line("b", "1", "1", "[1]")), 0);
    EXPECT_EQ(cat.insertSorted(line("C", "1", "1", "[1]")), 1);
    EXPECT_EQ(cat.insertSorted(line("a", "1", "1", "[1]")), 0);
    // Equal ignoring case: not inserted.
    EXPECT_EQ(cat.insertSorted(line("B", "1", "1", "[1]")), -1);
    ASSERT_EQ(cat.size(), 3);
    // A cell edit keeps the line's place even when it no longer sorts there.
    cat.replaceLine(0, line("z", "1", "1", "[1]"));
    EXPECT_EQ(ParseMatDefN(cat, 0).name, "z");
    // The next insert sorts the whole list again.
    EXPECT_EQ(cat.insertSorted(line("d", "1", "1", "[1]")), 2);
    EXPECT_EQ(ParseMatDefN(cat, 0).name, "b");
    EXPECT_EQ(ParseMatDefN(cat, 3).name, "z");
}

TEST(MatCatalog, LookupSkipsBlankAndCommalessLinesAndIgnoresCase) {
    MatCatalog cat;
    cat.insertSorted("   ");
    cat.insertSorted("Alpha");
    cat.insertSorted(line("Alpha", "2", "2", "[]"));
    cat.insertSorted(line("AB", "1", "1", "[]"));
    // "Alpha" without a comma sorts before its namesake and is passed over.
    EXPECT_EQ(cat.line(2), "Alpha");
    EXPECT_EQ(FindMatDefInMatsTSL(cat, "alpha"), 3);
    EXPECT_EQ(FindMatDefInMatsTSL(cat, "ab"), 1);
    EXPECT_EQ(FindMatDefInMatsTSL(cat, "A"), -1);
    EXPECT_EQ(FindMatDefInMatsTSL(cat, " ab"), -1); // not trimmed here
}

TEST(MatCatalog, ParseSplitsFiveFieldsAndLeavesTheRestAsElements) {
    const MatDef d = ParseMatDefLn("  M,1.5,2.5,2,2,[1,2,3,4]  ");
    EXPECT_EQ(d.name, "M");
    EXPECT_EQ(d.created, "1.5");
    EXPECT_EQ(d.updated, "2.5");
    EXPECT_EQ(d.rows, "2");
    EXPECT_EQ(d.cols, "2");
    EXPECT_EQ(d.elements, "[1,2,3,4]");
    const MatDef shortLine = ParseMatDefLn("M,1");
    EXPECT_EQ(shortLine.name, "M");
    EXPECT_EQ(shortLine.created, "");
    EXPECT_EQ(shortLine.elements, "1");
    MatCatalog cat;
    EXPECT_EQ(ParseMatDefN(cat, 3).name, "");
    EXPECT_EQ(splitElements("[1,,3]"), (std::vector<std::string>{"1", "", "3"}));
    EXPECT_TRUE(splitElements("[]").empty());
}

TEST(MatCatalog, CreateRefusesTakenAndBadNamesAndMissingSizes) {
    MatCatalog cat;
    cat.insertSorted(line("A", "2", "2", "[1,2,3,4]"));
    struct Case {
        MatCreateRequest req;
        std::string message;
    } cases[] = {
        {{"a", "2", "2", {}}, "Matrix Name \"a\" is already in use - new definition not added."},
        {{"  A ", "2", "2", {}}, "Matrix Name \"A\" is already in use - new definition not added."},
        {{"B", "0", "2", {}}, "New Matrix valid row and column count missing."},
        {{"B", "2", "11", {}}, "New Matrix valid row and column count missing."},
        {{"B", "x", "2", {}}, "New Matrix valid row and column count missing."},
        {{"B,C", "2", "2", {}},
         "Matrix Name \"B,C\" is not valid - a name is a letter followed by letters and digits."},
        {{"2B", "2", "2", {}},
         "Matrix Name \"2B\" is not valid - a name is a letter followed by letters and digits."},
        {{"", "2", "2", {}},
         "Matrix Name \"\" is not valid - a name is a letter followed by letters and digits."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.req.name + " " + c.req.rows + "x" + c.req.cols);
        const MatChange r = createMat(cat, c.req, 46000);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(cat.size(), 1);
    }
}

TEST(MatCatalog, CreateCopiesSourceCellsToTheirPositions) {
    MatCatalog cat;
    cat.insertSorted(line("S", "2", "2", "[1,2,3,4]"));
    MatChange r = createMat(cat, {"T", "3", "3", std::string("S [2x2]")}, 46000.25);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(cat.line(r.index), "T,46000.25,46000.25,3,3,[1,2,,3,4,,,,]");
    // Missing sizes come from the source.
    r = createMat(cat, {"U", "", "", std::string("S")}, 46000);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(ParseMatDefN(cat, r.index).elements, "[1,2,3,4]");
    // No source: all cells empty.
    r = createMat(cat, {"R1", "2", "3", {}}, 46000);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(ParseMatDefN(cat, r.index).elements, "[]");
    EXPECT_EQ(r.index, 0);
}

struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(MatCatalog, TimestampsUseAPointUnderACommaLocale) {
    // A C++ locale with a decimal comma, and a C one when the system has one.
    const std::locale savedGlobal = std::locale::global(std::locale(std::locale(), new CommaPoint));
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) std::setlocale(LC_ALL, "fr_FR.UTF-8");
    const std::string text = dateTimeField(46000.123456789);
    std::setlocale(LC_ALL, savedC.c_str());
    std::locale::global(savedGlobal);
    EXPECT_EQ(text, "46000.123456789");
    EXPECT_EQ(dateTimeField(46001), "46001");
}

TEST(MatCatalog, RenameKeepsStampsMovesLineAndRefusesTakenNames) {
    MatCatalog cat;
    cat.insertSorted(EncodeMatDef("A", "1.5", "2.5", "1", "2", "[7,8]"));
    cat.insertSorted(line("M", "1", "1", "[1]"));
    MatChange r = renameMat(cat, 0, " Z9 ");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.index, 1);
    EXPECT_EQ(cat.line(1), "Z9,1.5,2.5,1,2,[7,8]");
    // Its own name in another case is fine; another matrix's name is not.
    EXPECT_TRUE(renameMat(cat, 1, "z9").ok);
    r = renameMat(cat, 1, "m");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Matrix Name \"m\" is already in use - matrix not renamed.");
    r = renameMat(cat, 1, "a b");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(cat.size(), 2);
}

TEST(MatCatalog, SaveAsReplacesAndDeleteRefusesBlankLines) {
    MatCatalog cat;
    cat.insertSorted(line("R", "1", "1", "[1]"));
    MatChange r = saveMatAs(cat, "r", 1, 2, {" pi / 2", "3"}, 46000);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(cat.size(), 1);
    EXPECT_EQ(cat.line(0), "r,46000,46000,1,2,[ pi / 2,3]");
    cat.insertSorted(" ");
    r = deleteMat(cat, 0);
    EXPECT_EQ(r.message, "Internal Error: null matrix def line.");
    EXPECT_TRUE(deleteMat(cat, 1).ok);
    EXPECT_EQ(cat.size(), 1);
}

TEST(MatCatalog, CellTextToValue) {
    struct Case {
        const char* cell;
        Extended value; // NaN: undefined
        const char* message;
    } cases[] = {
        {"", 0, ""},
        {"3", 3, ""},
        {".5", 0.5L, ""},
        {"-.5", -0.5L, ""},
        {"2.", 2, ""},
        {"1/4", 0.25L, ""},
        {"PI", kPi, ""},
        {"-PI", -kPi, ""},
        {"2pi", 2 * kPi, ""},
        {"2PI/3", 2 * kPi / 3, ""},
        {" pi / 2", kPi / 2, ""},
        {"-1 pi", -kPi, ""},
        {"e", std::exp(1.0L), ""},
        {"1E5", std::exp(1.0L), ""},
        {"xPI", UndefinedMarker, ""},
        {"1.2.3", 0, "Invalid number format - \"1.2.3\""},
        {"abc", 0, "Invalid number format - \"ABC\""},
        {"3/0", 0, "Zero denominator in cell (2,3) of matrix \"M\": \"3/0\"."},
        {"1/.0", 0, "Zero denominator in cell (2,3) of matrix \"M\": \"1/.0\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        const MatCellValue v = matCellValue(c.cell, "M", 2, 3);
        EXPECT_EQ(v.message, c.message);
        EXPECT_EQ(v.ok, std::string_view(c.message).empty());
        if (!v.ok) continue;
        if (isUndefined(c.value))
            EXPECT_TRUE(isUndefined(v.value));
        else
            EXPECT_EQ(v.value, c.value);
    }
}

TEST(MatCatalog, DatesShowAsDayMonthYearAndTwelveHourClock) {
    EXPECT_EQ(matDateText("46000.5"), "9Dec25 12:00p");
    EXPECT_EQ(matDateText("36526"), "1Jan00 12:00a");
    EXPECT_EQ(matDateText("45000.999"), "15Mar23 11:59p");
    EXPECT_EQ(matDateText("45000.0416666667"), "15Mar23 1:00a");
    EXPECT_EQ(matDateText("x"), "");
}

} // namespace
} // namespace tallix
