#include "app/input.h"

#include <gtest/gtest.h>

#include <climits>

#include "app/view.h"

namespace {

// Window pixel of a scene point in the default 800 x 800 window.
int pixelX(double x) {
    return 400 + static_cast<int>(x);
}
int pixelY(double y) {
    return 400 - static_cast<int>(y);
}

struct PickCase {
    const char* what;
    int dx, dy;  // pointer offset from P0 in pixels
    int expected;
};

TEST(Input, PicksWithinReachOnly) {
    const PickCase cases[] = {
        {"on the point", 0, 0, 0},
        {"5 px right (25)", 5, 0, 0},
        {"6 px right (36)", 6, 0, NO_SELECTION},
        {"3, 4 px off (25)", 3, 4, 0},
        {"4, 4 px off (32)", 4, 4, NO_SELECTION},
    };
    for (const PickCase& c : cases) {
        SCOPED_TRACE(c.what);
        Scene scene = defaultScene();
        handleMouse(scene, MouseButton::Left, ButtonState::Down, pixelX(-225) + c.dx,
                    pixelY(-225) + c.dy);
        EXPECT_EQ(scene.selected, c.expected);
    }
}

TEST(Input, HigherIndexWinsOnASharedSpot) {
    Scene scene = defaultScene();
    scene.points[1] = scene.points[3];
    pickPoint(scene, pixelX(225), pixelY(225));
    EXPECT_EQ(scene.selected, 3);
    scene.points[QUERY_POINT] = scene.points[3];
    pickPoint(scene, pixelX(225), pixelY(225));
    EXPECT_EQ(scene.selected, QUERY_POINT);
}

struct DragCase {
    int width, height;
    int x, y;
    Point2 expected;
};

TEST(Input, DragWritesWholeNumbersFromIntegerHalves) {
    const DragCase cases[] = {
        {800, 800, 0, 0, {-400, 400}},           {801, 601, 0, 0, {-400, 300}},
        {801, 601, 800, 600, {400, -300}},       {640, 480, 330, 230, {10, 10}},
        {800, 800, -5000, 9000, {-5400, -8600}},  // past the window edge: followed anyway
    };
    for (const DragCase& c : cases) {
        Scene scene = defaultScene();
        scene.windowWidth = c.width;
        scene.windowHeight = c.height;
        scene.selected = 2;
        handleMotion(scene, c.x, c.y);
        EXPECT_EQ(scene.points[2].x, c.expected.x);
        EXPECT_EQ(scene.points[2].y, c.expected.y);
    }
}

TEST(Input, DragSequenceAndReset) {
    Scene scene = defaultScene();
    EXPECT_FALSE(
        handleMouse(scene, MouseButton::Left, ButtonState::Down, pixelX(-160), pixelY(160)));
    ASSERT_EQ(scene.selected, QUERY_POINT);
    handleMotion(scene, pixelX(-100), pixelY(100));
    EXPECT_EQ(queryPoint(scene).x, -100.0);
    EXPECT_EQ(queryPoint(scene).y, 100.0);

    // A right press mid-drag resets and ends the drag: further motion moves nothing.
    EXPECT_TRUE(handleMouse(scene, MouseButton::Right, ButtonState::Down, 0, 0));
    EXPECT_EQ(scene.selected, NO_SELECTION);
    EXPECT_EQ(queryPoint(scene).x, -160.0);
    handleMotion(scene, 10, 10);
    EXPECT_EQ(queryPoint(scene).x, -160.0);
    EXPECT_EQ(queryPoint(scene).y, 160.0);

    scene.selected = 1;
    EXPECT_FALSE(handleMouse(scene, MouseButton::Left, ButtonState::Up, 0, 0));
    EXPECT_EQ(scene.selected, NO_SELECTION);
    EXPECT_FALSE(
        handleMouse(scene, MouseButton::Middle, ButtonState::Down, pixelX(-160), pixelY(160)));
    EXPECT_FALSE(handleMouse(scene, MouseButton::Right, ButtonState::Up, 0, 0));
    EXPECT_EQ(scene.selected, NO_SELECTION);
}

TEST(Input, MissKeepsSelectionAndMotionWithoutOneChangesNothing) {
    Scene scene = defaultScene();
    const Scene before = scene;
    pickPoint(scene, 0, 0);
    EXPECT_EQ(scene.selected, NO_SELECTION);
    handleMotion(scene, 123, 456);
    for (int i = 0; i < SCENE_POINT_COUNT; ++i) {
        EXPECT_EQ(scene.points[i].x, before.points[i].x);
        EXPECT_EQ(scene.points[i].y, before.points[i].y);
    }
}

TEST(Input, PointerFarOutsideNeitherCrashesNorOverflows) {
    Scene scene = defaultScene();
    scene.points[0] = {static_cast<double>(INT_MAX), static_cast<double>(INT_MIN)};
    scene.points[1] = {static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)};
    const int extremes[][2] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
    for (const auto& e : extremes) {
        pickPoint(scene, e[0], e[1]);
        EXPECT_EQ(scene.selected, NO_SELECTION);
    }
    // Exactly on a far point it is still picked.
    scene.points[2] = {-2147484048.0, 2147484047.0};
    pickPoint(scene, INT_MIN, INT_MIN + 1);
    EXPECT_EQ(scene.selected, 2);
}

struct KeyCase {
    unsigned char key;
    KeyAction action;
    bool boxBounds;
    bool hideOutlines;
};

TEST(Input, KeysToggleFlagsAndOnlyEscapeQuits) {
    const KeyCase cases[] = {
        {KEY_ENTER, KeyAction::Redraw, true, false},
        {KEY_BACKQUOTE, KeyAction::Redraw, false, true},
        {'a', KeyAction::Redraw, false, false},
        {' ', KeyAction::Redraw, false, false},
        {KEY_ESCAPE, KeyAction::Quit, false, false},
    };
    for (const KeyCase& c : cases) {
        Scene scene = defaultScene();
        EXPECT_EQ(handleKey(scene, c.key), c.action) << int{c.key};
        EXPECT_EQ(scene.boxBounds, c.boxBounds) << int{c.key};
        EXPECT_EQ(scene.hideOutlines, c.hideOutlines) << int{c.key};
        if (c.key == KEY_ESCAPE) continue;
        handleKey(scene, c.key);  // twice returns to the start
        EXPECT_FALSE(scene.boxBounds);
        EXPECT_FALSE(scene.hideOutlines);
    }
}

struct OrthoCase {
    int width, height;
    OrthoBounds expected;
};

TEST(View, ProjectionUsesIntegerHalvesAndRejectsEmptyWindows) {
    const OrthoCase cases[] = {
        {800, 800, {-400, 400, -400, 400, true}}, {801, 601, {-400, 400, -300, 300, true}},
        {640, 480, {-320, 320, -240, 240, true}}, {1, 800, {0, 0, -400, 400, false}},
        {800, 0, {-400, 400, 0, 0, false}},       {0, 0, {0, 0, 0, 0, false}},
    };
    for (const OrthoCase& c : cases) {
        const OrthoBounds o = orthoForWindow(c.width, c.height);
        EXPECT_EQ(o.left, c.expected.left);
        EXPECT_EQ(o.right, c.expected.right);
        EXPECT_EQ(o.bottom, c.expected.bottom);
        EXPECT_EQ(o.top, c.expected.top);
        EXPECT_EQ(o.valid, c.expected.valid) << c.width << "x" << c.height;
    }
}

}  // namespace
