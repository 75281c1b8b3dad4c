// The exact solver against brute force: dense sampling of the true curve (2^20 + 1
// parameters) and every row of the Bernstein table. Curve points on the reference
// side come from de Casteljau's construction, which shares no code or rounding
// order with the solver.
//
// Tolerance: 1e-9 for scenes of a few hundred units, plus 1e-14 per unit of the
// largest coordinate, because a point at 1e6 carries rounding of about 1e-10 per
// operation on either side (1.1e-8 in all at 1e6).
#include "search/exact.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <ostream>
#include <random>
#include <string>

#include "curve/bernstein.h"

namespace {

constexpr int DENSE_STEPS = 1 << 20;

struct Case {
    const char* name;
    std::array<Point2, 4> ctrl;
    Point2 q;
    double qAt = -1.0;  // when in [0, 1], Q is instead the curve point at this t
};

// Failure messages name the case instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

Point2 lerp(const Point2& a, const Point2& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Point2 deCasteljau(const std::array<Point2, 4>& p, double t) {
    const Point2 a = lerp(p[0], p[1], t);
    const Point2 b = lerp(p[1], p[2], t);
    const Point2 c = lerp(p[2], p[3], t);
    return lerp(lerp(a, b, t), lerp(b, c, t), t);
}

double distance(const Point2& a, const Point2& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double tolerance(const std::array<Point2, 4>& p, const Point2& q) {
    double extent = std::max(std::fabs(q.x), std::fabs(q.y));
    for (const Point2& c : p) extent = std::max({extent, std::fabs(c.x), std::fabs(c.y)});
    return 1e-9 + 1e-14 * extent;
}

// The curve's speed never exceeds 3 * max |P(i+1) - Pi|: B' is a quadratic Bezier
// curve with control points 3 (P(i+1) - Pi), and lies in their convex hull.
double speedBound(const std::array<Point2, 4>& p) {
    double longest = 0.0;
    for (std::size_t i = 0; i < 3; ++i) longest = std::max(longest, distance(p[i + 1], p[i]));
    return 3.0 * longest;
}

// What every answer must satisfy, whatever the scene: finite, t in [0, 1], the point
// on the curve at t, and the distance that point's.
ExactNearest solveChecked(const std::array<Point2, 4>& p, const Point2& q) {
    const ExactNearest e = exactNearest(p.data(), q);
    const double tol = tolerance(p, q);
    EXPECT_TRUE(std::isfinite(e.point.x) && std::isfinite(e.point.y) && std::isfinite(e.distance));
    EXPECT_GE(e.t, 0.0);
    EXPECT_LE(e.t, 1.0);
    const Point2 onCurve = deCasteljau(p, e.t);
    EXPECT_NEAR(e.point.x, onCurve.x, tol);
    EXPECT_NEAR(e.point.y, onCurve.y, tol);
    EXPECT_NEAR(e.distance, distance(e.point, q), tol);
    return e;
}

// Dense sampling never beats the solver, and the solver comes no closer than the
// sampling allows: the true minimum lies within half a spacing h of some sample, so
// the best sample exceeds it by at most speedBound * h / 2.
void expectMatchesDenseSampling(const std::array<Point2, 4>& p, const Point2& q) {
    const ExactNearest e = solveChecked(p, q);
    double denseMin = distance(p[0], q);
    double denseT = 0.0;
    const double h = 1.0 / DENSE_STEPS;
    for (int k = 1; k <= DENSE_STEPS; ++k) {
        const double d = distance(deCasteljau(p, k * h), q);
        if (d < denseMin) {
            denseMin = d;
            denseT = k * h;
        }
    }
    const double tol = tolerance(p, q);
    EXPECT_LE(e.distance, denseMin + tol) << "sample at t = " << denseT << " is closer";
    EXPECT_GE(e.distance, denseMin - speedBound(p) * h * 0.5 - tol);
}

void expectNotBeatenByTable(const BernsteinTable& table, const std::array<Point2, 4>& p,
                            const Point2& q) {
    const ExactNearest e = solveChecked(p, q);
    const double tol = tolerance(p, q);
    for (int k = 0; k < TABLE_ROWS; ++k) {
        const double d = distance(evaluateRow(table, p.data(), k), q);
        if (e.distance > d + tol) {
            ADD_FAILURE() << "row " << k << " at " << d << " beats " << e.distance
                          << " (t = " << e.t << ")";
            return;
        }
    }
}

std::array<Point2, 4> scaled(std::array<Point2, 4> p, double factor) {
    for (Point2& c : p) c = {c.x * factor, c.y * factor};
    return p;
}

// Hodograph control points (600, 600), (-600, 0), (600, -600) sum to zero at t = 1/2
// with weights 1/4, 1/2, 1/4: a cusp at B(1/2) = (100, 150).
constexpr std::array<Point2, 4> CUSP = {{{0, 0}, {200, 200}, {0, 200}, {200, 0}}};
// Crosses itself on x = 0.
constexpr std::array<Point2, 4> LOOP = {{{-200, 0}, {300, 300}, {-300, 300}, {200, 0}}};
// x(t) = (t - 1/2)(2200 t^2 - 2200 t + 400): the loop crosses itself where the two
// other roots, symmetric about 1/2, meet.
const double LOOP_CROSSING_T = 0.5 - std::sqrt(1320000.0) / 4400.0;
// Quarter circle of radius 300 about the origin (handle factor 0.5523): every point
// is within 0.1 of distance 300 from the centre, so f nearly vanishes along it.
constexpr std::array<Point2, 4> ARC = {{{300, 0}, {300, 165.69}, {165.69, 300}, {0, 300}}};
constexpr std::array<Point2, 4> ORDINARY = {{{-300, -200}, {-100, 250}, {150, -250}, {320, 180}}};

const Case DEGENERATE_CASES[] = {
    {"AllPointsEqual", {{{50, 60}, {50, 60}, {50, 60}, {50, 60}}}, {-120, 30}},
    {"AllPointsEqualAndQ", {{{50, 60}, {50, 60}, {50, 60}, {50, 60}}}, {50, 60}},
    {"NearlyCoincident",
     {{{10, 10}, {10 + 1e-9, 10}, {10, 10 - 1e-9}, {10 + 2e-9, 10 + 1e-9}}},
     {-80, 95}},
    {"EvenlySpacedSegment", {{{0, 0}, {100, 50}, {200, 100}, {300, 150}}}, {100, 200}},
    {"EvenlySpacedSegmentQOnIt", {{{0, 0}, {100, 50}, {200, 100}, {300, 150}}}, {150, 75}},
    {"CollinearDoublingBack", {{{0, 0}, {300, 0}, {-100, 0}, {200, 0}}}, {50, 40}},
    {"CollinearQOnLine", {{{0, 0}, {300, 0}, {-100, 0}, {200, 0}}}, {-30, 0}},
    {"CoincidentHandles", {{{0, 0}, {0, 0}, {300, 100}, {300, 100}}}, {250, -40}},
    {"ThreePointsEqual", {{{-200, 50}, {100, 100}, {100, 100}, {100, 100}}}, {120, 90}},
    {"QAtCusp", CUSP, {100, 150}},
    {"QJustAboveCusp", CUSP, {100, 150.001}},
    {"QJustBelowCusp", CUSP, {100, 149.999}},
    {"QInsideLoop", LOOP, {0, 180}},
    {"QAtLoopCrossing", LOOP, {0, 0}, LOOP_CROSSING_T},
    {"QAtArcCentre", ARC, {0, 0}},
    {"QOnCurveInterior", ORDINARY, {0, 0}, 0.3},
    {"QAtStart", ORDINARY, {-300, -200}},
    {"QAtEnd", ORDINARY, {320, 180}},
    {"LargeOrdinary", scaled(ORDINARY, 3000.0), {2.5e5, -4e5}},
    {"LargeCuspQAtCusp", scaled(CUSP, 5000.0), {5e5, 7.5e5}},
    {"LargeOffsetSegment",
     {{{-1e6, 1e6}, {-1e6 + 1, 1e6}, {-1e6 + 2, 1e6}, {-1e6 + 3, 1e6}}},
     {-1e6 + 1.5, 1e6 - 1e-3}},
    {"LargeNearlyCoincident",
     {{{1e6, -1e6}, {1e6, -1e6}, {1e6 + 1e-4, -1e6}, {1e6, -1e6}}},
     {-1e6, 1e6}},
};

class ExactDegenerate : public ::testing::TestWithParam<Case> {};

TEST_P(ExactDegenerate, MatchesDenseSampling) {
    const Case& c = GetParam();
    expectMatchesDenseSampling(c.ctrl, c.qAt >= 0.0 ? deCasteljau(c.ctrl, c.qAt) : c.q);
}

INSTANTIATE_TEST_SUITE_P(Exact, ExactDegenerate, ::testing::ValuesIn(DEGENERATE_CASES),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.name);
                         });

std::array<Point2, 4> randomCurve(std::mt19937_64& rng, double extent) {
    std::uniform_real_distribution<double> coord(-extent, extent);
    std::array<Point2, 4> p{};
    for (Point2& c : p) c = {coord(rng), coord(rng)};
    return p;
}

TEST(ExactNearest, MatchesDenseSamplingOnRandomScenes) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> coord(-400.0, 400.0);
    for (int scene = 0; scene < 8; ++scene) {
        SCOPED_TRACE("scene " + std::to_string(scene));
        const std::array<Point2, 4> p = randomCurve(rng, 400.0);
        expectMatchesDenseSampling(p, {coord(rng), coord(rng)});
    }
}

// Many scenes against the 1025 rows the table search chooses from, at the viewer's
// scale, with Q on the curve, and at the largest coordinates.
TEST(ExactNearest, NeverBeatenByTableRows) {
    BernsteinTable table{};
    buildBernsteinTable(table, buildBinomials());
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int scene = 0; scene < 3000; ++scene) {
        SCOPED_TRACE("scene " + std::to_string(scene));
        const double extent = scene % 3 == 2 ? 1e6 : 400.0;
        const std::array<Point2, 4> p = randomCurve(rng, extent);
        std::uniform_real_distribution<double> coord(-extent, extent);
        const Point2 q =
            scene % 3 == 1 ? deCasteljau(p, unit(rng)) : Point2{coord(rng), coord(rng)};
        expectNotBeatenByTable(table, p, q);
    }
}

// Random cusps with Q on or within 1e-6 of the cusp point. There the distance grows
// only with the square of the parameter error, so the solver must resolve t to about
// 1e-6; sampling at spacing 1e-9 around the cusp checks that it does.
TEST(ExactNearest, ResolvesQAtRandomCusps) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> coord(-400.0, 400.0);
    std::uniform_real_distribution<double> cuspAt(0.05, 0.95);
    std::uniform_real_distribution<double> offset(-1e-6, 1e-6);
    for (int scene = 0; scene < 40; ++scene) {
        SCOPED_TRACE("scene " + std::to_string(scene));
        // Control polygon legs h0, h1, h2 with (1-c)^2 h0 + 2c(1-c) h1 + c^2 h2 = 0, so
        // that B'(c) = 3 times that sum vanishes: the curve stops at t = c.
        const double c = cuspAt(rng);
        const Point2 h0 = {coord(rng), coord(rng)};
        const Point2 h2 = {coord(rng), coord(rng)};
        const double w = 2.0 * c * (1.0 - c);
        const Point2 h1 = {-((1.0 - c) * (1.0 - c) * h0.x + c * c * h2.x) / w,
                           -((1.0 - c) * (1.0 - c) * h0.y + c * c * h2.y) / w};
        std::array<Point2, 4> p{};
        p[0] = {coord(rng), coord(rng)};
        p[1] = {p[0].x + h0.x, p[0].y + h0.y};
        p[2] = {p[1].x + h1.x, p[1].y + h1.y};
        p[3] = {p[2].x + h2.x, p[2].y + h2.y};
        const Point2 cusp = deCasteljau(p, c);
        const Point2 q = scene % 2 == 0 ? cusp : Point2{cusp.x + offset(rng), cusp.y + offset(rng)};

        const ExactNearest e = solveChecked(p, q);
        const double tol = tolerance(p, q);
        for (int k = -20000; k <= 20000; ++k) {
            const double t = c + k * 1e-9;
            const double d = distance(deCasteljau(p, t), q);
            if (e.distance > d + tol) {
                ADD_FAILURE() << "t = " << t << " at " << d << " beats " << e.distance;
                break;
            }
        }
    }
}

// Answers known in closed form.
TEST(ExactNearest, AllPointsEqualGivesStartOfCurve) {
    const std::array<Point2, 4> p = {{{50, 60}, {50, 60}, {50, 60}, {50, 60}}};
    const ExactNearest e = exactNearest(p.data(), {-70, 110});
    EXPECT_EQ(e.t, 0.0);
    EXPECT_EQ(e.point.x, 50.0);
    EXPECT_EQ(e.point.y, 60.0);
    EXPECT_DOUBLE_EQ(e.distance, 130.0);
}

TEST(ExactNearest, EvenlySpacedSegmentGivesPerpendicularFoot) {
    // B(t) = (300 t, 150 t); the foot from (100, 200) is at t = (100 * 300 + 200 * 150)
    // / (300^2 + 150^2) = 8/15, the point (160, 80).
    const std::array<Point2, 4> p = {{{0, 0}, {100, 50}, {200, 100}, {300, 150}}};
    const ExactNearest e = exactNearest(p.data(), {100, 200});
    EXPECT_NEAR(e.t, 8.0 / 15.0, 1e-12);
    EXPECT_NEAR(e.point.x, 160.0, 1e-9);
    EXPECT_NEAR(e.point.y, 80.0, 1e-9);
    EXPECT_NEAR(e.distance, std::sqrt(18000.0), 1e-9);
}

TEST(ExactNearest, EndpointsAreExact) {
    const ExactNearest start = exactNearest(ORDINARY.data(), {-400, -300});
    EXPECT_EQ(start.t, 0.0);
    EXPECT_EQ(start.point.x, ORDINARY[0].x);
    EXPECT_EQ(start.point.y, ORDINARY[0].y);
    const ExactNearest end = exactNearest(ORDINARY.data(), ORDINARY[3]);
    EXPECT_EQ(end.t, 1.0);
    EXPECT_EQ(end.distance, 0.0);
}

}  // namespace
