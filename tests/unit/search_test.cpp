#include "search/search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

struct SearchFixture : ::testing::Test {
    static void SetUpTestSuite() { buildBernsteinTable(table, buildBinomials()); }
    static BernsteinTable table;
    std::unique_ptr<SearchState> state = std::make_unique<SearchState>();
    std::vector<SearchNode> retired;

    void run(const Scene& scene) {
        retired.clear();
        runNearestSearch(*state, scene, table,
                         [this](const SearchNode& node) { retired.push_back(node); });
    }
};
BernsteinTable SearchFixture::table;

Scene sceneWith(std::initializer_list<Point2> points, bool box = false) {
    Scene scene = defaultScene();
    int i = 0;
    for (const Point2& p : points) scene.points[i++] = p;
    scene.boxBounds = box;
    return scene;
}

struct FigureCase {
    const char* what;
    Scene scene;
    int expansions;
    int discarded;
    int maxQueue;  // 0: not checked
    Point2 nearest;
    int row;
};

TEST_F(SearchFixture, ReproducesKnownFigures) {
    const Point2 p0 = {-225, -225};
    const Point2 same = {10, 20};
    const FigureCase cases[] = {
        {"default, capsules", defaultScene(), 19, 18, 2, {-84.375, 84.375}, 512},
        {"default, rounded boxes", sceneWith({}, true), 49, 22, 0, {-84.375, 84.375}, 512},
        {"query on P0", sceneWith({p0, {-225, 0}, {0, 225}, {225, 225}, p0}), 10, 10, 0, p0, 0},
        {"four equal control points", sceneWith({same, same, same, same, {50, 50}}), 19, 0, 0, same,
         0},
    };
    for (const FigureCase& c : cases) {
        SCOPED_TRACE(c.what);
        run(c.scene);
        EXPECT_EQ(state->expansions, c.expansions);
        EXPECT_EQ(state->discarded, c.discarded);
        EXPECT_EQ(state->retired, c.expansions + 1);
        EXPECT_EQ(static_cast<int>(retired.size()), state->retired);
        if (c.maxQueue > 0) {
            EXPECT_EQ(state->maxQueue, c.maxQueue);
        }
        EXPECT_EQ(state->bestPoint.x, c.nearest.x);
        EXPECT_EQ(state->bestPoint.y, c.nearest.y);
        EXPECT_EQ(state->bestRow, c.row);
        EXPECT_EQ(state->bestDistance, distanceBetween(c.nearest, queryPoint(c.scene)));
    }
}

TEST_F(SearchFixture, DefaultSceneRetiresInTheDocumentedOrder) {
    run(defaultScene());
    EXPECT_DOUBLE_EQ(state->bestDistance, 75.625 * std::sqrt(2.0));
    // Discarded children first, as they were discarded, then the level-10 node that
    // ended the loop, then the one leftover.
    ASSERT_EQ(retired.size(), 20u);
    for (int i = 0; i < 18; ++i) EXPECT_GT(retired[i].key, state->bestDistance) << i;
    EXPECT_EQ(retired[18].level, MAX_LEVEL);
    EXPECT_LE(retired[18].key, retired[19].key);

    run(sceneWith({}, true));
    EXPECT_EQ(state->pool.nodes[0].key, -168.75);  // Q lies inside the root's rectangle
}

TEST_F(SearchFixture, QueryOutOfReachEndsCleanlyAndKeepsLastPoint) {
    run(defaultScene());
    const Point2 previous = state->bestPoint;
    run(sceneWith({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {1e6, 1e6}}));
    EXPECT_EQ(state->bestRow, NO_ROW);
    EXPECT_EQ(state->bestDistance, INITIAL_BEST_DISTANCE);
    EXPECT_EQ(state->bestPoint.x, previous.x);
    EXPECT_EQ(state->bestPoint.y, previous.y);
    // Both children of the root are out of reach: the queue runs dry, nothing ends the loop.
    EXPECT_EQ(state->expansions, 1);
    EXPECT_EQ(state->discarded, 2);
    EXPECT_EQ(state->retired, 2);
    EXPECT_EQ(state->queue.size, 0);
}

TEST_F(SearchFixture, EqualEndDistancesKeepTheStart) {
    // A symmetric arch and Q on its axis below both ends: every midpoint is farther
    // than the ends, which tie, and the sample at t = 0 came first.
    run(sceneWith({{-100, 0}, {-100, 300}, {100, 300}, {100, 0}, {0, -1000}}));
    EXPECT_EQ(state->bestRow, 0);
    EXPECT_EQ(state->bestPoint.x, -100.0);
}

// Fixed-seed random scenes, both shapes: every retired key is a true lower bound of
// the distance to every table sample of its interval, and the containers never overflow.
TEST_F(SearchFixture, KeysAreLowerBoundsOnRandomScenes) {
    std::mt19937 rng(20261211);
    std::uniform_real_distribution<double> coord(-400.0, 400.0);
    for (int scene_i = 0; scene_i < 300; ++scene_i) {
        Scene scene = defaultScene();
        for (Point2& p : scene.points) p = {std::round(coord(rng)), std::round(coord(rng))};
        for (bool box : {false, true}) {
            scene.boxBounds = box;
            run(scene);
            ASSERT_EQ(state->retired, state->expansions + 1);
            ASSERT_LE(state->nodeCount, POOL_CAPACITY);
            ASSERT_LE(state->maxQueue, QUEUE_CAPACITY);
            const Point2& q = queryPoint(scene);
            for (const SearchNode& node : retired) {
                const int first = rowForParameter(node.t0);
                const int last = rowForParameter(node.t1);
                for (int k = first; k <= last; ++k) {
                    const double d = distanceBetween(evaluateRow(table, scene.points, k), q);
                    ASSERT_LE(node.key, d + 1e-9 * (1.0 + d))
                        << "scene " << scene_i << " box " << box << " row " << k;
                }
            }
        }
    }
}

}  // namespace

namespace {

// A curve a fraction of a unit long, a million units out: the capsule keys must not
// discard the pieces holding the nearest samples (here row 3, 0.000504 from Q).
TEST_F(SearchFixture, TinyCurveFarOutFindsTheNearSample) {
    run(sceneWith({{999999, 999999},
                   {999999.178734375, 999999},
                   {999999.002, 999999.001},
                   {999999.0030059009, 999999.125},
                   {999999.0015, 999999.0005}}));
    EXPECT_EQ(state->bestRow, 3);
    EXPECT_LT(state->bestDistance, 0.000505);
    EXPECT_EQ(state->retired, state->expansions + 1);
}

}  // namespace
