// outline.h — draws the region of a search node the search retired.
//
// The shape follows the scene's boxBounds (capsule or rounded box, as bounds.h
// defines them). Outlines fade within a frame: the k-th (from 0) is coloured
// (d, d, 1) with d = 0.8 * 0.9^k, from pale blue towards deep blue. Arcs are line
// strips with a vertex every ARC_STEP radians plus the exact end vertex. Degenerate
// capsules draw what the region really is (the chord, a circle, or nothing), so
// no vertex is ever non-finite. No allocation.
#pragma once

#include "curve/scene.h"
#include "draw/canvas.h"
#include "search/search_node.h"

constexpr double PI = 3.141592653589793;
constexpr double ARC_STEP = PI / 30.0;  // 6 degrees
constexpr double OUTLINE_WIDTH = 2.0;

// Arc of the circle (cx, cy, r) from angle a0 to a1 (radians, counter-clockwise,
// a1 >= a0), as unit-circle vertices under a translate-and-scale transform.
void drawArc(Canvas& canvas, double cx, double cy, double r, double a0, double a1);

// Colour of the k-th outline of a frame (k >= 0).
Rgb outlineColor(int k);

// Draws node's region unless the scene hides outlines; then advances outlineCount.
void drawOutline(Canvas& canvas, const Scene& scene, int& outlineCount, const SearchNode& node);
