#include "app/gl_canvas.h"

#include <GL/gl.h>

void GlCanvas::setColor(const Rgb& color) {
    glColor3d(color.r, color.g, color.b);
}

void GlCanvas::setLineWidth(double width) {
    glLineWidth(static_cast<GLfloat>(width));
}

void GlCanvas::begin(Primitive primitive) {
    switch (primitive) {
        case Primitive::Lines:
            glBegin(GL_LINES);
            break;
        case Primitive::LineStrip:
            glBegin(GL_LINE_STRIP);
            break;
        case Primitive::Points:
            glBegin(GL_POINTS);
            break;
    }
}

void GlCanvas::vertex(double x, double y) {
    glVertex2d(x, y);
}

void GlCanvas::end() {
    glEnd();
}

void GlCanvas::pushTransform(double tx, double ty, double s) {
    glPushMatrix();
    glTranslated(tx, ty, 0.0);
    glScaled(s, s, s);
}

void GlCanvas::popTransform() {
    glPopMatrix();
}
