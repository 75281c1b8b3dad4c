// bounds.h — the regions that prove a piece of the curve cannot beat the best sample.
//
// A node's region is either the capsule (points within `radius` of the chord p0-p1)
// or the rounded box (points within `radius` of the axis-aligned rectangle spanned by
// p0 and p1). The capsule lies inside the box, so it gives the tighter keys. Every
// formula keeps a fixed operation order: the figures must reproduce to the bit.
#pragma once

#include <algorithm>
#include <cmath>

#include "curve/point2.h"
#include "search/search_node.h"

// Radius factor of a child relative to its parent: halving t quarters the second
// differences of the control polygon.
constexpr double CHILD_RADIUS_FACTOR = 0.25;

// sqrt(dx^2 + dy^2), the x term added first.
inline double distanceBetween(const Point2& a, const Point2& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// 0.75 * max(|P0 - 2 P1 + P2|, |P1 - 2 P2 + P3|), formed as (max * 3) * 0.25: for a
// cubic the curve never strays further than that from its chord. ctrl = P0..P3.
double rootRadius(const Point2* ctrl);

// True when the cross product q x d - p0 x p1, formed from absolute coordinates, may
// be mostly rounding: its terms reach M = |q.x dy| + |q.y dx| + |p0.x p1.y| + |p1.x p0.y|,
// so the distance it gives is off by up to about 3 eps M / |d|. That stays below
// 2^-20 |d| unless M > 2^31 |d|^2: a chord far shorter than its distance from the
// origin (a tiny curve far out, or the flat end of a degenerate one). There the key
// could overstate the distance and discard pieces holding nearer samples.
inline bool crossIsUnreliable(const Point2& p0, const Point2& p1, const Point2& q, double dx,
                              double dy, double lengthSquared) {
    const double magnitude =
        std::fabs(q.x * dy) + std::fabs(q.y * dx) + std::fabs(p0.x * p1.y) + std::fabs(p1.x * p0.y);
    return magnitude > 0x1p31 * lengthSquared;
}

// capsuleKey for a chord whose end distances d0 = |p0 - q| and d1 = |p1 - q| are
// already known (the search has them from its samples; they are the same bits).
inline double capsuleKeyFromEnds(const Point2& p0, const Point2& p1, double r, const Point2& q,
                                 double d0, double d1) {
    const double dx = p1.x - p0.x;
    const double dy = p1.y - p0.y;
    const bool pastStart = (q.x - p0.x) * dx + (q.y - p0.y) * dy > 0.0;
    const bool beforeEnd = (q.x - p1.x) * dx + (q.y - p1.y) * dy < 0.0;
    if (pastStart && beforeEnd) {
        // The foot of the perpendicular lies inside the chord: |cross| / |d| is the
        // distance to the chord's line, written as |cross| * |d| / |d|^2.
        double cross = q.x * dy - q.y * dx - p0.x * p1.y + p1.x * p0.y;
        const double lengthSquared = dx * dx + dy * dy;
        if (crossIsUnreliable(p0, p1, q, dx, dy, lengthSquared))
            cross = (q.x - p0.x) * dy - (q.y - p0.y) * dx;
        return std::fabs(cross) * std::sqrt(lengthSquared) / lengthSquared - r;
    }
    return (d1 < d0 ? d1 : d0) - r;
}

// Distance from q to segment p0-p1, minus r (negative inside the capsule).
inline double capsuleKey(const Point2& p0, const Point2& p1, double r, const Point2& q) {
    const double d1 = distanceBetween(p1, q);
    const double d0 = distanceBetween(p0, q);
    return capsuleKeyFromEnds(p0, p1, r, q, d0, d1);
}

// Distance from q to the rectangle spanned by p0, p1 (0 inside), minus r.
inline double boxKey(const Point2& p0, const Point2& p1, double r, const Point2& q) {
    const double xmin = std::min(p0.x, p1.x);
    const double xmax = std::max(p0.x, p1.x);
    const double ymin = std::min(p0.y, p1.y);
    const double ymax = std::max(p0.y, p1.y);
    const double ax = std::max(std::max(xmin - q.x, q.x - xmax), 0.0);
    const double ay = std::max(std::max(ymin - q.y, q.y - ymax), 0.0);
    return std::sqrt(ax * ax + ay * ay) - r;
}

// Sets node.key for query point q in the shape `boxBounds` selects.
void computeKey(SearchNode& node, const Point2& q, bool boxBounds);
