#include "engine/matrix/MatEval.h"
#include "engine/core/Extended.h"
#include "engine/matrix/MatState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallix {
namespace {

MatCatalog sampleCatalog() {
    MatCatalog cat;
    for (const char* l : {
             "A,1,1,2,2,[1,2,3,4]",
             "B,1,1,2,3,[1,2,3,4,5,6]",
             "C,1,1,3,2,[1,0,0,1,1,1]",
             "T,1,1,2,2,[0,1,1,0]",
             "S,1,1,2,2,[1,2,2,4]",
             "H,1,1,1,2,[.5,pi]",
             "Z,1,1,2,2,[1,2,3/0,4]",
             "X,1,1,1,2,[1,1.2.3]",
         })
        cat.insertSorted(l);
    return cat;
}

// The result as text: the message, or the rows joined by ";" and the cells
// by ",".
std::string eval(std::string_view expr, int poolSlots = kMatPoolSlots) {
    static const MatCatalog cat = sampleCatalog();
    const MatEvalOutcome out = evalMatExpr(expr, cat, poolSlots);
    if (!out.ok) return out.message;
    std::string s;
    for (int r = 0; r < out.rows; ++r) {
        if (r > 0) s += ";";
        for (int c = 0; c < out.cols; ++c) {
            if (c > 0) s += ",";
            s += out.cells[r * kMatMaxDim + c];
        }
    }
    return s;
}

struct Case {
    const char* expr;
    const char* expected;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expr);
        EXPECT_EQ(eval(c.expr), c.expected);
    }
}

TEST(MatEval, TokenizerMessages) {
    expectAll({
        {"A B", "Invalid character in expression - \" \"."},
        {"A,B", "Invalid character in expression - \",\"."},
        {")A", "Missing \"(\" (before col 1)"},
        {"(A))+A)", "error: Evaluation error."},
        {"A+1.2.3", "Invalid numeric value : \"1.2.3\"."},
        {"-1..5", "Invalid numeric value : \"-1..5\"."},
        {"A+Q2", "Unrecognized MAT name : \"Q2\"."},
        {"A^-2", "error: insufficient operands."},
        {"", "error: too few data operands."},
        {"A A", "Invalid character in expression - \" \"."},
        {"(A)(A)", "error: too many data operands."},
        {"X", "Invalid number format - \"1.2.3\""},
    });
}

TEST(MatEval, SizeErrors) {
    expectAll({
        {"B+C", "Mat + Mat size error: 2x3 + 3x2"},
        {"B-C", "Mat - Mat size error:  [2x3] - [3x2]"},
        {"B*B", "Mat * Mat size error: 2x3 * 2x3"},
        {"A/B", "Error: Mat / Mat not defined"},
        {"A^-1*B^T", "Mat * Mat size error: 2x2 * 3x2"},
        {"B^-1", "Error: matrix not square, inverse not possible"},
    });
}

TEST(MatEval, ImplicitProductAndPrecedence) {
    expectAll({
        {"2A", "2,4;6,8"},
        {"2*A", "2,4;6,8"},
        {"2A+A", "3,6;9,12"},
        {"A+2A", "3,6;9,12"},
        // The implicit product binds tighter than "/" ...
        {"1/2A", "1 / 2,1 / 4;1 / 6,1 / 8"},
        // ... "*" and "/" are left to right, "+" and "-" last.
        {"A/2*2", "1,2;3,4"},
        {"3-A", "2,1;0,-1"},
        {"A-3", "-2,-1;0,1"},
        {"-A", "-1,-2;-3,-4"},
        {"-2A", "-2,-4;-6,-8"},
        {"+A", "1,2;3,4"},
        {"2+3*4", "14"},
        {"2^3^2", "512"},
        {"-2^2", "4"}, // a sign before digits is part of the number
        {"(1+2)*(3+4)", "21"},
        {"A*C^T", "1,2,3;3,4,7"},
        {"A(A)", "error: too many data operands."},
        {"a*t", "2,1;4,3"},
        {"1/4", "0.25"},
        {"1/0", "Error: division by zero"},
        {"A/0", "Error: division by zero"},
        {"1/T", "Error: division by zero"},
        {"2^-1", "0.5"},
        {"0^-1", "Error: 0^-1 not defined"},
        {"2^T", "Error:  Mat^T only supported form."},
        {"2^A", "Error: num^mat not defined."},
        {"(0-4)^0.5", "error: Evaluation error."},
        {"10^3000*A*10^3000", "error: Evaluation error."},
        {"(A*10^1000)^5", "error: Evaluation error."},
    });
}

TEST(MatEval, PowersAndTransposes) {
    expectAll({
        {"A^T", "1,3;2,4"},
        {"B^T", "1,4;2,5;3,6"},
        {"T^T", "0,1;1,0"}, // "^T" is the transpose even with a matrix T
        {"A^1", "1,2;3,4"},
        {"A^2", "7,10;15,22"},
        {"A^3", "37,54;81,118"},
        {"A^2.5", "7,10;15,22"}, // ties round to even
        {"A^0", "1,0;0,1"},
        {"A^(0-2)", "Error: Mat^NNN, n must be positive integer."},
        {"A^(0-1.5)", "Error: Mat^NNN, n must be positive integer."},
        {"B^1", "1,2,3;4,5,6"},
        {"B^2", "Error: Mat^n needs a square matrix, not 2x3."},
        {"B^0", "Error: Mat^n needs a square matrix, not 2x3."},
        {"A^A", "Error: Mat^Mat not defined - the power must be a number."},
        {"A^-1", "-2,1;3 / 2,-1 / 2"},
        {"T^-1", "0,1;1,0"},
        {"S^-1", "Error: no Inverse."},
        {"(A^T)^T", "1,2;3,4"},
        {"T^100000", "1,0;0,1"}, // no exponent stalls the evaluation
        {"T^100001", "0,1;1,0"},
    });
}

TEST(MatEval, PiAndFractionCells) {
    expectAll({
        {"H", "1 / 2, pi"},
        {"H*2/3", "1 / 3,2 pi / 3"},
        {"-H", "-1 / 2,-1 pi"},
        // pi / 9: q above 8, and no plain fraction within 1000 steps.
        {"H/9", "1 / 18,0.349065850398866"},
        {"A/7", "1 / 7,2 / 7;3 / 7,4 / 7"},
        {"A*0.000000000000000001", "0,0;0,0"},
        {"1/3", "0.333333333333333"},
        {"Z", "Zero denominator in cell (2,1) of matrix \"Z\": \"3/0\"."},
    });
}

TEST(MatEval, TokenAndPoolLimits) {
    // 40 tokens evaluate; a 41st (implicit products included) is an error.
    std::string sum = "A";
    for (int i = 0; i < 18; ++i)
        sum += "+A"; // 37 tokens: 19 A
    EXPECT_EQ(eval(sum + "+A^T"), "20,41;59,80");
    EXPECT_EQ(eval(sum + "+2A"), "error: Evaluation error.");
    EXPECT_EQ(eval(sum + "+A+A"), "error: Evaluation error.");
    // Every operand in use lives in a slot of the pool until its operator is
    // done; the pool is full when none is free.
    EXPECT_EQ(eval("A^T*(A^T*A^T)", 3), "37,81;54,118");
    EXPECT_EQ(eval("A+A", 1), "internal error: temp matrix space overflow.");
    EXPECT_EQ(eval("A^T*(A^T*A^T)", 2), "internal error: temp matrix space overflow.");
}

TEST(MatEval, PostfixFollowsThePrecedenceTables) {
    // Operands pass through the stack; "^" is right-associative, "*" left.
    MatCatalog cat = sampleCatalog();
    const MatTokens t = tokenizeMatExpr("2A^2*A", cat);
    ASSERT_TRUE(t.ok);
    std::vector<MatTok> kinds;
    for (const MatToken& tok : matPostfix(t.tokens))
        kinds.push_back(tok.kind);
    EXPECT_EQ(kinds,
              (std::vector<MatTok>{MatTok::Number, MatTok::Matrix, MatTok::Number, MatTok::Power,
                                   MatTok::ImplicitMul, MatTok::Matrix, MatTok::Mul}));
}

TEST(MatState, KeysEditTheExpressionAndErrorsKeepTheLastResult) {
    MatState st;
    st.catalog = sampleCatalog();
    st.enterAlgeb();
    for (char c : std::string("2a+b"))
        st.ProcessMatButtonClick(*matCodeForChar(c));
    EXPECT_EQ(st.expression(), "2A+B");
    EXPECT_TRUE(st.opsEnabled());
    st.ProcessMatButtonClick(38); // backspace: "2A+"
    st.editKey(MatEditKey::Home);
    st.ProcessMatButtonClick(*matCodeForChar('['));
    st.editKey(MatEditKey::End);
    st.ProcessMatButtonClick(*matCodeForChar('a'));
    st.ProcessMatButtonClick(*matCodeForChar('}'));
    EXPECT_EQ(st.expression(), "(2A+A)");
    st.editKey(MatEditKey::Left);
    st.editKey(MatEditKey::Delete);
    EXPECT_EQ(st.expression(), "(2A+A");
    st.ProcessMatButtonClick(23);
    st.ProcessMatButtonClick(31);
    ASSERT_TRUE(st.result().valid);
    EXPECT_EQ(st.result().cell(1, 1), "12");
    EXPECT_TRUE(st.result().message.empty());
    // An error only sets the message.
    st.ProcessMatButtonClick(*matCodeForChar('+'));
    st.ProcessMatButtonClick(*matCodeForChar('B'));
    st.ProcessMatButtonClick(31);
    EXPECT_TRUE(st.result().valid);
    EXPECT_EQ(st.result().message, "Mat + Mat size error: 2x2 + 2x3");
    EXPECT_EQ(st.result().cell(1, 1), "12");
    st.ProcessMatButtonClick(39);
    EXPECT_EQ(st.expression(), "");
    EXPECT_EQ(st.cursor(), 1);
    EXPECT_FALSE(st.result().valid);
    EXPECT_FALSE(st.opsEnabled());
    // Re-entering keeps the expression when the option is off.
    st.ProcessMatButtonClick(*matCodeForChar('A'));
    st.options.clrExpUponEntry = false;
    st.enterAlgeb();
    EXPECT_EQ(st.expression(), "A");
}

} // namespace
} // namespace tallix
