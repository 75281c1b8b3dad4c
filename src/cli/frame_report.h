// frame_report.h — one scene through the viewer's search, reported as one JSON line.
//
// The search is the viewer's own (runNearestSearch, or drawFrame when a canvas wants
// the picture) on a fresh SearchState, so the nearest point a search starts from is
// (0, 0) as at the viewer's start-up. The report's keys, in order: shape, points,
// expansions, discarded, retired, maxQueue, nearest (null when no sample came within
// the search's reach), and, when asked for, exact. Numbers print in the shortest form
// that reads back to the same double; whole values print without a fraction (-225),
// except -0, which prints as -0.0 so that it reads back as -0.
// Formatting allocates; the search does not.
#pragma once

#include <string>

#include "curve/bernstein.h"
#include "curve/scene.h"
#include "draw/canvas.h"
#include "search/search.h"

struct ReportOptions {
    bool boxBounds = false;  // rounded boxes instead of capsules
    bool exact = false;      // add the exact nearest point and the search's error
};

// A default-sized scene with the given five points (P0..P3, Q) and bound shape.
Scene makeScene(const Point2* points, bool boxBounds);

// Forgets every earlier search, including the nearest point it left behind.
void resetSearch(SearchState& state);

// Resets `state` and runs the search on `scene`, drawing nothing.
void searchScene(SearchState& state, const Scene& scene, const BernsteinTable& table);

// Resets `state` and draws the scene's frame on `canvas`, running the search once.
void drawScene(Canvas& canvas, SearchState& state, const Scene& scene, const BernsteinTable& table);

// The JSON line (no newline) for a scene after its search left its figures in `state`.
std::string formatReport(const Scene& scene, const SearchState& state, bool withExact);

// The JSON line (no newline) that stands for an input line that held no valid scene.
std::string formatLineError(long line, const std::string& message);
