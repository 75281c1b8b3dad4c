// scene_model.h — what the viewer should show, worked out independently of it.
//
// Scene units have the origin at the window centre and y up; a window of w x h pixels
// puts scene (x, y) at window position (w/2 + x, h/2 - y) with w/2, h/2 truncated.
// The curve is the textbook cubic Bézier; its samples are t = k/1024.
#pragma once

#include <array>

#include "harness/image.h"

struct ScenePoint {
    double x;
    double y;
};

constexpr int SAMPLE_STEPS = 1024;

// P0..P3 of the cubic, then Q, as the viewer starts and as the right button restores.
using ScenePoints = std::array<ScenePoint, 5>;
constexpr int QUERY_INDEX = 4;
constexpr ScenePoints DEFAULT_POINTS = {
    {{-225.0, -225.0}, {-225.0, 0.0}, {0.0, 225.0}, {225.0, 225.0}, {-160.0, 160.0}}};

// The pixel containing scene point p in a window of the given size.
Pixel toPixel(ScenePoint p, int width, int height);

// The cubic through control points points[0..3] at parameter t (de Casteljau).
ScenePoint bezierAt(const ScenePoints& points, double t);

// The sample t = k/1024 closest to points[QUERY_INDEX] (the first one on a tie).
ScenePoint nearestSample(const ScenePoints& points);

// a + (b - a) * f.
ScenePoint lerp(ScenePoint a, ScenePoint b, double f);
