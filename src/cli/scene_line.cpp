#include "cli/scene_line.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isSeparator(char c) {
    return isBlank(c) || c == ',';
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    return pos;
}

// The token between quotes, cut to a bounded length and with every byte outside
// printable ASCII shown as '?', so a message never carries control codes or broken UTF-8.
std::string quoted(std::string_view token) {
    std::string out = "'";
    const std::size_t shown = token.size() < QUOTED_TOKEN_LIMIT ? token.size() : QUOTED_TOKEN_LIMIT;
    for (std::size_t i = 0; i < shown; ++i) {
        const char c = token[i];
        out += (c >= ' ' && c <= '~') ? c : '?';
    }
    if (shown < token.size()) out += "...";
    out += '\'';
    return out;
}

// Empty string when `token` is a valid coordinate (stored in `value`), else the message.
std::string readCoordinate(std::string_view token, double& value) {
    const char* first = token.data();
    const char* last = first + token.size();
    const std::from_chars_result result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range)
        return "out of the double range: " + quoted(token);
    if (result.ec != std::errc() || result.ptr != last) return "not a number: " + quoted(token);
    if (!std::isfinite(value)) return "not finite: " + quoted(token);
    if (std::fabs(value) > COORDINATE_BOUND)
        return "beyond the coordinate bound of 1e6: " + quoted(token);
    return {};
}

}  // namespace

SceneNumbers parseSceneNumbers(std::string_view text) {
    SceneNumbers out{};
    double values[SCENE_NUMBER_COUNT] = {};
    int count = 0;
    std::size_t pos = skipBlanks(text, 0);
    while (pos < text.size()) {
        if (text[pos] == ',') {
            out.error = "missing number before ','";
            return out;
        }
        std::size_t stop = pos;
        while (stop < text.size() && !isSeparator(text[stop])) ++stop;
        double value = 0.0;
        out.error = readCoordinate(text.substr(pos, stop - pos), value);
        if (!out.error.empty()) return out;
        // Counting goes on past ten so the message can say how many there were.
        if (count < SCENE_NUMBER_COUNT) values[count] = value;
        ++count;

        pos = skipBlanks(text, stop);
        if (pos < text.size() && text[pos] == ',') {
            pos = skipBlanks(text, pos + 1);
            if (pos == text.size()) {
                out.error = "missing number after ','";
                return out;
            }
        }
    }
    if (count != SCENE_NUMBER_COUNT) {
        out.error = "expected 10 numbers, found " + std::to_string(count);
        return out;
    }
    for (int i = 0; i < SCENE_POINT_COUNT; ++i) out.points[i] = {values[2 * i], values[2 * i + 1]};
    return out;
}

bool isSkippedLine(std::string_view line) {
    const std::size_t pos = skipBlanks(line, 0);
    return pos == line.size() || line[pos] == '#';
}
