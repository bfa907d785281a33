// Local shape at a point: centroid, normal, size and signed curvature.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "mesh_fixtures.h"
#include "print_capture.h"

using namespace tarvex_test;

namespace {

// A closed fan of n triangles around point 0 at height h over a unit circle
// of rim points 1 .. n, wound counter-clockwise seen from +z.
void make_cone(Mesh *mesh, int n, float h) {
    std::vector<Point> points = {pt(0, 0, h)};
    std::vector<std::vector<int>> faces;
    for (int i = 0; i < n; ++i) {
        double angle = 2.0 * M_PI * i / n;
        points.push_back(pt((float)std::cos(angle), (float)std::sin(angle), 0));
        faces.push_back({0, 1 + i, 1 + (i + 1) % n});
    }
    mesh->set(points, faces);
}

} // namespace

TEST(Curvature, FromARing) {
    struct Case {
        const char *what;
        float h;
        std::vector<int> ring;
        float centroid_z, normal_z;
        Real base_length, curvature;
    };
    // Point 0 above the square ring 1..4 (distance 1 from its centre).
    const Case cases[] = {
        {"bump", 0.5f, {1, 2, 3, 4}, 0.0f, 1.0f, 2.0, 0.25},
        {"dent", -0.5f, {1, 2, 3, 4}, 0.0f, 1.0f, 2.0, -0.25},
        {"flat", 0.0f, {1, 2, 3, 4}, 0.0f, 1.0f, 2.0, 0.0},
        {"ring wound the other way", 0.5f, {4, 3, 2, 1}, 0.0f, -1.0f, 2.0, -0.25},
        {"two ring points", 0.5f, {1, 2}, 0.5f, 0.0f, 1.0, 0.0},
        {"ring on one point", 0.5f, {1, 1, 1}, 0.0f, 0.0f, 1.0, 0.5},
        {"ring naming no point", 0.5f, {1, 2, 99}, 0.5f, 0.0f, 1.0, 0.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Mesh mesh({pt(0, 0, c.h), pt(1, 0, 0), pt(0, 1, 0), pt(-1, 0, 0), pt(0, -1, 0)}, {});
        if (std::string(c.what) == "ring on one point") mesh.p.points[1] = pt(0, 0, 0);
        std::vector<int> ring = c.ring;
        Point centroid;
        Vector normal;
        Real base_length, curvature;
        compute_points_centroid_and_normal(&mesh.p, 0, (int)ring.size(), ring.data(), &centroid,
                                           &normal, &base_length, &curvature);
        EXPECT_FLOAT_EQ(centroid.coords[2], c.centroid_z);
        EXPECT_FLOAT_EQ(normal.coords[2], c.normal_z);
        EXPECT_DOUBLE_EQ(base_length, c.base_length);
        EXPECT_NEAR(curvature, c.curvature, 1e-7);
    }
}

TEST(Curvature, SignFollowsTheSurface) {
    Mesh sphere;
    delete_polygons(&sphere.p);
    Point centre = pt(0, 0, 0);
    create_tetrahedral_sphere(&centre, 1, 1, 1, 320, &sphere.p);
    for (int i = 0; i < sphere.p.n_points; ++i)
        ASSERT_GT(compute_polygon_vertex_curvature(&sphere.p, i), 0.0) << i;

    // Push point 20 halfway to the centre: a dent there, bumps beside it.
    for (int k = 0; k < 3; ++k)
        sphere.p.points[20].coords[k] *= 0.5f;
    EXPECT_LT(compute_polygon_vertex_curvature(&sphere.p, 20), 0.0);
    EXPECT_GT(compute_polygon_vertex_curvature(&sphere.p, 0), 0.0);
}

TEST(Curvature, RingsLongerThanAThousandPointsAreUsedWhole) {
    // The apex of a cone over 1500 rim points: the whole ring has its centroid
    // on the axis, so curvature = h / (2 * radius).
    Mesh cone;
    make_cone(&cone, 1500, 0.5f);
    EXPECT_NEAR(compute_polygon_vertex_curvature(&cone.p, 0), 0.25, 1e-5);

    Point centroid;
    Vector normal;
    Real base_length, curvature;
    compute_polygon_point_centroid(&cone.p, 0, 0, 0, &centroid, &normal, &base_length, &curvature);
    EXPECT_NEAR(centroid.coords[0], 0.0, 1e-5);
    EXPECT_NEAR(centroid.coords[1], 0.0, 1e-5);
    EXPECT_NEAR(normal.coords[2], 1.0, 1e-6);
    EXPECT_NEAR(base_length, 2.0, 1e-5);
}

TEST(Curvature, PointInNoPolygon) {
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0), pt(5, 5, 5)}, {{0, 1, 2}});
    CapturePrint capture;
    EXPECT_EQ(compute_polygon_vertex_curvature(&mesh.p, 3), 0.0);
    EXPECT_EQ(capture.err(), "Internal error:  compute_polygon_vertex_curvature\n");
    capture.clear();
    EXPECT_EQ(compute_polygon_vertex_curvature(&mesh.p, 0), 0.0); // an open ring of two
    EXPECT_EQ(capture.err(), "");
}
