#include "harness/scene_model.h"

#include <cmath>

Pixel toPixel(ScenePoint p, int width, int height) {
    return {width / 2 + static_cast<int>(std::floor(p.x)),
            height / 2 - static_cast<int>(std::ceil(p.y))};
}

ScenePoint lerp(ScenePoint a, ScenePoint b, double f) {
    return {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
}

ScenePoint bezierAt(const ScenePoints& points, double t) {
    ScenePoint level[4] = {points[0], points[1], points[2], points[3]};
    for (int n = 3; n > 0; --n)
        for (int i = 0; i < n; ++i) level[i] = lerp(level[i], level[i + 1], t);
    return level[0];
}

ScenePoint nearestSample(const ScenePoints& points) {
    const ScenePoint q = points[QUERY_INDEX];
    ScenePoint best = points[0];
    double bestSquared = INFINITY;
    for (int k = 0; k <= SAMPLE_STEPS; ++k) {
        const ScenePoint p = bezierAt(points, static_cast<double>(k) / SAMPLE_STEPS);
        const double squared = (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y);
        if (squared < bestSquared) {
            bestSquared = squared;
            best = p;
        }
    }
    return best;
}
