#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/frame_report.h"
#include "search/exact.h"

namespace {

struct ReportFixture : ::testing::Test {
    static void SetUpTestSuite() { buildBernsteinTable(table, buildBinomials()); }
    static BernsteinTable table;
    std::unique_ptr<SearchState> state = std::make_unique<SearchState>();

    std::string report(const Scene& scene, bool exact = false) {
        searchScene(*state, scene, table);
        return formatReport(scene, *state, exact);
    }
};
BernsteinTable ReportFixture::table;

Scene sceneOf(const std::vector<Point2>& points, bool box = false) {
    return makeScene(points.data(), box);
}

const std::vector<Point2> DEFAULT_POINTS = {
    {-225, -225}, {-225, 0}, {0, 225}, {225, 225}, {-160, 160}};
const std::vector<Point2> FAR_QUERY = {{0, 0}, {10, 20}, {20, 20}, {30, 0}, {1e6, 1e6}};

TEST_F(ReportFixture, DefaultSceneLineIsExact) {
    EXPECT_EQ(report(defaultScene()),
              "{\"shape\":\"capsule\",\"points\":[[-225,-225],[-225,0],[0,225],[225,225],[-160,"
              "160]],\"expansions\":19,\"discarded\":18,\"retired\":20,\"maxQueue\":2,\"nearest\":"
              "{\"x\":-84.375,\"y\":84.375,\"t\":0.5,\"distance\":106.94990065446531}}");
}

TEST_F(ReportFixture, BoxFiguresAndNumbersReadBackExactly) {
    const Scene scene = sceneOf(DEFAULT_POINTS, true);
    const nlohmann::json json = nlohmann::json::parse(report(scene));
    EXPECT_EQ(json["shape"], "box");
    EXPECT_EQ(json["expansions"], 49);
    EXPECT_EQ(json["discarded"], 22);
    EXPECT_EQ(json["retired"], 50);
    EXPECT_EQ(json["maxQueue"], state->maxQueue);
    EXPECT_EQ(json["nearest"]["distance"].get<double>(), state->bestDistance);
    EXPECT_EQ(json["nearest"]["t"].get<double>(), 0.5);
}

TEST_F(ReportFixture, EveryDoubleReadsBackToTheSameBits) {
    const Scene scene =
        sceneOf({{-0.1, 1e-7}, {123.456, -7.25}, {1e6, -1e6}, {3, 1.0 / 3}, {-0.0, 5}});
    const nlohmann::json json = nlohmann::json::parse(report(scene, true));
    for (int i = 0; i < SCENE_POINT_COUNT; ++i) {
        EXPECT_EQ(json["points"][i][0].get<double>(), scene.points[i].x);
        EXPECT_EQ(json["points"][i][1].get<double>(), scene.points[i].y);
    }
    EXPECT_TRUE(std::signbit(json["points"][QUERY_POINT][0].get<double>()));  // -0 stays -0
    EXPECT_EQ(json["nearest"]["x"].get<double>(), state->bestPoint.x);
    EXPECT_EQ(json["nearest"]["y"].get<double>(), state->bestPoint.y);
    EXPECT_EQ(json["nearest"]["t"].get<double>(), state->bestRow / 1024.0);
    EXPECT_EQ(json["nearest"]["distance"].get<double>(), state->bestDistance);
    const ExactNearest exact = exactNearest(scene.points, queryPoint(scene));
    EXPECT_EQ(json["exact"]["distance"].get<double>(), exact.distance);
    EXPECT_EQ(json["exact"]["error"].get<double>(), state->bestDistance - exact.distance);
}

TEST_F(ReportFixture, QueryOutOfReachReportsNoNearestPoint) {
    const Scene scene = sceneOf(FAR_QUERY);
    const nlohmann::json json = nlohmann::json::parse(report(scene, true));
    EXPECT_TRUE(json["nearest"].is_null());
    // The exact point exists all the same; only the comparison has nothing to measure.
    const ExactNearest exact = exactNearest(scene.points, queryPoint(scene));
    EXPECT_EQ(json["exact"]["x"].get<double>(), exact.point.x);
    EXPECT_EQ(json["exact"]["t"].get<double>(), exact.t);
    EXPECT_TRUE(json["exact"]["error"].is_null());
}

TEST_F(ReportFixture, EachSceneStartsFromAFreshSearch) {
    // An unreachable Q leaves the search's point where the search started it: (0, 0),
    // whatever an earlier scene found.
    report(defaultScene());
    report(sceneOf(FAR_QUERY));
    EXPECT_EQ(state->bestRow, NO_ROW);
    EXPECT_EQ(state->bestPoint.x, 0.0);
    EXPECT_EQ(state->bestPoint.y, 0.0);
}

struct BatchRun {
    int status;
    std::vector<std::string> out;
    std::string err;
};

BatchRun runBatchOn(const std::string& input, const ReportOptions& options = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    BatchRun run{runBatch(in, out, err, options, ReportFixture::table), {}, err.str()};
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) run.out.push_back(line);
    return run;
}

TEST_F(ReportFixture, BatchAnswersEveryLineAndFlagsTheBadOnes) {
    const std::string input =
        "# capsules for the default scene\n"
        "-225,-225,-225,0,0,225,225,225,-160,160\n"
        "\n"
        "1,2,3\n"
        "   \t\n"
        "-225 -225 -225 0 0 225 225 225 -160 160\r\n"
        "0 0 10 20 20 20 30 0 1e6 1e6\n"
        "1,2,3,4,5,6,7,8,9,1e7\n"
        "0 0 10 20 20 20 30 0 5 5";  // last line without a newline
    const BatchRun run = runBatchOn(input);
    EXPECT_EQ(run.status, STATUS_BAD_LINE);
    ASSERT_EQ(run.out.size(), 6u);
    const std::string defaultLine = report(defaultScene());
    EXPECT_EQ(run.out[0], defaultLine);
    EXPECT_EQ(run.out[1], "{\"line\":4,\"error\":\"expected 10 numbers, found 3\"}");
    EXPECT_EQ(run.out[2], defaultLine);
    EXPECT_EQ(run.out[3], report(sceneOf(FAR_QUERY)));
    EXPECT_EQ(run.out[4], "{\"line\":8,\"error\":\"beyond the coordinate bound of 1e6: '1e7'\"}");
    EXPECT_EQ(run.out[5], report(sceneOf({{0, 0}, {10, 20}, {20, 20}, {30, 0}, {5, 5}})));
    EXPECT_EQ(run.err,
              "quillfen-frame: line 4: expected 10 numbers, found 3\n"
              "quillfen-frame: line 8: beyond the coordinate bound of 1e6: '1e7'\n");
}

TEST_F(ReportFixture, BatchOfGoodLinesSucceedsWithTheChosenOptions) {
    const BatchRun run = runBatchOn("-225,-225,-225,0,0,225,225,225,-160,160\n", {true, true});
    EXPECT_EQ(run.status, STATUS_OK);
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.out.size(), 1u);
    EXPECT_EQ(run.out[0], report(sceneOf(DEFAULT_POINTS, true), true));
    EXPECT_EQ(runBatchOn("").status, STATUS_OK);
}

TEST_F(ReportFixture, BatchReportsAnOutputFailure) {
    std::istringstream in("-225,-225,-225,0,0,225,225,225,-160,160\n");
    std::ostringstream out;
    out.setstate(std::ios::badbit);  // as a stream whose device refused a write
    std::ostringstream err;
    EXPECT_EQ(runBatch(in, out, err, {}, table), STATUS_IO_ERROR);
    EXPECT_EQ(err.str(), "quillfen-frame: writing standard output failed\n");
}

}  // namespace
