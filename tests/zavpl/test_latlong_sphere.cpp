// Latitude-longitude spheres: numbering, generation, recognition, refinement
// and half sampling.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "mesh_fixtures.h"
#include "print_capture.h"

using namespace tarvex_test;

namespace {

struct LatLong : Mesh {
    LatLong(int n_up, int n_around) {
        delete_polygons(&p);
        Point centre = pt(0, 0, 0);
        create_polygons_sphere(&centre, 1.0, 1.0, 1.0, n_up, n_around, FALSE, &p);
    }
};

void expect_same_point(const Point &a, const Point &b) {
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(a.coords[k], b.coords[k]);
}

} // namespace

TEST(LatLongSphere, PointNumbering) {
    EXPECT_EQ(get_sphere_point_index(0, 0, 4, 8), 0);
    EXPECT_EQ(get_sphere_point_index(4, 0, 4, 8), 1);
    EXPECT_EQ(get_sphere_point_index(1, 0, 4, 8), 2);
    EXPECT_EQ(get_sphere_point_index(3, 7, 4, 8), 25);

    CapturePrint capture;
    EXPECT_EQ(get_sphere_point_index(2, 8, 4, 8), 18); // still the formula's value
    EXPECT_EQ(capture.err(), "up 2/4     around 8/8\nInternal error:  get_sphere_point_index\n");
}

TEST(LatLongSphere, GeneratedMeshLayoutAndPoints) {
    LatLong sphere(4, 8);
    ASSERT_EQ(sphere.p.n_points, 26);
    ASSERT_EQ(sphere.p.n_items, 32);
    // North fan, two bands of quadrilaterals, south fan.
    EXPECT_EQ(sphere.polygon(0), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(sphere.polygon(7), (std::vector<int>{0, 9, 2}));
    EXPECT_EQ(sphere.polygon(8), (std::vector<int>{2, 10, 11, 3}));
    EXPECT_EQ(sphere.polygon(31), (std::vector<int>{1, 18, 25}));
    // Poles on the x axis; ring 2 is the equator in the yz plane.
    expect_same_point(sphere.p.points[0], pt(1, 0, 0));
    EXPECT_NEAR(sphere.p.points[1].coords[0], -1.0f, 1e-7);
    EXPECT_NEAR(sphere.p.points[get_sphere_point_index(2, 2, 4, 8)].coords[2], 1.0f, 1e-7);
    for (int i = 0; i < sphere.p.n_points; ++i) {
        const Point &q = sphere.p.points[i];
        EXPECT_NEAR(q.coords[0] * q.coords[0] + q.coords[1] * q.coords[1] +
                        q.coords[2] * q.coords[2],
                    1.0, 1e-6);
    }
}

TEST(LatLongSphere, BadSizesGiveAnEmptyMesh) {
    for (int n_up : {1, 0, -3}) {
        CapturePrint capture;
        LatLong sphere(n_up, 4);
        EXPECT_EQ(sphere.p.n_items, 0);
        EXPECT_EQ(sphere.p.n_points, 0);
        EXPECT_FALSE(capture.err().empty());
    }
    CapturePrint capture;
    LatLong huge(100000, 100000); // 10^10 points
    EXPECT_EQ(huge.p.n_points, 0);
}

TEST(LatLongSphere, Recognition) {
    struct Case {
        int n_up, n_around;
        BOOLEAN recognised;
        int tess; // -1: not stored
    };
    const Case cases[] = {{4, 8, TRUE, 4},   {8, 16, TRUE, 8},  {3, 6, FALSE, 3},
                          {2, 4, FALSE, -1}, {4, 6, FALSE, -1}, {16, 32, TRUE, 16},
                          {6, 12, FALSE, 6}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.n_up << " by " << c.n_around);
        LatLong sphere(c.n_up, c.n_around);
        int tess = -1;
        EXPECT_EQ(get_tessellation_of_polygons_sphere(&sphere.p, &tess), c.recognised);
        EXPECT_EQ(tess, c.tess);
        EXPECT_EQ(is_this_sphere_topology(&sphere.p), c.recognised);
    }
}

TEST(LatLongSphere, RecognitionChecksPointsAndLayout) {
    {
        LatLong sphere(4, 8);
        sphere.p.n_points = 20; // fewer points than the numbering reaches
        EXPECT_FALSE(is_this_sphere_topology(&sphere.p));
        sphere.p.n_points = 26;
        EXPECT_TRUE(is_this_sphere_topology(&sphere.p));
    }
    {
        // Same counts, polygons in another order.
        LatLong sphere(4, 8);
        std::vector<std::vector<int>> faces = sphere.polygons();
        std::swap(faces[0], faces[1]);
        std::vector<Point> points(sphere.p.points, sphere.p.points + sphere.p.n_points);
        Mesh shuffled(points, faces);
        EXPECT_FALSE(is_this_sphere_topology(&shuffled.p));
    }
    {
        // Same counts of triangles and quadrilaterals, end indices out of order.
        LatLong sphere(4, 8);
        std::vector<std::vector<int>> faces = sphere.polygons();
        std::swap(faces[7], faces[8]);
        std::vector<Point> points(sphere.p.points, sphere.p.points + sphere.p.n_points);
        Mesh shuffled(points, faces);
        EXPECT_FALSE(is_this_sphere_topology(&shuffled.p));
    }
}

TEST(LatLongSphere, PointCountInversion) {
    const int cases[][2] = {{26, 4}, {114, 8}, {5, 2}, {2, 1}, {1, 0}, {0, 0}, {-7, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(get_tessellation_with_n_points(c[0]), c[1]) << c[0];
}

TEST(LatLongSphere, SubdivisionDoublesTheResolution) {
    LatLong sphere(4, 8);
    sphere.p.colours[0] = 0x11223344u;
    sphere.p.surfprop.a = 0.9f;
    std::vector<Point> coarse(sphere.p.points, sphere.p.points + sphere.p.n_points);

    CapturePrint capture;
    subdivide_polygons(&sphere.p);
    EXPECT_EQ(capture.err(), "Subdividing assuming sphere topology.\n");
    ASSERT_EQ(sphere.p.n_points, 114);
    ASSERT_EQ(sphere.p.n_items, 128);
    int tess;
    EXPECT_TRUE(get_tessellation_of_polygons_sphere(&sphere.p, &tess));
    EXPECT_EQ(tess, 8);
    EXPECT_EQ(sphere.p.colours[0], 0x11223344u);
    EXPECT_EQ(sphere.p.surfprop.a, 0.9f);

    auto old_point = [&](int up, int around) {
        return coarse[(size_t)get_sphere_point_index(up, around % 8, 4, 8)];
    };
    auto mid = [](const Point &a, const Point &b) {
        return pt((float)(a.coords[0] * 0.5 + b.coords[0] * 0.5),
                  (float)(a.coords[1] * 0.5 + b.coords[1] * 0.5),
                  (float)(a.coords[2] * 0.5 + b.coords[2] * 0.5));
    };
    auto new_point = [&](int up, int around) {
        return sphere.p.points[get_sphere_point_index(up, around, 8, 16)];
    };
    expect_same_point(new_point(4, 6), old_point(2, 3));
    expect_same_point(new_point(8, 0), old_point(4, 0));
    expect_same_point(new_point(1, 0), mid(old_point(0, 0), old_point(1, 0)));
    expect_same_point(new_point(2, 15), mid(old_point(1, 7), old_point(1, 8)));
    expect_same_point(new_point(3, 5), mid(mid(old_point(1, 2), old_point(2, 2)),
                                           mid(old_point(1, 3), old_point(2, 3))));

    // Halving the refined sphere gives back the original points.
    Mesh half;
    delete_polygons(&half.p);
    half_sample_sphere_tessellation(&sphere.p, &half.p);
    ASSERT_EQ(half.p.n_points, 26);
    for (int i = 0; i < 26; ++i)
        expect_same_point(half.p.points[i], coarse[(size_t)i]);
    EXPECT_EQ(half.p.colour_flag, ONE_COLOUR);
    EXPECT_EQ(half.p.colours[0], 0x11223344u);
    EXPECT_EQ(half.p.surfprop.a, 0.9f);
}

TEST(LatLongSphere, HalfSamplingPerVertexColours) {
    LatLong sphere(8, 16);
    FREE(sphere.p.colours);
    ALLOC(sphere.p.colours, sphere.p.n_points);
    for (int i = 0; i < sphere.p.n_points; ++i)
        sphere.p.colours[i] = (Colour)i;
    sphere.p.colour_flag = PER_VERTEX_COLOURS;

    Mesh half;
    delete_polygons(&half.p);
    half_sample_sphere_tessellation(&sphere.p, &half.p);
    ASSERT_EQ(half.p.colour_flag, PER_VERTEX_COLOURS);
    for (int up = 0; up <= 4; ++up) {
        for (int around = 0; around < ((up == 0 || up == 4) ? 1 : 8); ++around) {
            int from = get_sphere_point_index(2 * up, 2 * around, 8, 16);
            EXPECT_EQ(half.p.colours[get_sphere_point_index(up, around, 4, 8)], (Colour)from);
        }
    }
}

TEST(LatLongSphere, OtherMeshesAreLeftAlone) {
    Mesh grid;
    make_grid(&grid, 4);
    uint64_t before = topology_hash(grid.p);
    CapturePrint capture;
    Point centre = pt(0, 0, 0);
    create_polygons_sphere(&centre, 1, 1, 1, 4, 8, TRUE, &grid.p);
    EXPECT_EQ(capture.err(), "Not a sphere topology polygon.\n");
    EXPECT_EQ(topology_hash(grid.p), before);

    polygons_struct half;
    half.n_points = -12345; // left untouched
    half_sample_sphere_tessellation(&grid.p, &half);
    EXPECT_EQ(half.n_points, -12345);
}
