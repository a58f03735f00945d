// The calculator line: any sequence of calculator token codes, in each angle
// mode. A line evaluates to a finite number or to an error with its message,
// the same way every time, and its result text can always be written.
#include "fuzz/FuzzCheck.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/NumFormat.h"

#include <cmath>
#include <cstring>
#include <vector>

using namespace tallix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t flags = in.byte();
    std::vector<TokenCode> tokens;
    for (std::uint8_t b : in.rest()) {
        if (tokens.size() == static_cast<std::size_t>(kMaxLineTokens)) break;
        tokens.push_back(static_cast<TokenCode>(b % calc::kCodeCount));
    }
    for (TrigMode trig : {TrigMode::Radians, TrigMode::Degrees}) {
        const CalcEvalResult r = EvalCrExp(tokens, trig);
        switch (r.status) {
        case CalcEvalStatus::Empty:
            FUZZ_CHECK(tokens.empty(), "a line of %zu tokens evaluated to nothing", tokens.size());
            break;
        case CalcEvalStatus::Ok: {
            FUZZ_CHECK(std::isfinite(r.value), "an answer that is no number: %Lg", r.value);
            FUZZ_CHECK(r.errorText.empty(), "an answer with an error: %s", r.errorText.c_str());
            const CalcEvalResult again = EvalCrExp(tokens, trig);
            FUZZ_CHECK(again.ok() && std::memcmp(&again.value, &r.value, 10) == 0,
                       "two evaluations differ: %.21Lg and %.21Lg", r.value, again.value);
            CalcDisplaySettings settings;
            settings.roundN = flags % 22 - 1;
            settings.fracOutErrDig = -4 - (flags >> 5) % 7;
            settings.floatVsSci = (flags & 0x10) != 0;
            const DisplayMode mode = flags & 0x08 ? DisplayMode::Fraction : DisplayMode::Decimal;
            const std::string text = CalcResultText(r.value, mode, settings);
            FUZZ_CHECK(!text.empty() && text.find("NAN") == std::string::npos &&
                           text.find("INF") == std::string::npos,
                       "the answer %.21Lg shows as \"%s\"", r.value, text.c_str());
            break;
        }
        case CalcEvalStatus::Error:
        case CalcEvalStatus::Unbalanced:
            FUZZ_CHECK(!r.errorText.empty(), "an error without a message");
            break;
        }
    }
    return 0;
}
