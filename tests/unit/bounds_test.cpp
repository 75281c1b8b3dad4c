#include "search/bounds.h"

#include <gtest/gtest.h>

#include <cmath>

#include "curve/scene.h"

namespace {

struct KeyCase {
    const char* what;
    Point2 p0, p1, q;
    double r;
    double capsule;
    double box;
};

TEST(Bounds, CapsuleAndBoxKeys) {
    const KeyCase cases[] = {
        // Zero-length chord: the perpendicular branch is skipped, both keys measure to the point.
        {"zero-length chord", {3, 4}, {3, 4}, {0, 0}, 1.5, 5.0 - 1.5, 5.0 - 1.5},
        {"q on the chord", {-10, -10}, {10, 10}, {2, 2}, 4.0, -4.0, -4.0},
        {"q inside the rectangle, off the chord",
         {0, 0},
         {10, 10},
         {8, 2},
         1.0,
         6.0 * std::sqrt(2.0) / 2.0 - 1.0,
         -1.0},
        {"q beyond the end", {0, 0}, {10, 0}, {13, 4}, 2.0, 5.0 - 2.0, 5.0 - 2.0},
        {"q level with an end", {0, 0}, {10, 0}, {10, 3}, 0.0, 3.0, 3.0},
        {"q beside the chord, outside the box", {0, 0}, {10, 0}, {5, -6}, 1.0, 5.0, 5.0},
        {"q off a corner of the box",
         {0, 0},
         {10, 10},
         {13, -4},
         0.0,
         170.0 / std::sqrt(200.0),
         5.0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DOUBLE_EQ(capsuleKey(c.p0, c.p1, c.r, c.q), c.capsule);
        EXPECT_DOUBLE_EQ(boxKey(c.p0, c.p1, c.r, c.q), c.box);
        SearchNode node{0, c.p0, c.p1, 0.0, 1.0, c.r, 0.0};
        computeKey(node, c.q, false);
        EXPECT_EQ(node.key, capsuleKey(c.p0, c.p1, c.r, c.q));
        computeKey(node, c.q, true);
        EXPECT_EQ(node.key, boxKey(c.p0, c.p1, c.r, c.q));
    }
}

TEST(Bounds, RootRadius) {
    const Scene scene = defaultScene();
    // Second differences (225, 0) and (0, -225): 0.75 * 225.
    EXPECT_EQ(rootRadius(scene.points), 168.75);
    const Point2 collinear[] = {{-225, -225}, {-75, -75}, {75, 75}, {225, 225}};
    EXPECT_EQ(rootRadius(collinear), 0.0);
    const Point2 bent[] = {{0, 0}, {0, 0}, {0, 0}, {4, 3}};
    EXPECT_EQ(rootRadius(bent), 3.75);
}

}  // namespace

namespace {

// A short chord far from the origin: the cross product of absolute coordinates would
// cancel away all but rounding; the key must still be the distance to the chord.
TEST(Bounds, CapsuleKeyOfAShortChordFarOut) {
    const Point2 p0 = {999999.0, 999999.0};
    const Point2 p1 = {999999.001, 999999.0};
    const Point2 q = {999999.0005, 999999.0003};
    const double distance = q.y - p0.y;  // the chord is horizontal
    EXPECT_NEAR(capsuleKey(p0, p1, 0.0, q), distance, 1e-12);
    EXPECT_NEAR(capsuleKey(p0, p1, 0.0001, q), distance - 0.0001, 1e-12);
}

}  // namespace
