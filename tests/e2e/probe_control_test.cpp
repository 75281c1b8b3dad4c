// Control cases: the checks the other tests rely on really can fail. A grab that
// returned a blank or stale image, or a probe that looked at the wrong pixel, would
// otherwise pass everything.
#include "harness/viewer_test.h"

namespace {
using ProbeControlTest = ViewerTest;

TEST_F(ProbeControlTest, AnUncolouredPixelReadsWhiteAndNotRed) {
    const Image& frame = firstFrame();
    const Pixel empty = toPixel({200.0, -200.0}, 800, 800);
    EXPECT_EQ(frame.at(empty), WHITE);
    EXPECT_FALSE(shows(frame, empty, CONTROL_POINT));
    EXPECT_FALSE(shows(frame, toPixel(DEFAULT_POINTS[0], 800, 800), BACKGROUND));
}

TEST_F(ProbeControlTest, OneChangedPixelMakesFramesDiffer) {
    Image changed = firstFrame();
    changed.at({400, 400}) = RED;
    EXPECT_FALSE(sameFrame(changed, firstFrame()));
    EXPECT_TRUE(sameFrame(firstFrame(), firstFrame()));
}

TEST_F(ProbeControlTest, AFrameOfAnotherSceneIsNotTakenForTheDefault) {
    ScenePoints moved = DEFAULT_POINTS;
    moved[1] = {150.0, -150.0};
    EXPECT_FALSE(showsScene(firstFrame(), moved));
    EXPECT_TRUE(shot(firstFrame(), showsScene(firstFrame(), DEFAULT_POINTS)));
}
}  // namespace
