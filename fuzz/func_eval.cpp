// The function compiler and evaluator: any function-keypad tokens, evaluated
// at x values from the input (and at 0, -1 and the undefined value) in every
// angle mode. A compiled function gives a number or the undefined value, the
// same at the same x every time and in every slot it is written to, and the
// undefined x gives an undefined value whenever x occurs; a function that
// does not compile fails with one of the compiler's messages.
#include "fuzz/FuzzCheck.h"

#include "engine/func/FuncSet.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace tallix;

namespace {

bool sameValue(Extended a, Extended b) {
    return (isUndefined(a) && isUndefined(b)) || std::memcmp(&a, &b, 10) == 0;
}

bool knownError(const std::string& text) {
    using namespace funcerr;
    for (const char* known : {kTooManyOpen, kTooManyClose, kArc, kUnbalanced, kInsufficient,
                              kTooFew, kTooMany, kTooLong, kTooDeep, kProgramFull, kPoolFull})
        if (text == known) return true;
    return text.starts_with(kNumberFormat);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 8192) return 0;
    fuzz::Input in(data, size);
    // Tokens up to the first 0xFF byte, then x values as (mantissa, exponent).
    std::vector<TokenCode> tokens;
    bool usesX = false;
    while (!in.empty()) {
        const std::uint8_t b = in.byte();
        if (b == 0xFF) break;
        tokens.push_back(static_cast<TokenCode>(b % func::kCodeCount));
        usesX = usesX || tokens.back() == func::Var;
    }
    std::vector<Extended> xs = {0, -1, UndefinedMarker};
    while (!in.empty() && xs.size() < 16) {
        const auto mantissa = in.raw<std::int32_t>();
        const int exponent = static_cast<std::int8_t>(in.byte());
        xs.push_back(std::ldexp(static_cast<Extended>(mantissa), exponent));
    }

    auto set = std::make_unique<FuncSet>();
    set->setTokens(1, tokens);
    set->setTokens(2, tokens);
    for (TrigMode trig : {TrigMode::Radians, TrigMode::Degrees}) {
        for (Extended x : xs) {
            set->EvalFuncAtX(1, x, trig);
            if (!set->FuncErrorText.empty()) {
                FUZZ_CHECK(knownError(set->FuncErrorText), "unknown error \"%s\"",
                           set->FuncErrorText.c_str());
                // The second slot shares the constant pool: it may run out
                // where the first did not, never the other way round.
                set->EvalFuncAtX(2, x, trig);
                FUZZ_CHECK(!set->FuncErrorText.empty(), "slot 2 compiles what slot 1 did not");
                return 0;
            }
            const Extended y = set->FuncResult;
            FUZZ_CHECK(isUndefined(y) || !std::isnan(y), "a NaN that is not undefined");
            if (isUndefined(x) && usesX) FUZZ_CHECK(isUndefined(y), "f(undefined) = %.21Lg", y);
            set->EvalFuncAtX(1, x, trig);
            FUZZ_CHECK(set->FuncErrorText.empty() && sameValue(set->FuncResult, y),
                       "f(%.21Lg) is %.21Lg, then %.21Lg", x, y, set->FuncResult);
            set->EvalFuncAtX(2, x, trig);
            if (set->FuncErrorText == funcerr::kPoolFull) continue;
            FUZZ_CHECK(set->FuncErrorText.empty() && sameValue(set->FuncResult, y),
                       "f(%.21Lg) is %.21Lg in slot 1 but %.21Lg in slot 2 (%s)", x, y,
                       set->FuncResult, set->FuncErrorText.c_str());
        }
    }
    return 0;
}
