#include "app/input.h"

#include <cstdint>

#include "app/view.h"

namespace {
// Offsets in whole pixels, in 64 bits: a point dragged far outside the window must not
// overflow. Any offset of 6 or more is out of reach (36 > 30), so the squares that are
// formed stay tiny.
bool withinReach(std::int64_t ex, std::int64_t ey) {
    if (ex <= -6 || ex >= 6 || ey <= -6 || ey >= 6) return false;
    return ex * ex + ey * ey < PICK_THRESHOLD;
}
}  // namespace

void pickPoint(Scene& scene, int x, int y) {
    const ScenePixel pointer = windowToScene(scene, x, y);
    for (int i = 0; i < SCENE_POINT_COUNT; ++i) {
        const std::int64_t ex = static_cast<std::int64_t>(scene.points[i].x) - pointer.x;
        const std::int64_t ey = static_cast<std::int64_t>(scene.points[i].y) - pointer.y;
        if (withinReach(ex, ey)) scene.selected = i;
    }
}

KeyAction handleKey(Scene& scene, unsigned char key) {
    switch (key) {
        case KEY_ESCAPE:
            return KeyAction::Quit;
        case KEY_ENTER:
            scene.boxBounds = !scene.boxBounds;
            break;
        case KEY_BACKQUOTE:
            scene.hideOutlines = !scene.hideOutlines;
            break;
        default:
            break;
    }
    return KeyAction::Redraw;
}

bool handleMouse(Scene& scene, MouseButton button, ButtonState state, int x, int y) {
    if (button == MouseButton::Left && state == ButtonState::Down) pickPoint(scene, x, y);
    if (button == MouseButton::Left && state == ButtonState::Up) scene.selected = NO_SELECTION;
    if (button == MouseButton::Right && state == ButtonState::Down) {
        resetScene(scene);
        return true;
    }
    return false;
}

void handleMotion(Scene& scene, int x, int y) {
    if (scene.selected < 0) return;
    const ScenePixel p = windowToScene(scene, x, y);
    scene.points[scene.selected] = {static_cast<double>(p.x), static_cast<double>(p.y)};
}
