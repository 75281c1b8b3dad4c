#include "scenes.h"

#include <random>

namespace {
Scene makeScene(Point2 p0, Point2 p1, Point2 p2, Point2 p3, Point2 q) {
    Scene scene = defaultScene();
    scene.points[0] = p0;
    scene.points[1] = p1;
    scene.points[2] = p2;
    scene.points[3] = p3;
    scene.points[QUERY_POINT] = q;
    return scene;
}
}  // namespace

std::vector<Scene> randomScenes() {
    std::mt19937 rng(RANDOM_SCENE_SEED);
    std::uniform_int_distribution<int> coord(-400, 400);
    std::vector<Scene> scenes(RANDOM_SCENE_COUNT, defaultScene());
    for (Scene& scene : scenes)
        for (Point2& p : scene.points) p = {coord(rng) * 1.0, coord(rng) * 1.0};
    return scenes;
}

std::vector<Scene> adversarialScenes() {
    return {
        // A loop, Q inside it, at its crossing, and outside.
        makeScene({-200, -100}, {300, 300}, {-300, 300}, {200, -100}, {0, 120}),
        makeScene({-200, -100}, {300, 300}, {-300, 300}, {200, -100}, {0, 75}),
        makeScene({-200, -100}, {300, 300}, {-300, 300}, {200, -100}, {0, -300}),
        // A cusp (P1, P2 crossed symmetrically), Q at and near the cusp tip.
        makeScene({-200, 0}, {200, 200}, {-200, 200}, {200, 0}, {0, 150}),
        makeScene({-200, 0}, {200, 200}, {-200, 200}, {200, 0}, {0, 400}),
        // Collinear: evenly spaced (radius 0 everywhere), bunched, and folded back.
        makeScene({-225, -225}, {-75, -75}, {75, 75}, {225, 225}, {-160, 160}),
        makeScene({-300, 0}, {-290, 0}, {290, 0}, {300, 0}, {0, 10}),
        makeScene({-300, 0}, {300, 0}, {-300, 0}, {300, 0}, {17, -3}),
        // Coincident control points.
        makeScene({50, 50}, {50, 50}, {50, 50}, {50, 50}, {-100, 200}),
        makeScene({50, 50}, {50, 50}, {50, 50}, {51, 50}, {50, 50}),
        makeScene({-225, -225}, {-225, -225}, {225, 225}, {225, 225}, {0, 0}),
        // Q on the curve: an end, the middle, a quarter.
        makeScene({-225, -225}, {-225, 0}, {0, 225}, {225, 225}, {-225, -225}),
        makeScene({-225, -225}, {-225, 0}, {0, 225}, {225, 225}, {-84.375, 84.375}),
        makeScene({-200, 0}, {-200, 200}, {200, 200}, {200, 0}, {-87.5, 112.5}),
        // Q equidistant from two branches: a symmetric arch with Q on its axis, a
        // hairpin with Q between its arms, the default bend with Q at its centre.
        makeScene({-100, 0}, {-100, 300}, {100, 300}, {100, 0}, {0, 0}),
        makeScene({-300, 40}, {400, 40}, {400, -40}, {-300, -40}, {0, 0}),
        makeScene({-225, -225}, {-225, 0}, {0, 225}, {225, 225}, {0, 0}),
        makeScene({-400, -400}, {400, 400}, {-400, 400}, {400, -400}, {0, 0}),
    };
}
