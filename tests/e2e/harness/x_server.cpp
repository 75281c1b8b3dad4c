#include "harness/x_server.h"

#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
constexpr int SCREEN_WIDTH = 1280;
constexpr int SCREEN_HEIGHT = 1024;
constexpr int SCREEN_DEPTH = 24;
constexpr Milliseconds STOP_GRACE{2000};

int gErrorCount = 0;

// Counts the error instead of letting Xlib's default handler end the process.
int recordError(Display*, XErrorEvent*) {
    ++gErrorCount;
    return 0;
}

// Reads up to the newline Xvfb writes once it accepts connections; "" on timeout or EOF.
std::string readDisplayNumber(int fd, const Deadline& deadline) {
    std::string text;
    while (text.find('\n') == std::string::npos) {
        pollfd pfd{fd, POLLIN, 0};
        const int ready = poll(&pfd, 1, static_cast<int>(deadline.remaining().count()));
        if (ready <= 0) return "";
        char buffer[32];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) return "";
        text.append(buffer, static_cast<size_t>(n));
    }
    return text.substr(0, text.find('\n'));
}

// Empty when the screen and extensions are what the suite relies on, else the reason.
std::string checkScreen(Display* display) {
    const int screen = DefaultScreen(display);
    if (DisplayWidth(display, screen) < 1100 || DisplayHeight(display, screen) < 900 ||
        DefaultDepth(display, screen) != SCREEN_DEPTH)
        return "screen is smaller than 1100 x 900 or not 24-bit";
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor))
        return "the X server has no XTEST extension";
    return "";
}
}  // namespace

std::optional<std::string> findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

std::unique_ptr<XServer> XServer::start(const Deadline& deadline, std::string& error) {
    const std::optional<std::string> xvfb = findOnPath("Xvfb");
    if (!xvfb) {
        error = "Xvfb is not on PATH";
        return nullptr;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = "pipe2 failed";
        return nullptr;
    }
    const std::string screen = std::to_string(SCREEN_WIDTH) + "x" + std::to_string(SCREEN_HEIGHT) +
                               "x" + std::to_string(SCREEN_DEPTH);
    LaunchOptions options;
    options.argv = {*xvfb,       "-displayfd", std::to_string(fds[1]),
                    "-screen",   "0",          screen,
                    "-nolisten", "tcp",        "-noreset"};
    options.inheritFd = fds[1];
    options.silence = true;
    std::optional<ChildProcess> process = ChildProcess::launch(options);
    close(fds[1]);
    const std::string number = process ? readDisplayNumber(fds[0], deadline) : "";
    close(fds[0]);
    if (number.empty()) {
        error = process && !process->running() ? "Xvfb " + describe(process->stop(SIGKILL, {}))
                                               : "Xvfb did not report a display in time";
        return nullptr;
    }

    const std::string name = ":" + number;
    XSetErrorHandler(recordError);
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        error = "cannot connect to Xvfb on " + name;
        return nullptr;
    }
    error = checkScreen(display);
    if (!error.empty()) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<XServer>(new XServer(std::move(*process), name, display));
}

XServer::XServer(ChildProcess process, std::string displayName, Display* display)
    : process_(std::move(process)), displayName_(std::move(displayName)), display_(display) {}

XServer::~XServer() {
    XCloseDisplay(display_);
    process_.stop(SIGTERM, STOP_GRACE);
}

Window XServer::root() const {
    return DefaultRootWindow(display_);
}

int XServer::errorCount() {
    return gErrorCount;
}
