// Rings of neighbouring points.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "mesh_fixtures.h"
#include "print_capture.h"

using namespace tarvex_test;

namespace {

// The rings of a mesh, copied out of the library's arrays (which are freed).
struct Rings {
    std::vector<std::vector<int>> rings;
    std::vector<int> interior;
    std::vector<std::vector<int>> polygons; // point_polygons, when asked for
    bool slices_contiguous = true;
};

Rings rings_of(Mesh &mesh, BOOLEAN across, bool with_polygons = false) {
    int *n_neighbours;
    int **neighbours;
    Smallest_int *interior;
    int **point_polygons = nullptr;
    create_polygon_point_neighbours(&mesh.p, across, &n_neighbours, &neighbours, &interior,
                                    with_polygons ? &point_polygons : nullptr);
    Rings out;
    for (int i = 0; i < mesh.p.n_points; ++i) {
        out.rings.emplace_back(neighbours[i], neighbours[i] + n_neighbours[i]);
        out.interior.push_back(interior[i]);
        if (point_polygons != nullptr) {
            out.polygons.emplace_back(point_polygons[i], point_polygons[i] + n_neighbours[i]);
            if (i > 0 && point_polygons[i] != point_polygons[i - 1] + n_neighbours[i - 1])
                out.slices_contiguous = false;
        }
    }
    delete_polygon_point_neighbours(&mesh.p, n_neighbours, neighbours, interior, point_polygons);
    return out;
}

void make_octahedron(Mesh *mesh) {
    delete_polygons(&mesh->p);
    create_unit_octohedron(&mesh->p);
}

// TRUE when polygon poly of the mesh runs from a straight to b.
bool has_directed_edge(const Mesh &mesh, int poly, int a, int b) {
    std::vector<int> v = mesh.polygon(poly);
    for (size_t k = 0; k < v.size(); ++k)
        if (v[k] == a && v[(k + 1) % v.size()] == b) return true;
    return false;
}

} // namespace

TEST(PointNeighbours, DocumentedRings) {
    struct Case {
        const char *what;
        std::vector<Point> points;
        std::vector<std::vector<int>> faces;
        BOOLEAN across;
        std::vector<std::pair<int, std::vector<int>>> rings; // point, ring
        std::vector<int> interior;
    };
    const std::vector<Point> grid_points = {pt(0, 0, 0), pt(1, 0, 0), pt(2, 0, 0),
                                            pt(0, 1, 0), pt(1, 1, 0), pt(2, 1, 0),
                                            pt(0, 2, 0), pt(1, 2, 0), pt(2, 2, 0)};
    const std::vector<std::vector<int>> grid_faces = {
        {0, 1, 4, 3}, {1, 2, 5, 4}, {3, 4, 7, 6}, {4, 5, 8, 7}};
    const Case cases[] = {
        {"single triangle",
         {pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)},
         {{0, 1, 2}},
         FALSE,
         {{0, {1, 2}}, {1, {2, 0}}, {2, {0, 1}}},
         {0, 0, 0}},
        {"two triangles",
         {pt(0, 0, 0), pt(1, 0, 0), pt(1, 1, 0), pt(0, 1, 0)},
         {{0, 1, 2}, {0, 2, 3}},
         FALSE,
         {{0, {1, 2, 3}}, {1, {2, 0}}, {2, {3, 0, 1}}, {3, {0, 2}}},
         {0, 0, 0, 0}},
        {"grid",
         grid_points,
         grid_faces,
         FALSE,
         {{4, {7, 3, 1, 5}}, {1, {2, 4, 0}}},
         {0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"grid across polygons",
         grid_points,
         grid_faces,
         TRUE,
         {{4, {7, 6, 3, 0, 1, 2, 5, 8}}, {0, {1, 4, 3}}},
         {0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"isolated point",
         {pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0), pt(9, 9, 9)},
         {{0, 1, 2}},
         FALSE,
         {{3, {}}},
         {0, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Mesh mesh(c.points, c.faces);
        Rings r = rings_of(mesh, c.across);
        for (const auto &expected : c.rings)
            EXPECT_EQ(r.rings[(size_t)expected.first], expected.second)
                << "point " << expected.first;
        EXPECT_EQ(r.interior, c.interior);
    }
}

TEST(PointNeighbours, ClosedMeshesHaveClosedRingsInWindingOrder) {
    Mesh octahedron;
    make_octahedron(&octahedron);
    Rings r = rings_of(octahedron, FALSE, true);
    EXPECT_EQ(r.rings[0], (std::vector<int>{3, 4, 2, 5}));

    Mesh sphere;
    delete_polygons(&sphere.p);
    Point centre = pt(0, 0, 0);
    create_tetrahedral_sphere(&centre, 1, 1, 1, 1280, &sphere.p);
    Rings s = rings_of(sphere, FALSE, true);
    EXPECT_TRUE(s.slices_contiguous);

    for (Mesh *mesh : {&octahedron, &sphere}) {
        const Rings &rings = mesh == &octahedron ? r : s;
        for (int p = 0; p < mesh->p.n_points; ++p) {
            SCOPED_TRACE(p);
            const std::vector<int> &ring = rings.rings[(size_t)p];
            ASSERT_EQ(rings.interior[(size_t)p], 1);
            ASSERT_GE(ring.size(), 4u);
            ASSERT_LE(ring.size(), 6u);
            for (size_t k = 0; k < ring.size(); ++k) {
                int poly = rings.polygons[(size_t)p][k];
                // The polygon of slot k runs p -> ring[k] -> ring[k + 1].
                ASSERT_GE(poly, 0);
                EXPECT_TRUE(has_directed_edge(*mesh, poly, p, ring[k]));
                EXPECT_TRUE(has_directed_edge(*mesh, poly, ring[k], ring[(k + 1) % ring.size()]));
            }
        }
    }
}

TEST(PointNeighbours, PolygonsOfBoundaryEdges) {
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(1, 1, 0), pt(0, 1, 0)}, {{0, 1, 2}, {0, 2, 3}});
    Rings r = rings_of(mesh, FALSE, true);
    EXPECT_EQ(r.polygons[0], (std::vector<int>{0, 1, -1})); // 0->1, 0->2, no 0->3
    EXPECT_EQ(r.polygons[2], (std::vector<int>{1, 0, -1})); // 2->3, 2->0, no 2->1
}

TEST(PointNeighbours, LargePolygonsAreNotCutShort) {
    // One polygon of 30 vertices: with across_polygons_flag every other vertex.
    std::vector<Point> points;
    std::vector<int> face;
    for (int i = 0; i < 30; ++i) {
        points.push_back(pt((float)i, (float)(i * i), 0));
        face.push_back(i);
    }
    Mesh mesh(points, {face});
    Rings across = rings_of(mesh, TRUE);
    for (int p = 0; p < 30; ++p) {
        ASSERT_EQ(across.rings[(size_t)p].size(), 29u);
        for (int t = 1; t < 30; ++t)
            EXPECT_EQ(across.rings[(size_t)p][(size_t)t - 1], (p + t) % 30);
    }
    Rings adjacent = rings_of(mesh, FALSE);
    EXPECT_EQ(adjacent.rings[0], (std::vector<int>{1, 29}));
}

TEST(PointNeighbours, ConflictingArgumentsMakeNothing) {
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}});
    int *n_neighbours = nullptr;
    int **neighbours = nullptr;
    int **point_polygons = nullptr;
    CapturePrint capture;
    create_polygon_point_neighbours(&mesh.p, TRUE, &n_neighbours, &neighbours, nullptr,
                                    &point_polygons);
    EXPECT_EQ(capture.err(), "create_polygon_point_neighbours: conflicting argument.\n");
    EXPECT_EQ(n_neighbours, nullptr);
    EXPECT_EQ(neighbours, nullptr);
    EXPECT_EQ(point_polygons, nullptr);
}

TEST(PointNeighbours, BrokenAndNonManifoldMeshes) {
    {
        // An index past the points: reported, and every ring empty.
        Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}, {2, 1, 5}});
        CapturePrint capture;
        Rings r = rings_of(mesh, FALSE, true);
        EXPECT_NE(capture.err().find("create_polygon_point_neighbours"), std::string::npos);
        for (const auto &ring : r.rings)
            EXPECT_TRUE(ring.empty());
    }
    {
        // Three triangles on the edge 0-1, one wound against the others: the
        // rings hold exactly the points joined by an edge.
        Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0), pt(0, -1, 0), pt(0, 0, 1)},
                  {{0, 1, 2}, {1, 0, 3}, {0, 1, 4}});
        Rings r = rings_of(mesh, FALSE, true);
        EXPECT_EQ(std::set<int>(r.rings[0].begin(), r.rings[0].end()), (std::set<int>{1, 2, 3, 4}));
        EXPECT_EQ(std::set<int>(r.rings[1].begin(), r.rings[1].end()), (std::set<int>{0, 2, 3, 4}));
        EXPECT_EQ(r.rings[2].size(), 2u);
    }
}
