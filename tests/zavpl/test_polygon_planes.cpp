// Plane intersections and distances.

#include <gtest/gtest.h>

#include <cmath>

#include "object_builders.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

Vector z_axis() {
    Vector v;
    fill_Vector(v, 0, 0, 1);
    return v;
}

} // namespace

TEST(PolygonPlanes, SegmentIntersections) {
    const Vector normal = z_axis();
    struct Case {
        const char *what;
        Point p1, p2;
        Real d;
        bool hit;
        float x, y, z;
    };
    const Case cases[] = {
        {"crossing", make_point(0, 0, -1), make_point(2, 4, 3), 0.0, true, 0.5f, 1.0f, 0.0f},
        {"p1 on the plane wins over p2", make_point(1, 1, 2), make_point(5, 5, 2), 2.0, true, 1, 1,
         2},
        {"p2 on the plane", make_point(1, 1, 0), make_point(5, 5, 2), 2.0, true, 5, 5, 2},
        {"parallel off the plane", make_point(0, 0, 1), make_point(3, 0, 1), 0.0, false, 0, 0, 0},
        {"both on one side", make_point(0, 0, 1), make_point(0, 0, 3), 0.0, false, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Point hit = make_point(9, 9, 9);
        EXPECT_EQ(get_plane_segment_intersection(&normal, c.d, &c.p1, &c.p2, &hit), c.hit);
        if (c.hit) {
            EXPECT_FLOAT_EQ(hit.coords[0], c.x);
            EXPECT_FLOAT_EQ(hit.coords[1], c.y);
            EXPECT_FLOAT_EQ(hit.coords[2], c.z);
        } else {
            EXPECT_EQ(hit.coords[0], 9.0f);
        }
    }
}

TEST(PolygonPlanes, PolygonIntersections) {
    // A square standing in the xz plane, from z = 0 to z = 2.
    object_struct *object = make_polygons_object(
        {{make_point(0, 0, 0), make_point(2, 0, 0), make_point(2, 0, 2), make_point(0, 0, 2)}});
    const polygons_struct *polygons = get_polygons_ptr(object);
    const Vector normal = z_axis();
    Point points[2];

    ASSERT_TRUE(get_plane_polygon_intersection(&normal, 1.0, polygons, 0, points));
    EXPECT_FLOAT_EQ(points[0].coords[0], 2.0f);
    EXPECT_FLOAT_EQ(points[1].coords[0], 0.0f);
    EXPECT_FLOAT_EQ(points[1].coords[2], 1.0f);

    // A plane through one vertex only: that vertex twice.
    Vector diagonal;
    fill_Vector(diagonal, 1, 0, 1);
    ASSERT_TRUE(get_plane_polygon_intersection(&diagonal, 0.0, polygons, 0, points));
    for (const Point &p : points) {
        EXPECT_EQ(p.coords[0], 0.0f);
        EXPECT_EQ(p.coords[2], 0.0f);
    }

    EXPECT_FALSE(get_plane_polygon_intersection(&normal, 5.0, polygons, 0, points));
    delete_object(object);
}

TEST(PolygonPlanes, PlaneThroughPointsAndDistances) {
    const Point points[] = {make_point(0, 0, 3), make_point(1, 0, 3), make_point(1, 1, 3),
                            make_point(0, 1, 3)};
    Vector normal;
    Real constant = 0.0;
    get_plane_through_points(4, points, &normal, &constant);
    EXPECT_FLOAT_EQ(normal.coords[2], 1.0f);
    EXPECT_DOUBLE_EQ(constant, -3.0);
    for (const Point &p : points)
        EXPECT_DOUBLE_EQ(distance_from_plane(&p, &normal, constant), 0.0);
    Point above = make_point(7, -2, 5);
    EXPECT_DOUBLE_EQ(distance_from_plane(&above, &normal, constant), 2.0);

    const Point a = make_point(0, 0, 0), b = make_point(4, 0, 0);
    const Point off = make_point(2, 3, 4), on = make_point(1e6f, 0, 0);
    EXPECT_DOUBLE_EQ(distance_from_line(&off, &a, &b), 5.0);
    EXPECT_DOUBLE_EQ(distance_from_line(&on, &a, &b), 0.0);
    // A line of two equal points: distance to that point.
    EXPECT_DOUBLE_EQ(distance_from_line(&off, &b, &b), std::sqrt(4.0 + 9.0 + 16.0));
}
