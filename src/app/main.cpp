// Quillfen's viewer: one window, one cubic, the search redrawn on every frame.
// Everything after start-up runs inside GLUT callbacks on GLUT's single thread.
#include <GL/freeglut.h>

#include <cstdlib>

#include "app/gl_canvas.h"
#include "app/input.h"
#include "app/view.h"
#include "curve/bernstein.h"
#include "curve/scene.h"
#include "draw/frame.h"
#include "search/search.h"

namespace {

// The curve basis, built once at start-up.
BernsteinTable gTable;
// The scene the user edits: five points, the drag, the view flags, the window size.
Scene gScene;
// The search's pool, queue and results, reused by every frame.
SearchState gSearch;
// Replays each frame into the window.
GlCanvas gCanvas;

constexpr int WINDOW_X = 300;
constexpr int WINDOW_Y = 100;
constexpr float GL_POINT_DIAMETER = static_cast<float>(POINT_SIZE);

void initWindow() {
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA);
    glutInitWindowPosition(WINDOW_X, WINDOW_Y);
    glutInitWindowSize(gScene.windowWidth, gScene.windowHeight);
    glutCreateWindow("Quillfen");
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glPointSize(GL_POINT_DIAMETER);
    buildBernsteinTable(gTable, buildBinomials());
    resetScene(gScene);
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT);
    drawFrame(gCanvas, gScene, gTable, gSearch);
    glutSwapBuffers();
}

// A 0- or 1-pixel side has no valid projection: the size is kept and the identity stays.
void reshape(int width, int height) {
    gScene.windowWidth = width;
    gScene.windowHeight = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const OrthoBounds ortho = orthoForWindow(width, height);
    if (ortho.valid) glOrtho(ortho.left, ortho.right, ortho.bottom, ortho.top, 0.0, 1.0);
    glViewport(0, 0, width, height);
}

void keyboard(unsigned char key, int, int) {
    if (handleKey(gScene, key) == KeyAction::Quit) std::exit(0);
    glutPostRedisplay();
}

MouseButton toMouseButton(int button) {
    if (button == GLUT_LEFT_BUTTON) return MouseButton::Left;
    if (button == GLUT_RIGHT_BUTTON) return MouseButton::Right;
    return MouseButton::Middle;  // the middle button and wheel steps: ignored
}

void mouse(int button, int state, int x, int y) {
    const ButtonState pressed = state == GLUT_DOWN ? ButtonState::Down : ButtonState::Up;
    if (handleMouse(gScene, toMouseButton(button), pressed, x, y)) glutPostRedisplay();
}

void motion(int x, int y) {
    handleMotion(gScene, x, y);
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    initWindow();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    glutMainLoop();
    return 0;
}
