#include "harness/image.h"

#include <cstdlib>

std::string toString(const Rgb8& c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
           ")";
}

bool closeTo(const Rgb8& actual, const Rgb8& expected, int tolerance) {
    return std::abs(actual.r - expected.r) <= tolerance &&
           std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

bool isOutlineBlue(const Rgb8& c) {
    return c.b == 255 && std::abs(c.r - c.g) <= 1 && c.r <= 245;
}

bool isConnectorOrange(const Rgb8& c) {
    return c.r >= 250 && c.g < c.r && c.b + 40 < c.g;
}

bool isCurveDark(const Rgb8& c) {
    return c.r < 128 && c.g < 128 && c.b < 128;
}

int countPixels(const Image& image, bool (*isClass)(const Rgb8&)) {
    int count = 0;
    for (const Rgb8& c : image.pixels()) count += isClass(c) ? 1 : 0;
    return count;
}
