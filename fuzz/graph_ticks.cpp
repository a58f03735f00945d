// The graph's tick and label arithmetic over any finite range: ranges a few
// units of the last place wide, ranges near the ends of the number type, and
// plain ones, with number and pi labels. The ticks lie in the range in
// ascending order, at most 1000 major and 400 minor ones, never at 0, and no
// two major labels are the same.
#include "fuzz/FuzzCheck.h"

#include "engine/graph/GraphLayout.h"

#include <cmath>
#include <limits>
#include <set>
#include <string>

using namespace tallix;

namespace {

Extended valueFrom(fuzz::Input& in) {
    const auto mantissa = in.raw<std::int64_t>();
    const int exponent = static_cast<std::int16_t>(in.raw<std::int16_t>()) % 16500;
    return std::ldexp(static_cast<Extended>(mantissa), exponent);
}

void checkAxis(Extended lo, Extended hi, bool piLabels) {
    const TickStep step = chooseTickStep(lo, hi);
    FUZZ_CHECK(step.major > 0 && std::isfinite(step.major) && step.minor >= 0 &&
                   step.minor < step.major,
               "[%.21Lg, %.21Lg]: step %Lg, minor %Lg", lo, hi, step.major, step.minor);
    // Tick values are whole multiples of the step, rounded twice (the
    // multiple's index, its value): within a unit or two of the last place of
    // the range's ends.
    const Extended slack = std::fmax(std::fmax(std::fabs(lo), std::fabs(hi)) * 0x1p-61L,
                                     4 * std::numeric_limits<Extended>::denorm_min());
    const std::vector<Tick> major = majorTicks(lo, hi, step, piLabels);
    FUZZ_CHECK(major.size() <= 1000, "%zu major ticks", major.size());
    std::set<std::string> labels;
    for (std::size_t i = 0; i < major.size(); ++i) {
        const Tick& t = major[i];
        FUZZ_CHECK(t.value >= lo - slack && t.value <= hi + slack && t.value != 0,
                   "[%.21Lg, %.21Lg] step %Lg: tick at %.21Lg", lo, hi, step.major, t.value);
        FUZZ_CHECK(i == 0 || major[i - 1].value < t.value, "ticks out of order at %.21Lg", t.value);
        FUZZ_CHECK(!t.label.empty() && t.label.find("NAN") == std::string::npos &&
                       t.label.find("INF") == std::string::npos,
                   "tick %.21Lg labelled \"%s\"", t.value, t.label.c_str());
        FUZZ_CHECK(labels.insert(t.label).second, "[%.21Lg, %.21Lg] step %Lg: label \"%s\" twice",
                   lo, hi, step.major, t.label.c_str());
    }
    const std::vector<Extended> minor = minorTicks(lo, hi, step.minor);
    FUZZ_CHECK(minor.size() <= 400, "%zu minor ticks", minor.size());
    for (std::size_t i = 0; i < minor.size(); ++i)
        FUZZ_CHECK(minor[i] > lo && minor[i] < hi && minor[i] != 0 &&
                       (i == 0 || minor[i - 1] < minor[i]),
                   "[%.21Lg, %.21Lg] step %Lg: minor tick at %.21Lg", lo, hi, step.minor, minor[i]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t kind = in.byte();
    Extended lo = valueFrom(in), hi = 0;
    switch (kind % 3) {
    case 0: // a few units of the last place wide
        hi = lo;
        for (int n = 1 + in.byte() % 16; n > 0; --n)
            hi = std::nextafter(hi, HUGE_VALL);
        break;
    case 1: // a width of its own
        hi = lo + std::fabs(valueFrom(in));
        break;
    default: // two ends
        hi = valueFrom(in);
        break;
    }
    if (!(std::isfinite(lo) && std::isfinite(hi) && lo < hi)) return 0;
    checkAxis(lo, hi, false);
    checkAxis(lo / kPi, hi / kPi, true);
    return 0;
}
