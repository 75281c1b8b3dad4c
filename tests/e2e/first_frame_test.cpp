// The frame the viewer draws at start-up, before any input.
#include "harness/viewer_test.h"

namespace {
using FirstFrameTest = ViewerTest;

// The nearest sample to the default Q: t = 1/2 lies on the curve's axis of symmetry.
constexpr ScenePoint DEFAULT_NEAREST = {-84.375, 84.375};

struct Probe {
    const char* what;
    ScenePoint at;
    Look look;
};

const Probe FIRST_FRAME_PROBES[] = {
    {"top left corner", {-400.0, 400.0}, BACKGROUND},
    {"bottom right corner", {399.0, -399.0}, BACKGROUND},
    {"empty lower right", {200.0, -200.0}, BACKGROUND},
    {"P0", DEFAULT_POINTS[0], CONTROL_POINT},
    {"P1", DEFAULT_POINTS[1], CONTROL_POINT},
    {"P2", DEFAULT_POINTS[2], CONTROL_POINT},
    {"P3", DEFAULT_POINTS[3], CONTROL_POINT},
    {"Q", DEFAULT_POINTS[QUERY_INDEX], QUERY_POINT},
    {"curve at t = 0.1", bezierAt(DEFAULT_POINTS, 0.1), CURVE},
    {"curve at t = 0.3", bezierAt(DEFAULT_POINTS, 0.3), CURVE},
    {"curve at t = 0.5", bezierAt(DEFAULT_POINTS, 0.5), CURVE},
    {"curve at t = 0.7", bezierAt(DEFAULT_POINTS, 0.7), CURVE},
    {"curve at t = 0.9", bezierAt(DEFAULT_POINTS, 0.9), CURVE},
    {"connector a quarter of the way", lerp(DEFAULT_POINTS[QUERY_INDEX], DEFAULT_NEAREST, 0.25),
     CONNECTOR},
    {"connector half way", lerp(DEFAULT_POINTS[QUERY_INDEX], DEFAULT_NEAREST, 0.5), CONNECTOR},
    {"connector three quarters of the way",
     lerp(DEFAULT_POINTS[QUERY_INDEX], DEFAULT_NEAREST, 0.75), CONNECTOR},
};

TEST_F(FirstFrameTest, ShowsBackgroundPointsCurveAndConnector) {
    const Image& frame = firstFrame();
    for (const Probe& probe : FIRST_FRAME_PROBES) {
        SCOPED_TRACE(probe.what);
        EXPECT_TRUE(shot(frame, shows(frame, toPixel(probe.at, 800, 800), probe.look)));
    }
}

TEST_F(FirstFrameTest, ShowsOutlinesOfThePrunedRegions) {
    EXPECT_TRUE(shot(firstFrame(), outlinePixelsBetween(firstFrame(), 200, 800 * 800)));
}

// The other tests predict connectors with nearestSample; it must agree with the
// viewer's own figure for the default scene.
TEST(SceneModelTest, NearestSampleOfTheDefaultSceneIsTheCurveMidpoint) {
    const ScenePoint nearest = nearestSample(DEFAULT_POINTS);
    EXPECT_EQ(nearest.x, DEFAULT_NEAREST.x);
    EXPECT_EQ(nearest.y, DEFAULT_NEAREST.y);
}
}  // namespace
