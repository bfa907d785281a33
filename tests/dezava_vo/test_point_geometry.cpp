#include <gtest/gtest.h>

#include <cmath>

#include <dezava_vo.h>

namespace {

const Real PI = 3.14159265358979323846;

Point point(Real x, Real y, Real z) {
    Point p;
    fill_Point(p, x, y, z);
    return p;
}

void expect_point_eq(const Point &p, float x, float y, float z) {
    EXPECT_EQ(Point_x(p), x);
    EXPECT_EQ(Point_y(p), y);
    EXPECT_EQ(Point_z(p), z);
}

} // namespace

TEST(PointGeometry, NullMeansExactlyZero) {
    Point origin = point(0, 0, 0), near_origin = point(0, 0, 1e-30);
    EXPECT_TRUE(null_Point(&origin));
    EXPECT_FALSE(null_Point(&near_origin));
    Vector v;
    fill_Vector(v, -0.0, 0, 0);
    EXPECT_TRUE(null_Vector(&v));
    fill_Vector(v, 0, 1, 0);
    EXPECT_FALSE(null_Vector(&v));
}

TEST(PointGeometry, DistancesAndTheInclusiveWithinTest) {
    Point a = point(1, 2, 3), b = point(4, 6, 3);
    EXPECT_DOUBLE_EQ(distance_between_points(&a, &b), 5.0);
    EXPECT_TRUE(points_within_distance(&a, &b, 5.0));
    EXPECT_TRUE(points_within_distance(&a, &b, -5.0)); // compared squared
    EXPECT_FALSE(points_within_distance(&a, &b, 4.999));

    // Differences are taken in double: in single precision these would cancel.
    Point big1 = point(16777216.0, 0, 0), big2 = point(16777218.0, 0, 0);
    EXPECT_DOUBLE_EQ(distance_between_points(&big1, &big2), 2.0);
}

TEST(PointGeometry, BoundingBoxes) {
    const Point points[] = {point(1, 5, -1), point(-2, 3, 4), point(0, 7, 2)};
    Point low = point(99, 99, 99), high = point(99, 99, 99);
    EXPECT_TRUE(get_range_points(3, points, &low, &high));
    expect_point_eq(low, -2, 3, -1);
    expect_point_eq(high, 1, 7, 4);

    Point outside = point(10, -10, 0);
    apply_point_to_min_and_max(&outside, &low, &high);
    expect_point_eq(low, -2, -10, -1);
    expect_point_eq(high, 10, 7, 4);

    Point other_low = point(-5, 0, 0), other_high = point(0, 20, 0);
    expand_min_and_max_points(&low, &high, &other_low, &other_high);
    expect_point_eq(low, -5, -10, -1);
    expect_point_eq(high, 10, 20, 4);
}

TEST(PointGeometry, NoPointsLeaveTheCornersAndGiveAnOriginCentroid) {
    Point low = point(1, 2, 3), high = point(4, 5, 6);
    EXPECT_FALSE(get_range_points(0, nullptr, &low, &high));
    EXPECT_FALSE(get_range_points(-1, nullptr, &low, &high));
    expect_point_eq(low, 1, 2, 3);
    expect_point_eq(high, 4, 5, 6);

    Point centroid = point(7, 7, 7);
    get_points_centroid(0, nullptr, &centroid);
    expect_point_eq(centroid, 0, 0, 0);
}

TEST(PointGeometry, CentroidIsTheMean) {
    const Point points[] = {point(0, 0, 0), point(2, 4, 6), point(1, -1, 3)};
    Point centroid;
    get_points_centroid(3, points, &centroid);
    expect_point_eq(centroid, 1, 1, 3);
}

TEST(PointGeometry, ReversedVectorsFlipEverySign) {
    Vector v[2];
    fill_Vector(v[0], 1, -2, 0);
    fill_Vector(v[1], 0.5, 0, -3);
    reverse_vectors(2, v);
    EXPECT_EQ(Vector_x(v[0]), -1.0f);
    EXPECT_EQ(Vector_y(v[0]), 2.0f);
    EXPECT_TRUE(std::signbit(Vector_z(v[0]))); // 0 becomes -0
    EXPECT_EQ(Vector_x(v[1]), -0.5f);
    EXPECT_EQ(Vector_z(v[1]), 3.0f);
}

TEST(PointGeometry, AngleBetweenPointsTable) {
    struct Case {
        Point prev, here, next;
        Real angle;
    } cases[] = {
        {point(1, 0, 0), point(0, 0, 0), point(0, 1, 0), PI / 2},
        {point(2, 0, 0), point(1, 0, 0), point(3, 0, 0), 0.0},
        {point(0, 0, 0), point(1, 0, 0), point(5, 0, 0), PI},
        {point(2, 2, 0), point(1, 1, 0), point(3, 1, 0), PI / 4},
        {point(1, 1, 1), point(1, 1, 1), point(4, 5, 6), PI / 2}, // zero direction
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.angle);
        EXPECT_NEAR(get_angle_between_points(&c.prev, &c.here, &c.next), c.angle, 1e-6);
    }
}
