#include "engine/matrix/MatOps.h"
#include "engine/matrix/MatState.h"

#include <gtest/gtest.h>

#include <string>

namespace tallix {
namespace {

MatCatalog opsCatalog() {
    MatCatalog cat;
    for (const char* l : {
             "A,1,1,2,2,[1,2,3,4]",
             "B,1,1,2,3,[1,2,3,4,5,6]",
             "D,1,1,3,3,[2,0,1,1,3,2,1,1,2]",
             "F,1,1,2,2,[0,1,1,0]",
             "G,1,1,2,3,[0,1,2,0,3,4]",
             "S,1,1,2,2,[1,2,2,4]",
             "K,1,1,2,2,[1, pi / 2,3,4]",
             "Z,1,1,2,2,[1,2,3/0,4]",
             "E,1,1,1,1,[]",
             "O,1,1,1,1,[-7.5]",
         })
        cat.insertSorted(l);
    return cat;
}

// The operation's whole text: title, message or rows ("a,b;c,d").
std::string run(MatSubMode op, std::string_view name, bool rational = true) {
    MatState st;
    st.catalog = opsCatalog();
    st.options.rational = rational;
    st.enterAlgeb();
    for (char c : name)
        st.ProcessMatButtonClick(*matCodeForChar(c));
    st.runOperation(op);
    auto grid = [](const MatOpGridResult& r) {
        std::string s = r.title + "|";
        if (!r.message.empty()) return s + r.message;
        for (int i = 0; i < r.rows; ++i) {
            if (i > 0) s += ";";
            for (int j = 0; j < r.cols; ++j)
                s += (j > 0 ? "," : "") + r.cell(i, j);
        }
        return s;
    };
    switch (op) {
    case MatSubMode::Rref:
        return grid(st.rref());
    case MatSubMode::Inv:
        return grid(st.inv());
    case MatSubMode::Det:
        return st.det().message.empty() ? st.det().title : st.det().message;
    default:
        return st.trace().line;
    }
}

TEST(MatOps, TitlesMessagesAndValues) {
    struct Case {
        MatSubMode op;
        const char* name;
        const char* expected;
    } cases[] = {
        {MatSubMode::Rref, "A", "RREF of matrix  \"A\" -|1,0;0,1"},
        {MatSubMode::Rref, "S", "RREF of matrix  \"S\" -|1,2;0,0"},
        {MatSubMode::Rref, "G", "RREF of matrix  \"G\" -|0,1,0;0,0,1"},
        {MatSubMode::Rref, "B", "RREF of matrix  \"B\" -|1,0,-1;0,1,2"},
        {MatSubMode::Rref, "K", "RREF of matrix  \"K\" -|Invalid Data - \" pi / 2\"."},
        {MatSubMode::Rref, "Z", "RREF of matrix  \"Z\" -|Invalid Data - \"3/0\"."},
        {MatSubMode::Rref, "E", "RREF of matrix  \"E\" -|Invalid Data - \"\"."},
        {MatSubMode::Rref, "Q", "|\"Q\" not a known matrix."},
        {MatSubMode::Inv, "A", "Inverse of \"A\"|-2,1;3 / 2,-1 / 2"},
        {MatSubMode::Inv, "F", "Inverse of \"F\"|0,1;1,0"},
        {MatSubMode::Inv, "S", "Inverse of \"S\"|Has no Inverse."},
        {MatSubMode::Inv, "B", "Inverse of \"B\"|Inverse not possible - \"B\" not square."},
        {MatSubMode::Det, "D", "DET for matrix \"D\"   =   6"},
        {MatSubMode::Det, "O", "DET for matrix \"O\"   =   -7.5  =-15 / 2"},
        {MatSubMode::Det, "B", "DET not possible - matrix not square"},
        {MatSubMode::Det, "K", "Invalid Data - \" pi / 2\"."},
        {MatSubMode::Trace, "D", "TRACE of  \"D\"   =   7"},
        {MatSubMode::Trace, "O", "TRACE of  \"O\"   =   -15 / 2"},
        {MatSubMode::Trace, "B", "TRACE not possible - \"B\" not square."},
        {MatSubMode::Trace, "K", "Error evaluating elements of matrix (\" pi / 2\")."},
        {MatSubMode::Trace, "Q", "\"Q\" not a known matrix."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.op)) + " " + c.name);
        EXPECT_EQ(run(c.op, c.name), c.expected);
    }
    EXPECT_EQ(run(MatSubMode::Inv, "A", false), "Inverse of \"A\"|-2,1;1.5,-0.5");
}

TEST(MatOps, SourceFollowsThePreviousSubMode) {
    MatState st;
    st.catalog = opsCatalog();
    // List without a selection: Rref does nothing, the others say so.
    st.runOperation(MatSubMode::Rref);
    EXPECT_EQ(st.subMode, MatSubMode::List);
    st.runOperation(MatSubMode::Det);
    EXPECT_EQ(st.det().message, "No Matrix selected from Matrix List");
    st.subMode = MatSubMode::List;
    st.selectedRow = FindMatDefInMatsTSL(st.catalog, "D");
    st.runOperation(MatSubMode::Rref);
    EXPECT_EQ(st.rref().title, "RREF of matrix  \"D\" -");
    // An operation over another's result works on the same matrix.
    st.runOperation(MatSubMode::Trace);
    EXPECT_EQ(st.trace().line, "TRACE of  \"D\"   =   7");
    st.subMode = MatSubMode::Edit;
    st.editIndex = FindMatDefInMatsTSL(st.catalog, "A");
    st.runOperation(MatSubMode::Det);
    EXPECT_EQ(st.det().title, "DET for matrix \"A\"   =   -2");

    // The previous answer, when allowed and valid.
    st.enterAlgeb();
    for (char c : std::string("A*2"))
        st.ProcessMatButtonClick(*matCodeForChar(c));
    st.EvalCrMatExp();
    st.options.funcPrevAnsw = true;
    st.runOperation(MatSubMode::Det);
    EXPECT_EQ(st.det().title, "DET for previous result   =   -8");
    st.runOperation(MatSubMode::Trace);
    EXPECT_EQ(st.trace().line, "TRACE result matrix  =  10");
    st.runOperation(MatSubMode::Inv);
    EXPECT_EQ(st.inv().title, "Inverse of results matrix -");
    EXPECT_EQ(st.inv().cell(1, 0), "3 / 4");
    // Rref is not pressed over another operation's result.
    st.runOperation(MatSubMode::Rref);
    EXPECT_EQ(st.subMode, MatSubMode::Inv);
    st.options.clrExpUponEntry = false;
    st.enterAlgeb();
    st.runOperation(MatSubMode::Rref);
    EXPECT_EQ(st.rref().title, "results matrix Rref -");
    EXPECT_EQ(st.rref().cell(1, 1), "1");
    // Without the option the expression must name a matrix.
    st.options.funcPrevAnsw = false;
    st.runOperation(MatSubMode::Trace);
    EXPECT_EQ(st.trace().line, "\"A*2\" not a known matrix.");
}

} // namespace
} // namespace tallix

namespace tallix {
namespace {

TEST(MatState, CatalogChangesKeepTheModeInStep) {
    MatState st;
    st.catalog = opsCatalog();
    st.enterAlgeb();
    st.ProcessMatButtonClick(*matCodeForChar('A'));
    st.ProcessMatButtonClick(*matCodeForChar('/'));
    st.ProcessMatButtonClick(*matCodeForChar('2'));
    st.EvalCrMatExp();
    ASSERT_TRUE(st.canSaveResult());
    // Saving a result keeps it valid; the cells are stored as shown.
    MatChange r = st.saveResultAs("Half", 46000);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(ParseMatDefN(st.catalog, r.index).elements, "[1 / 2,1,3 / 2,2]");
    EXPECT_TRUE(st.result().valid);
    // Its cells read back as numbers in a later expression.
    st.ProcessMatButtonClick(39);
    for (char c : std::string("2HALF-A"))
        st.ProcessMatButtonClick(*matCodeForChar(c));
    st.EvalCrMatExp();
    EXPECT_EQ(st.result().cellList(), (std::vector<std::string>{"0", "0", "0", "0"}));

    r = st.create({"New", "2", "2", {}}, 46000);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(st.editIndex, r.index);
    EXPECT_EQ(st.subMode, MatSubMode::Edit);
    EXPECT_FALSE(st.result().valid);
    EXPECT_FALSE(st.canSaveResult());

    r = st.rename(r.index, "Aaa");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(st.selectedRow, 1);
    EXPECT_TRUE(st.remove(st.selectedRow).ok);
    EXPECT_EQ(st.editIndex, -1);
    EXPECT_EQ(FindMatDefInMatsTSL(st.catalog, "Aaa"), -1);
}

} // namespace
} // namespace tallix
