#include <gtest/gtest.h>

#include "curve/bernstein.h"
#include "curve/scene.h"

namespace {

struct TableFixture : ::testing::Test {
    static void SetUpTestSuite() { buildBernsteinTable(table, buildBinomials()); }
    static BernsteinTable table;
};
BernsteinTable TableFixture::table;

TEST(Binomials, AreOneThreeThree) {
    const Binomials b = buildBinomials();
    EXPECT_EQ(b.c[0], 1);
    EXPECT_EQ(b.c[1], 3);
    EXPECT_EQ(b.c[2], 3);
}

struct RowCase {
    int row;
    double b0, b1, b2, b3;
};

TEST_F(TableFixture, KeyRowsAreExact) {
    const RowCase cases[] = {
        {0, 1.0, 0.0, 0.0, 0.0},
        {512, 0.125, 0.375, 0.375, 0.125},
        {1024, 0.0, 0.0, 0.0, 1.0},
        {256, 0.421875, 0.421875, 0.140625, 0.015625},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(table.rows[c.row][0], c.b0);
        EXPECT_EQ(table.rows[c.row][1], c.b1);
        EXPECT_EQ(table.rows[c.row][2], c.b2);
        EXPECT_EQ(table.rows[c.row][3], c.b3);
    }
}

// Each entry is exact, so every row sums to exactly 1 and mirrors its partner row.
TEST_F(TableFixture, RowsSumToOneAndAreSymmetric) {
    for (int k = 0; k <= TABLE_STEPS; ++k) {
        const double* row = table.rows[k];
        const double* mirror = table.rows[TABLE_STEPS - k];
        ASSERT_EQ(row[0] + row[1] + row[2] + row[3], 1.0) << k;
        ASSERT_EQ(row[0], mirror[3]) << k;
        ASSERT_EQ(row[1], mirror[2]) << k;
    }
}

TEST_F(TableFixture, EvaluatesDefaultCurve) {
    const Scene scene = defaultScene();
    const Point2 start = evaluateRow(table, scene.points, 0);
    const Point2 middle = evaluateRow(table, scene.points, 512);
    const Point2 end = evaluateRow(table, scene.points, 1024);
    EXPECT_EQ(start.x, -225.0);
    EXPECT_EQ(start.y, -225.0);
    EXPECT_EQ(middle.x, -84.375);
    EXPECT_EQ(middle.y, 84.375);
    EXPECT_EQ(end.x, 225.0);
    EXPECT_EQ(end.y, 225.0);
}

TEST(RowForParameter, TruncatesExactMultiples) {
    EXPECT_EQ(rowForParameter(0.0), 0);
    EXPECT_EQ(rowForParameter(0.5), 512);
    EXPECT_EQ(rowForParameter(1.0), 1024);
    EXPECT_EQ(rowForParameter(0.0009765625), 1);
    EXPECT_EQ(rowForParameter(0.99951171875), 1023);
}

TEST(Scene, ResetRestoresPointsAndKeepsFlagsAndSize) {
    Scene scene = defaultScene();
    EXPECT_EQ(scene.selected, NO_SELECTION);
    EXPECT_FALSE(scene.boxBounds);
    EXPECT_FALSE(scene.hideOutlines);
    EXPECT_EQ(scene.windowWidth, 800);
    EXPECT_EQ(scene.windowHeight, 800);

    scene.points[1] = {7.0, 9.0};
    scene.points[QUERY_POINT] = {1.0, 2.0};
    scene.selected = 3;
    scene.boxBounds = true;
    scene.hideOutlines = true;
    scene.windowWidth = 641;
    resetScene(scene);
    EXPECT_EQ(scene.points[1].x, -225.0);
    EXPECT_EQ(scene.points[1].y, 0.0);
    EXPECT_EQ(queryPoint(scene).x, -160.0);
    EXPECT_EQ(queryPoint(scene).y, 160.0);
    EXPECT_EQ(scene.selected, NO_SELECTION);
    EXPECT_TRUE(scene.boxBounds);
    EXPECT_TRUE(scene.hideOutlines);
    EXPECT_EQ(scene.windowWidth, 641);
}

}  // namespace
