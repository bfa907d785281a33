// Edge adjacency: the neighbours array.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mesh_fixtures.h"
#include "print_capture.h"

using namespace tarvex_test;

namespace {

std::vector<int> neighbours_of(Mesh &mesh) {
    check_polygons_neighbours_computed(&mesh.p);
    if (mesh.p.neighbours == nullptr) return {};
    int n = mesh.p.end_indices[mesh.p.n_items - 1];
    return std::vector<int>(mesh.p.neighbours, mesh.p.neighbours + n);
}

} // namespace

TEST(PolygonNeighbours, SmallMeshes) {
    Mesh triangle({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}});
    EXPECT_EQ(neighbours_of(triangle), (std::vector<int>{-1, -1, -1}));

    Mesh pair({pt(0, 0, 0), pt(1, 0, 0), pt(1, 1, 0), pt(0, 1, 0)}, {{0, 1, 2}, {0, 2, 3}});
    EXPECT_EQ(neighbours_of(pair), (std::vector<int>{-1, -1, 1, 0, -1, -1}));

    // Wound against each other, the two still share their edge.
    Mesh unwound({pt(0, 0, 0), pt(1, 0, 0), pt(1, 1, 0), pt(0, 1, 0)}, {{0, 1, 2}, {2, 0, 3}});
    EXPECT_EQ(neighbours_of(unwound), (std::vector<int>{-1, -1, 1, 0, -1, -1}));

    Mesh grid;
    make_grid(&grid, 2);
    EXPECT_EQ(neighbours_of(grid),
              (std::vector<int>{-1, 1, 2, -1, -1, -1, 3, 0, 0, 3, -1, -1, 1, -1, -1, 2}));
}

TEST(PolygonNeighbours, ClosedMeshesAreSymmetric) {
    Mesh sphere, latlong, cube;
    Point centre = pt(0, 0, 0);
    delete_polygons(&sphere.p);
    create_tetrahedral_sphere(&centre, 1, 1, 1, 5120, &sphere.p);
    delete_polygons(&latlong.p);
    create_polygons_sphere(&centre, 1, 1, 1, 8, 16, FALSE, &latlong.p);
    delete_polygons(&cube.p);
    create_unit_cube(&cube.p);

    for (Mesh *mesh : {&sphere, &latlong, &cube}) {
        std::vector<int> neighbours = neighbours_of(*mesh);
        ASSERT_FALSE(neighbours.empty());
        for (int poly = 0; poly < mesh->p.n_items; ++poly) {
            std::vector<int> v = mesh->polygon(poly);
            int start = poly == 0 ? 0 : mesh->p.end_indices[poly - 1];
            for (size_t k = 0; k < v.size(); ++k) {
                int other = neighbours[(size_t)start + k];
                ASSERT_GE(other, 0);
                ASSERT_NE(other, poly);
                int a = v[k], b = v[(k + 1) % v.size()];
                int back = find_edge_index(&mesh->p, other, a, b);
                ASSERT_GE(back, 0);
                int other_start = other == 0 ? 0 : mesh->p.end_indices[other - 1];
                EXPECT_EQ(neighbours[(size_t)(other_start + back)], poly);
            }
        }
    }
}

TEST(PolygonNeighbours, NonManifoldEdgesBecomeBoundaries) {
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0), pt(0, -1, 0), pt(0, 0, 1), pt(1, 1, 0)},
              {{0, 1, 2}, {1, 0, 3}, {0, 1, 4}, {1, 5, 2}});
    CapturePrint capture;
    std::vector<int> neighbours = neighbours_of(mesh);
    EXPECT_EQ(capture.err(), "Internal error:  create_polygon_neighbours\n");
    // The edge 0-1 has three polygons; 1-2 is shared by polygons 0 and 3.
    EXPECT_EQ(neighbours, (std::vector<int>{-1, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0}));
}

TEST(PolygonNeighbours, BrokenMeshesGetNoArray) {
    struct Case {
        const char *what;
        std::vector<int> end_indices;
        std::vector<int> indices;
    };
    const Case cases[] = {
        {"index past the points", {3, 6}, {0, 1, 2, 0, 2, 9}},
        {"negative index", {3, 6}, {0, 1, 2, 0, -2, 3}},
        {"end indices going back", {6, 3}, {0, 1, 2, 0, 2, 3}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(1, 1, 0), pt(0, 1, 0)}, {{0, 1, 2}, {0, 2, 3}});
        for (size_t i = 0; i < c.end_indices.size(); ++i)
            mesh.p.end_indices[i] = c.end_indices[i];
        for (size_t k = 0; k < c.indices.size(); ++k)
            mesh.p.indices[k] = c.indices[k];
        CapturePrint capture;
        check_polygons_neighbours_computed(&mesh.p);
        EXPECT_EQ(mesh.p.neighbours, nullptr);
        EXPECT_NE(capture.err().find("inconsistent"), std::string::npos);
    }
}
