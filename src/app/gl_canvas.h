// gl_canvas.h — replays canvas calls as fixed-function OpenGL, one call to one call.
//
// Transforms act on the current matrix, which is the projection (the model-view
// matrix is never touched). Needs a current GL context; no allocation.
#pragma once

#include "draw/canvas.h"

class GlCanvas final : public Canvas {
public:
    void setColor(const Rgb& color) override;
    void setLineWidth(double width) override;
    void begin(Primitive primitive) override;
    void vertex(double x, double y) override;
    void end() override;
    void pushTransform(double tx, double ty, double s) override;
    void popTransform() override;
};
