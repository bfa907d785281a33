// Polyline sets: building, segment numbering and arc length.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object_builders.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

std::vector<int> indices_of(const lines_struct &lines) {
    int n = lines.n_items > 0 ? lines.end_indices[lines.n_items - 1] : 0;
    return std::vector<int>(lines.indices, lines.indices + n);
}

// Two polylines of 3 and 4 points.
void make_two_lines(lines_struct *lines) {
    initialize_lines(lines, 0);
    for (int i = 0; i < 3; ++i) {
        Point p = make_point((float)i, 0, 0);
        add_point_to_line(lines, &p);
    }
    start_new_line(lines);
    for (int i = 0; i < 4; ++i) {
        Point p = make_point(0, (float)i, 0);
        add_point_to_line(lines, &p);
    }
}

} // namespace

TEST(Lines, InitializeWithSizeClosedAndOpen) {
    lines_struct lines;
    initialize_lines_with_size(&lines, 0, 4, TRUE);
    EXPECT_EQ(lines.n_points, 4);
    ASSERT_EQ(lines.n_items, 1);
    EXPECT_EQ(indices_of(lines), (std::vector<int>{0, 1, 2, 3, 0}));
    delete_lines(&lines);

    initialize_lines_with_size(&lines, 0, 3, FALSE);
    EXPECT_EQ(indices_of(lines), (std::vector<int>{0, 1, 2}));
    delete_lines(&lines);
}

TEST(Lines, ClosedLineOfNoPointsIsEmpty) {
    lines_struct lines;
    for (int size : {0, -3}) {
        initialize_lines_with_size(&lines, make_Colour(1, 1, 1), size, TRUE);
        EXPECT_EQ(lines.n_points, 0);
        EXPECT_EQ(lines.n_items, 0);
        EXPECT_EQ(lines.colours[0], make_Colour(1, 1, 1));
        delete_lines(&lines);
    }
}

TEST(Lines, BuildingAppendsToTheLastPolyline) {
    lines_struct lines;
    make_two_lines(&lines);
    EXPECT_EQ(lines.n_points, 7);
    ASSERT_EQ(lines.n_items, 2);
    EXPECT_EQ(lines.end_indices[0], 3);
    EXPECT_EQ(lines.end_indices[1], 7);
    EXPECT_EQ(indices_of(lines), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_DOUBLE_EQ(get_lines_length(&lines), 2.0 + 3.0);
    delete_lines(&lines);
}

TEST(Lines, SegmentNumbersMapToPolylineAndSegment) {
    lines_struct lines;
    make_two_lines(&lines);
    const int expected[][3] = {{0, 0, 0}, {1, 0, 1}, {2, 1, 0}, {3, 1, 1}, {4, 1, 2}};
    for (const auto &c : expected) {
        int line = -1, seg = -1;
        get_line_segment_index(&lines, c[0], &line, &seg);
        EXPECT_EQ(line, c[1]) << "segment " << c[0];
        EXPECT_EQ(seg, c[2]) << "segment " << c[0];
    }
    delete_lines(&lines);
}

TEST(Lines, ArcPointsAlongAndBeyondTheLine) {
    object_struct *object = make_lines_object({make_point(0, 0, 0), make_point(2, 0, 0)});
    lines_struct *lines = get_lines_ptr(object);
    struct Case {
        Real arc;
        float x;
        const char *message;
    };
    const Case cases[] = {
        {0.5, 0.5f, ""},
        {0.0, 0.0f, ""},
        {-1.0, 0.0f, "get_lines_arc_point: arc_length < 0.0, using 0.0\n"},
        {2.0, 2.0f, "get_lines_arc_point: arc_length too large, using end\n"},
        {7.0, 2.0f, "get_lines_arc_point: arc_length too large, using end\n"},
    };
    CapturePrint capture;
    for (const Case &c : cases) {
        capture.clear();
        Point point = make_point(9, 9, 9);
        get_lines_arc_point(lines, c.arc, &point);
        EXPECT_FLOAT_EQ(point.coords[0], c.x) << c.arc;
        EXPECT_EQ(point.coords[1], 0.0f);
        EXPECT_EQ(capture.err(), c.message);
    }
    delete_object(object);
}

TEST(Lines, ArcPointCrossesPolylinesAndSkipsZeroLengthSegments) {
    lines_struct lines;
    make_two_lines(&lines); // 2 along x, then 3 along y
    Point repeated = make_point(0, 3, 0);
    add_point_to_line(&lines, &repeated); // a zero-length segment at the end
    Point point;
    get_lines_arc_point(&lines, 3.5, &point);
    EXPECT_FLOAT_EQ(point.coords[0], 0.0f);
    EXPECT_FLOAT_EQ(point.coords[1], 1.5f);
    delete_lines(&lines);

    // No segments at all: a message and a usable point.
    object_struct *single = make_lines_object({make_point(4, 5, 6)});
    CapturePrint capture;
    get_lines_arc_point(get_lines_ptr(single), 1.0, &point);
    EXPECT_EQ(point.coords[0], 4.0f);
    EXPECT_NE(capture.err(), "");
    delete_object(single);
}

TEST(Lines, BintreeHookSeesEveryDeletedRecord) {
    static int n_calls;
    n_calls = 0;
    set_bintree_delete_function([](bintree_struct **bintree) {
        ++n_calls;
        *bintree = nullptr;
    });
    object_struct *objects[] = {make_lines_object({}), make_quadmesh_object(2, 2),
                                make_polygons_object({})};
    for (object_struct *object : objects)
        delete_object(object);
    EXPECT_EQ(n_calls, 3);
    set_bintree_delete_function(nullptr);
    delete_object(make_lines_object({}));
    EXPECT_EQ(n_calls, 3);
}
