#include "search/bounds.h"

#include <algorithm>
#include <cmath>

double distanceBetween(const Point2& a, const Point2& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

namespace {
double secondDifferenceLength(const Point2& a, const Point2& b, const Point2& c) {
    const double x = a.x - 2.0 * b.x + c.x;
    const double y = a.y - 2.0 * b.y + c.y;
    return std::sqrt(x * x + y * y);
}
}  // namespace

double rootRadius(const Point2* ctrl) {
    const double first = secondDifferenceLength(ctrl[0], ctrl[1], ctrl[2]);
    const double second = secondDifferenceLength(ctrl[1], ctrl[2], ctrl[3]);
    return std::max(first, second) * 3.0 * 0.25;
}

double capsuleKey(const Point2& p0, const Point2& p1, double r, const Point2& q) {
    const double d1 = distanceBetween(p1, q);
    const double d0 = distanceBetween(p0, q);
    const double dx = p1.x - p0.x;
    const double dy = p1.y - p0.y;
    const bool pastStart = (q.x - p0.x) * dx + (q.y - p0.y) * dy > 0.0;
    const bool beforeEnd = (q.x - p1.x) * dx + (q.y - p1.y) * dy < 0.0;
    if (pastStart && beforeEnd) {
        // The foot of the perpendicular lies inside the chord: |cross| / |d| is the
        // distance to the chord's line, written as |cross| * |d| / |d|^2.
        const double cross = q.x * dy - q.y * dx - p0.x * p1.y + p1.x * p0.y;
        const double lengthSquared = dx * dx + dy * dy;
        return std::fabs(cross) * std::sqrt(lengthSquared) / lengthSquared - r;
    }
    return (d1 < d0 ? d1 : d0) - r;
}

double boxKey(const Point2& p0, const Point2& p1, double r, const Point2& q) {
    const double xmin = std::min(p0.x, p1.x);
    const double xmax = std::max(p0.x, p1.x);
    const double ymin = std::min(p0.y, p1.y);
    const double ymax = std::max(p0.y, p1.y);
    const double ax = std::max(std::max(xmin - q.x, q.x - xmax), 0.0);
    const double ay = std::max(std::max(ymin - q.y, q.y - ymax), 0.0);
    return std::sqrt(ax * ax + ay * ay) - r;
}

void computeKey(SearchNode& node, const Point2& q, bool boxBounds) {
    node.key = boxBounds ? boxKey(node.p0, node.p1, node.radius, q)
                         : capsuleKey(node.p0, node.p1, node.radius, q);
}
