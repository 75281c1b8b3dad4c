// recording_canvas.h — a canvas that keeps every call, for tests that inspect frames.
//
// Each begin..end batch becomes one Batch with the colour and width current at its
// end, its vertices already mapped through the transform stack (in double), and the
// colour each vertex was given.
#pragma once

#include <vector>

#include "draw/canvas.h"

struct RecordedVertex {
    double x;
    double y;
    Rgb color;
};

struct Batch {
    Primitive primitive;
    Rgb color;
    double width;
    std::vector<RecordedVertex> vertices;
    int transformDepth;
};

class RecordingCanvas final : public Canvas {
public:
    std::vector<Batch> batches;

    void setColor(const Rgb& color) override { color_ = color; }
    void setLineWidth(double width) override { width_ = width; }
    void begin(Primitive primitive) override {
        batches.push_back({primitive, color_, width_, {}, depth()});
    }
    void vertex(double x, double y) override {
        const Transform& t = transforms_.back();
        batches.back().vertices.push_back({t.tx + t.s * x, t.ty + t.s * y, color_});
    }
    void end() override {
        batches.back().color = color_;
        batches.back().width = width_;
    }
    void pushTransform(double tx, double ty, double s) override {
        const Transform& t = transforms_.back();
        transforms_.push_back({t.tx + t.s * tx, t.ty + t.s * ty, t.s * s});
    }
    void popTransform() override { transforms_.pop_back(); }

    int depth() const { return static_cast<int>(transforms_.size()) - 1; }

private:
    struct Transform {
        double tx;
        double ty;
        double s;
    };
    std::vector<Transform> transforms_{{0.0, 0.0, 1.0}};
    Rgb color_{0.0, 0.0, 0.0};
    double width_ = 1.0;
};

inline bool sameColor(const Rgb& a, const Rgb& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
