#include "harness/x_window.h"

#include <X11/Xutil.h>

#include <vector>

#include "harness/x_server.h"

namespace {
// The direct children of `parent`, bottom to top; empty if it is gone.
std::vector<Window> childrenOf(Display* display, Window parent) {
    Window root = 0, ignored = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, parent, &root, &ignored, &children, &count) == 0) return result;
    result.assign(children, children + count);
    if (children != nullptr) XFree(children);
    return result;
}

// Depth-first search below `parent` for a viewable window titled `title`.
std::optional<Window> findViewable(Display* display, Window parent, const std::string& title) {
    for (Window child : childrenOf(display, parent)) {
        if (windowTitle(display, child) == title && isViewable(display, child)) return child;
        if (std::optional<Window> found = findViewable(display, child, title)) return found;
    }
    return std::nullopt;
}

// Shift that brings a visual's channel mask down to its lowest bit, and the top of
// the shifted mask, so channels of any depth scale to 8 bits.
struct Channel {
    int shift;
    unsigned long max;
};

// The channel described by a visual's mask (all zero for an empty mask).
Channel channelOf(unsigned long mask) {
    Channel channel{0, 0};
    if (mask == 0) return channel;
    while (((mask >> channel.shift) & 1ul) == 0) ++channel.shift;
    channel.max = mask >> channel.shift;
    return channel;
}

// One channel of a pixel value, scaled to 0..255.
std::uint8_t channelValue(unsigned long pixel, const Channel& channel) {
    if (channel.max == 0) return 0;
    const unsigned long value = (pixel >> channel.shift) & channel.max;
    return static_cast<std::uint8_t>(value * 255ul / channel.max);
}
}  // namespace

std::optional<Window> waitForWindow(Display* display, Window root, const std::string& title,
                                    const Deadline& deadline) {
    std::optional<Window> window;
    pollUntil(deadline, [&] {
        window = findViewable(display, root, title);
        return window.has_value();
    });
    return window;
}

bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) return false;
    return attributes.map_state == IsViewable;
}

std::string windowTitle(Display* display, Window window) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) return "";
    std::string title = name;
    XFree(name);
    return title;
}

std::optional<WindowGeometry> windowGeometry(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child))
        return std::nullopt;
    return WindowGeometry{x, y, attributes.width, attributes.height};
}

std::optional<Image> captureWindow(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) return std::nullopt;
    if (attributes.map_state != IsViewable) return std::nullopt;
    const int errorsBefore = XServer::errorCount();
    XImage* xImage = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                               static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (xImage == nullptr || XServer::errorCount() != errorsBefore) {
        if (xImage != nullptr) XDestroyImage(xImage);
        return std::nullopt;
    }
    const Channel red = channelOf(attributes.visual->red_mask);
    const Channel green = channelOf(attributes.visual->green_mask);
    const Channel blue = channelOf(attributes.visual->blue_mask);
    Image image(attributes.width, attributes.height);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(xImage, x, y);
            image.at({x, y}) = {channelValue(pixel, red), channelValue(pixel, green),
                                channelValue(pixel, blue)};
        }
    }
    XDestroyImage(xImage);
    return image;
}

void resizeWindow(Display* display, Window window, int width, int height) {
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(display, False);
}
