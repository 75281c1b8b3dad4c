#include "harness/viewer_test.h"

#include <X11/keysym.h>

#include "harness/png_writer.h"

namespace {
std::unique_ptr<XServer> gServer;

// Parameterised names contain '/', which cannot be part of a file name.
std::string fileSafe(std::string name) {
    for (char& c : name)
        if (c == '/') c = '_';
    return name;
}
}  // namespace

void XServerEnvironment::SetUp() {
    std::string error;
    gServer = XServer::start(Deadline(START_BUDGET), error);
    ASSERT_NE(gServer, nullptr) << "cannot start Xvfb: " << error;
}

void XServerEnvironment::TearDown() {
    gServer.reset();
}

XServer* XServerEnvironment::server() {
    return gServer.get();
}

void ViewerTest::SetUp() {
    XServer* server = XServerEnvironment::server();
    ASSERT_NE(server, nullptr) << "no X server";
    std::string error;
    viewer_ = ViewerSession::launch(*server, QUILLFEN_VIEWER, error);
    ASSERT_NE(viewer_, nullptr) << "cannot start the viewer: " << error;
}

void ViewerTest::TearDown() {
    if (viewer_ && HasFailure() && shots_ == 0) {
        if (std::optional<Image> frame = viewer_->capture())
            ADD_FAILURE() << "screenshot of the window after the failure: " << saveShot(*frame);
    }
    viewer_.reset();
}

std::string ViewerTest::saveShot(const Image& frame) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string path = std::string(QUILLFEN_E2E_SHOT_DIR) + "/" +
                             fileSafe(std::string(test->test_suite_name()) + "." + test->name()) +
                             "-" + std::to_string(++shots_) + ".png";
    return writePng(path, frame) ? path : "(could not write " + path + ")";
}

::testing::AssertionResult ViewerTest::shot(const Image& frame, ::testing::AssertionResult result) {
    if (result) return result;
    return ::testing::AssertionFailure()
           << result.message() << "\n  screenshot: " << saveShot(frame);
}

::testing::AssertionResult ViewerTest::await(const std::string& what, const FrameCheck& check,
                                             Image* frame) {
    const FrameWait wait = viewer().waitForFrame([&](const Image& f) { return bool(check(f)); });
    if (frame != nullptr) *frame = wait.frame;
    if (wait.met) return ::testing::AssertionSuccess();
    // A viewer that crashed or quit explains the wait better than its last frame.
    if (!viewer().process().running())
        return ::testing::AssertionFailure()
               << "the viewer ended ("
               << describe(*viewer().process().waitForExit(Deadline(Milliseconds(0))))
               << ") before the window showed " << what;
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "the window never showed " << what << " within " << FRAME_BUDGET.count() << " ms";
    return shot(wait.frame, failure << "; on the last frame read, " << check(wait.frame).message());
}

::testing::AssertionResult ViewerTest::awaitScene(const ScenePoints& points, Image* frame) {
    return await(
        "the expected scene", [&](const Image& f) { return showsScene(f, points); }, frame);
}

::testing::AssertionResult ViewerTest::awaitFrame(const std::string& what, const Image& expected) {
    return await(what, [&](const Image& f) { return sameFrame(f, expected); });
}

::testing::AssertionResult ViewerTest::settle(Image& frame) {
    viewer().key(XK_grave);
    const ::testing::AssertionResult hidden =
        await("the outlines hidden (while settling)",
              [](const Image& f) { return outlinePixelsBetween(f, 0, 0); });
    if (!hidden) return hidden;
    viewer().key(XK_grave);
    return await(
        "the outlines shown again (while settling)",
        [](const Image& f) { return outlinePixelsBetween(f, 1, f.width() * f.height()); }, &frame);
}
