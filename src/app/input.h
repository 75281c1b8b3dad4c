// input.h — what the mouse and keyboard do to the scene.
//
// The GLUT callbacks translate their events into these calls and ask for a redraw
// when told to; everything here is testable without a window. Drag state is the
// scene's `selected`: the index of the point being dragged, -1 for none.
#pragma once

#include "curve/scene.h"

// A point is within reach when its squared distance to the pointer, in whole
// pixels, is below this (a radius of about 5.5 pixels).
constexpr long long PICK_THRESHOLD = 30;

constexpr unsigned char KEY_ESCAPE = 27;
constexpr unsigned char KEY_ENTER = 13;
constexpr unsigned char KEY_BACKQUOTE = '`';

enum class MouseButton { Left, Middle, Right };
enum class ButtonState { Down, Up };
enum class KeyAction { Redraw, Quit };

// Selects the last of P0..P3, Q within reach of window pixel (x, y); keeps the
// selection when none is.
void pickPoint(Scene& scene, int x, int y);

// Escape quits; Enter switches capsules and rounded boxes; backquote shows or hides
// the outlines; every other key changes nothing. All but Escape redraw.
KeyAction handleKey(Scene& scene, unsigned char key);

// Left press picks, left release drops, right press resets the scene. Returns
// whether the frame must be redrawn (only after a reset).
bool handleMouse(Scene& scene, MouseButton button, ButtonState state, int x, int y);

// Moves the dragged point, if any, to window pixel (x, y). The frame is redrawn
// either way.
void handleMotion(Scene& scene, int x, int y);
