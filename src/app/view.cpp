#include "app/view.h"

OrthoBounds orthoForWindow(int width, int height) {
    const int hw = width / 2;
    const int hh = height / 2;
    return {static_cast<double>(-hw), static_cast<double>(hw), static_cast<double>(-hh),
            static_cast<double>(hh), hw != 0 && hh != 0};
}

ScenePixel windowToScene(const Scene& scene, int x, int y) {
    const std::int64_t hw = scene.windowWidth / 2;
    const std::int64_t hh = scene.windowHeight / 2;
    return {x - hw, hh - y};
}
