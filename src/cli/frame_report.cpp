#include "cli/frame_report.h"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "draw/frame.h"
#include "search/exact.h"

namespace {

using Json = nlohmann::ordered_json;

// Beyond 2^53 not every whole number is a double, so larger values stay doubles.
constexpr double LARGEST_EXACT_INTEGER = 9007199254740992.0;

// A whole value as an integer so it prints as -225 rather than -225.0; JSON readers
// get the same double back either way. -0 stays a double ("-0.0"): as the integer 0
// it would read back as +0.
Json number(double v) {
    const bool negativeZero = v == 0.0 && std::signbit(v);
    if (std::trunc(v) == v && std::fabs(v) < LARGEST_EXACT_INTEGER && !negativeZero)
        return Json(static_cast<std::int64_t>(v));
    return Json(v);
}

Json pointPair(const Point2& p) {
    return Json::array({number(p.x), number(p.y)});
}

std::string dumpLine(const Json& json) {
    // Replace rather than throw on bytes that are not UTF-8: a report must always print.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

Scene makeScene(const Point2* points, bool boxBounds) {
    Scene scene = defaultScene();
    for (int i = 0; i < SCENE_POINT_COUNT; ++i) scene.points[i] = points[i];
    scene.boxBounds = boxBounds;
    return scene;
}

// A search resets its queue, pool, figures and best distance itself; only the nearest
// point carries over, so putting it back at the origin gives a fresh state.
void resetSearch(SearchState& state) {
    state.bestPoint = {0.0, 0.0};
}

void searchScene(SearchState& state, const Scene& scene, const BernsteinTable& table) {
    resetSearch(state);
    runNearestSearch(state, scene, table, [](const SearchNode&) {});
}

void drawScene(Canvas& canvas, SearchState& state, const Scene& scene,
               const BernsteinTable& table) {
    resetSearch(state);
    drawFrame(canvas, scene, table, state);
}

std::string formatReport(const Scene& scene, const SearchState& state, bool withExact) {
    Json json;
    json["shape"] = scene.boxBounds ? "box" : "capsule";
    Json points = Json::array();
    for (const Point2& p : scene.points) points.push_back(pointPair(p));
    json["points"] = std::move(points);
    json["expansions"] = state.expansions;
    json["discarded"] = state.discarded;
    json["retired"] = state.retired;
    json["maxQueue"] = state.maxQueue;
    const bool found = state.bestRow != NO_ROW;
    if (found) {
        json["nearest"] = {{"x", number(state.bestPoint.x)},
                           {"y", number(state.bestPoint.y)},
                           {"t", number(state.bestRow / static_cast<double>(TABLE_STEPS))},
                           {"distance", number(state.bestDistance)}};
    } else {
        json["nearest"] = nullptr;
    }
    if (withExact) {
        const ExactNearest exact = exactNearest(scene.points, queryPoint(scene));
        // With no search result there is nothing to measure the exact point against.
        const Json error = found ? number(state.bestDistance - exact.distance) : Json(nullptr);
        json["exact"] = {{"x", number(exact.point.x)},
                         {"y", number(exact.point.y)},
                         {"t", number(exact.t)},
                         {"distance", number(exact.distance)},
                         {"error", error}};
    }
    return dumpLine(json);
}

std::string formatLineError(long line, const std::string& message) {
    Json json;
    json["line"] = line;
    json["error"] = message;
    return dumpLine(json);
}
