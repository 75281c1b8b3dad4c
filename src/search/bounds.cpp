#include "search/bounds.h"

#include <algorithm>
#include <cmath>

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

void computeKey(SearchNode& node, const Point2& q, bool boxBounds) {
    node.key = boxBounds ? boxKey(node.p0, node.p1, node.radius, q)
                         : capsuleKey(node.p0, node.p1, node.radius, q);
}
