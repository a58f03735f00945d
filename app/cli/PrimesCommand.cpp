#include "app/cli/Commands.h"

#include "engine/primes/FactPrime.h"
#include "engine/primes/PrimeSieve.h"

#include <cstdio>
#include <string>

namespace tallix::cli {

namespace {

// The one TEXT argument, or nothing (after a usage message).
const char* onlyText(std::span<char* const> args, const char* command) {
    if (args.size() == 1) return args[0];
    std::fprintf(stderr, "usage: tallix-cli %s TEXT\n", command);
    return nullptr;
}

int printSearch(const std::optional<std::string>& answer) {
    std::printf("%s\n", answer ? answer->c_str() : kValueErrorText);
    return 0;
}

} // namespace

int runFactor(std::span<char* const> args) {
    const char* text = onlyText(args, "factor");
    if (!text) return 2;
    std::string line;
    for (const std::string& f : factorList(text))
        line += (line.empty() ? "" : " ") + f;
    std::printf("%s\n", line.c_str());
    return 0;
}

int runNextPrime(std::span<char* const> args) {
    const char* text = onlyText(args, "nextprime");
    return text ? printSearch(nextPrimeText(PrimeSieve(), text)) : 2;
}

int runPrevPrime(std::span<char* const> args) {
    const char* text = onlyText(args, "prevprime");
    return text ? printSearch(prevPrimeText(PrimeSieve(), text)) : 2;
}

} // namespace tallix::cli
