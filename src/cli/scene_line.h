// scene_line.h — a scene written as text: ten numbers X0 Y0 X1 Y1 X2 Y2 X3 Y3 QX QY.
//
// Numbers are separated by a comma, by whitespace (space, tab, carriage return) or by a
// comma with whitespace around it; whitespace may also lead and trail. An empty field
// (two commas in a row, a comma at either end) is an error. A number is what
// std::from_chars reads in general format, whole: an optional '-', digits with an
// optional fraction and exponent (whose sign may be '+'). No leading '+', no
// hexadecimal, no "inf" or "nan", and the C locale always. Every coordinate must lie
// within +-COORDINATE_BOUND: with that bound every distance, squared distance and
// radius the search and the drawing compute stays finite (squares reach ~1e13, far
// below the double range).
//
// Only the error message allocates.
#pragma once

#include <string>
#include <string_view>

#include "curve/scene.h"

constexpr double COORDINATE_BOUND = 1e6;
constexpr int SCENE_NUMBER_COUNT = 2 * SCENE_POINT_COUNT;
constexpr std::size_t QUOTED_TOKEN_LIMIT = 32;  // longer bad tokens are cut in messages

struct SceneNumbers {
    Point2 points[SCENE_POINT_COUNT];  // P0..P3 then Q; meaningful only when error is empty
    std::string error;                 // empty when the text held a valid scene
};

// Reads the ten numbers of a scene; on failure `error` names the first problem.
SceneNumbers parseSceneNumbers(std::string_view text);

// True for the lines batch input skips: blank, or '#' as the first non-blank character.
bool isSkippedLine(std::string_view line);
