// image.h — a captured frame: 8-bit RGB pixels, row by row from the top left.
//
// Also the colour classes the checks reason in. The viewer blends its smooth lines,
// so a line pixel is its colour mixed with whatever lies under it; the classes say
// what such a mix still looks like.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb8 {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

std::string toString(const Rgb8& colour);

// A window pixel: origin at the top left, y down.
struct Pixel {
    int x;
    int y;
};

class Image {
public:
    Image() = default;
    Image(int width, int height) : width_(width), height_(height), pixels_(size(width, height)) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(Pixel p) const { return p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_; }
    // Unchecked: callers test contains() first.
    const Rgb8& at(Pixel p) const { return pixels_[index(p)]; }
    Rgb8& at(Pixel p) { return pixels_[index(p)]; }
    const std::vector<Rgb8>& pixels() const { return pixels_; }
    friend bool operator==(const Image&, const Image&) = default;

private:
    static std::size_t size(int width, int height) {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    std::size_t index(Pixel p) const {
        return static_cast<std::size_t>(p.y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(p.x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb8> pixels_;
};

// Each channel within `tolerance` of `expected`'s.
bool closeTo(const Rgb8& actual, const Rgb8& expected, int tolerance);

// Colour channels of 0.5 come out as 127 or 128 depending on the driver's rounding,
// so solid colours are compared within this many steps.
constexpr int SOLID_TOLERANCE = 1;

constexpr Rgb8 WHITE = {255, 255, 255};
constexpr Rgb8 RED = {255, 0, 0};
constexpr Rgb8 DARK_GREEN = {0, 128, 0};
constexpr Rgb8 ORANGE = {255, 128, 0};
constexpr Rgb8 BLACK = {0, 0, 0};

// An outline pixel: (d, d, 1) for some d < 1, alone or blended over white or other
// outlines, keeps red equal to green and both clearly below a full blue.
bool isOutlineBlue(const Rgb8& c);
// The connector blended over white or an outline: full red, green between red and
// blue, and blue clearly below red.
bool isConnectorOrange(const Rgb8& c);
// The curve: black blended over anything, dark and without a dominant channel.
bool isCurveDark(const Rgb8& c);

// Number of pixels of `image` for which `isClass` holds.
int countPixels(const Image& image, bool (*isClass)(const Rgb8&));
