#include "draw/svg_canvas.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

constexpr std::size_t NUMBER_BUFFER = 32;  // a shortest-form double needs at most 24 chars

// Shortest text that reads back to v; -0 is written as 0.
void appendNumber(std::string& out, double v) {
    if (v == 0.0) v = 0.0;
    char buffer[NUMBER_BUFFER];
    const std::to_chars_result result = std::to_chars(buffer, buffer + NUMBER_BUFFER, v);
    out.append(buffer, result.ptr);
}

void appendInt(std::string& out, long v) {
    char buffer[NUMBER_BUFFER];
    const std::to_chars_result result = std::to_chars(buffer, buffer + NUMBER_BUFFER, v);
    out.append(buffer, result.ptr);
}

// width="W" height="H"
void appendSize(std::string& out, int width, int height) {
    out += "width=\"";
    appendInt(out, width);
    out += "\" height=\"";
    appendInt(out, height);
    out += '"';
}

// round(255 * c), clamped to 0..255 the way GL clamps colours.
long channel(double c) {
    if (!(c > 0.0)) return 0;
    if (c >= 1.0) return 255;
    return std::lround(c * 255.0);
}

void appendColor(std::string& out, const Rgb& color) {
    out += "rgb(";
    appendInt(out, channel(color.r));
    out += ',';
    appendInt(out, channel(color.g));
    out += ',';
    appendInt(out, channel(color.b));
    out += ')';
}

}  // namespace

SvgCanvas::SvgCanvas(int width, int height) : halfWidth_(width / 2), halfHeight_(height / 2) {
    body_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" ";
    appendSize(body_, width, height);
    body_ += " viewBox=\"0 0 ";
    appendInt(body_, width);
    body_ += ' ';
    appendInt(body_, height);
    body_ += "\">\n<rect ";
    appendSize(body_, width, height);
    body_ += " fill=\"rgb(255,255,255)\"/>\n";
}

void SvgCanvas::setColor(const Rgb& color) {
    color_ = color;
}

void SvgCanvas::setLineWidth(double width) {
    lineWidth_ = width;
}

void SvgCanvas::begin(Primitive primitive) {
    primitive_ = primitive;
    // GL ignores a width change inside a batch, so the width at begin is the batch's.
    batchLineWidth_ = lineWidth_;
    batch_.clear();
}

void SvgCanvas::vertex(double x, double y) {
    const Transform& t = transforms_.back();
    const double sx = t.tx + t.s * x;
    const double sy = t.ty + t.s * y;
    batch_.push_back({halfWidth_ + sx, halfHeight_ - sy, color_});
}

void SvgCanvas::end() {
    switch (primitive_) {
        case Primitive::Lines:
            writeLines();
            break;
        case Primitive::LineStrip:
            writeLineStrip();
            break;
        case Primitive::Points:
            writePoints();
            break;
    }
    batch_.clear();
}

void SvgCanvas::pushTransform(double tx, double ty, double s) {
    const Transform& t = transforms_.back();
    transforms_.push_back({t.tx + t.s * tx, t.ty + t.s * ty, t.s * s});
}

void SvgCanvas::popTransform() {
    if (transforms_.size() > 1) transforms_.pop_back();
}

std::string SvgCanvas::document() const {
    return body_ + "</svg>\n";
}

void SvgCanvas::writeStroke(const Rgb& color) {
    body_ += "\" fill=\"none\" stroke=\"";
    appendColor(body_, color);
    body_ += "\" stroke-width=\"";
    appendNumber(body_, batchLineWidth_);
    body_ += "\"/>\n";
}

void SvgCanvas::writeLines() {
    const std::size_t pairs = batch_.size() / 2;
    if (pairs == 0) return;
    body_ += "<path d=\"";
    for (std::size_t i = 0; i < pairs * 2; ++i) {
        if (i > 0) body_ += ' ';
        body_ += i % 2 == 0 ? 'M' : 'L';
        appendNumber(body_, batch_[i].x);
        body_ += ' ';
        appendNumber(body_, batch_[i].y);
    }
    writeStroke(batch_.front().color);
}

void SvgCanvas::writeLineStrip() {
    if (batch_.size() < 2) return;
    body_ += "<polyline points=\"";
    for (std::size_t i = 0; i < batch_.size(); ++i) {
        if (i > 0) body_ += ' ';
        appendNumber(body_, batch_[i].x);
        body_ += ',';
        appendNumber(body_, batch_[i].y);
    }
    writeStroke(batch_.front().color);
}

void SvgCanvas::writePoints() {
    for (const PixelVertex& v : batch_) {
        body_ += "<circle cx=\"";
        appendNumber(body_, v.x);
        body_ += "\" cy=\"";
        appendNumber(body_, v.y);
        body_ += "\" r=\"";
        appendNumber(body_, SVG_POINT_RADIUS);
        body_ += "\" fill=\"";
        appendColor(body_, v.color);
        body_ += "\"/>\n";
    }
}
