// view.h — how the window's pixels relate to scene units.
//
// The projection puts the scene origin at the window centre with y up, using the
// integer halves hw = width/2 and hh = height/2 (truncated): one scene unit per pixel
// for even sizes. The mouse mapping uses the same halves, so a pixel maps to a whole
// scene point. Pure functions, no GL.
#pragma once

#include <cstdint>

#include "curve/scene.h"

// Orthographic bounds for a window; `valid` is false when the window is 0 or 1 pixel
// wide or tall, where left = right (or bottom = top) and the projection is undefined.
struct OrthoBounds {
    double left;
    double right;
    double bottom;
    double top;
    bool valid;
};

OrthoBounds orthoForWindow(int width, int height);

// A window pixel (origin top left, y down) as a whole-number scene point.
struct ScenePixel {
    std::int64_t x;
    std::int64_t y;
};

ScenePixel windowToScene(const Scene& scene, int x, int y);
