// The number-text parser and ExtractFPval: any text. A text that reads as a
// number reads as a real number (never NaN), and the number's own 20-digit
// text reads back to within the last digit; blanks around a number change
// nothing.
#include "fuzz/FuzzCheck.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

using namespace tallix;

namespace {

void checkReadsBack(Extended v, const char* what, const std::string& text) {
    if (isUndefined(v) || !std::isfinite(v)) return;
    const std::string written = general20Text(v);
    const Extended back = parseNumberText(written);
    // 20 digits and one rounding each way; a few steps apart below the
    // normal range, where the steps are wider than that.
    const Extended tolerance =
        std::fmax(std::fabs(v) * 1e-18L, 4 * std::numeric_limits<Extended>::denorm_min());
    FUZZ_CHECK(!isUndefined(back) && std::fabs(back - v) <= tolerance,
               "%s(\"%s\") = %.21Lg is written \"%s\", which reads %.21Lg", what, text.c_str(), v,
               written.c_str(), back);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const Extended v = parseNumberText(text);
    checkReadsBack(v, "parseNumberText", text);
    const Extended padded = parseNumberText("  " + text + "\t");
    FUZZ_CHECK(isUndefined(v) ? isUndefined(padded) : padded == v,
               "blanks change \"%s\": %.21Lg, then %.21Lg", text.c_str(), v, padded);

    const Extended w = ExtractFPval(text);
    checkReadsBack(w, "ExtractFPval", text);
    // A text naming e or pi is read by those rules ("1e5" is 1 e); any other
    // number reads as the parser reads it.
    const bool namesConstant = text.find_first_of("eEpP") != std::string::npos;
    if (!namesConstant && !isUndefined(v) && std::isfinite(v))
        FUZZ_CHECK(w == v, "\"%s\" is the number %.21Lg, but ExtractFPval reads %.21Lg",
                   text.c_str(), v, w);
    return 0;
}
