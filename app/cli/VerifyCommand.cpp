#include "app/cli/Commands.h"

#include "engine/calc/Verification.h"
#include "store/SuiteFile.h"

#include <cstdio>
#include <string>

namespace tallix::cli {

// Runs a verification suite without a window: prints the "Errors" lines as the
// verification window lists them, then "N passed, M failed". A suite that
// cannot be read, or is too large, is refused with exit status 2.
int runVerify(std::span<char* const> args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tallix-cli verify FILE\n");
        return 2;
    }
    std::string text;
    if (const auto refusal = readSuiteFile(args[0], text)) {
        std::printf("%s\n", refusal->c_str());
        return 2;
    }
    CalcEditor editor;
    VerificationRun run(editor);
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        run.runLine(static_cast<int>(i) + 1, lines[i]);
    for (const std::string& e : run.errors())
        std::printf("%s\n", e.c_str());
    std::printf("%d passed, %d failed\n", run.checked() - run.failed(), run.failed());
    return run.failed() > 0 ? 1 : 0;
}

} // namespace tallix::cli
