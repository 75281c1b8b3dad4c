#include "harness/x_input.h"

#include <X11/extensions/XTest.h>

namespace {
// Waits for the server to process everything sent so far.
void sync(Display* display) {
    XSync(display, False);
}
}  // namespace

void movePointer(Display* display, int screenX, int screenY) {
    XTestFakeMotionEvent(display, DefaultScreen(display), screenX, screenY, CurrentTime);
    sync(display);
}

void pressButton(Display* display, unsigned int button) {
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    sync(display);
}

void releaseButton(Display* display, unsigned int button) {
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    sync(display);
}

void releaseAllButtons(Display* display) {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y,
                  &mask);
    const unsigned int buttonMasks[] = {Button1Mask, Button2Mask, Button3Mask, Button4Mask,
                                        Button5Mask};
    for (unsigned int i = 0; i < 5; ++i)
        if ((mask & buttonMasks[i]) != 0) releaseButton(display, i + 1);
}

void tapKey(Display* display, KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    sync(display);
}
