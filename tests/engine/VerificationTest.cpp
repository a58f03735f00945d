#include "engine/calc/Verification.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

std::vector<std::string> runSuite(CalcEditor& editor, std::string_view text) {
    VerificationRun run(editor);
    const auto lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        run.runLine(static_cast<int>(i) + 1, lines[i]);
    return run.errors();
}

} // namespace

TEST(VerificationRun, ReportsEachKindOfFailureWithItsLine) {
    CalcEditor editor;
    const auto errors = runSuite(editor, ";1+1=3\r\n1+1=3\n2*3=\n2*3\nsqrt(16)=4\n 2+2 = x \n\n");
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "2: 1+1=3",
                          "   error: answer conflict: computed valued = 2",
                          "3: 2*3=",
                          "   error: correct answer not specified.",
                          "4: 2*3",
                          "   error: end of expression = missing.",
                          "6: 2+2 = X",
                          "   error: correct answer not a valid floating point number.",
                      }));
}

TEST(VerificationRun, LinesDoNotRunTogetherAndScrollingIsFollowed) {
    for (bool autoscroll : {false, true}) {
        SCOPED_TRACE(autoscroll ? "autoscroll on" : "autoscroll off");
        CalcEditor editor;
        editor.autoscroll = autoscroll;
        EXPECT_TRUE(runSuite(editor, "1+2=3\n4*5=20\n2^10=1024\n").empty());
    }
}

TEST(VerificationRun, DegreeDirectiveAndTolerance) {
    CalcEditor editor;
    EXPECT_TRUE(runSuite(editor, ";@deg\nsin30=0.5\narctan1=45\n;@rad\ncos0=1\n"
                                 "pi=3.14159265\n1/3=0.33333334\n")
                    .empty());
    EXPECT_EQ(runSuite(editor, "1/3=0.3333334\n").size(), 2u); // off by 2e-7 relative
}

TEST(VerificationRun, ALineWhoseEvaluationFailsFails) {
    CalcEditor editor;
    VerificationRun run(editor);
    const auto lines = splitLines("1/0=0\n(1+2=0\nln(0)=0\n70!=0\n2+2=4\n");
    for (std::size_t i = 0; i < lines.size(); ++i)
        run.runLine(static_cast<int>(i) + 1, lines[i]);
    EXPECT_EQ(run.errors(), (std::vector<std::string>{
                                "1: 1/0=0",
                                "   error: division by zero.",
                                "2: (1+2=0",
                                "   Unbalanced parentheses - too many \"(\" ",
                                "3: LN(0)=0",
                                "   error: Ln of negative number.",
                                "4: 70!=0",
                                "   error: result undefined.",
                            }));
    EXPECT_EQ(run.checked(), 5);
    EXPECT_EQ(run.failed(), 4);
}
