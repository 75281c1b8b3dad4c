// fuzz_scene_parser.cpp — libFuzzer target: arbitrary text through the scene-line parser.
//
// For every input: a line the batch reader skips never parses as a scene; an error
// message is short printable ASCII, whatever bytes the input held. For every accepted
// input: ten finite coordinates within the bound; only digits, '.', exponents, signs
// and separators in the text, no number opening with '+'; the same ten numbers as an
// independent split on the separators read through strtod; and the numbers printed
// back (shortest form) parse to the same bits. Any violation aborts.
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/scene_line.h"

namespace {

constexpr std::size_t MESSAGE_LIMIT = 160;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_scene_parser: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what) {
    if (!condition) fail(what);
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == ',';
}

std::vector<std::string> splitOnSeparators(std::string_view text) {
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isSeparator(text[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && !isSeparator(text[pos])) ++pos;
        if (pos > start) tokens.emplace_back(text.substr(start, pos - start));
    }
    return tokens;
}

void checkAccepted(std::string_view text, const SceneNumbers& parsed) {
    double values[SCENE_NUMBER_COUNT];
    for (int i = 0; i < SCENE_POINT_COUNT; ++i) {
        values[2 * i] = parsed.points[i].x;
        values[2 * i + 1] = parsed.points[i].y;
    }
    for (double v : values)
        require(std::isfinite(v) && std::fabs(v) <= COORDINATE_BOUND, "coordinate out of bound");
    for (char c : text)
        require(std::strchr("0123456789.eE+-, \t\r", c) != nullptr && c != '\0',
                "accepted a character no number or separator has");

    const std::vector<std::string> tokens = splitOnSeparators(text);
    require(tokens.size() == SCENE_NUMBER_COUNT, "accepted a line without ten tokens");
    for (int i = 0; i < SCENE_NUMBER_COUNT; ++i) {
        const std::string& token = tokens[static_cast<std::size_t>(i)];
        require(token[0] != '+', "accepted a number opening with '+'");
        char* end = nullptr;
        errno = 0;
        const double expected = std::strtod(token.c_str(), &end);
        require(end == token.c_str() + token.size(), "accepted a token strtod does not read");
        require(sameBits(values[i], expected), "value differs from strtod's");
    }

    char line[SCENE_NUMBER_COUNT * 32];
    char* out = line;
    char* const last = line + sizeof line;
    for (int i = 0; i < SCENE_NUMBER_COUNT; ++i) {
        if (i > 0) *out++ = ',';
        const std::to_chars_result written = std::to_chars(out, last - 1, values[i]);
        require(written.ec == std::errc(), "to_chars failed");
        out = written.ptr;
    }
    const SceneNumbers again = parseSceneNumbers(std::string_view(line, std::size_t(out - line)));
    require(again.error.empty(), "printed scene does not parse back");
    for (int i = 0; i < SCENE_POINT_COUNT; ++i)
        require(sameBits(again.points[i].x, parsed.points[i].x) &&
                    sameBits(again.points[i].y, parsed.points[i].y),
                "printed scene parses to other numbers");
}

void checkRejected(const SceneNumbers& parsed) {
    require(parsed.error.size() <= MESSAGE_LIMIT, "error message too long");
    for (char c : parsed.error) require(c >= ' ' && c <= '~', "error message not printable");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // strtod follows the locale; the parser never does.
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SceneNumbers parsed = parseSceneNumbers(text);
    if (isSkippedLine(text)) require(!parsed.error.empty(), "a skipped line parsed as a scene");
    if (parsed.error.empty())
        checkAccepted(text, parsed);
    else
        checkRejected(parsed);
    return 0;
}
