// fuzz_search.cpp — libFuzzer target: arbitrary scenes through the whole frame.
//
// Input bytes become one scene: a flags byte (bit 0 rounded boxes, bit 1 outlines
// hidden), then ten coordinates X0 Y0 .. X3 Y3 QX QY. Each coordinate starts with a tag
// byte whose low two bits choose its encoding, so mutations reach both the degenerate
// scenes (equal and collinear points, Q on the curve) and the extreme ones:
//   0  the next byte as a signed integer, -128..127
//   1  the next two bytes as a signed 16-bit integer times 2^(tag/4 - 16)
//   2  an earlier coordinate (index: next byte modulo those read so far); tag/4 % 4
//      keeps it, moves it one ulp up or down, or negates it
//   3  the next eight bytes as a double; NaN becomes 0
// Every coordinate is then clamped into the program's bound |c| <= 1e6; missing
// bytes read as zero. The frame is drawn on a canvas that checks every call, with one
// search state kept across inputs as the viewer keeps it, and the search's figures are
// checked afterwards. Any violation aborts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "draw/frame.h"

namespace {

constexpr double COORDINATE_LIMIT = 1e6;
constexpr int TRANSFORM_DEPTH_LIMIT = 4;  // a frame nests one transform at most
constexpr int BATCH_VERTEX_LIMIT = 1000;  // a full circle is 62 vertices

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_search: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what) {
    if (!condition) fail(what);
}

bool samePoint(const Point2& a, const Point2& b) {
    return std::memcmp(&a, &b, sizeof(Point2)) == 0;
}

// Checks the canvas protocol: batches never nest, vertices only inside a batch, every
// number finite before and after the transform, transforms balanced.
class CheckingCanvas final : public Canvas {
public:
    void setColor(const Rgb& c) override {
        require(inUnitRange(c.r) && inUnitRange(c.g) && inUnitRange(c.b), "colour outside [0, 1]");
    }
    void setLineWidth(double width) override {
        require(std::isfinite(width) && width > 0.0, "line width not positive");
    }
    void begin(Primitive) override {
        require(!open_, "begin inside a batch");
        open_ = true;
        batchVertices_ = 0;
    }
    void vertex(double x, double y) override {
        require(open_, "vertex outside a batch");
        require(std::isfinite(x) && std::isfinite(y), "non-finite vertex");
        const Transform& t = transforms_[depth_];
        require(std::isfinite(t.tx + t.s * x) && std::isfinite(t.ty + t.s * y),
                "vertex non-finite after the transform");
        require(++batchVertices_ <= BATCH_VERTEX_LIMIT, "runaway batch");
    }
    void end() override {
        require(open_, "end without begin");
        open_ = false;
    }
    void pushTransform(double tx, double ty, double s) override {
        require(std::isfinite(tx) && std::isfinite(ty) && std::isfinite(s) && s >= 0.0,
                "bad transform");
        require(depth_ + 1 < TRANSFORM_DEPTH_LIMIT, "transforms nested too deep");
        const Transform& t = transforms_[depth_];
        transforms_[++depth_] = {t.tx + t.s * tx, t.ty + t.s * ty, t.s * s};
    }
    void popTransform() override {
        require(depth_ > 0, "pop without push");
        --depth_;
    }

    void requireFrameClosed() const {
        require(!open_, "frame ended inside a batch");
        require(depth_ == 0, "transforms unbalanced at the end of the frame");
    }

private:
    struct Transform {
        double tx;
        double ty;
        double s;
    };
    static bool inUnitRange(double v) { return v >= 0.0 && v <= 1.0; }

    Transform transforms_[TRANSFORM_DEPTH_LIMIT] = {{0.0, 0.0, 1.0}};
    int depth_ = 0;
    bool open_ = false;
    int batchVertices_ = 0;
};

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    void read(void* out, std::size_t n) {
        auto* bytes = static_cast<std::uint8_t*>(out);
        for (std::size_t i = 0; i < n; ++i) bytes[i] = byte();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

double clampCoordinate(double v) {
    if (std::isnan(v)) return 0.0;
    if (v > COORDINATE_LIMIT) return COORDINATE_LIMIT;
    if (v < -COORDINATE_LIMIT) return -COORDINATE_LIMIT;
    return v;
}

double readCoordinate(ByteReader& in, const double* earlier, int count) {
    const std::uint8_t tag = in.byte();
    const int variant = tag >> 2;
    switch (tag & 3) {
        case 0:
            return static_cast<std::int8_t>(in.byte());
        case 1: {
            std::int16_t raw;
            in.read(&raw, sizeof raw);
            return std::ldexp(static_cast<double>(raw), variant - 16);
        }
        case 2: {
            const int index = in.byte();
            if (count == 0) return 0.0;
            const double v = earlier[index % count];
            switch (variant % 4) {
                case 1:
                    return std::nextafter(v, HUGE_VAL);
                case 2:
                    return std::nextafter(v, -HUGE_VAL);
                case 3:
                    return -v;
                default:
                    return v;
            }
        }
        default: {
            double raw;
            in.read(&raw, sizeof raw);
            return raw;
        }
    }
}

Scene decodeScene(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    Scene scene = defaultScene();
    const std::uint8_t flags = in.byte();
    scene.boxBounds = (flags & 1) != 0;
    scene.hideOutlines = (flags & 2) != 0;
    double c[2 * SCENE_POINT_COUNT];
    for (int i = 0; i < 2 * SCENE_POINT_COUNT; ++i)
        c[i] = clampCoordinate(readCoordinate(in, c, i));
    for (int i = 0; i < SCENE_POINT_COUNT; ++i) scene.points[i] = {c[2 * i], c[2 * i + 1]};
    return scene;
}

const BernsteinTable& table() {
    static const BernsteinTable built = [] {
        BernsteinTable t;
        buildBernsteinTable(t, buildBinomials());
        return t;
    }();
    return built;
}

// Kept across inputs: the nearest point survives a search that finds nothing in reach.
SearchState search;

// A key must bound the distance from Q to every table sample of its node's interval,
// up to rounding: a few ulps of the coordinates involved, a sliver of the chord's
// length for the chord-line distance, and, below 1e-150, the underflow of squares. A key formula
// that loses precision to cancellation overshoots by far more.
// Scenes with coordinates below 1e-30 are left out: there the key's intermediate
// |cross| * |d| can underflow (a known limit far below any pixel).
void checkKeys(const Scene& scene) {
    for (const Point2& p : scene.points)
        if ((p.x != 0.0 && std::fabs(p.x) < 1e-30) || (p.y != 0.0 && std::fabs(p.y) < 1e-30))
            return;
    static SearchState again;
    const Point2& q = queryPoint(scene);
    runNearestSearch(again, scene, table(), [&](const SearchNode& node) {
        const double chord = distanceBetween(node.p0, node.p1);
        double scale = std::fabs(q.x) + std::fabs(q.y);
        for (const Point2& p : {node.p0, node.p1})
            scale = std::fmax(scale, std::fabs(p.x) + std::fabs(p.y));
        const double slack = 0x1p-16 * chord + 0x1p-44 * scale + 1e-150;
        for (int k = rowForParameter(node.t0); k <= rowForParameter(node.t1); ++k) {
            const double d = distanceBetween(evaluateRow(table(), scene.points, k), q);
            require(node.key <= d + slack, "key above the distance of a sample it covers");
        }
    });
}

void checkSearch(const Scene& scene, const Point2& previousBest, int outlines) {
    const SearchState& s = search;
    require(s.nodeCount == 1 + 2 * s.expansions, "pool slots do not match the expansions");
    require(s.nodeCount <= POOL_CAPACITY, "pool overrun");
    require(s.maxQueue <= QUEUE_CAPACITY, "queue overrun");
    require(s.queue.size == 0, "queue not drained");
    // Every node made is either expanded or retired: a node lost on the way (a push
    // refused, a leftover not drained) breaks this. It holds when the queue runs dry
    // too: then every node retired was discarded, and retired == discarded.
    require(s.retired == s.expansions + 1, "retired != expansions + 1");
    require(s.discarded <= s.retired, "more discarded than retired");
    require(outlines == (scene.hideOutlines ? 0 : s.retired), "outline count != retired nodes");

    const Point2& q = queryPoint(scene);
    if (s.bestRow == NO_ROW) {
        require(samePoint(s.bestPoint, previousBest), "nearest point changed without a sample");
        require(s.bestDistance == INITIAL_BEST_DISTANCE, "best distance moved without a sample");
        return;
    }
    require(s.bestRow >= 0 && s.bestRow <= TABLE_STEPS, "nearest row outside the table");
    require(samePoint(s.bestPoint, evaluateRow(table(), scene.points, s.bestRow)),
            "nearest point is not its table row");
    require(s.bestDistance == distanceBetween(s.bestPoint, q), "best distance is not the point's");
    require(s.bestDistance < INITIAL_BEST_DISTANCE, "nearest sample beyond the search's reach");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Scene scene = decodeScene(data, size);
    const Point2 previousBest = search.bestPoint;
    CheckingCanvas canvas;
    const int outlines = drawFrame(canvas, scene, table(), search);
    canvas.requireFrameClosed();
    checkSearch(scene, previousBest, outlines);
    checkKeys(scene);
    return 0;
}
