#pragma once

// The determinant's cofactor expansion as written: along the top row of each
// minor, the minor's columns in a list, recursing into every minor anew
// (n! products). The reference detCofactor must match bit for bit, and the
// baseline of its benchmark.
#include "engine/matrix/MatCatalog.h"

namespace tallix::test {

// cols[0..size) are the minor's columns; no allocation, so that the
// benchmark measures the arithmetic.
inline Extended literalMinor(const MatGrid& m, int top, const int* cols, int size) {
    if (size == 1) return m.at(top, cols[0]);
    if (size == 2)
        return m.at(top, cols[0]) * m.at(top + 1, cols[1]) -
               m.at(top, cols[1]) * m.at(top + 1, cols[0]);
    Extended sum = 0;
    for (int i = 0; i < size; ++i) {
        int rest[kMatMaxDim];
        for (int j = 0, k = 0; j < size; ++j)
            if (j != i) rest[k++] = cols[j];
        if (i % 2 == 0)
            sum = sum + m.at(top, cols[i]) * literalMinor(m, top + 1, rest, size - 1);
        else
            sum = sum - m.at(top, cols[i]) * literalMinor(m, top + 1, rest, size - 1);
    }
    return sum;
}

inline Extended literalDet(const MatGrid& m) {
    int cols[kMatMaxDim];
    for (int c = 0; c < m.rows; ++c)
        cols[c] = c;
    return literalMinor(m, 0, cols, m.rows);
}

} // namespace tallix::test
