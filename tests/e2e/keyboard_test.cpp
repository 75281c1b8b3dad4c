// Keys: Enter switches capsules and rounded boxes, backquote hides and shows the
// outlines, Escape ends the viewer, and every other key leaves the frame as it was.
#include <X11/keysym.h>

#include <algorithm>

#include "harness/viewer_test.h"

namespace {
using KeyboardTest = ViewerTest;

// Longest straight horizontal or vertical run of outline pixels. Rounded boxes have
// sides of a hundred pixels and more; the capsules of the default scene are slanted,
// so their runs stay short.
int longestAxisRun(const Image& frame) {
    int longest = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const bool rows = pass == 0;
        const int lines = rows ? frame.height() : frame.width();
        const int length = rows ? frame.width() : frame.height();
        for (int i = 0; i < lines; ++i) {
            int run = 0;
            for (int j = 0; j < length; ++j) {
                const Pixel p = rows ? Pixel{j, i} : Pixel{i, j};
                run = isOutlineBlue(frame.at(p)) ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        }
    }
    return longest;
}

constexpr int CAPSULE_RUN_LIMIT = 50;
constexpr int BOX_SIDE_MINIMUM = 100;

// Passes when some outline runs straight along an axis for a box side's length.
::testing::AssertionResult showsBoxes(const Image& frame) {
    const int run = longestAxisRun(frame);
    if (run >= BOX_SIDE_MINIMUM) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the longest straight outline is " << run << " px, too short for a box side";
}

// Passes when not a single pixel is outline blue.
::testing::AssertionResult hidesOutlines(const Image& frame) {
    return outlinePixelsBetween(frame, 0, 0);
}

TEST_F(KeyboardTest, EnterSwitchesToRoundedBoxesAndBackToCapsules) {
    ASSERT_LT(longestAxisRun(firstFrame()), CAPSULE_RUN_LIMIT) << "the first frame has no capsules";

    viewer().key(XK_Return);
    Image boxes;
    ASSERT_TRUE(await("rounded boxes", showsBoxes, &boxes));
    EXPECT_TRUE(shot(boxes, showsScene(boxes, DEFAULT_POINTS)));

    viewer().key(XK_Return);
    EXPECT_TRUE(awaitFrame("the capsules of the first frame again", firstFrame()));
}

TEST_F(KeyboardTest, BackquoteHidesEveryOutlineAndShowsThemAgain) {
    viewer().key(XK_grave);
    Image hidden;
    ASSERT_TRUE(await("a frame without outline pixels", hidesOutlines, &hidden));
    EXPECT_TRUE(shot(hidden, showsScene(hidden, DEFAULT_POINTS)));

    viewer().key(XK_grave);
    EXPECT_TRUE(awaitFrame("the outlines of the first frame again", firstFrame()));
}

// The two switches are independent: Enter still switches while the outlines are hidden.
TEST_F(KeyboardTest, EnterWhileOutlinesAreHiddenShowsInTheNewShape) {
    viewer().key(XK_grave);
    ASSERT_TRUE(await("the outlines hidden", hidesOutlines));
    viewer().key(XK_Return);
    viewer().key(XK_grave);
    EXPECT_TRUE(await("rounded boxes", showsBoxes));
}

// A letter, 'q' (which many viewers take for quit), space, a digit and keys without
// a character: none has a meaning, so the frame stays the first frame.
const KeySym IGNORED_KEYS[] = {XK_a, XK_q, XK_space, XK_1, XK_Tab, XK_Left, XK_F1};

TEST_F(KeyboardTest, OtherKeysChangeNothing) {
    for (const KeySym key : IGNORED_KEYS) {
        SCOPED_TRACE(XKeysymToString(key));
        viewer().key(key);
        Image frame;
        ASSERT_TRUE(settle(frame));
        EXPECT_TRUE(shot(frame, sameFrame(frame, firstFrame())));
        EXPECT_TRUE(viewer().process().running());
    }
}

TEST_F(KeyboardTest, EscapeEndsTheViewerWithStatusZero) {
    viewer().key(XK_Escape);
    const std::optional<ExitStatus> status = viewer().process().waitForExit(Deadline(FRAME_BUDGET));
    ASSERT_TRUE(status.has_value()) << "the viewer still runs after Escape";
    EXPECT_TRUE(status->exited && status->code == 0) << "the viewer " << describe(*status);
    // The server destroys the window once it notices the closed connection.
    EXPECT_TRUE(pollUntil(Deadline(FRAME_BUDGET), [&] {
        return !isViewable(viewer().display(), viewer().window());
    })) << "the window outlived the viewer";
}
}  // namespace
