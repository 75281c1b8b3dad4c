#include "draw/svg_canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "draw/frame.h"
#include "draw/outline.h"
#include "recording_canvas.h"

namespace {

// One drawing element of the document: its tag, colour attribute and numbers in order.
struct Element {
    std::string tag;
    std::string color;  // stroke, or fill for circles
    std::string width;  // stroke-width, empty for circles
    std::vector<double> numbers;
};

std::string attribute(const std::string& line, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t start = line.find(key);
    if (start == std::string::npos) return {};
    const std::size_t from = start + key.size();
    return line.substr(from, line.find('"', from) - from);
}

// Every number in the text, read with strtod so the test sees the exact doubles.
std::vector<double> numbersIn(const std::string& text) {
    std::vector<double> out;
    const char* p = text.c_str();
    while (*p != '\0') {
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p) {
            ++p;
        } else {
            out.push_back(v);
            p = end;
        }
    }
    return out;
}

// The drawing elements after the background, one per line as the canvas writes them.
std::vector<Element> elementsOf(const std::string& svg) {
    std::vector<Element> out;
    std::istringstream lines(svg);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("<path", 0) == 0) {
            out.push_back({"path", attribute(line, "stroke"), attribute(line, "stroke-width"),
                           numbersIn(attribute(line, "d"))});
        } else if (line.rfind("<polyline", 0) == 0) {
            out.push_back({"polyline", attribute(line, "stroke"), attribute(line, "stroke-width"),
                           numbersIn(attribute(line, "points"))});
        } else if (line.rfind("<circle", 0) == 0) {
            out.push_back({"circle",
                           attribute(line, "fill"),
                           "",
                           {std::strtod(attribute(line, "cx").c_str(), nullptr),
                            std::strtod(attribute(line, "cy").c_str(), nullptr),
                            std::strtod(attribute(line, "r").c_str(), nullptr)}});
        }
    }
    return out;
}

bool isOutlineColor(const std::string& color) {
    const std::vector<double> rgb = numbersIn(color);
    return rgb.size() == 3 && rgb[0] == rgb[1] && rgb[0] < 255 && rgb[2] == 255;
}

struct DefaultFrame : ::testing::Test {
    static void SetUpTestSuite() { buildBernsteinTable(table, buildBinomials()); }
    static BernsteinTable table;
    std::unique_ptr<SearchState> search = std::make_unique<SearchState>();

    std::string svg(const Scene& scene) {
        SvgCanvas canvas(scene.windowWidth, scene.windowHeight);
        *search = SearchState{};
        drawFrame(canvas, scene, table, *search);
        return canvas.document();
    }
};
BernsteinTable DefaultFrame::table;

TEST_F(DefaultFrame, HasTheViewersLayersInWindowPixels) {
    const std::string document = svg(defaultScene());
    EXPECT_EQ(document.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" "
                             "height=\"800\" viewBox=\"0 0 800 800\">\n"
                             "<rect width=\"800\" height=\"800\" fill=\"rgb(255,255,255)\"/>\n",
                             0),
              0u);
    EXPECT_EQ(document.substr(document.size() - 7), "</svg>\n");

    const std::vector<Element> elements = elementsOf(document);
    std::vector<std::string> outlineColors;  // one entry per run of equal colours
    std::size_t i = 0;
    for (; i < elements.size() && isOutlineColor(elements[i].color); ++i) {
        EXPECT_EQ(elements[i].width, "2");
        if (outlineColors.empty() || outlineColors.back() != elements[i].color)
            outlineColors.push_back(elements[i].color);
    }
    EXPECT_EQ(i, 3u * 20);  // each capsule: its two sides, then an arc around each end
    ASSERT_EQ(outlineColors.size(), 20u);
    EXPECT_EQ(outlineColors[0], "rgb(204,204,255)");
    ASSERT_EQ(elements.size(), i + 7);  // connector, curve, five points

    const Element& connector = elements[i];
    EXPECT_EQ(connector.tag, "path");
    EXPECT_EQ(connector.color, "rgb(255,128,0)");
    EXPECT_EQ(connector.width, "1.5");
    EXPECT_EQ(connector.numbers, (std::vector<double>{240, 240, 315.625, 315.625}));

    const Element& curve = elements[i + 1];
    EXPECT_EQ(curve.tag, "polyline");
    EXPECT_EQ(curve.color, "rgb(0,0,0)");
    EXPECT_EQ(curve.width, "1");
    ASSERT_EQ(curve.numbers.size(), 2u * 65);
    EXPECT_EQ(curve.numbers.front(), 175.0);  // P0 (-225, -225)
    EXPECT_EQ(curve.numbers.back(), 175.0);   // P3 (225, 225), its y

    const std::vector<double> discs[] = {
        {175, 625, 3}, {175, 400, 3}, {400, 175, 3}, {625, 175, 3}, {240, 240, 3}};
    for (int k = 0; k < 5; ++k) {
        const Element& disc = elements[i + 2 + static_cast<std::size_t>(k)];
        EXPECT_EQ(disc.tag, "circle");
        EXPECT_EQ(disc.color, k < 4 ? "rgb(255,0,0)" : "rgb(0,128,0)");
        EXPECT_EQ(disc.numbers, discs[k]);
    }
}

TEST_F(DefaultFrame, WritesEveryVertexExactlyAsTheFrameDrawsIt) {
    // The recording canvas applies the transform stack the same way, in double; the
    // document must hold the same values moved to window pixels, batch for batch.
    for (const bool box : {false, true}) {
        SCOPED_TRACE(box ? "rounded boxes" : "capsules");
        Scene scene = defaultScene();
        scene.boxBounds = box;
        RecordingCanvas recording;
        *search = SearchState{};
        drawFrame(recording, scene, table, *search);
        const std::vector<Element> elements = elementsOf(svg(scene));

        std::size_t e = 0;
        for (const Batch& batch : recording.batches) {
            if (batch.primitive == Primitive::Points) break;
            ASSERT_LT(e, elements.size());
            const std::vector<double>& numbers = elements[e++].numbers;
            ASSERT_EQ(numbers.size(), 2 * batch.vertices.size());
            for (std::size_t v = 0; v < batch.vertices.size(); ++v) {
                EXPECT_EQ(numbers[2 * v], 400 + batch.vertices[v].x);
                EXPECT_EQ(numbers[2 * v + 1], 400 - batch.vertices[v].y);
            }
        }
        EXPECT_EQ(elements.size(), e + 5);
    }
}

TEST_F(DefaultFrame, HiddenOutlinesLeaveOnlyConnectorCurveAndPoints) {
    Scene scene = defaultScene();
    scene.hideOutlines = true;
    const std::vector<Element> elements = elementsOf(svg(scene));
    ASSERT_EQ(elements.size(), 7u);
    EXPECT_EQ(elements[0].color, "rgb(255,128,0)");
}

TEST(SvgCanvas, MapsThroughTransformsAndOddWindowHalves) {
    SvgCanvas canvas(101, 51);  // halves 50 and 25, truncated as the viewer's projection
    canvas.pushTransform(10, 20, 2);
    canvas.pushTransform(1, 1, 0.5);
    canvas.begin(Primitive::LineStrip);
    canvas.vertex(2, -2);  // (10 + 2 * (1 + 0.5 * 2), 20 + 2 * (1 - 0.5 * 2)) = (14, 20)
    canvas.popTransform();
    canvas.vertex(0.25, 0);  // (10.5, 20): the pop applies from the next vertex on
    canvas.popTransform();
    canvas.popTransform();  // unmatched: ignored
    canvas.vertex(-50, 25);
    canvas.end();
    const std::vector<Element> elements = elementsOf(canvas.document());
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].numbers, (std::vector<double>{64, 5, 60.5, 5, 0, 0}));
}

TEST(SvgCanvas, DrawsOnlyWhatGlWouldFromShortBatches) {
    SvgCanvas canvas(100, 100);
    canvas.begin(Primitive::Lines);
    canvas.vertex(0, 0);
    canvas.vertex(1, 1);
    canvas.vertex(5, 5);  // unpaired: GL drops it
    canvas.end();
    canvas.begin(Primitive::LineStrip);
    canvas.vertex(0, 0);  // a strip of one vertex draws nothing
    canvas.end();
    canvas.begin(Primitive::Lines);
    canvas.end();
    canvas.setColor({2.0, -1.0, 0.5});  // clamped like GL
    canvas.begin(Primitive::Points);
    canvas.vertex(0, 0);
    canvas.end();
    const std::vector<Element> elements = elementsOf(canvas.document());
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].numbers, (std::vector<double>{50, 50, 51, 49}));
    EXPECT_EQ(elements[1].color, "rgb(255,0,128)");
}

}  // namespace
