#include "search/exact.h"

#include <cmath>
#include <limits>

namespace {

// Root searches stop once the step or the bracket falls below tolerance * t. The
// derivatives' roots only place cuts, and a cut slightly off costs nothing (see
// rootCuts). f's own roots are resolved to about one unit in the last place of t: at
// speeds near 1e7 (coordinates near 1e6) each such unit is worth 1e-9 of distance.
constexpr double CUT_TOLERANCE = 1e-12;
constexpr double ROOT_TOLERANCE = std::numeric_limits<double>::epsilon();

// Cut points of [0, 1]: both ends and the interior cuts of one level. A level yields
// at most one cut per piece of the level below, so the quadratic gives at most 2, f''
// at most 3 and f' at most 4; the room left over is never used.
constexpr int MAX_CUTS = 8;

// B(t) - Q in power form, a t^3 + b t^2 + c t + d, with the multiples the first two
// derivatives need.
struct ShiftedCubic {
    Point2 a, b, c, d;
    Point2 a3, b2, a6;  // 3a, 2b, 6a
};

ShiftedCubic shiftedCubic(const Point2* p, const Point2& q) {
    ShiftedCubic s{};
    // B = P0 + 3(P1-P0) t + 3(P0 - 2P1 + P2) t^2 + (P3 - P0 + 3(P1 - P2)) t^3.
    s.a = {(p[3].x - p[0].x) + 3.0 * (p[1].x - p[2].x),
           (p[3].y - p[0].y) + 3.0 * (p[1].y - p[2].y)};
    s.b = {3.0 * ((p[0].x - p[1].x) + (p[2].x - p[1].x)),
           3.0 * ((p[0].y - p[1].y) + (p[2].y - p[1].y))};
    s.c = {3.0 * (p[1].x - p[0].x), 3.0 * (p[1].y - p[0].y)};
    s.d = {p[0].x - q.x, p[0].y - q.y};
    s.a3 = {3.0 * s.a.x, 3.0 * s.a.y};
    s.b2 = {2.0 * s.b.x, 2.0 * s.b.y};
    s.a6 = {6.0 * s.a.x, 6.0 * s.a.y};
    return s;
}

double dot(const Point2& u, const Point2& v) {
    return u.x * v.x + u.y * v.y;
}

// f = (B - Q) . B' and f' = |B'|^2 + (B - Q) . B'', from the factors rather than the
// expanded quintic: near a cusp with Q on it both factors vanish and the product
// keeps its relative accuracy, where the expanded sum would drown in rounding.
void stationaryValue(const ShiftedCubic& s, double t, double& value, double& slope) {
    const Point2 r = {((s.a.x * t + s.b.x) * t + s.c.x) * t + s.d.x,
                      ((s.a.y * t + s.b.y) * t + s.c.y) * t + s.d.y};
    const Point2 v = {(s.a3.x * t + s.b2.x) * t + s.c.x, (s.a3.y * t + s.b2.y) * t + s.c.y};
    const Point2 w = {s.a6.x * t + s.b2.x, s.a6.y * t + s.b2.y};
    value = dot(r, v);
    slope = dot(v, v) + dot(r, w);
}

// Value and slope of the power-form polynomial c[0] + c[1] t + ... + c[N] t^N.
template <int N>
void hornerWithSlope(const double* c, double t, double& value, double& slope) {
    double p = c[N];
    double dp = 0.0;
    for (int i = N - 1; i >= 0; --i) {
        dp = dp * t + p;
        p = p * t + c[i];
    }
    value = p;
    slope = dp;
}

template <int N>
double horner(const double* c, double t) {
    double p = c[N];
    for (int i = N - 1; i >= 0; --i) p = p * t + c[i];
    return p;
}

// Root of a function that has opposite nonzero signs flo, fhi at lo < hi. Newton steps
// are taken while they land inside the bracket and at least halve the step before the
// previous one; otherwise the bracket is bisected. Every evaluation shrinks the
// bracket, so the search ends within EXACT_MAX_ITERATIONS even where rounding makes the
// function's sign unreliable.
template <class Evaluate>
double bracketedRoot(const Evaluate& evaluate, double lo, double hi, double flo, double fhi,
                     double tolerance) {
    const bool negativeAtLo = flo < 0.0;
    // False position as the first guess: on a monotone piece it is usually close.
    double x = lo + (hi - lo) * (flo / (flo - fhi));
    if (!(x > lo && x < hi)) x = 0.5 * (lo + hi);
    double step = hi - lo;
    double stepBefore = step;
    for (int i = 0; i < EXACT_MAX_ITERATIONS; ++i) {
        double value = 0.0;
        double slope = 0.0;
        evaluate(x, value, slope);
        if (value == 0.0) return x;
        if ((value < 0.0) == negativeAtLo) {
            lo = x;
        } else {
            hi = x;
        }
        double next = 0.5 * (lo + hi);
        if (slope != 0.0) {
            const double newton = x - value / slope;
            if (newton > lo && newton < hi && std::fabs(newton - x) * 2.0 < std::fabs(stepBefore))
                next = newton;
        }
        stepBefore = step;
        step = next - x;
        x = next;
        const double limit = tolerance * x;  // x >= 0: inside the bracket
        if (std::fabs(step) <= limit || hi - lo <= limit) break;
    }
    return x;
}

// Sorted cut points of [0, 1]: cuts[0] = 0, cuts[count - 1] = 1.
struct Cuts {
    double t[MAX_CUTS];
    int count;
};

void addCut(Cuts& cuts, double t) {
    if (cuts.count < MAX_CUTS - 1) cuts.t[cuts.count++] = t;
}

bool oppositeSigns(double u, double v) {
    return (u < 0.0 && v > 0.0) || (u > 0.0 && v < 0.0);
}

// Cuts at the roots in (0, 1) of k0 + k1 t + k2 t^2, by the cancellation-free form of
// the quadratic formula. Roots it misses through rounding are near-double roots,
// where the polynomial above it in the chain barely turns.
Cuts quadraticCuts(double k0, double k1, double k2) {
    Cuts cuts{};
    addCut(cuts, 0.0);
    double r0 = -1.0;
    double r1 = -1.0;
    if (k2 == 0.0) {
        if (k1 != 0.0) r0 = -k0 / k1;
    } else {
        const double discriminant = k1 * k1 - 4.0 * k2 * k0;
        if (discriminant >= 0.0) {
            const double h = -0.5 * (k1 + std::copysign(std::sqrt(discriminant), k1));
            r0 = h / k2;
            if (h != 0.0) r1 = k0 / h;
        }
    }
    if (r1 < r0) {
        const double swap = r0;
        r0 = r1;
        r1 = swap;
    }
    // Comparisons are false for NaN, so a non-finite root never becomes a cut.
    if (r0 > 0.0 && r0 < 1.0) addCut(cuts, r0);
    if (r1 > 0.0 && r1 < 1.0 && r1 != r0) addCut(cuts, r1);
    cuts.t[cuts.count++] = 1.0;
    return cuts;
}

// The polynomial c (degree N) is monotone between consecutive cuts, so each piece
// holds at most one of its roots; returns the cuts made by those roots. A cut where
// the value is exactly zero is a root too (and its neighbours then show no sign
// change, which keeps one cut per piece). Rounding can misplace or drop a cut only
// where this polynomial barely turns, next to a near-double root; f's signs are read
// at the cuts from its accurate factored form, so all that can slip past is a pair of
// f's roots closer together than rounding can tell apart, whose distances differ by
// rounding only.
template <int N>
Cuts rootCuts(const double* c, const Cuts& pieces) {
    double values[MAX_CUTS];
    for (int i = 0; i < pieces.count; ++i) values[i] = horner<N>(c, pieces.t[i]);
    Cuts cuts{};
    addCut(cuts, 0.0);
    const auto evaluate = [c](double t, double& value, double& slope) {
        hornerWithSlope<N>(c, t, value, slope);
    };
    for (int i = 0; i + 1 < pieces.count; ++i) {
        if (i > 0 && values[i] == 0.0) addCut(cuts, pieces.t[i]);
        if (oppositeSigns(values[i], values[i + 1]))
            addCut(cuts, bracketedRoot(evaluate, pieces.t[i], pieces.t[i + 1], values[i],
                                       values[i + 1], CUT_TOLERANCE));
    }
    cuts.t[cuts.count++] = 1.0;
    return cuts;
}

// The control polygon's point at t as P0 B0 + P1 B1 + P2 B2 + P3 B3: exactly P0 at
// t = 0 and P3 at t = 1.
Point2 curvePoint(const Point2* p, double t) {
    const double u = 1.0 - t;
    const double b0 = u * u * u;
    const double b1 = 3.0 * t * u * u;
    const double b2 = 3.0 * t * t * u;
    const double b3 = t * t * t;
    return {p[0].x * b0 + p[1].x * b1 + p[2].x * b2 + p[3].x * b3,
            p[0].y * b0 + p[1].y * b1 + p[2].y * b2 + p[3].y * b3};
}

// Best candidate so far, by squared distance; ties keep the earlier (smaller t).
struct Best {
    Point2 point;
    double t;
    double squared;
};

void offerCandidate(Best& best, const Point2* ctrl, const Point2& q, double t) {
    const Point2 point = curvePoint(ctrl, t);
    const double dx = point.x - q.x;
    const double dy = point.y - q.y;
    const double squared = dx * dx + dy * dy;
    if (squared < best.squared) best = {point, t, squared};
}

}  // namespace

ExactNearest exactNearest(const Point2* ctrl, const Point2& q) {
    const ShiftedCubic s = shiftedCubic(ctrl, q);

    // f = (a t^3 + b t^2 + c t + d) . (3a t^2 + 2b t + c), expanded; only its
    // derivatives are used, to cut [0, 1] into pieces where f is monotone.
    double f[6];
    f[5] = 3.0 * dot(s.a, s.a);
    f[4] = 5.0 * dot(s.a, s.b);
    f[3] = 4.0 * dot(s.a, s.c) + 2.0 * dot(s.b, s.b);
    f[2] = 3.0 * (dot(s.a, s.d) + dot(s.b, s.c));
    f[1] = dot(s.c, s.c) + 2.0 * dot(s.b, s.d);
    f[0] = dot(s.c, s.d);
    double f1[5];  // f'
    for (int i = 0; i < 5; ++i) f1[i] = (i + 1) * f[i + 1];
    double f2[4];  // f''
    for (int i = 0; i < 4; ++i) f2[i] = (i + 1) * f1[i + 1];

    const Cuts f2Pieces = quadraticCuts(f2[1], 2.0 * f2[2], 3.0 * f2[3]);
    const Cuts f1Pieces = rootCuts<3>(f2, f2Pieces);
    const Cuts fPieces = rootCuts<4>(f1, f1Pieces);

    Best best{ctrl[0], 0.0, std::numeric_limits<double>::infinity()};
    offerCandidate(best, ctrl, q, 0.0);

    // Interior minima of |B - Q|^2: pieces where f goes from negative to positive,
    // its value taken from the factored form.
    double values[MAX_CUTS];
    double unusedSlope = 0.0;
    for (int i = 0; i < fPieces.count; ++i)
        stationaryValue(s, fPieces.t[i], values[i], unusedSlope);
    const auto evaluate = [&s](double t, double& value, double& slope) {
        stationaryValue(s, t, value, slope);
    };
    for (int i = 0; i + 1 < fPieces.count; ++i) {
        if (i > 0 && values[i] == 0.0) offerCandidate(best, ctrl, q, fPieces.t[i]);
        if (values[i] < 0.0 && values[i + 1] > 0.0)
            offerCandidate(best, ctrl, q,
                           bracketedRoot(evaluate, fPieces.t[i], fPieces.t[i + 1], values[i],
                                         values[i + 1], ROOT_TOLERANCE));
    }

    offerCandidate(best, ctrl, q, 1.0);
    return {best.point, best.t, std::sqrt(best.squared)};
}
