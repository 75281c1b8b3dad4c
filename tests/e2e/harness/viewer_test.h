// viewer_test.h — the fixture of the end-to-end tests, and the X server they share.
//
// One Xvfb serves a whole test binary (a global environment); every test gets a fresh
// viewer, killed and reaped in TearDown. A failed check can carry a screenshot: the
// frame is saved as a PNG under the build's e2e-screenshots directory and its path is
// part of the failure message. A test that fails without one gets a screenshot of the
// window as it was at the end.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "harness/frame_checks.h"
#include "harness/viewer_session.h"

class XServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
    // The running server, or nullptr when SetUp failed.
    static XServer* server();
};

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    ViewerSession& viewer() { return *viewer_; }
    // The default frame, as the viewer first drew it.
    const Image& firstFrame() const { return viewer_->firstFrame(); }

    // `result`, plus the path of a screenshot of `frame` when it failed.
    ::testing::AssertionResult shot(const Image& frame, ::testing::AssertionResult result);

    using FrameCheck = std::function<::testing::AssertionResult(const Image&)>;
    // Reads frames until one passes `check` (copied to `frame` if given). On timeout,
    // fails naming `what`, with the check's message on the last frame read and a
    // screenshot of it.
    ::testing::AssertionResult await(const std::string& what, const FrameCheck& check,
                                     Image* frame = nullptr);
    // await for a frame showing the scene of `points`.
    ::testing::AssertionResult awaitScene(const ScenePoints& points, Image* frame = nullptr);
    // await for a frame equal to `expected`, pixel for pixel.
    ::testing::AssertionResult awaitFrame(const std::string& what, const Image& expected);
    // Returns once the viewer has handled every event sent before the call: backquote
    // hides the outlines, a second one shows them again, each awaited on screen. Needs
    // outlines on screen; `frame` gets the frame with them shown again.
    ::testing::AssertionResult settle(Image& frame);

private:
    std::string saveShot(const Image& frame);

    std::unique_ptr<ViewerSession> viewer_;
    int shots_ = 0;
};
