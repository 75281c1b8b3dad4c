// svg_canvas.h — replays a frame as an SVG document, as the viewer's window would show it.
//
// Pixels of a width x height window, y down: scene (x, y) lands on pixel
// (width/2 + x, height/2 - y) with the truncated integer halves the viewer's projection
// uses. The document starts with a white background rect. Each begin..end batch becomes
// SVG elements: Lines a <path> of M/L pairs (an unpaired last vertex is dropped, as GL
// does), LineStrip a <polyline>, Points one <circle r="3"> disc per vertex. Batches
// with nothing to draw emit nothing.
//
// Colours are written as rgb(R,G,B) with each channel round(255 * c), the 8-bit value
// the window shows. Line batches take the colour current at their first vertex; points
// take the colour of each vertex. Coordinates are printed in the shortest form that
// reads back to the same double, after the transform stack is applied in double.
//
// Unlike the viewer's canvas this one allocates: the document grows in a std::string
// and batches and the transform stack live in vectors. It is meant for one-off
// rendering, not for the frame loop. A pop with no matching push is ignored.
#pragma once

#include <string>
#include <vector>

#include "draw/canvas.h"

constexpr double SVG_POINT_RADIUS = 3.0;  // the viewer's 6-pixel points

class SvgCanvas final : public Canvas {
public:
    // Starts a document for a width x height window (both >= 1).
    SvgCanvas(int width, int height);

    void setColor(const Rgb& color) override;
    void setLineWidth(double width) override;
    void begin(Primitive primitive) override;
    void vertex(double x, double y) override;
    void end() override;
    void pushTransform(double tx, double ty, double s) override;
    void popTransform() override;

    // The complete document so far, closing tag included; drawing may continue after.
    std::string document() const;

private:
    struct Transform {
        double tx;
        double ty;
        double s;
    };
    struct PixelVertex {
        double x;
        double y;
        Rgb color;
    };

    void writeLines();
    void writeLineStrip();
    void writePoints();
    void writeStroke(const Rgb& color);

    int halfWidth_;
    int halfHeight_;
    std::string body_;
    std::vector<Transform> transforms_{{0.0, 0.0, 1.0}};
    std::vector<PixelVertex> batch_;
    Primitive primitive_ = Primitive::Lines;
    Rgb color_{0.0, 0.0, 0.0};
    double lineWidth_ = 1.0;
    double batchLineWidth_ = 1.0;
};
