// Normals of point loops, polygons and mesh vertices.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "object_builders.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

struct LoopCase {
    const char *what;
    std::vector<Point> loop;
    float x, y, z;
};

void expect_vector(const Vector &v, float x, float y, float z, float tolerance = 1e-6f) {
    EXPECT_NEAR(v.coords[0], x, tolerance);
    EXPECT_NEAR(v.coords[1], y, tolerance);
    EXPECT_NEAR(v.coords[2], z, tolerance);
}

bool finite_vector(const Vector &v) {
    return std::isfinite(v.coords[0]) && std::isfinite(v.coords[1]) && std::isfinite(v.coords[2]);
}

// A unit cube of six outward-wound quadrilaterals over eight shared corners.
void make_cube(polygons_struct *polygons) {
    std::vector<Point> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back(make_point((float)(i & 1), (float)((i >> 1) & 1), (float)(i >> 2)));
    make_indexed_mesh(
        polygons, corners,
        {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}});
}

} // namespace

TEST(PolygonNormals, NormalsOfLoops) {
    const Point o = make_point(0, 0, 0), x = make_point(1, 0, 0), y = make_point(0, 1, 0),
                xy = make_point(1, 1, 0);
    const LoopCase cases[] = {
        {"triangle", {o, x, y}, 0, 0, 1},
        {"reversed triangle", {y, x, o}, 0, 0, -1},
        {"square (Newell)", {o, x, xy, y}, 0, 0, 1},
        {"square in the yz plane",
         {make_point(0, 0, 0), make_point(0, 2, 0), make_point(0, 2, 2), make_point(0, 0, 2)},
         1,
         0,
         0},
        {"collinear points", {o, x, make_point(2, 0, 0), make_point(3, 0, 0)}, 0, 0, 0},
        {"one point repeated", {x, x, x, x}, 0, 0, 0},
        {"degenerate triangle", {o, x, x}, 0, 0, 0},
        {"two points", {o, x}, 0, 0, 0},
        {"no points", {}, 0, 0, 0},
        // Zero signed area: the first corner with a cross product decides.
        {"bow tie", {o, xy, x, y}, 0, 0, 1},
        {"repeated vertex", {o, o, x, xy, y}, 0, 0, 1},
    };
    for (const LoopCase &c : cases) {
        SCOPED_TRACE(c.what);
        Vector normal;
        find_polygon_normal((int)c.loop.size(), c.loop.data(), &normal);
        expect_vector(normal, c.x, c.y, c.z);
    }

    Real nx, ny, nz;
    const Point big[] = {o, make_point(2, 0, 0), make_point(0, 3, 0)};
    find_polygon_normal_no_normalize(3, big, &nx, &ny, &nz);
    EXPECT_EQ(nz, 6.0);
}

TEST(PolygonNormals, OnlyTheFirstThousandVerticesCount) {
    // The first 1000 vertices lie on a circle in z = 0; the last 200 leave the plane.
    std::vector<Point> loop;
    for (int k = 0; k < 1000; ++k) {
        double angle = 2.0 * M_PI * k / 1000.0;
        loop.push_back(make_point((float)cos(angle), (float)sin(angle), 0));
    }
    for (int k = 0; k < 200; ++k)
        loop.push_back(make_point(2.0f, (float)k * 0.01f, 5.0f + (float)k));
    object_struct *object = make_polygons_object({loop});

    Vector normal;
    compute_polygon_normal(get_polygons_ptr(object), 0, &normal);
    expect_vector(normal, 0, 0, 1);
    Vector all;
    find_polygon_normal((int)loop.size(), loop.data(), &all);
    EXPECT_GT(std::fabs(all.coords[0]) + std::fabs(all.coords[1]), 0.01f);
    delete_object(object);
}

TEST(PolygonNormals, CubeCornersPointOutwardAlongDiagonals) {
    polygons_struct cube;
    make_cube(&cube);
    FREE(cube.normals); // the array is created when missing
    compute_polygon_normals(&cube);
    ASSERT_NE(cube.normals, nullptr);
    const float d = (float)(1.0 / std::sqrt(3.0));
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        expect_vector(cube.normals[i], (i & 1) ? d : -d, ((i >> 1) & 1) ? d : -d, (i >> 2) ? d : -d,
                      1e-6f);
    }
    delete_polygons(&cube);
}

TEST(PolygonNormals, DegeneratePolygonsGiveZeroNotNaN) {
    polygons_struct polygons;
    make_indexed_mesh(&polygons,
                      {make_point(0, 0, 0), make_point(1, 0, 0), make_point(0, 1, 0),
                       make_point(5, 5, 5), make_point(6, 6, 6), make_point(7, 7, 7),
                       make_point(9, 9, 9)},
                      {{0, 1, 2},
                       {3, 4, 5},    // collinear
                       {6, 6, 6},    // one point three times
                       {0, 0, 1, 2}, // repeated vertex next to a good corner
                       {1}});
    compute_polygon_normals(&polygons);
    for (int i = 0; i < polygons.n_points; ++i)
        EXPECT_TRUE(finite_vector(polygons.normals[i])) << i;
    expect_vector(polygons.normals[0], 0, 0, 1);
    expect_vector(polygons.normals[1], 0, 0, 1);
    for (int i : {3, 4, 5, 6})
        expect_vector(polygons.normals[i], 0, 0, 0);
    delete_polygons(&polygons);
}

TEST(PolygonNormals, IndicesOutOfRangeAreReportedAndSkipped) {
    polygons_struct polygons;
    make_indexed_mesh(&polygons, {make_point(0, 0, 0), make_point(1, 0, 0), make_point(0, 1, 0)},
                      {{0, 1, 2}, {0, 7, 2}, {-1, 1, 2}});
    CapturePrint capture;
    compute_polygon_normals(&polygons);
    EXPECT_NE(capture.err().find("2 polygons"), std::string::npos);
    expect_vector(polygons.normals[1], 0, 0, 1);
    delete_polygons(&polygons);
}

TEST(PolygonNormals, AveragingWithoutIterationsOrWeightKeepsComputedNormals) {
    polygons_struct expected, averaged;
    make_cube(&expected);
    compute_polygon_normals(&expected);

    make_cube(&averaged);
    average_polygon_normals(&averaged, 0, 0.5);
    for (int i = 0; i < 8; ++i)
        expect_vector(averaged.normals[i], expected.normals[i].coords[0],
                      expected.normals[i].coords[1], expected.normals[i].coords[2], 0);

    CapturePrint capture;
    average_polygon_normals(&averaged, 2, 0.0);
    EXPECT_EQ(capture.out(), "Average dot product: 1\nAverage dot product: 1\n");
    for (int i = 0; i < 8; ++i)
        expect_vector(averaged.normals[i], expected.normals[i].coords[0],
                      expected.normals[i].coords[1], expected.normals[i].coords[2]);
    delete_polygons(&expected);
    delete_polygons(&averaged);
}

TEST(PolygonNormals, AveragingBlendsTowardsNeighbours) {
    // A flat strip of two triangles folded up along its shared edge: with full
    // neighbour weight each normal becomes the mean of its edge neighbours'.
    polygons_struct polygons;
    make_indexed_mesh(
        &polygons,
        {make_point(0, 0, 0), make_point(1, 0, 0), make_point(0, 1, 0), make_point(1, 1, 1)},
        {{0, 1, 2}, {1, 3, 2}});
    average_polygon_normals(&polygons, 1, 1.0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(finite_vector(polygons.normals[i]));
        Real length =
            std::sqrt(Real(polygons.normals[i].coords[0]) * polygons.normals[i].coords[0] +
                      Real(polygons.normals[i].coords[1]) * polygons.normals[i].coords[1] +
                      Real(polygons.normals[i].coords[2]) * polygons.normals[i].coords[2]);
        EXPECT_NEAR(length, 1.0, 1e-6);
    }
    // Point 0 touches only the flat triangle but its neighbours 1 and 2 lean
    // towards the folded one, so its normal tilts away from +z.
    EXPECT_LT(polygons.normals[0].coords[2], 0.999f);
    delete_polygons(&polygons);
}
