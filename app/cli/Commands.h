#pragma once

#include <span>
#include <string_view>

namespace tallix::cli {

// Each subcommand takes the arguments after its name and returns the exit
// status: 0 done, 1 a check failed, 2 a usage error or unreadable input.
using Command = int (*)(std::span<char* const> args);

struct CommandEntry {
    std::string_view name;
    std::string_view usage;
    Command run;
};

int runEval(std::span<char* const> args);
int runVerify(std::span<char* const> args);
#ifdef TALLIX_WITH_UI
int runSnapshot(std::span<char* const> args);
int runExport(std::span<char* const> args);
#endif
int runFx(std::span<char* const> args);
int runMat(std::span<char* const> args);
int runMatOp(std::span<char* const> args);
int runGj(std::span<char* const> args);
int runRegr(std::span<char* const> args);
int runTRange(std::span<char* const> args);
int runFactor(std::span<char* const> args);
int runNextPrime(std::span<char* const> args);
int runPrevPrime(std::span<char* const> args);
int runAnalyze(std::span<char* const> args);
int runEvalAt(std::span<char* const> args);
int runDefInt(std::span<char* const> args);
int runXStep(std::span<char* const> args);

} // namespace tallix::cli
