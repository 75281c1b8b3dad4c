#include "harness/frame_checks.h"

#include <cmath>
#include <sstream>

namespace {
// Discs are 6 pixels wide; a probe this far from a point's centre is clear of its disc.
constexpr double DISC_CLEARANCE = 6.0;
constexpr double CURVE_PROBES[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
constexpr double CONNECTOR_PROBES[] = {0.25, 0.5, 0.75};

// Euclidean distance in scene units.
double distance(ScenePoint a, ScenePoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// True when p lies outside every point's disc, with a pixel to spare for line probes.
bool clearOfDiscs(ScenePoint p, const ScenePoints& points) {
    for (const ScenePoint& centre : points)
        if (distance(p, centre) < DISC_CLEARANCE) return false;
    return true;
}

// "(x, y)" for messages.
std::string describe(Pixel p) {
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

// True if any pixel within the look's radius matches; `seen` gets the probed pixel's colour.
bool anyMatch(const Image& frame, Pixel at, const Look& look, std::string& seen) {
    seen = frame.contains(at) ? toString(frame.at(at)) : "outside the frame";
    for (int dy = -look.radius; dy <= look.radius; ++dy) {
        for (int dx = -look.radius; dx <= look.radius; ++dx) {
            const Pixel p = {at.x + dx, at.y + dy};
            if (frame.contains(p) && look.matches(frame.at(p))) return true;
        }
    }
    return false;
}

// Empty when, along the pixel row and the pixel column through `at`, exactly the
// look.disc pixels around `at`'s top left corner match; else the first mismatch.
std::string discMismatch(const Image& frame, Pixel at, const Look& look) {
    const int half = look.disc / 2;
    for (int d = -half - 1; d <= half; ++d) {
        const bool inside = d >= -half && d < half;
        for (const Pixel p : {Pixel{at.x + d, at.y}, Pixel{at.x, at.y + d}}) {
            const bool matches = frame.contains(p) && look.matches(frame.at(p));
            if (matches == inside) continue;
            return "pixel " + describe(p) + " is " +
                   (frame.contains(p) ? toString(frame.at(p)) : "outside the frame") +
                   (inside ? ", inside" : ", outside") + " the disc expected around " +
                   describe(at);
        }
    }
    return "";
}
}  // namespace

bool isWhite(const Rgb8& c) {
    return c == WHITE;
}

bool isControlRed(const Rgb8& c) {
    return closeTo(c, RED, SOLID_TOLERANCE);
}

bool isQueryGreen(const Rgb8& c) {
    return closeTo(c, DARK_GREEN, SOLID_TOLERANCE);
}

::testing::AssertionResult shows(const Image& frame, Pixel at, const Look& look) {
    std::string seen;
    if (look.disc > 0 && anyMatch(frame, at, look, seen)) {
        const std::string mismatch = discMismatch(frame, at, look);
        if (mismatch.empty()) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << look.name << " off its place: " << mismatch;
    }
    if (anyMatch(frame, at, look, seen)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "no " << look.name << " within " << look.radius << " px of pixel " << describe(at)
           << ", which is " << seen;
}

::testing::AssertionResult lacks(const Image& frame, Pixel at, const Look& look) {
    std::string seen;
    if (!anyMatch(frame, at, look, seen)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "unexpected " << look.name << " within " << look.radius
                                         << " px of pixel " << describe(at);
}

::testing::AssertionResult showsScene(const Image& frame, const ScenePoints& points) {
    std::ostringstream misses;
    const auto probe = [&](const char* what, ScenePoint p, const Look& look) {
        const ::testing::AssertionResult r =
            shows(frame, toPixel(p, frame.width(), frame.height()), look);
        if (!r)
            misses << "\n  " << what << " at scene (" << p.x << ", " << p.y << "): " << r.message();
    };
    for (int i = 0; i < QUERY_INDEX; ++i)
        probe("control point", points[static_cast<size_t>(i)], CONTROL_POINT);
    const ScenePoint q = points[QUERY_INDEX];
    probe("query point", q, QUERY_POINT);
    for (double t : CURVE_PROBES) {
        const ScenePoint p = bezierAt(points, t);
        if (clearOfDiscs(p, points)) probe("curve", p, CURVE);
    }
    const ScenePoint nearest = nearestSample(points);
    for (double f : CONNECTOR_PROBES) {
        const ScenePoint p = lerp(q, nearest, f);
        if (clearOfDiscs(p, points)) probe("connector", p, CONNECTOR);
    }
    if (misses.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the frame does not show the scene:" << misses.str();
}

::testing::AssertionResult sameFrame(const Image& actual, const Image& expected) {
    if (actual.width() != expected.width() || actual.height() != expected.height())
        return ::testing::AssertionFailure()
               << "frame is " << actual.width() << " x " << actual.height() << ", expected "
               << expected.width() << " x " << expected.height();
    int differing = 0;
    Pixel first = {-1, -1};
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.at({x, y}) == expected.at({x, y})) continue;
            if (differing++ == 0) first = {x, y};
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << differing << " pixels differ from the expected frame, the first at "
           << describe(first) << ": " << toString(actual.at(first)) << " instead of "
           << toString(expected.at(first));
}

::testing::AssertionResult outlinePixelsBetween(const Image& frame, int least, int most) {
    const int count = countPixels(frame, isOutlineBlue);
    if (count >= least && count <= most) return ::testing::AssertionSuccess() << count;
    return ::testing::AssertionFailure()
           << count << " outline pixels, expected " << least << " to " << most;
}
