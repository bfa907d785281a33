// Quadrilateral meshes: points, patches, normals and reversal.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "object_builders.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

class Quadmesh : public ::testing::Test {
  protected:
    ScopedEnv no_abort{"ABORT_FLAG", nullptr};
};

} // namespace

TEST_F(Quadmesh, PatchCountsAndWrappingIndices) {
    object_struct *object = make_quadmesh_object(4, 5);
    quadmesh_struct *quadmesh = get_quadmesh_ptr(object);
    quadmesh->n_closed = TRUE;
    int mp, np;
    get_quadmesh_n_objects(quadmesh, &mp, &np);
    EXPECT_EQ(mp, 3);
    EXPECT_EQ(np, 5);

    int indices[4];
    get_quadmesh_patch_indices(quadmesh, 2, 4, indices);
    EXPECT_EQ(std::vector<int>(indices, indices + 4), (std::vector<int>{14, 19, 15, 10}));
    get_quadmesh_patch_indices(quadmesh, 0, 0, indices);
    EXPECT_EQ(std::vector<int>(indices, indices + 4), (std::vector<int>{0, 5, 6, 1}));

    Point corners[4];
    get_quadmesh_patch(quadmesh, 2, 4, corners);
    EXPECT_EQ(corners[2].coords[0], 3.0f);
    EXPECT_EQ(corners[2].coords[1], 0.0f);
    delete_object(object);
}

TEST_F(Quadmesh, PointAccessInsideTheGridOnly) {
    object_struct *object = make_quadmesh_object(2, 3);
    quadmesh_struct *quadmesh = get_quadmesh_ptr(object);
    Point point;
    ASSERT_TRUE(get_quadmesh_point(quadmesh, 1, 2, &point));
    EXPECT_EQ(point.coords[0], 1.0f);
    EXPECT_EQ(point.coords[1], 2.0f);
    EXPECT_FALSE(get_quadmesh_point(quadmesh, 2, 0, &point));
    EXPECT_FALSE(get_quadmesh_point(quadmesh, 0, -1, &point));

    // Writing outside the grid is refused with the failed condition named.
    CapturePrint capture;
    Point p = make_point(9, 9, 9);
    set_quadmesh_point(quadmesh, 2, 0, &p, nullptr);
    EXPECT_EQ(capture.err(), "Internal error:  0 <= i && i < quadmesh->m\n");
    capture.clear();
    set_quadmesh_point(quadmesh, 0, 3, &p, nullptr);
    EXPECT_EQ(capture.err(), "Internal error:  0 <= j && j < quadmesh->n\n");

    Vector normal;
    fill_Vector(normal, 0, 1, 0);
    set_quadmesh_point(quadmesh, 0, 1, &p, &normal);
    EXPECT_EQ(quadmesh->points[1].coords[0], 9.0f);
    EXPECT_EQ(quadmesh->normals[1].coords[1], 1.0f);
    delete_object(object);
}

TEST_F(Quadmesh, NormalsOfAPlaneAndOfATwoByTwoGrid) {
    // A 3 by 4 grid in z = 0 with x = i, y = j: every normal is +z.
    object_struct *plane = make_quadmesh_object(3, 4);
    quadmesh_struct *quadmesh = get_quadmesh_ptr(plane);
    FREE(quadmesh->normals);
    compute_quadmesh_normals(quadmesh);
    ASSERT_NE(quadmesh->normals, nullptr);
    for (int k = 0; k < 12; ++k) {
        EXPECT_FLOAT_EQ(quadmesh->normals[k].coords[2], 1.0f) << k;
        EXPECT_EQ(quadmesh->normals[k].coords[0], 0.0f) << k;
    }
    delete_object(plane);

    // 2 by 2: each normal is that of the triangle of its two neighbours and
    // itself, wound like the grid, so all four face the same side.
    object_struct *small = make_quadmesh_object(2, 2);
    quadmesh = get_quadmesh_ptr(small);
    Point lifted = make_point(1, 1, 1);
    set_quadmesh_point(quadmesh, 1, 1, &lifted, nullptr);
    compute_quadmesh_normals(quadmesh);
    const Point p00 = make_point(0, 0, 0), p01 = make_point(0, 1, 0), p10 = make_point(1, 0, 0);
    const Point triangles[4][3] = {
        {p10, p01, p00},    // (0, 0): neighbours (1, 0), (0, 1), then itself
        {p00, lifted, p01}, // (0, 1): (0, 0), (1, 1), itself
        {lifted, p00, p10}, // (1, 0): (1, 1), (0, 0), itself
        {p10, lifted, p01}, // (1, 1): itself between (1, 0) and (0, 1)
    };
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        Vector expected;
        find_polygon_normal(3, triangles[k], &expected);
        for (int c = 0; c < 3; ++c)
            EXPECT_FLOAT_EQ(quadmesh->normals[k].coords[c], expected.coords[c]);
        EXPECT_GT(quadmesh->normals[k].coords[2], 0.5f);
    }
    delete_object(small);
}

TEST_F(Quadmesh, SinglePointGridIsAnInternalErrorWithZeroNormal) {
    object_struct *object = make_quadmesh_object(1, 1);
    quadmesh_struct *quadmesh = get_quadmesh_ptr(object);
    CapturePrint capture;
    compute_quadmesh_normals(quadmesh);
    EXPECT_EQ(capture.err(), "Internal error:  compute_quadmesh_normals\n");
    EXPECT_EQ(quadmesh->normals[0].coords[0], 0.0f);
    EXPECT_EQ(quadmesh->normals[0].coords[2], 0.0f);
    delete_object(object);
}

TEST_F(Quadmesh, ReversingRowsFlipsTheNormals) {
    object_struct *object = make_quadmesh_object(3, 3);
    quadmesh_struct *quadmesh = get_quadmesh_ptr(object);
    compute_quadmesh_normals(quadmesh);
    reverse_quadmesh_vertices(quadmesh);
    EXPECT_EQ(quadmesh->points[0].coords[1], 2.0f); // (0, 0) now holds old (0, 2)
    EXPECT_EQ(quadmesh->points[1].coords[1], 1.0f);
    compute_quadmesh_normals(quadmesh);
    EXPECT_FLOAT_EQ(quadmesh->normals[4].coords[2], -1.0f);
    delete_object(object);
}

TEST_F(Quadmesh, OversizedOrEmptyGrids) {
    quadmesh_struct quadmesh;
    CapturePrint capture;
    initialize_quadmesh(&quadmesh, 0, nullptr, 70000, 70000);
    EXPECT_NE(capture.err(), "");
    EXPECT_EQ(quadmesh.m * quadmesh.n, 0);
    EXPECT_EQ(quadmesh.points, nullptr);
    delete_quadmesh(&quadmesh);

    initialize_quadmesh(&quadmesh, 0, nullptr, 0, 0);
    compute_quadmesh_normals(&quadmesh);
    EXPECT_EQ(quadmesh.normals, nullptr);
    delete_quadmesh(&quadmesh);
}
