// frame_checks.h — what a frame shows at a place, as GoogleTest assertion results.
//
// A Look names a kind of pixel and where it may sit relative to the probed pixel:
// blended lines within one pixel of it, point discs exactly around it. Failures say
// what was found instead, so a message alone tells a wrong colour from a wrong place.
#pragma once

#include <gtest/gtest.h>

#include "harness/image.h"
#include "harness/scene_model.h"

struct Look {
    const char* name;
    bool (*matches)(const Rgb8&);
    int radius;  // Chebyshev distance in pixels
    // Nonzero for the 6-pixel point discs, which are centred on a pixel corner: the
    // probed pixel's top left corner. Their row and column through that corner must
    // match exactly `disc` pixels wide, so a point one pixel off is caught.
    int disc = 0;
};

bool isWhite(const Rgb8& c);
bool isControlRed(const Rgb8& c);
bool isQueryGreen(const Rgb8& c);

inline constexpr Look BACKGROUND = {"white background", isWhite, 0};
constexpr int POINT_DISC = 6;
inline constexpr Look CONTROL_POINT = {"red control point", isControlRed, 0, POINT_DISC};
inline constexpr Look QUERY_POINT = {"dark green query point", isQueryGreen, 0, POINT_DISC};
inline constexpr Look CURVE = {"dark curve", isCurveDark, 1};
inline constexpr Look CONNECTOR = {"orange connector", isConnectorOrange, 1};
inline constexpr Look OUTLINE = {"blue outline", isOutlineBlue, 1};

// Some pixel within look.radius of `at` matches; for a disc look, the disc is centred
// on `at`'s top left corner.
::testing::AssertionResult shows(const Image& frame, Pixel at, const Look& look);
// No pixel within look.radius of `at` matches.
::testing::AssertionResult lacks(const Image& frame, Pixel at, const Look& look);

// Everything the viewer draws for `points` in a frame of any size: the red control
// points, the dark green Q, the curve at sampled parameters and the connector from Q
// to the nearest sample, probed away from the discs that cover them. One result
// listing every miss.
::testing::AssertionResult showsScene(const Image& frame, const ScenePoints& points);

// Pixel-for-pixel equality; on failure, how many pixels differ and the first of them.
::testing::AssertionResult sameFrame(const Image& actual, const Image& expected);

// How many pixels are outline blue, as a result that fails when the count is not in
// [least, most].
::testing::AssertionResult outlinePixelsBetween(const Image& frame, int least, int most);
