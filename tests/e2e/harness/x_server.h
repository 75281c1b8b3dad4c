// x_server.h — a private Xvfb for one test binary, and the suite's connection to it.
//
// Xvfb picks a free display number itself (-displayfd), so runs never collide with
// each other or with a display already on the machine. The screen is 1280 x 1024 at
// 24 bits, large enough for the 800 x 800 window at (300, 100). Xlib errors on this
// connection are recorded instead of ending the process: windows of the viewer may
// vanish or change size between two requests.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>

#include "harness/child_process.h"

class XServer {
public:
    // Starts Xvfb, reads its display number and connects. On failure returns nullptr
    // and says why in `error`.
    static std::unique_ptr<XServer> start(const Deadline& deadline, std::string& error);

    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    // Closes the connection and stops the server (SIGTERM, so it removes its lock file).
    ~XServer();

    // ":N", for the DISPLAY of the programs the suite starts.
    const std::string& displayName() const { return displayName_; }
    Display* display() const { return display_; }
    Window root() const;

    // Number of Xlib errors seen on the connection so far (see the header comment).
    static int errorCount();

private:
    XServer(ChildProcess process, std::string displayName, Display* display);

    ChildProcess process_;
    std::string displayName_;
    Display* display_;
};

// The full path of an executable found on PATH, or nullopt.
std::optional<std::string> findOnPath(const std::string& name);
