// The verification suite reader: any file text, replayed line by line
// through a calculator editor as the suite window and `tallix-cli verify` do.
// Every failure is reported as two lines, no more failures than checked
// lines, and each line is shown trimmed and upper-cased.
#include "fuzz/FuzzCheck.h"

#include "engine/calc/CalcEditor.h"
#include "engine/calc/Verification.h"

#include <string>
#include <string_view>

using namespace tallix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 16384) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = splitLines(text);
    FUZZ_CHECK(lines.size() <= size, "%zu lines from %zu bytes", lines.size(), size);
    CalcEditor editor;
    VerificationRun run(editor);
    for (std::size_t i = 0; i < lines.size() && i < 200; ++i) {
        const std::string shown = run.runLine(static_cast<int>(i) + 1, lines[i]);
        FUZZ_CHECK(shown.size() <= lines[i].size(), "line %zu grew", i + 1);
        for (char c : shown)
            FUZZ_CHECK(!(c >= 'a' && c <= 'z'), "line %zu shown as \"%s\"", i + 1, shown.c_str());
        FUZZ_CHECK(shown.empty() || (shown.front() != ' ' && shown.back() != ' '),
                   "line %zu shown as \"%s\"", i + 1, shown.c_str());
    }
    FUZZ_CHECK(run.errors().size() == 2 * static_cast<std::size_t>(run.failed()),
               "%d failures, %zu error lines", run.failed(), run.errors().size());
    FUZZ_CHECK(run.failed() <= run.checked(), "%d failed of %d", run.failed(), run.checked());
    return 0;
}
