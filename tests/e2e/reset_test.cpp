// The right button: a press puts every point back at its default place, keeps the
// view switches as they are, and ends a drag in progress.
#include <X11/keysym.h>

#include "harness/viewer_test.h"
#include "harness/x_input.h"

namespace {
using ResetTest = ViewerTest;

const ScenePoint EMPTY_SPOT = {300.0, -300.0};
const ScenePoint Q_TARGET = {60.0, -100.0};

// The default scene with Q at Q_TARGET.
ScenePoints movedQ() {
    ScenePoints points = DEFAULT_POINTS;
    points[QUERY_INDEX] = Q_TARGET;
    return points;
}

TEST_F(ResetTest, RestoresEveryPointAfterDrags) {
    ScenePoints expected = movedQ();
    expected[2] = {100.0, 0.0};
    viewer().drag(viewer().pixelOf(DEFAULT_POINTS[QUERY_INDEX]), {}, viewer().pixelOf(Q_TARGET));
    viewer().drag(viewer().pixelOf(DEFAULT_POINTS[2]), {}, viewer().pixelOf(expected[2]));
    ASSERT_TRUE(awaitScene(expected));

    viewer().click(3, viewer().pixelOf(EMPTY_SPOT));
    EXPECT_TRUE(awaitFrame("the first frame again", firstFrame()));
}

TEST_F(ResetTest, KeepsTheRoundedBoxes) {
    viewer().key(XK_Return);
    Image boxes;
    ASSERT_TRUE(await(
        "the outlines switched", [&](const Image& f) { return !sameFrame(f, firstFrame()); },
        &boxes));
    viewer().drag(viewer().pixelOf(DEFAULT_POINTS[QUERY_INDEX]), {}, viewer().pixelOf(Q_TARGET));
    const ScenePoints expected = movedQ();
    ASSERT_TRUE(awaitScene(expected));

    viewer().click(3, viewer().pixelOf(EMPTY_SPOT));
    EXPECT_TRUE(awaitFrame("the default points in rounded boxes", boxes));
}

// A right press while the left button drags Q resets the scene and drops Q: the rest
// of the drag moves nothing.
TEST_F(ResetTest, EndsADragInProgress) {
    viewer().moveTo(viewer().pixelOf(DEFAULT_POINTS[QUERY_INDEX]));
    pressButton(viewer().display(), 1);
    viewer().moveTo(viewer().pixelOf(Q_TARGET));
    const ScenePoints expected = movedQ();
    ASSERT_TRUE(awaitScene(expected));

    viewer().click(3, viewer().pixelOf(Q_TARGET));
    viewer().moveTo(viewer().pixelOf({-100.0, -100.0}));
    releaseButton(viewer().display(), 1);
    Image frame;
    ASSERT_TRUE(settle(frame));
    EXPECT_TRUE(shot(frame, sameFrame(frame, firstFrame())));
}
}  // namespace
