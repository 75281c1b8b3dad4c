// exact.h — the nearest point of the true cubic to Q, the reference the table search
// is measured against.
//
// The squared distance |B(t) - Q|^2 is a sextic in t; its interior minima are the
// roots of the quintic f(t) = (B(t) - Q) . B'(t) where f changes sign from negative
// to positive. The roots are isolated by the derivative chain f''' -> f'' -> f' -> f:
// the roots of each derivative cut [0, 1] into pieces on which the next polynomial is
// monotone, so every piece holds at most one root, found by Newton steps kept inside a
// bisection bracket. The minima and both ends are compared by squared distance.
//
// Fixed-size arrays only, no allocation, no recursion; every root search stops after
// at most EXACT_MAX_ITERATIONS steps. Degenerate curves (all control points equal,
// a straight segment, a cusp, Q on the curve) give a finite answer; when every t is
// equally near (f vanishes identically) the answer is t = 0.
#pragma once

#include "curve/point2.h"

// Bound on the steps of one root search. A search usually ends within a dozen steps;
// the bound ends it where rounding keeps the function's sign from settling or the
// root lies so near t = 0 that its units in the last place are tiny.
constexpr int EXACT_MAX_ITERATIONS = 100;

struct ExactNearest {
    Point2 point;     // B(t), evaluated in Bernstein form (exactly P0 at t = 0, P3 at t = 1)
    double t;         // in [0, 1]
    double distance;  // |point - q|
};

// Nearest point of the cubic with control points ctrl[0..3] to q, t in [0, 1]. Ties
// keep the smallest t among the candidates. No allocation.
ExactNearest exactNearest(const Point2* ctrl, const Point2& q);
