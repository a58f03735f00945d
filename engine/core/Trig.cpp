#include "engine/core/Trig.h"

namespace tallix::trig_detail {

namespace {

// a + b = sum + error exactly, whatever the magnitudes.
Extended twoSum(Extended a, Extended b, Extended& error) {
    const Extended sum = a + b;
    const Extended back = sum - a;
    error = (a - (sum - back)) + (b - back);
    return sum;
}

} // namespace

QuarterTurns reduceNearMultiple(Extended x, Extended n, unsigned quadrant) {
    // Every product is exact; only n * kPart4 rounds, at 2^-150 or below.
    Extended e1 = 0;
    Extended e2 = 0;
    const Extended s1 = twoSum(x - n * kPart1, -(n * kPart2), e1);
    const Extended s2 = twoSum(s1, -(n * kPart3), e2);
    Extended lo = (e1 + e2) - n * kPart4;
    const Extended hi = s2 + lo;
    lo -= hi - s2;
    return {hi, lo, quadrant};
}

} // namespace tallix::trig_detail
