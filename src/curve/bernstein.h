// bernstein.h — the cubic Bernstein basis, tabulated at t = k/1024.
//
// TABLE_ROWS rows of B0..B3 at t = k / TABLE_STEPS, k = 0..1024. Every entry is
// exact in double precision (t has at most ten significant bits), so each row sums
// to exactly 1 and evaluating a row needs no power: 8 multiplications, 8 additions.
// Fixed-size, no allocation. Rows outside 0..1024 do not exist; callers never ask.
#pragma once

#include "curve/point2.h"

constexpr int DEGREE = 3;
constexpr int TABLE_STEPS = 1024;
constexpr int TABLE_ROWS = TABLE_STEPS + 1;

struct BernsteinTable {
    double rows[TABLE_ROWS][DEGREE + 1];  // rows[k] = {B0, B1, B2, B3} at t = k/1024
};

// x^n for n >= 0 by repeated squaring (right to left over the bits of n).
inline double integerPower(double x, int n) {
    double result = 1.0;
    for (; n > 0; n >>= 1, x *= x)
        if (n & 1) result *= x;
    return result;
}

// Binomial coefficients C(3,0), C(3,1), C(3,2); only the first two are read.
struct Binomials {
    int c[DEGREE];
};

// Pascal's rule on the left half of the row, in place: 1, 3, 3.
Binomials buildBinomials();

// Fills all 1025 rows from the binomials, by the basis's symmetry B(3-i)(t) = B(i)(1-t).
void buildBernsteinTable(BernsteinTable& table, const Binomials& binomials);

// Row of a parameter t in [0, 1]: trunc(t * 1024). Exact for multiples of 1/1024.
inline int rowForParameter(double t) {
    return static_cast<int>(t * TABLE_STEPS);
}

// Curve point of row k (0..1024) for the control points ctrl[0..3]. Each coordinate
// sums P0*B0 + P1*B1 + P2*B2 + P3*B3 from 0.0, in that order, so results are
// reproducible to the bit.
inline Point2 evaluateRow(const BernsteinTable& table, const Point2* ctrl, int k) {
    const double* b = table.rows[k];
    double x = 0.0;
    double y = 0.0;
    x += ctrl[0].x * b[0];
    x += ctrl[1].x * b[1];
    x += ctrl[2].x * b[2];
    x += ctrl[3].x * b[3];
    y += ctrl[0].y * b[0];
    y += ctrl[1].y * b[1];
    y += ctrl[2].y * b[2];
    y += ctrl[3].y * b[3];
    return {x, y};
}
