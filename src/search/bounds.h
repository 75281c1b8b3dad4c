// bounds.h — the regions that prove a piece of the curve cannot beat the best sample.
//
// A node's region is either the capsule (points within `radius` of the chord p0-p1)
// or the rounded box (points within `radius` of the axis-aligned rectangle spanned by
// p0 and p1). The capsule lies inside the box, so it gives the tighter keys. Every
// formula keeps a fixed operation order: the figures must reproduce to the bit.
#pragma once

#include "curve/point2.h"
#include "search/search_node.h"

// Radius factor of a child relative to its parent: halving t quarters the second
// differences of the control polygon.
constexpr double CHILD_RADIUS_FACTOR = 0.25;

// sqrt(dx^2 + dy^2), the x term added first.
double distanceBetween(const Point2& a, const Point2& b);

// 0.75 * max(|P0 - 2 P1 + P2|, |P1 - 2 P2 + P3|), formed as (max * 3) * 0.25: for a
// cubic the curve never strays further than that from its chord. ctrl = P0..P3.
double rootRadius(const Point2* ctrl);

// Distance from q to segment p0-p1, minus r (negative inside the capsule).
double capsuleKey(const Point2& p0, const Point2& p1, double r, const Point2& q);

// Distance from q to the rectangle spanned by p0, p1 (0 inside), minus r.
double boxKey(const Point2& p0, const Point2& p1, double r, const Point2& q);

// Sets node.key for query point q in the shape `boxBounds` selects.
void computeKey(SearchNode& node, const Point2& q, bool boxBounds);
