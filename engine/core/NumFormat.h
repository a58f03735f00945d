#pragma once

#include "engine/core/Extended.h"

#include <cstdint>
#include <string>

namespace tallix {

// The display mode of the calculator's results.
enum class DisplayMode { Decimal, Fraction };

// The settings that shape the calculator's result text.
struct CalcDisplaySettings {
    int fracOutErrDig = -8;     // -10..-4: relative tolerance 10^this of the fraction/pi search
    int roundN = -1;            // -1..20: decimals of the fixed text; -1 means no rounding
    bool expPiReduction = true; // allow the pi-multiple form in fraction mode
    bool floatVsSci = true;     // decimal mode: general/fixed text rather than scientific
};

// Layouts of the float-to-text conversion. All of them write "." as the
// decimal point and "E" before the exponent, whose sign is always written
// ("1.5E+25", "2E-7"); they never depend on the C or C++ locale.
enum class FloatFormat {
    // `precision` significant digits, trailing zeros dropped; the exponent
    // form is used when the decimal exponent is below -4 or at least
    // `precision`, with at least `digits` exponent digits (0..4).
    General,
    // `digits` decimals (0..20); digits past the `precision`-th significant
    // one are written as zeros. A value of 10^precision or more is written in
    // the Exponent layout with minimal exponent digits.
    Fixed,
    // One digit, ".", precision - 1 digits, then the exponent with at least
    // `digits` digits (0..4).
    Exponent,
};

// The value as text in the given layout. Negative zero and a negative value
// that rounds to zero are written without sign; infinities and NaN as "INF",
// "-INF" and "NAN".
std::string formatFloat(FloatFormat kind, int precision, int digits, Extended x);

// The general 15-digit text: the number text written to files and shown
// wherever a plain number appears.
std::string decimalText(Extended x);
inline std::string general20Text(Extended x) {
    return formatFloat(FloatFormat::General, 20, 4, x);
}
inline std::string fixedText(Extended x, int decimals) {
    return formatFloat(FloatFormat::Fixed, 20, decimals, x);
}
inline std::string scientific20Text(Extended x) {
    return formatFloat(FloatFormat::Exponent, 20, 0, x);
}

// The integer text of round(x) (half to even). Values beyond the 64-bit range
// get the decimal text instead.
std::string integerText(Extended x);

// "-7 / 3": the numerator with its sign, " / ", the denominator.
std::string signedFraction(bool negative, std::uint64_t p, std::uint64_t q);
// "2 pi / 3", " pi / 4", "-1 pi", "3 pi": p pi / q, the numerator left out
// only when it is +1 and the denominator when it is 1.
std::string piText(bool negative, std::uint64_t p, std::uint64_t q);

// The calculator line's result text for the result value v.
std::string CalcResultText(Extended v, DisplayMode mode, const CalcDisplaySettings& settings);

// Integer, pi-multiple ("3 pi / 4", "-pi / 2", "-pi") or fraction (q <= 256)
// text of x, or the empty text when none fits within 1e-9. For graph labels.
std::string FloatToStrPiRational(Extended x);
// As FloatToStrPiRational, but empty for integers and for fractions with
// denominator 1, and -pi is written "-1 pi". For the analysis tools.
std::string FloatToOnlyPiRational(Extended x);
// Integer or fraction text of x within 1e-11 (no pi form); with withDecimal
// the fraction follows the decimal text: "0.75  =3 / 4". The decimal text
// alone when no fraction is found. For the matrix results.
std::string FloatToRationalStr(bool withDecimal, Extended x);

} // namespace tallix
