// x_input.h — synthetic pointer and keyboard input through XTEST.
//
// Positions are screen pixels. Each call flushes and syncs, so the server has queued
// the event for its client before the call returns; when the client handles it is
// the client's business, which is why tests wait on the window's pixels afterwards.
#pragma once

#include <X11/Xlib.h>

void movePointer(Display* display, int screenX, int screenY);

// button: 1 left, 2 middle, 3 right.
void pressButton(Display* display, unsigned int button);
void releaseButton(Display* display, unsigned int button);
// Releases buttons 1 to 5 if held, so one test's aborted drag cannot leak into the next.
void releaseAllButtons(Display* display);

// Presses and releases the key that produces `keysym` without modifiers.
void tapKey(Display* display, KeySym keysym);
