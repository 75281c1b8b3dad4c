// scenes.h — the fixed scene sets every benchmark runs over.
//
// The random set: 1,000 scenes whose control points and query point are whole
// numbers uniform in [-400, 400], from a fixed seed, so every run measures the same
// work. The adversarial set: loops, cusps, collinear and coincident control points,
// query points on the curve and equidistant from two branches.
#pragma once

#include <vector>

#include "curve/scene.h"

constexpr int RANDOM_SCENE_COUNT = 1000;
constexpr unsigned RANDOM_SCENE_SEED = 20261211u;

std::vector<Scene> randomScenes();
std::vector<Scene> adversarialScenes();
