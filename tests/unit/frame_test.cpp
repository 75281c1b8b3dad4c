#include "draw/frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "draw/outline.h"
#include "recording_canvas.h"

namespace {

bool isOutlineColor(const Rgb& c) {
    return c.b == 1.0 && c.r == c.g && c.r <= 0.8;
}

struct FrameFixture : ::testing::Test {
    static void SetUpTestSuite() { buildBernsteinTable(table, buildBinomials()); }
    static BernsteinTable table;
    std::unique_ptr<SearchState> search = std::make_unique<SearchState>();
    RecordingCanvas canvas;

    int draw(const Scene& scene) {
        canvas.batches.clear();
        return drawFrame(canvas, scene, table, *search);
    }
    // Colours of the outlines in drawing order: one entry per run of batches sharing a colour.
    std::vector<Rgb> outlineColors() const {
        std::vector<Rgb> colors;
        for (const Batch& b : canvas.batches) {
            if (!isOutlineColor(b.color)) break;
            if (colors.empty() || !sameColor(colors.back(), b.color)) colors.push_back(b.color);
        }
        return colors;
    }
};
BernsteinTable FrameFixture::table;

TEST_F(FrameFixture, DefaultFrameLayersAndFigures) {
    const Scene scene = defaultScene();
    EXPECT_EQ(draw(scene), 20);
    const std::vector<Rgb> colors = outlineColors();
    ASSERT_EQ(colors.size(), 20u);
    for (int k = 0; k < 20; ++k) {
        EXPECT_DOUBLE_EQ(colors[k].r, 0.8 * std::pow(0.9, k)) << k;
        EXPECT_EQ(colors[k].b, 1.0);
    }
    EXPECT_EQ(colors[0].r, 0.8);
    EXPECT_NEAR(colors[9].r, 0.3099, 5e-5);

    // Capsules: two sides and two caps per outline, then connector, curve, points.
    const size_t outlineBatches = 20 * 3;
    ASSERT_EQ(canvas.batches.size(), outlineBatches + 3);
    const Batch& connector = canvas.batches[outlineBatches];
    const Batch& curve = canvas.batches[outlineBatches + 1];
    const Batch& points = canvas.batches[outlineBatches + 2];

    EXPECT_EQ(connector.primitive, Primitive::Lines);
    EXPECT_TRUE(sameColor(connector.color, CONNECTOR_COLOR));
    EXPECT_EQ(connector.width, 1.5);
    ASSERT_EQ(connector.vertices.size(), 2u);
    EXPECT_EQ(connector.vertices[0].x, -160.0);
    EXPECT_EQ(connector.vertices[0].y, 160.0);
    EXPECT_EQ(connector.vertices[1].x, -84.375);
    EXPECT_EQ(connector.vertices[1].y, 84.375);

    EXPECT_EQ(curve.primitive, Primitive::LineStrip);
    EXPECT_TRUE(sameColor(curve.color, CURVE_COLOR));
    EXPECT_EQ(curve.width, 1.0);
    ASSERT_EQ(curve.vertices.size(), 65u);
    EXPECT_EQ(curve.vertices.front().x, -225.0);
    EXPECT_EQ(curve.vertices[32].x, -84.375);
    EXPECT_EQ(curve.vertices.back().y, 225.0);

    EXPECT_EQ(points.primitive, Primitive::Points);
    ASSERT_EQ(points.vertices.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(points.vertices[i].x, scene.points[i].x);
        EXPECT_EQ(points.vertices[i].y, scene.points[i].y);
        EXPECT_TRUE(
            sameColor(points.vertices[i].color, i < 4 ? CONTROL_POINT_COLOR : QUERY_POINT_COLOR));
    }
}

TEST_F(FrameFixture, BoxFrameDrawsFiftyOutlines) {
    Scene scene = defaultScene();
    scene.boxBounds = true;
    EXPECT_EQ(draw(scene), 50);
    // Rounded boxes: four sides in one batch and four corners per outline.
    EXPECT_EQ(canvas.batches.size(), 50u * 5u + 3u);
}

TEST_F(FrameFixture, HiddenOutlinesDrawNoneAndTheFadeRestarts) {
    Scene scene = defaultScene();
    scene.hideOutlines = true;
    EXPECT_EQ(draw(scene), 0);
    ASSERT_EQ(canvas.batches.size(), 3u);
    EXPECT_TRUE(sameColor(canvas.batches[0].color, CONNECTOR_COLOR));
    scene.hideOutlines = false;
    EXPECT_EQ(draw(scene), 20);
    EXPECT_EQ(outlineColors().front().r, 0.8);
}

TEST_F(FrameFixture, DegenerateScenesDrawOnlyFiniteVertices) {
    const Point2 same = {30, -40};
    const Scene scenes[] = {
        [] {
            Scene s = defaultScene();
            s.points[1] = {-75, -75};
            s.points[2] = {75, 75};
            return s;
        }(),
        [&] {
            Scene s = defaultScene();
            for (int i = 0; i < 4; ++i) s.points[i] = same;
            return s;
        }(),
        [&] {
            Scene s = defaultScene();
            for (int i = 0; i < 4; ++i) s.points[i] = same;
            s.points[QUERY_POINT] = same;
            return s;
        }(),
        [] {
            Scene s = defaultScene();
            s.points[QUERY_POINT] = {-84.375, 84.375};  // on the curve
            return s;
        }(),
    };
    for (const Scene& base : scenes) {
        for (bool box : {false, true}) {
            Scene scene = base;
            scene.boxBounds = box;
            EXPECT_EQ(draw(scene), search->retired);
            for (const Batch& b : canvas.batches)
                for (const RecordedVertex& v : b.vertices)
                    ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y)) << "box " << box;
        }
    }
}

SearchNode chordNode(Point2 p0, Point2 p1, double r) {
    return {3, p0, p1, 0.0, 0.125, r, 0.0};
}

void expectVertex(const RecordedVertex& v, double x, double y) {
    EXPECT_NEAR(v.x, x, 1e-12);
    EXPECT_NEAR(v.y, y, 1e-12);
}

TEST(Outline, HorizontalCapsule) {
    RecordingCanvas canvas;
    const Scene scene = defaultScene();
    int count = 0;
    drawOutline(canvas, scene, count, chordNode({-10, 0}, {10, 0}, 5));
    EXPECT_EQ(count, 1);
    ASSERT_EQ(canvas.batches.size(), 3u);
    const Batch& sides = canvas.batches[0];
    EXPECT_EQ(sides.primitive, Primitive::Lines);
    EXPECT_EQ(sides.width, 2.0);
    EXPECT_TRUE(sameColor(sides.color, Rgb{0.8, 0.8, 1.0}));
    ASSERT_EQ(sides.vertices.size(), 4u);
    expectVertex(sides.vertices[0], -10, 5);
    expectVertex(sides.vertices[1], 10, 5);
    expectVertex(sides.vertices[2], -10, -5);
    expectVertex(sides.vertices[3], 10, -5);

    // Left cap from pi/2 to 3pi/2 around (-10, 0), right cap from 3pi/2 to 5pi/2.
    const Batch& left = canvas.batches[1];
    const Batch& right = canvas.batches[2];
    for (const Batch* cap : {&left, &right}) {
        EXPECT_EQ(cap->primitive, Primitive::LineStrip);
        EXPECT_GE(cap->vertices.size(), 31u);
        EXPECT_LE(cap->vertices.size(), 32u);
        EXPECT_EQ(cap->transformDepth, 1);
    }
    expectVertex(left.vertices.front(), -10, 5);
    expectVertex(left.vertices[15], -15, 0);
    expectVertex(left.vertices.back(), -10, -5);
    expectVertex(right.vertices.front(), 10, -5);
    expectVertex(right.vertices[15], 15, 0);
    expectVertex(right.vertices.back(), 10, 5);
    EXPECT_EQ(canvas.depth(), 0);
}

TEST(Outline, VerticalChordBoxIsAStadium) {
    RecordingCanvas canvas;
    Scene scene = defaultScene();
    scene.boxBounds = true;
    int count = 0;
    drawOutline(canvas, scene, count, chordNode({0, 10}, {0, -10}, 5));
    ASSERT_EQ(canvas.batches.size(), 5u);
    const auto& v = canvas.batches[0].vertices;
    ASSERT_EQ(v.size(), 8u);
    // Bottom and top sides shrink to points; the long sides run at x = +-5.
    expectVertex(v[0], 0, -15);
    expectVertex(v[1], 0, -15);
    expectVertex(v[2], 5, -10);
    expectVertex(v[3], 5, 10);
    expectVertex(v[4], 0, 15);
    expectVertex(v[5], 0, 15);
    expectVertex(v[6], -5, 10);
    expectVertex(v[7], -5, -10);
    // Corners, counter-clockwise from the lower left, each from its start angle to its end.
    const double corners[4][4] = {
        {0, -10, -5, -10}, {0, -10, 0, -15}, {0, 10, 5, 10}, {0, 10, 0, 15}};
    for (int i = 0; i < 4; ++i) {
        const Batch& arc = canvas.batches[1 + i];
        EXPECT_GE(arc.vertices.size(), 16u);
        EXPECT_LE(arc.vertices.size(), 17u);
        expectVertex(arc.vertices.front(), corners[i][2], corners[i][3]);
    }
    expectVertex(canvas.batches[4].vertices.back(), -5, 10);
}

TEST(Outline, DegenerateCapsulesDrawWhatTheRegionIs) {
    const Scene scene = defaultScene();
    int count = 0;
    {
        RecordingCanvas canvas;  // radius 0: the chord itself
        drawOutline(canvas, scene, count, chordNode({-10, 0}, {10, 3}, 0));
        ASSERT_EQ(canvas.batches.size(), 1u);
        ASSERT_EQ(canvas.batches[0].vertices.size(), 2u);
        expectVertex(canvas.batches[0].vertices[1], 10, 3);
    }
    {
        RecordingCanvas canvas;  // zero-length chord: a full circle around the point
        drawOutline(canvas, scene, count, chordNode({4, 4}, {4, 4}, 2));
        ASSERT_EQ(canvas.batches.size(), 1u);
        const auto& v = canvas.batches[0].vertices;
        EXPECT_GE(v.size(), 61u);
        expectVertex(v.front(), 6, 4);
        expectVertex(v.back(), 6, 4);
    }
    {
        RecordingCanvas canvas;  // both zero: nothing to draw, but the fade still advances
        drawOutline(canvas, scene, count, chordNode({4, 4}, {4, 4}, 0));
        EXPECT_TRUE(canvas.batches.empty());
    }
    EXPECT_EQ(count, 3);
}

}  // namespace
