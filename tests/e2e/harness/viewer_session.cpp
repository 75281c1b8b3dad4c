#include "harness/viewer_session.h"

#include <signal.h>

#include <cstdlib>
#include <utility>

#include "harness/x_input.h"

namespace {
// LeakSanitizer reports Mesa's own leaks when the viewer exits; they are not ours.
std::string asanOptionsForViewer() {
    const char* inherited = std::getenv("ASAN_OPTIONS");
    std::string options = inherited != nullptr ? inherited : "";
    if (!options.empty()) options += ":";
    return "ASAN_OPTIONS=" + options + "detect_leaks=0";
}

constexpr Milliseconds STOP_GRACE{2000};
}  // namespace

bool firstFrameDrawn(const Image& frame) {
    if (frame.width() <= 0 || frame.at({0, 0}) != WHITE) return false;
    for (int i = 0; i < QUERY_INDEX; ++i) {
        const Pixel p =
            toPixel(DEFAULT_POINTS[static_cast<size_t>(i)], frame.width(), frame.height());
        if (!frame.contains(p) || !closeTo(frame.at(p), RED, SOLID_TOLERANCE)) return false;
    }
    const Pixel q = toPixel(DEFAULT_POINTS[QUERY_INDEX], frame.width(), frame.height());
    return frame.contains(q) && closeTo(frame.at(q), DARK_GREEN, SOLID_TOLERANCE);
}

std::unique_ptr<ViewerSession> ViewerSession::launch(XServer& server, const std::string& viewerPath,
                                                     std::string& error) {
    LaunchOptions options;
    options.argv = {viewerPath};
    options.setEnv = {"DISPLAY=" + server.displayName(), asanOptionsForViewer()};
    // Indirect rendering breaks GLX on this server.
    options.unsetEnv = {"LIBGL_ALWAYS_INDIRECT"};
    std::optional<ChildProcess> process = ChildProcess::launch(options);
    if (!process) {
        error = "cannot fork the viewer";
        return nullptr;
    }
    const Deadline deadline(START_BUDGET);
    const std::optional<Window> window =
        waitForWindow(server.display(), server.root(), VIEWER_TITLE, deadline);
    if (!window) {
        error = process->running() ? "no viewable window titled Quillfen appeared"
                                   : "the viewer " + describe(process->stop(SIGKILL, {}));
        return nullptr;
    }
    std::unique_ptr<ViewerSession> session(new ViewerSession(server, std::move(*process), *window));
    FrameWait first = session->waitForFrame(firstFrameDrawn, deadline.remaining());
    if (!first.met) {
        ChildProcess& viewer = session->process_;
        error = viewer.running() ? "the first frame never showed the default points"
                                 : "the viewer " + describe(viewer.stop(SIGKILL, {}));
        return nullptr;
    }
    session->firstFrame_ = std::move(first.frame);
    return session;
}

ViewerSession::ViewerSession(XServer& server, ChildProcess process, Window window)
    : server_(server), process_(std::move(process)), window_(window) {}

ViewerSession::~ViewerSession() {
    releaseAllButtons(display());
    process_.stop(SIGKILL, STOP_GRACE);
}

std::optional<WindowGeometry> ViewerSession::geometry() const {
    return windowGeometry(display(), window_);
}

std::optional<Image> ViewerSession::capture() const {
    return captureWindow(display(), window_);
}

FrameWait ViewerSession::waitForFrame(const std::function<bool(const Image&)>& accept,
                                      Milliseconds budget) {
    FrameWait wait{false, {}};
    pollUntil(Deadline(budget), [&] {
        if (!process_.running()) return true;
        std::optional<Image> frame = capture();
        if (!frame) return false;
        wait.frame = std::move(*frame);
        wait.met = accept(wait.frame);
        return wait.met;
    });
    return wait;
}

Pixel ViewerSession::pixelOf(ScenePoint p) const {
    const std::optional<WindowGeometry> g = geometry();
    return g ? toPixel(p, g->width, g->height) : Pixel{-1, -1};
}

void ViewerSession::moveTo(Pixel windowPixel) {
    const std::optional<WindowGeometry> g = geometry();
    if (!g) return;
    movePointer(display(), g->x + windowPixel.x, g->y + windowPixel.y);
}

void ViewerSession::drag(Pixel from, const std::vector<Pixel>& via, Pixel to) {
    moveTo(from);
    pressButton(display(), 1);
    for (Pixel p : via) moveTo(p);
    moveTo(to);
    releaseButton(display(), 1);
}

void ViewerSession::click(unsigned int button, Pixel at) {
    moveTo(at);
    pressButton(display(), button);
    releaseButton(display(), button);
}

void ViewerSession::key(KeySym keysym) {
    const std::optional<WindowGeometry> g = geometry();
    if (g) moveTo({g->width / 2, g->height / 2});
    XSetInputFocus(display(), window_, RevertToPointerRoot, CurrentTime);
    tapKey(display(), keysym);
}

void ViewerSession::resize(int width, int height) {
    resizeWindow(display(), window_, width, height);
}
