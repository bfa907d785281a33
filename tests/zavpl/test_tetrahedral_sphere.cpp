// Spheres of the tetrahedral family: base choice, generation, recognition and
// the guarantee that a count alone rebuilds the very same mesh.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mesh_fixtures.h"
#include "print_capture.h"

using namespace tarvex_test;

namespace {

// A tetrahedral sphere built into an owned mesh.
struct Sphere : Mesh {
    explicit Sphere(int n_triangles, Point centre = pt(0, 0, 0), Real rx = 1.0, Real ry = 1.0,
                    Real rz = 1.0) {
        delete_polygons(&p);
        create_tetrahedral_sphere(&centre, rx, ry, rz, n_triangles, &p);
    }
};

std::vector<std::vector<int>> triangles(std::initializer_list<std::vector<int>> list) {
    return std::vector<std::vector<int>>(list);
}

} // namespace

TEST(TetrahedralSphere, SmallMembersHaveTheDocumentedTriangles) {
    EXPECT_EQ(Sphere(16).polygons(), triangles({{0, 4, 6},
                                                {4, 1, 5},
                                                {6, 4, 5},
                                                {6, 5, 2},
                                                {0, 6, 8},
                                                {6, 2, 7},
                                                {8, 6, 7},
                                                {8, 7, 3},
                                                {0, 8, 4},
                                                {8, 3, 9},
                                                {4, 8, 9},
                                                {4, 9, 1},
                                                {1, 9, 5},
                                                {9, 3, 7},
                                                {5, 9, 7},
                                                {5, 7, 2}}));
    EXPECT_EQ(Sphere(6).polygons(),
              triangles({{0, 2, 3}, {0, 3, 4}, {0, 4, 2}, {1, 3, 2}, {1, 4, 3}, {1, 2, 4}}));
    EXPECT_EQ(Sphere(8).polygons(), triangles({{0, 2, 3},
                                               {0, 3, 4},
                                               {0, 4, 5},
                                               {0, 5, 2},
                                               {1, 3, 2},
                                               {1, 4, 3},
                                               {1, 5, 4},
                                               {1, 2, 5}}));
}

TEST(TetrahedralSphere, MembersLieOnTheEllipsoidWithTheirPointCounts) {
    struct Case {
        int n_triangles, n_triangles_made, n_points;
    };
    const Case cases[] = {
        {4, 4, 4},         {24, 24, 14},       {80, 80, 42},  {320, 320, 162},
        {1280, 1280, 642}, {5120, 5120, 2562}, {70, 256, 130}}; // 64 is nearest; growth stops at
                                                                // 256
    for (const Case &c : cases) {
        SCOPED_TRACE(c.n_triangles);
        Sphere sphere(c.n_triangles, pt(1, 2, 3), 2.0, 3.0, 4.0);
        ASSERT_EQ(sphere.p.n_items, c.n_triangles_made);
        ASSERT_EQ(sphere.p.n_points, c.n_points);
        for (int i = 0; i < sphere.p.n_items; ++i)
            ASSERT_EQ(sphere.p.end_indices[i], 3 * (i + 1));
        for (int i = 0; i < sphere.p.n_points; ++i) {
            const Point &q = sphere.p.points[i];
            Real x = (q.coords[0] - 1.0) / 2.0, y = (q.coords[1] - 2.0) / 3.0,
                 z = (q.coords[2] - 3.0) / 4.0;
            ASSERT_NEAR(x * x + y * y + z * z, 1.0, 1e-5) << "point " << i;
        }
        // Every triangle is wound to face outwards.
        for (int poly = 0; poly < sphere.p.n_items; ++poly) {
            Vector normal;
            Point centroid;
            compute_polygon_normal(&sphere.p, poly, &normal);
            get_polygon_centroid(&sphere.p, poly, &centroid);
            Real outward = normal.coords[0] * (centroid.coords[0] - 1.0) +
                           normal.coords[1] * (centroid.coords[1] - 2.0) +
                           normal.coords[2] * (centroid.coords[2] - 3.0);
            ASSERT_GT(outward, 0.0) << "polygon " << poly;
        }
    }
}

// The object file stores these meshes as their triangle count; the reader
// rebuilds them, so their topology may never change. The checksums pin it.
TEST(TetrahedralSphere, FamilyTopologyIsFixedAndRecognised) {
    struct Case {
        int n_triangles;
        uint64_t hash;
    };
    const Case cases[] = {
        {4, 0x9b5c734acba0de37ull},     {6, 0x58c47147af9ecaa9ull},
        {8, 0x697b600b1d8e916bull},     {16, 0x1ee9244b84ba5e3ull},
        {20, 0xcfbf61a167a2fdc7ull},    {24, 0x8fbd1b2b2d8ce29aull},
        {32, 0xa58fa9d0d162f5b3ull},    {80, 0x98e3f981fe3a15f3ull},
        {320, 0x59a849194e5322f8ull},   {1280, 0x60bae911a2ff87c0ull},
        {5120, 0xf43e07ea9440cf7ull},   {20480, 0xef845441ce87d47bull},
        {81920, 0xa3ccdc15b7d6f05eull},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.n_triangles);
        Sphere first(c.n_triangles), second(c.n_triangles);
        ASSERT_EQ(first.p.n_items, c.n_triangles);
        EXPECT_EQ(first.p.n_points, c.n_triangles / 2 + 2);
        EXPECT_EQ(topology_hash(first.p), c.hash) << std::hex << topology_hash(first.p);
        EXPECT_TRUE(polygons_are_same_topology(&first.p, &second.p));
        EXPECT_TRUE(is_this_tetrahedral_topology(&first.p));
    }
}

TEST(TetrahedralSphere, RecognitionNeedsTheVeryMesh) {
    // Counts outside the family.
    for (int n : {0, 2, 12, 40, 60, 100}) {
        SCOPED_TRACE(n);
        std::vector<std::vector<int>> faces((size_t)n, std::vector<int>{0, 1, 2});
        Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, faces);
        EXPECT_FALSE(is_this_tetrahedral_topology(&mesh.p));
    }

    // Family counts with other meshes.
    Mesh octahedron;
    delete_polygons(&octahedron.p);
    create_unit_octohedron(&octahedron.p); // 8 triangles numbered otherwise
    EXPECT_FALSE(is_this_tetrahedral_topology(&octahedron.p));

    Mesh grid;
    make_grid(&grid, 4); // 16 quadrilaterals
    EXPECT_FALSE(is_this_tetrahedral_topology(&grid.p));

    Sphere flipped(320);
    std::swap(flipped.p.indices[100], flipped.p.indices[101]);
    EXPECT_FALSE(is_this_tetrahedral_topology(&flipped.p));

    Sphere extra_point(80);
    extra_point.p.n_points -= 1; // drops a point the indices still use
    EXPECT_FALSE(is_this_tetrahedral_topology(&extra_point.p));
    extra_point.p.n_points += 1;
    EXPECT_TRUE(is_this_tetrahedral_topology(&extra_point.p));
}

TEST(TetrahedralSphere, CountsTooLargeToIndexAreRefused) {
    for (int n : {2000000000, 1000000000}) {
        SCOPED_TRACE(n);
        CapturePrint capture;
        Sphere sphere(n);
        EXPECT_EQ(sphere.p.n_items, 0);
        EXPECT_EQ(sphere.p.n_points, 0);
        EXPECT_NE(capture.err().find("create_tetrahedral_sphere"), std::string::npos);
    }
}

TEST(TetrahedralSphere, TriangleCountOfPointCount) {
    EXPECT_EQ(get_tetra_tessellation_with_n_points(42), 80);
    EXPECT_EQ(get_tetra_tessellation_with_n_points(40962), 81920);
    EXPECT_EQ(get_tetra_tessellation_with_n_points(2000000000), 0); // beyond an int
}

TEST(TetrahedralSphere, HalfSamplingKeepsTheCoarsePoints) {
    Sphere fine(320, pt(0, 0, 0), 2.0, 2.0, 2.0);
    // Per-vertex colours, one distinct colour per point.
    FREE(fine.p.colours);
    ALLOC(fine.p.colours, fine.p.n_points);
    for (int i = 0; i < fine.p.n_points; ++i)
        fine.p.colours[i] = (Colour)(i * 256 + 255);
    fine.p.colour_flag = PER_VERTEX_COLOURS;

    Mesh half;
    delete_polygons(&half.p);
    half_sample_tetrahedral_tessellation(&fine.p, &half.p);
    ASSERT_EQ(half.p.n_items, 80);
    ASSERT_EQ(half.p.n_points, 42);
    ASSERT_EQ(half.p.colour_flag, PER_VERTEX_COLOURS);
    for (int i = 0; i < 42; ++i) {
        SCOPED_TRACE(i);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(half.p.points[i].coords[k], fine.p.points[i].coords[k]);
            EXPECT_EQ(half.p.normals[i].coords[k], fine.p.normals[i].coords[k]);
        }
        EXPECT_EQ(half.p.colours[i], fine.p.colours[i]);
    }
}

TEST(TetrahedralSphere, HalfSamplingCopiesOnlyWhatBothMeshesHave) {
    // 320 triangles over three points and no normals: the half mesh has 42
    // points, of which only three can be taken.
    std::vector<std::vector<int>> faces(320, std::vector<int>{0, 1, 2});
    Mesh odd({pt(5, 5, 5), pt(6, 5, 5), pt(5, 6, 5)}, faces);
    FREE(odd.p.colours);
    ALLOC(odd.p.colours, 3);
    for (int i = 0; i < 3; ++i)
        odd.p.colours[i] = (Colour)(0x10203000 + i);
    odd.p.colour_flag = PER_VERTEX_COLOURS;

    Mesh half;
    delete_polygons(&half.p);
    half_sample_tetrahedral_tessellation(&odd.p, &half.p);
    ASSERT_EQ(half.p.n_points, 42);
    EXPECT_EQ(half.p.points[2].coords[1], 6.0f);
    EXPECT_NEAR(half.p.points[3].coords[0] * half.p.points[3].coords[0] +
                    half.p.points[3].coords[1] * half.p.points[3].coords[1] +
                    half.p.points[3].coords[2] * half.p.points[3].coords[2],
                1.0, 1e-5);
    ASSERT_NE(half.p.normals, nullptr);
    EXPECT_EQ(half.p.colours[2], 0x10203002u);
    EXPECT_EQ(half.p.colours[41], make_Colour_0_1(1.0, 1.0, 1.0));
}
