// x_window.h — finding a top-level window by its title and reading it back.
//
// Plain Xlib on the suite's connection. Every call may race the window's owner (it
// can resize, unmap or exit at any moment), so reads report failure instead of
// trusting a stale answer.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>

#include "harness/deadline.h"
#include "harness/image.h"

// Position relative to the root window and inner size, in pixels.
struct WindowGeometry {
    int x;
    int y;
    int width;
    int height;
};

// The first viewable window under `root` (searched depth first) whose WM_NAME is
// `title`, polled until it appears or the deadline passes.
std::optional<Window> waitForWindow(Display* display, Window root, const std::string& title,
                                    const Deadline& deadline);

// True while `window` exists and is mapped on a mapped parent.
bool isViewable(Display* display, Window window);

// The window's WM_NAME, "" when it has none.
std::string windowTitle(Display* display, Window window);

std::optional<WindowGeometry> windowGeometry(Display* display, Window window);

// The window's current content, nullopt when it cannot be read (gone, or resized
// between the size query and the read).
std::optional<Image> captureWindow(Display* display, Window window);

// Asks the server to resize the window (no window manager stands in between).
void resizeWindow(Display* display, Window window, int width, int height);
