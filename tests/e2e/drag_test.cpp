// Dragging with the left button: a press within reach of a point picks it, motion
// moves it to the pointer, release drops it. A press out of reach drags nothing.
#include <algorithm>
#include <cmath>
#include <vector>

#include "harness/viewer_test.h"

namespace {
constexpr int NOTHING = -1;

struct DragCase {
    const char* name;
    ScenePoint from;
    std::vector<ScenePoint> via;
    ScenePoint to;
    int moved;  // index into ScenePoints of the point the drag moves, or NOTHING
};

// Names the case in failure messages instead of its bytes.
void PrintTo(const DragCase& drag, std::ostream* out) {
    *out << drag.name;
}

// p moved by (dx, dy).
ScenePoint offset(ScenePoint p, double dx, double dy) {
    return {p.x + dx, p.y + dy};
}

const ScenePoint Q = DEFAULT_POINTS[QUERY_INDEX];
// Outside the bend, below right of the curve: the connector points the other way.
const ScenePoint Q_TARGET = {60.0, -100.0};

// Reach is a squared distance below 30 whole pixels: 5^2 + 2^2 = 29 is in, 4^2 + 4^2 = 32
// is out.
const DragCase DRAGS[] = {
    {"QOutsideTheBend", Q, {{-50.0, 0.0}}, Q_TARGET, QUERY_INDEX},
    {"QGrabbedAtTheEdgeOfReach", offset(Q, 5.0, -2.0), {}, Q_TARGET, QUERY_INDEX},
    {"QMissedJustOutOfReach", offset(Q, 4.0, 4.0), {}, Q_TARGET, NOTHING},
    {"InnerControlPointAcrossTheChord", DEFAULT_POINTS[1], {{0.0, -80.0}}, {150.0, -150.0}, 1},
    {"EndPointDown", DEFAULT_POINTS[3], {}, {225.0, -100.0}, 3},
    {"FromEmptySpaceAcrossQ", {150.0, -150.0}, {Q}, {-100.0, -100.0}, NOTHING},
};

// Euclidean distance in scene units.
double distance(ScenePoint a, ScenePoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Distance from p to the closest point of the segment a-b.
double distanceToSegment(ScenePoint a, ScenePoint b, ScenePoint p) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0.0) return distance(a, p);
    const double f = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return distance(lerp(a, b, f), p);
}

// Distance from p to the closest of the curve's 1025 samples.
double distanceToCurve(const ScenePoints& points, ScenePoint p) {
    double best = INFINITY;
    for (int k = 0; k <= SAMPLE_STEPS; ++k)
        best = std::min(best, distance(p, bezierAt(points, static_cast<double>(k) / SAMPLE_STEPS)));
    return best;
}

// Places the old frame coloured and the new one must not: the moved point's old disc,
// and samples of the old curve and connector well away from the new ones. Each comes
// with the look it must have lost.
struct Stale {
    ScenePoint at;
    Look look;
};

std::vector<Stale> staleFeatures(const ScenePoints& before, const ScenePoints& after, int moved) {
    constexpr double CLEARANCE = 8.0;  // pixels between an old feature and anything new
    std::vector<Stale> stale;
    const ScenePoint old = before[static_cast<size_t>(moved)];
    stale.push_back({old, moved == QUERY_INDEX ? QUERY_POINT : CONTROL_POINT});
    for (int i = 1; i < 10; ++i) {
        const ScenePoint p = bezierAt(before, i / 10.0);
        bool clear = distanceToCurve(after, p) > CLEARANCE;
        for (const ScenePoint& centre : after) clear = clear && distance(p, centre) > CLEARANCE;
        if (clear) stale.push_back({p, CURVE});
    }
    const ScenePoint oldQ = before[QUERY_INDEX];
    const ScenePoint newQ = after[QUERY_INDEX];
    const ScenePoint oldNearest = nearestSample(before);
    const ScenePoint newNearest = nearestSample(after);
    for (double f : {0.25, 0.5, 0.75}) {
        const ScenePoint p = lerp(oldQ, oldNearest, f);
        if (distanceToSegment(newQ, newNearest, p) > CLEARANCE) stale.push_back({p, CONNECTOR});
    }
    return stale;
}

class DragTest : public ViewerTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragTest, MovesOnlyAPointWithinReach) {
    const DragCase& drag = GetParam();
    std::vector<Pixel> via;
    for (const ScenePoint& p : drag.via) via.push_back(viewer().pixelOf(p));
    viewer().drag(viewer().pixelOf(drag.from), via, viewer().pixelOf(drag.to));

    if (drag.moved == NOTHING) {
        Image frame;
        ASSERT_TRUE(settle(frame));
        EXPECT_TRUE(shot(frame, sameFrame(frame, firstFrame())));
        return;
    }
    ScenePoints expected = DEFAULT_POINTS;
    expected[static_cast<size_t>(drag.moved)] = drag.to;
    Image frame;
    ASSERT_TRUE(awaitScene(expected, &frame));
    for (const Stale& old : staleFeatures(DEFAULT_POINTS, expected, drag.moved)) {
        SCOPED_TRACE(old.look.name);
        EXPECT_TRUE(shot(frame, lacks(frame, toPixel(old.at, 800, 800), old.look)));
    }
}

INSTANTIATE_TEST_SUITE_P(Drags, DragTest, ::testing::ValuesIn(DRAGS),
                         [](const ::testing::TestParamInfo<DragCase>& param) {
                             return std::string(param.param.name);
                         });

using DropTest = ViewerTest;

// Release must drop the point: a later press on empty space keeps no selection, so
// the drag that follows moves nothing.
TEST_F(DropTest, ADragFromEmptySpaceAfterADropMovesNothing) {
    ScenePoints expected = DEFAULT_POINTS;
    expected[QUERY_INDEX] = Q_TARGET;
    viewer().drag(viewer().pixelOf(Q), {}, viewer().pixelOf(Q_TARGET));
    Image dropped;
    ASSERT_TRUE(awaitScene(expected, &dropped));

    viewer().drag(viewer().pixelOf({150.0, -250.0}), {}, viewer().pixelOf({-300.0, 300.0}));
    Image frame;
    ASSERT_TRUE(settle(frame));
    EXPECT_TRUE(shot(frame, sameFrame(frame, dropped)));
}
}  // namespace
