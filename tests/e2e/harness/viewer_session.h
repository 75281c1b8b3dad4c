// viewer_session.h — one running quillfen on the suite's X server, driven like a user.
//
// Launches the viewer, finds its window by title and reads its frames; input goes in
// as XTEST events at window pixels. Knows nothing of GoogleTest, so tools outside the
// tests (the screenshot maker) share it. Ending the session kills the viewer.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness/child_process.h"
#include "harness/image.h"
#include "harness/scene_model.h"
#include "harness/x_server.h"
#include "harness/x_window.h"

constexpr char VIEWER_TITLE[] = "Quillfen";
// A cold start under llvmpipe on a loaded machine takes a few seconds at worst.
constexpr Milliseconds START_BUDGET{20000};
// Budget for a frame to show the effect of one input.
constexpr Milliseconds FRAME_BUDGET{10000};

// What a frame wait ends with: whether the condition was met, and the last frame read.
struct FrameWait {
    bool met;
    Image frame;
};

class ViewerSession {
public:
    // Starts `viewerPath` on `server` and waits for its window and its first complete
    // frame (see firstFrameDrawn). nullptr and a reason in `error` on failure; the
    // viewer is stopped then.
    static std::unique_ptr<ViewerSession> launch(XServer& server, const std::string& viewerPath,
                                                 std::string& error);

    ViewerSession(const ViewerSession&) = delete;
    ViewerSession& operator=(const ViewerSession&) = delete;
    ~ViewerSession();

    Display* display() const { return server_.display(); }
    Window window() const { return window_; }
    ChildProcess& process() { return process_; }
    // The frame seen when launch returned.
    const Image& firstFrame() const { return firstFrame_; }

    std::optional<WindowGeometry> geometry() const;
    std::optional<Image> capture() const;
    // Reads frames until `accept` holds for one, the budget runs out or the viewer ends.
    FrameWait waitForFrame(const std::function<bool(const Image&)>& accept,
                           Milliseconds budget = FRAME_BUDGET);

    // Window pixel of a scene point at the window's current size.
    Pixel pixelOf(ScenePoint p) const;

    void moveTo(Pixel windowPixel);
    // Left press at `from`, motion through `via` then to `to`, release there.
    void drag(Pixel from, const std::vector<Pixel>& via, Pixel to);
    void click(unsigned int button, Pixel at);
    // Points the keyboard focus at the window, then types `keysym`.
    void key(KeySym keysym);
    void resize(int width, int height);

private:
    ViewerSession(XServer& server, ChildProcess process, Window window);

    XServer& server_;
    ChildProcess process_;
    Window window_;
    Image firstFrame_;
};

// A first frame is complete when the background is white, the four control points
// are red and Q is dark green at their default places.
bool firstFrameDrawn(const Image& frame);
