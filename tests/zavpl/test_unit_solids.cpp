// The regular solids inscribed in the unit sphere.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "mesh_fixtures.h"

using namespace tarvex_test;

namespace {

uint32_t bits(float f) {
    uint32_t u;
    memcpy(&u, &f, sizeof u);
    return u;
}

struct SolidCase {
    const char *name;
    void (*create)(polygons_struct *);
    int n_points, n_items, size;
    std::vector<int> indices;
};

} // namespace

TEST(UnitSolids, CountsIndicesAndOutwardWinding) {
    const SolidCase cases[] = {
        {"tetrahedron", create_unit_tetrahedron, 4, 4, 3, {0, 1, 2, 0, 2, 3, 0, 3, 1, 1, 3, 2}},
        {"cube", create_unit_cube, 8, 6, 4, {0, 1, 3, 2, 4, 6, 7, 5, 0, 4, 5, 1,
                                             2, 3, 7, 6, 0, 2, 6, 4, 1, 5, 7, 3}},
        {"octahedron", create_unit_octohedron, 6, 8, 3, {0, 3, 4, 0, 4, 2, 0, 2, 5, 0, 5, 3,
                                                         1, 3, 5, 1, 5, 2, 1, 2, 4, 1, 4, 3}},
        {"icosahedron", create_unit_icosahedron, 12, 20, 3, {2, 11, 3,  2, 5,  11, 11, 5,  10, 5,
                                                             0, 10, 0,  5, 4,  4,  5,  2,  4,  2,
                                                             9, 9,  2,  3, 9,  3,  6,  9,  6,  8,
                                                             4, 9,  8,  4, 8,  0,  0,  8,  1,  1,
                                                             8, 6,  1,  6, 7,  7,  6,  3,  11, 7,
                                                             3, 11, 10, 7, 10, 1,  7,  10, 0,  1}},
    };
    for (const SolidCase &c : cases) {
        SCOPED_TRACE(c.name);
        Mesh solid;
        delete_polygons(&solid.p);
        c.create(&solid.p);
        ASSERT_EQ(solid.p.n_points, c.n_points);
        ASSERT_EQ(solid.p.n_items, c.n_items);
        EXPECT_EQ(solid.p.colour_flag, ONE_COLOUR);
        EXPECT_EQ(solid.p.colours[0], make_Colour_0_1(1.0, 1.0, 1.0));
        for (int i = 0; i < c.n_items; ++i)
            EXPECT_EQ(solid.p.end_indices[i], (i + 1) * c.size);
        EXPECT_EQ(std::vector<int>(solid.p.indices, solid.p.indices + c.indices.size()), c.indices);

        for (int i = 0; i < c.n_points; ++i) {
            const Point &p = solid.p.points[i];
            EXPECT_NEAR(std::sqrt(p.coords[0] * p.coords[0] + p.coords[1] * p.coords[1] +
                                  p.coords[2] * p.coords[2]),
                        1.0, 1e-6);
            // By symmetry every vertex normal points straight out.
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(solid.p.normals[i].coords[k], p.coords[k], 1e-6);
        }
        for (int poly = 0; poly < c.n_items; ++poly) {
            Vector normal;
            Point centroid;
            compute_polygon_normal(&solid.p, poly, &normal);
            get_polygon_centroid(&solid.p, poly, &centroid);
            Real outward = 0.0;
            for (int k = 0; k < 3; ++k)
                outward += normal.coords[k] * centroid.coords[k];
            EXPECT_GT(outward, 0.0) << "polygon " << poly;
        }
    }
}

TEST(UnitSolids, CoordinatesAreTheExactSinglePrecisionConstants) {
    Mesh tetra, cube, icosa;
    delete_polygons(&tetra.p);
    delete_polygons(&cube.p);
    delete_polygons(&icosa.p);
    create_unit_tetrahedron(&tetra.p);
    create_unit_cube(&cube.p);
    create_unit_icosahedron(&icosa.p);

    EXPECT_EQ(bits(tetra.p.points[1].coords[0]), 0x3f715befu);
    EXPECT_EQ(bits(tetra.p.points[1].coords[2]), 0xbeaaaaabu);
    EXPECT_EQ(bits(tetra.p.points[2].coords[0]), 0xbef15befu);
    EXPECT_EQ(bits(tetra.p.points[2].coords[1]), 0x3f5105ecu);
    EXPECT_EQ(bits(tetra.p.points[3].coords[1]), 0xbf5105ecu);
    EXPECT_EQ(bits(cube.p.points[7].coords[0]), 0x3f13cd3au);
    EXPECT_EQ(bits(icosa.p.points[0].coords[0]), 0x3f59c440u);
    EXPECT_EQ(bits(icosa.p.points[0].coords[1]), 0x3f069650u);
}
