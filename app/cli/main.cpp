// tallix-cli: the calculator's engine without a window.
#include "app/cli/Commands.h"

#include <array>
#include <cstdio>
#include <cstring>

using namespace tallix::cli;

namespace {

constexpr std::array kCommands = {
    CommandEntry{"eval",
                 "eval [OPTIONS] LINE   type LINE into an empty calculator line and press =\n"
                 "                       (eval --help lists the options)",
                 runEval},
    CommandEntry{"verify", "verify FILE         run a verification suite; exit 1 when a line fails",
                 runVerify},
#ifdef TALLIX_WITH_UI
    CommandEntry{
        "snapshot",
        "snapshot [--calc-demo] [--ini FILE] [--polar] [--param] DIR\n"
        "                       write the window in each mode as DIR/calc.png, fx.png, ...,\n"
        "                       the prime windows as factor.png, primeline.png, primemap.png,\n"
        "                       the f(x) tools as details.png, evalfx.png, defint.png,\n"
        "                       and lists-demo.png, listedit.png, regr-demo.png;\n"
        "                       FILE is the tallix.ini to start from, the flags pick the graph;\n"
        "                       --calc-demo: only the Calc mode after a sample session",
        runSnapshot},
    CommandEntry{"export",
                 "export --source display|graph|graph+functions|window --format bmp|jpg\n"
                 "       [--ini FILE] [--mode calc|fx|matrix|regr] OUT\n"
                 "                       write the picture the window's \"To File\" command writes",
                 runExport},
#endif
    CommandEntry{"fx",
                 "fx [--deg] [--polar|--param] EXPR X...   evaluate the function EXPR at each X",
                 runFx},
    CommandEntry{"mat",
                 "mat --catalog FILE EXPR   evaluate the matrix expression EXPR over the\n"
                 "                       catalog FILE (tallixMats.Lst format); rows TAB-separated",
                 runMat},
    CommandEntry{"matop",
                 "matop rref|inv|det|trace [--no-rational] --catalog FILE NAME\n"
                 "                       an operation on the catalog matrix NAME",
                 runMatOp},
    CommandEntry{"gj",
                 "gj --catalog FILE NAME   the Gauss-Jordan animation of the catalog matrix NAME:\n"
                 "                       the caption after each click, one per line, to \"Done.\"",
                 runGj},
    CommandEntry{"regr",
                 "regr --method linear|log|exp|power|quad XSPEC YFILE\n"
                 "                       fit a model to the list files XSPEC (or int0 / int1, the\n"
                 "                       integers from 0 / 1) and YFILE; prints the report and\n"
                 "                       \"copy: \" + the fitted equation",
                 runRegr},
    CommandEntry{"trange",
                 "trange BUTTON TMIN TMAX   the T-value range window's two texts after one press\n"
                 "                       of BUTTON (zoomin, zoomout, min<<, min<, min>, min>>,\n"
                 "                       shift<, shift>, max<<, max<, max>, max>>)",
                 runTRange},
    CommandEntry{
        "factor",
        "factor TEXT           the prime factors of the integer TEXT, ascending (\"-1\" first\n"
        "                       when negative); an empty line for 0, 1 or no integer",
        runFactor},
    CommandEntry{
        "nextprime",
        "nextprime TEXT        the next prime above TEXT up to 1,000,000, or \"value error\"",
        runNextPrime},
    CommandEntry{"prevprime",
                 "prevprime TEXT        the largest prime below TEXT, or \"value error\"",
                 runPrevPrime},
    CommandEntry{
        "analyze",
        "analyze xcross|min|max|isect [--deg] [--param --tmin A --tmax B] XA XB F1 [F2 ...]\n"
        "                       the f(x) Details report over the region XA..XB",
        runAnalyze},
    CommandEntry{"evalat",
                 "evalat [--deg] [--param] [--rational] [--pi] [--slope] XTEXT F1 [F2 ...]\n"
                 "                       the Evaluate f(x) window's list at XTEXT",
                 runEvalAt},
    CommandEntry{"defint",
                 "defint [--deg] [--type 0|1|2] [--cells N] XMINTEXT XMAXTEXT F [G]\n"
                 "                       the definite integral window's two value lines",
                 runDefInt},
    CommandEntry{"xstep",
                 "xstep TEXT small|medium|large up|down   one up-down step of a value text",
                 runXStep},
};

void printHelp(std::FILE* out) {
    std::fprintf(out, "usage: tallix-cli COMMAND [ARGS]\n\ncommands:\n");
    for (const CommandEntry& c : kCommands)
        std::fprintf(out, "  %.*s\n", static_cast<int>(c.usage.size()), c.usage.data());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
        std::strcmp(argv[1], "help") == 0) {
        printHelp(stdout);
        return 0;
    }
    for (const CommandEntry& c : kCommands)
        if (c.name == argv[1]) return c.run(std::span<char* const>(argv + 2, argc - 2));
    std::fprintf(stderr, "tallix-cli: unknown command '%s'\n", argv[1]);
    printHelp(stderr);
    return 2;
}
