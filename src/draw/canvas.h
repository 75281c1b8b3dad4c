// canvas.h — the drawing seam: the few primitives a Quillfen frame is made of.
//
// The core describes a frame through this interface and a backend replays it: the
// viewer's GL canvas one call to one GL call, the SVG canvas into a file, tests into
// a recording. Coordinates are scene units (origin at the window centre, y up),
// mapped through the current transform. Colours are RGB in [0, 1]; widths in pixels.
// Implementations must not allocate per call.
#pragma once

enum class Primitive { Lines, LineStrip, Points };

struct Rgb {
    double r;
    double g;
    double b;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void setColor(const Rgb& color) = 0;
    virtual void setLineWidth(double width) = 0;
    // Vertices between begin and end form one batch of `primitive`.
    virtual void begin(Primitive primitive) = 0;
    virtual void vertex(double x, double y) = 0;
    virtual void end() = 0;
    // Pushes "translate by (tx, ty), then scale by s" on top of the current transform.
    virtual void pushTransform(double tx, double ty, double s) = 0;
    virtual void popTransform() = 0;
};

// A canvas that draws nothing: for measuring the frame's own cost.
class NullCanvas final : public Canvas {
public:
    void setColor(const Rgb&) override {}
    void setLineWidth(double) override {}
    void begin(Primitive) override {}
    void vertex(double, double) override {}
    void end() override {}
    void pushTransform(double, double, double) override {}
    void popTransform() override {}
};
