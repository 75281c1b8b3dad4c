#include <gtest/gtest.h>

#include "cli/scene_line.h"

namespace {

struct GoodLine {
    const char* text;
    Point2 first;  // P0
    Point2 query;  // Q
};

TEST(SceneLine, ReadsTenNumbersWithAnyMixOfSeparators) {
    const GoodLine cases[] = {
        {"1,2,3,4,5,6,7,8,9,10", {1, 2}, {9, 10}},
        {"1 2 3 4 5 6 7 8 9 10", {1, 2}, {9, 10}},
        {"  1, 2 ,3\t4,\t5 6 , 7 8 9 10  ", {1, 2}, {9, 10}},
        {"1,2,3,4,5,6,7,8,9,10\r", {1, 2}, {9, 10}},
        {"-0.5,2.5e2,3,4,5,6,7,8,-1e6,1e6", {-0.5, 250}, {-1e6, 1e6}},
        {".5,1.,3,4,5,6,7,8,9,1E3", {0.5, 1}, {9, 1000}},
    };
    for (const GoodLine& c : cases) {
        SCOPED_TRACE(c.text);
        const SceneNumbers parsed = parseSceneNumbers(c.text);
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.points[0].x, c.first.x);
        EXPECT_EQ(parsed.points[0].y, c.first.y);
        EXPECT_EQ(parsed.points[1].x, 3.0);
        EXPECT_EQ(parsed.points[3].y, 8.0);
        EXPECT_EQ(parsed.points[QUERY_POINT].x, c.query.x);
        EXPECT_EQ(parsed.points[QUERY_POINT].y, c.query.y);
    }
}

struct BadLine {
    const char* text;
    const char* error;
};

TEST(SceneLine, NamesTheFirstProblemOfABadLine) {
    const BadLine cases[] = {
        {"", "expected 10 numbers, found 0"},
        {"1,2,3,4,5,6,7,8,9", "expected 10 numbers, found 9"},
        {"1 2 3 4 5 6 7 8 9 10 11", "expected 10 numbers, found 11"},
        {"1,2,3,4,5,6,7,8,9,x", "not a number: 'x'"},
        {"1,2,3,4,5,6,7,8,9,10abc", "not a number: '10abc'"},
        {"1,2,3,4,5,6,7,8,9,10;", "not a number: '10;'"},
        {"+1,2,3,4,5,6,7,8,9,10", "not a number: '+1'"},
        {"0x10,2,3,4,5,6,7,8,9,10", "not a number: '0x10'"},
        {"1,2,3,4,-,6,7,8,9,10", "not a number: '-'"},
        {"1,2,3,4,5,6,7,8,9,inf", "not finite: 'inf'"},
        {"nan,2,3,4,5,6,7,8,9,10", "not finite: 'nan'"},
        {"1,2,3,4,5,6,7,8,9,1e400", "out of the double range: '1e400'"},
        {"1,2,3,4,5,6,7,8,9,1e-400", "out of the double range: '1e-400'"},
        {"1,2,3,4,5,6,7,8,9,1000000.0001", "beyond the coordinate bound of 1e6: '1000000.0001'"},
        {"-2e6,2,3,4,5,6,7,8,9,10", "beyond the coordinate bound of 1e6: '-2e6'"},
        {"1,,2,3,4,5,6,7,8,9,10", "missing number before ','"},
        {",1,2,3,4,5,6,7,8,9,10", "missing number before ','"},
        {"1,2,3,4,5,6,7,8,9,10,", "missing number after ','"},
        {"1,2,3,4,5,6,7,8,9,10 , ", "missing number after ','"},
        // Bad tokens are shown cut short and with non-printable bytes masked.
        {"1,2,3,4,5,6,7,8,9,\x01x\xff", "not a number: '?x?'"},
        {"1,2,3,4,5,6,7,8,9,abcdefghijabcdefghijabcdefghijabcdefghij",
         "not a number: 'abcdefghijabcdefghijabcdefghijab...'"},
    };
    for (const BadLine& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseSceneNumbers(c.text).error, c.error);
    }
}

TEST(SceneLine, SkipsOnlyBlankAndCommentLines) {
    EXPECT_TRUE(isSkippedLine(""));
    EXPECT_TRUE(isSkippedLine(" \t\r"));
    EXPECT_TRUE(isSkippedLine("# a comment"));
    EXPECT_TRUE(isSkippedLine("   #1,2,3"));
    EXPECT_FALSE(isSkippedLine("1 # not a comment"));
    EXPECT_FALSE(isSkippedLine(","));
}

}  // namespace
