#include "engine/core/NumFormat.h"

#include "engine/core/FracSearch.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tallix {

namespace {

// Decimal digits of a finite, nonzero |x| rounded to `precision` significant
// digits: digits[0] is the leading one, the value is 0.d1d2... * 10^(exponent + 1).
struct SigDigits {
    std::string digits;
    int exponent = 0;
};

SigDigits sigDigits(Extended ax, int precision) {
    char buf[64];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, precision - 1);
    SigDigits out;
    const char* e = std::find(buf, r.ptr, 'e');
    for (const char* c = buf; c != e; ++c)
        if (*c != '.') out.digits.push_back(*c);
    std::from_chars(e + (e[1] == '+' ? 2 : 1), r.ptr, out.exponent);
    return out;
}

void appendExponent(std::string& s, int exponent, int minDigits) {
    s += 'E';
    s += exponent < 0 ? '-' : '+';
    std::string e = std::to_string(std::abs(exponent));
    if (static_cast<int>(e.size()) < minDigits) s.append(minDigits - e.size(), '0');
    s += e;
}

void stripTrailingZeros(std::string& digits) {
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

std::string exponentLayout(const SigDigits& d, int minDigits) {
    std::string s(1, d.digits[0]);
    if (d.digits.size() > 1) {
        s += '.';
        s.append(d.digits, 1);
    }
    appendExponent(s, d.exponent, minDigits);
    return s;
}

// Digits laid out without exponent, keeping `decimals` digits after the point
// (padding with zeros or cutting, no rounding: the digits are already rounded).
std::string plainLayout(const SigDigits& d, int decimals) {
    std::string s;
    const int e = d.exponent;
    auto digit = [&](int pos) { // pos-th digit, 0 = leading
        return pos >= 0 && pos < static_cast<int>(d.digits.size()) ? d.digits[pos] : '0';
    };
    if (e < 0)
        s.push_back('0');
    else
        for (int i = 0; i <= e; ++i)
            s += digit(i);
    if (decimals > 0) {
        s += '.';
        for (int i = 1; i <= decimals; ++i)
            s += digit(e + i);
    }
    return s;
}

std::string nonFinite(Extended x) {
    if (std::isnan(x)) return "NAN";
    return x < 0 ? "-INF" : "INF";
}

bool isIntegral(Extended x) {
    return std::trunc(x) == x;
}

// Relative tolerance 10^digits for digits in -10..-4, correctly rounded.
Extended tolerance(int digits) {
    static constexpr Extended kPowers[] = {1e-10L, 1e-9L, 1e-8L, 1e-7L, 1e-6L, 1e-5L, 1e-4L};
    return kPowers[std::clamp(digits, -10, -4) + 10];
}

constexpr std::uint64_t kMaxPiDenominator = 72;
constexpr std::uint64_t kMaxLabelDenominator = 256;
constexpr Extended kLabelTolerance = 1e-9L;
constexpr Extended kMatrixTolerance = 1e-11L;

} // namespace

std::string signedFraction(bool negative, std::uint64_t p, std::uint64_t q) {
    std::string s;
    if (negative) s.push_back('-');
    s.append(std::to_string(p)).append(" / ").append(std::to_string(q));
    return s;
}

std::string piText(bool negative, std::uint64_t p, std::uint64_t q) {
    std::string s;
    if (negative) s.push_back('-');
    if (negative || p != 1) s.append(std::to_string(p));
    s.append(" pi");
    if (q != 1) s.append(" / ").append(std::to_string(q));
    return s;
}

std::string formatFloat(FloatFormat kind, int precision, int digits, Extended x) {
    if (!std::isfinite(x)) return nonFinite(x);
    precision = std::clamp(precision, 1, 20);
    if (x == 0) x = 0; // no "-0"
    const bool negative = x < 0;
    const Extended ax = std::fabs(x);
    std::string body;
    if (kind == FloatFormat::Fixed) {
        const int decimals = std::clamp(digits, 0, 20);
        if (ax == 0) {
            body = plainLayout({"0", 0}, decimals);
        } else {
            SigDigits d = sigDigits(ax, precision);
            if (d.exponent >= precision) {
                body = exponentLayout(d, 0);
            } else if (decimals >= precision - 1 - d.exponent) {
                body = plainLayout(d, decimals);
            } else {
                char buf[64];
                const auto r =
                    std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::fixed, decimals);
                body.assign(buf, r.ptr);
            }
        }
    } else {
        const int expDigits = std::clamp(digits, 0, 4);
        if (ax == 0) {
            body = kind == FloatFormat::General
                       ? "0"
                       : exponentLayout({std::string(precision, '0'), 0}, expDigits);
        } else {
            SigDigits d = sigDigits(ax, precision);
            if (kind == FloatFormat::Exponent) {
                body = exponentLayout(d, expDigits);
            } else {
                stripTrailingZeros(d.digits);
                if (d.exponent < -4 || d.exponent >= precision) {
                    body = exponentLayout(d, expDigits);
                } else {
                    const int decimals =
                        std::max(0, static_cast<int>(d.digits.size()) - 1 - d.exponent);
                    body = plainLayout(d, decimals);
                }
            }
        }
    }
    const bool allZero =
        body.substr(0, body.find('E')).find_first_of("123456789") == std::string::npos;
    if (negative && !allZero) return "-" + body;
    return body;
}

std::string decimalText(Extended x) {
    return formatFloat(FloatFormat::General, 15, 0, x);
}

std::string integerText(Extended x) {
    const Extended r = std::nearbyint(x);
    if (!(std::fabs(r) < 0x1p63L)) return decimalText(x);
    return std::to_string(static_cast<std::int64_t>(r));
}

std::string CalcResultText(Extended v, DisplayMode mode, const CalcDisplaySettings& settings) {
    if (mode == DisplayMode::Decimal) {
        if (!settings.floatVsSci) return scientific20Text(v);
        if (settings.roundN < 0) return general20Text(v);
        const Extended a = std::fabs(v);
        if (a > 1e19L || a < 1e-14L) return general20Text(v);
        return fixedText(v, std::min(settings.roundN, 20));
    }
    if (isIntegral(v)) return integerText(v);
    const Extended tol = tolerance(settings.fracOutErrDig);
    const bool negative = v < 0;
    if (settings.expPiReduction) {
        const FracMatch m = fracSearch(std::fabs(v) / kPi, tol, kPiSearchSteps);
        if (m.found && m.q <= kMaxPiDenominator) return piText(negative, m.p, m.q);
    }
    const FracMatch m = fracSearch(std::fabs(v), tol, kLongFracSteps);
    if (m.found) return signedFraction(negative, m.p, m.q);
    return decimalText(v);
}

std::string FloatToStrPiRational(Extended x) {
    if (isIntegral(x)) return integerText(x);
    const bool negative = x < 0;
    const FracMatch pi = fracSearch(std::fabs(x) / kPi, kLabelTolerance, kPiSearchSteps);
    if (pi.found && pi.q <= kMaxPiDenominator) {
        std::string s = piText(negative, pi.p, pi.q);
        if (s == "-1 pi") return "-pi";
        if (s.starts_with("-1 pi /")) s.replace(0, 6, "-pi ");
        return s;
    }
    const FracMatch m = fracSearch(std::fabs(x), kLabelTolerance, kShortFracSteps);
    if (m.found && m.q <= kMaxLabelDenominator) return signedFraction(negative, m.p, m.q);
    return {};
}

std::string FloatToOnlyPiRational(Extended x) {
    if (isIntegral(x)) return {};
    const bool negative = x < 0;
    const FracMatch pi = fracSearch(std::fabs(x) / kPi, kLabelTolerance, kPiSearchSteps);
    if (pi.found && pi.q <= kMaxPiDenominator) {
        std::string s = piText(negative, pi.p, pi.q);
        if (s.starts_with("-1 pi /")) s.replace(0, 6, "-pi ");
        return s;
    }
    const FracMatch m = fracSearch(std::fabs(x), kLabelTolerance, kShortFracSteps);
    if (m.found && m.q != 1 && m.q <= kMaxLabelDenominator)
        return signedFraction(negative, m.p, m.q);
    return {};
}

std::string FloatToRationalStr(bool withDecimal, Extended x) {
    if (isIntegral(x)) return integerText(x);
    const FracMatch m = fracSearch(std::fabs(x), kMatrixTolerance, kLongFracSteps);
    if (!m.found) return decimalText(x);
    if (m.q == 1) return integerText(x);
    const std::string fraction = signedFraction(x < 0, m.p, m.q);
    return withDecimal ? decimalText(x) + "  =" + fraction : fraction;
}

} // namespace tallix
