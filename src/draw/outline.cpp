#include "draw/outline.h"

#include <algorithm>
#include <cmath>

#include "curve/bernstein.h"

void drawArc(Canvas& canvas, double cx, double cy, double r, double a0, double a1) {
    canvas.pushTransform(cx, cy, r);
    canvas.begin(Primitive::LineStrip);
    double a = a0;
    for (; a1 > a; a += ARC_STEP) canvas.vertex(std::cos(a), std::sin(a));
    canvas.vertex(std::cos(a1), std::sin(a1));
    canvas.end();
    canvas.popTransform();
}

Rgb outlineColor(int k) {
    const double d = 0.8 * integerPower(0.9, k);
    return {d, d, 1.0};
}

namespace {
void drawSegment(Canvas& canvas, const Point2& a, const Point2& b) {
    canvas.begin(Primitive::Lines);
    canvas.vertex(a.x, a.y);
    canvas.vertex(b.x, b.y);
    canvas.end();
}

// The segment p0-p1 widened by r: two sides offset by the normal n (the chord turned
// a quarter turn counter-clockwise, length r), then a half circle around each end.
void drawCapsule(Canvas& canvas, const Point2& p0, const Point2& p1, double r) {
    const double s = std::sqrt((p1.x - p0.x) * (p1.x - p0.x) + (p0.y - p1.y) * (p0.y - p1.y)) / r;
    if (!(s > 0.0)) {
        // Chord of length 0: the region is the disc around the point (nothing when r = 0).
        if (r > 0.0) drawArc(canvas, p0.x, p0.y, r, 0.0, 2.0 * PI);
        return;
    }
    const Point2 n = {(p0.y - p1.y) / s, (p1.x - p0.x) / s};
    if (n.x == 0.0 && n.y == 0.0) {
        drawSegment(canvas, p0, p1);  // r = 0: the region is the chord itself
        return;
    }
    canvas.begin(Primitive::Lines);
    canvas.vertex(p0.x + n.x, p0.y + n.y);
    canvas.vertex(p1.x + n.x, p1.y + n.y);
    canvas.vertex(p0.x - n.x, p0.y - n.y);
    canvas.vertex(p1.x - n.x, p1.y - n.y);
    canvas.end();
    double theta = std::atan(n.y / n.x);
    if (n.x < 0.0) theta += PI;
    drawArc(canvas, p0.x, p0.y, r, theta, theta + PI);
    drawArc(canvas, p1.x, p1.y, r, theta + PI, theta + 2.0 * PI);
}

// The rectangle spanned by p0 and p1 grown by r: four sides, then four quarter-circle
// corners, counter-clockwise from the lower left.
void drawRoundedBox(Canvas& canvas, const Point2& p0, const Point2& p1, double r) {
    const double xmin = std::min(p0.x, p1.x);
    const double xmax = std::max(p0.x, p1.x);
    const double ymin = std::min(p0.y, p1.y);
    const double ymax = std::max(p0.y, p1.y);
    canvas.begin(Primitive::Lines);
    canvas.vertex(xmin, ymin - r);
    canvas.vertex(xmax, ymin - r);
    canvas.vertex(xmax + r, ymin);
    canvas.vertex(xmax + r, ymax);
    canvas.vertex(xmax, ymax + r);
    canvas.vertex(xmin, ymax + r);
    canvas.vertex(xmin - r, ymax);
    canvas.vertex(xmin - r, ymin);
    canvas.end();
    drawArc(canvas, xmin, ymin, r, -PI, -PI / 2.0);
    drawArc(canvas, xmax, ymin, r, -PI / 2.0, 0.0);
    drawArc(canvas, xmax, ymax, r, 0.0, PI / 2.0);
    drawArc(canvas, xmin, ymax, r, PI / 2.0, PI);
}
}  // namespace

void drawOutline(Canvas& canvas, const Scene& scene, int& outlineCount, const SearchNode& node) {
    if (scene.hideOutlines) return;
    canvas.setLineWidth(OUTLINE_WIDTH);
    canvas.setColor(outlineColor(outlineCount++));
    if (scene.boxBounds)
        drawRoundedBox(canvas, node.p0, node.p1, node.radius);
    else
        drawCapsule(canvas, node.p0, node.p1, node.radius);
}
