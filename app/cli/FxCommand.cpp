#include "app/cli/Commands.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/Scalar.h"
#include "engine/core/Tokens.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace tallix::cli {

namespace {

constexpr const char* kUsage = "usage: tallix-cli fx [--deg] [--polar|--param] [--] EXPR X...\n";

std::string valueText(Extended v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.20Lg", v);
    std::string s(buf);
    for (char& c : s)
        if (c == ',') c = '.';
    return s;
}

} // namespace

int runFx(std::span<char* const> args) {
    TrigMode trig = TrigMode::Radians;
    auto set = std::make_unique<FuncSet>();
    const char* expr = nullptr;
    std::vector<Extended> xs;
    bool optionsEnded = false; // after "--" come EXPR and the X values only
    for (std::string_view a : args) {
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a == "--deg") {
            trig = TrigMode::Degrees;
        } else if (!optionsEnded && a == "--polar") {
            set->PolarMode = true;
        } else if (!optionsEnded && a == "--param") {
            set->ParamMode = true;
        } else if (!expr) {
            expr = a.data();
        } else {
            const Extended x = parseNumberText(a);
            if (isUndefined(x)) {
                std::fprintf(stderr, "tallix-cli fx: '%s' is not a number\n", a.data());
                return 2;
            }
            xs.push_back(x);
        }
    }
    if (!expr || xs.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::vector<TokenCode> tokens = funcTokensFromText(expr);
    if (tokens.size() > static_cast<std::size_t>(kMaxFuncTokens)) {
        std::fprintf(stderr, "tallix-cli fx: more than %d tokens\n", kMaxFuncTokens);
        return 2;
    }
    set->setTokens(1, tokens);
    for (Extended x : xs) {
        set->EvalFuncAtX(1, x, trig);
        if (!set->FuncErrorText.empty())
            std::printf("%s\n", set->FuncErrorText.c_str());
        else if (isUndefined(set->FuncResult))
            std::printf("U\n");
        else
            std::printf("%s\n", valueText(set->FuncResult).c_str());
    }
    return 0;
}

} // namespace tallix::cli
