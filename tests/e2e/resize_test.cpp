// Resizing the window: the scene stays centred at one unit per pixel, the pointer
// still lands on the scene point under it, and a window shrunk to a single pixel
// neither kills the viewer nor spoils the frames after it grows again.
#include "harness/viewer_test.h"

namespace {
struct WindowSize {
    const char* name;
    int width;
    int height;
};

const WindowSize SIZES[] = {
    {"Landscape640By480", 640, 480},
    {"Portrait600By900", 600, 900},
};

void PrintTo(const WindowSize& size, std::ostream* out) {
    *out << size.width << " x " << size.height;
}

class ResizeTest : public ViewerTest, public ::testing::WithParamInterface<WindowSize> {};

// Stale content of the larger window stays in the corner until the viewer redraws, so
// the wait is for the scene at its new centre, not just for the new size.
TEST_P(ResizeTest, KeepsTheSceneCentredAndDragsUnderThePointer) {
    const WindowSize size = GetParam();
    viewer().resize(size.width, size.height);
    ASSERT_TRUE(await("the default scene centred in the resized window", [&](const Image& f) {
        if (f.width() != size.width || f.height() != size.height)
            return ::testing::AssertionFailure()
                   << "the window is " << f.width() << " x " << f.height();
        return showsScene(f, DEFAULT_POINTS);
    }));

    ScenePoints expected = DEFAULT_POINTS;
    expected[QUERY_INDEX] = {60.0, -100.0};
    viewer().drag(viewer().pixelOf(DEFAULT_POINTS[QUERY_INDEX]), {},
                  viewer().pixelOf(expected[QUERY_INDEX]));
    EXPECT_TRUE(awaitScene(expected));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResizeTest, ::testing::ValuesIn(SIZES),
                         [](const ::testing::TestParamInfo<WindowSize>& param) {
                             return std::string(param.param.name);
                         });

using TinyWindowTest = ViewerTest;

TEST_F(TinyWindowTest, OnePixelAndBackKeepsTheViewerAlive) {
    ChildProcess& process = viewer().process();
    ASSERT_TRUE(pollUntil(Deadline(FRAME_BUDGET), [&] { return process.waitingInPoll(); }))
        << "the viewer never went idle after its first frame";
    const long switches = process.voluntarySwitches();

    viewer().resize(1, 1);
    // The viewer wakes for the new size and is back in its event wait only after it has
    // reshaped and redrawn the one-pixel window.
    EXPECT_TRUE(pollUntil(Deadline(FRAME_BUDGET), [&] {
        return !process.running() ||
               (process.voluntarySwitches() > switches && process.waitingInPoll());
    }));
    ASSERT_TRUE(process.running()) << "the viewer died in a 1 x 1 window: it "
                                   << describe(*process.waitForExit(Deadline(Milliseconds(0))));

    viewer().resize(800, 800);
    EXPECT_TRUE(awaitFrame("the first frame again at 800 x 800", firstFrame()));
    EXPECT_TRUE(process.running());
}
}  // namespace
