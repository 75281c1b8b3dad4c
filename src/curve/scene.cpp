#include "curve/scene.h"

namespace {
// P0..P3 of a gentle S-free arc from the lower left to the upper right, and Q
// on the arc's axis of symmetry, inside its bend.
constexpr Point2 DEFAULT_POINTS[SCENE_POINT_COUNT] = {
    {-225.0, -225.0}, {-225.0, 0.0}, {0.0, 225.0}, {225.0, 225.0}, {-160.0, 160.0}};
}  // namespace

void resetScene(Scene& scene) {
    for (int i = 0; i < SCENE_POINT_COUNT; ++i) scene.points[i] = DEFAULT_POINTS[i];
    scene.selected = NO_SELECTION;
}

Scene defaultScene() {
    Scene scene;
    resetScene(scene);
    return scene;
}
