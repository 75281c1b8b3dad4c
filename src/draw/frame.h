// frame.h — one Quillfen frame, described to a canvas.
//
// Layers, back to front: the outlines of the regions the search retired (in the order
// it retired them), the orange connector from Q to the nearest sample, the curve in
// black, then the four red control points and the dark green query point. Clearing
// the background and presenting the frame are the backend's. No allocation.
#pragma once

#include "curve/bernstein.h"
#include "curve/scene.h"
#include "draw/canvas.h"
#include "search/search.h"

constexpr int CURVE_ROW_STRIDE = 16;  // table rows between two curve vertices: 65 vertices
constexpr Rgb CURVE_COLOR = {0.0, 0.0, 0.0};
constexpr Rgb CONNECTOR_COLOR = {1.0, 0.5, 0.0};
constexpr Rgb CONTROL_POINT_COLOR = {1.0, 0.0, 0.0};
constexpr Rgb QUERY_POINT_COLOR = {0.0, 0.5, 0.0};
constexpr double CURVE_WIDTH = 1.0;
constexpr double CONNECTOR_WIDTH = 1.5;
constexpr double POINT_SIZE = 6.0;  // pixels; the backend sets it once

// The line from q to the nearest sample.
void drawConnector(Canvas& canvas, const Point2& q, const Point2& nearest);

// The curve as a line strip through every 16th table row, t = 0 to 1.
void drawCurve(Canvas& canvas, const Scene& scene, const BernsteinTable& table);

// One batch of points: P0..P3 in red, then Q in dark green.
void drawPoints(Canvas& canvas, const Scene& scene);

// Runs the search on the scene, drawing each retired node's outline as it is retired,
// then the connector, the curve and the points. Returns the number of outlines drawn.
int drawFrame(Canvas& canvas, const Scene& scene, const BernsteinTable& table, SearchState& search);
