// scene.h — the single editable state of Quillfen.
//
// Five points (the cubic's control points P0..P3 and the query point Q at index 4),
// the index of the point being dragged, two view flags and the window size.
// Plain record, no allocation; the viewer keeps one process-wide instance.
#pragma once

#include "curve/point2.h"

constexpr int CONTROL_POINT_COUNT = 4;
constexpr int SCENE_POINT_COUNT = 5;
constexpr int QUERY_POINT = 4;  // index of Q in Scene::points
constexpr int NO_SELECTION = -1;
constexpr int DEFAULT_WINDOW_WIDTH = 800;
constexpr int DEFAULT_WINDOW_HEIGHT = 800;

struct Scene {
    Point2 points[SCENE_POINT_COUNT];
    int selected = NO_SELECTION;  // 0..4 while a point is dragged, -1 otherwise
    bool boxBounds = false;       // false: capsule bounds, true: rounded boxes
    bool hideOutlines = false;
    int windowWidth = DEFAULT_WINDOW_WIDTH;
    int windowHeight = DEFAULT_WINDOW_HEIGHT;
};

// Puts the five points back at their defaults and drops the selection; the view
// flags and the window size are kept.
void resetScene(Scene& scene);

// A scene fresh from start-up: default points, no selection, capsules, outlines shown, 800 x 800.
Scene defaultScene();

inline const Point2& queryPoint(const Scene& scene) {
    return scene.points[QUERY_POINT];
}
