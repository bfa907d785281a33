// Walks around a vertex: single steps, rings and polygon fans.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mesh_fixtures.h"
#include "print_capture.h"

using namespace tarvex_test;

namespace {

const int SENTINEL = -777;

struct Walk {
    int count;
    std::vector<int> stored; // the buffer, sentinels included
    BOOLEAN flag;
};

Walk ring_walk(Mesh &mesh, int poly, int vertex, int max) {
    Walk w;
    w.stored.assign((size_t)max + 2, SENTINEL);
    w.count = get_neighbours_of_point(&mesh.p, poly, vertex, w.stored.data(), max, &w.flag);
    return w;
}

Walk fan_walk(Mesh &mesh, int poly, int vertex, int max) {
    Walk w;
    w.stored.assign((size_t)max + 2, SENTINEL);
    w.count = get_polygons_around_vertex(&mesh.p, poly, vertex, w.stored.data(), max, &w.flag);
    return w;
}

// The stored entries must be the first max of full, the rest untouched.
void expect_prefix(const Walk &w, const std::vector<int> &full, int max) {
    EXPECT_EQ(w.count, (int)full.size());
    for (int k = 0; k < max + 2; ++k) {
        int expected = k < max && k < (int)full.size() ? full[(size_t)k] : SENTINEL;
        EXPECT_EQ(w.stored[(size_t)k], expected) << "slot " << k << " of max " << max;
    }
}

void make_octahedron(Mesh *mesh) {
    delete_polygons(&mesh->p);
    create_unit_octohedron(&mesh->p);
}

// Three triangles around point 0, open between points 1 and 4.
void make_open_fan(Mesh *mesh) {
    mesh->set({pt(0, 0, 0), pt(1, 0, 0), pt(1, 1, 0), pt(0, 1, 0), pt(-1, 1, 0)},
              {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}});
}

} // namespace

TEST(VertexWalks, OneStep) {
    Mesh octahedron;
    make_octahedron(&octahedron);
    EXPECT_EQ(octahedron.p.neighbours, nullptr);
    int next_poly, next_1, next_2;
    // From (0, 3, 4) around point 0 across the edge to point 4: into (0, 4, 2).
    ASSERT_TRUE(find_next_edge_around_point(&octahedron.p, 0, 0, 2, &next_poly, &next_1, &next_2));
    EXPECT_NE(octahedron.p.neighbours, nullptr); // built on demand
    EXPECT_EQ(next_poly, 1);
    EXPECT_EQ(next_1, 0);
    EXPECT_EQ(next_2, 2);

    Mesh triangle({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}});
    EXPECT_FALSE(find_next_edge_around_point(&triangle.p, 0, 0, 1, &next_poly, &next_1, &next_2));
    EXPECT_EQ(next_poly, -1);
    // Positions and polygons outside the mesh.
    EXPECT_FALSE(find_next_edge_around_point(&triangle.p, 0, 0, 3, &next_poly, &next_1, &next_2));
    EXPECT_FALSE(find_next_edge_around_point(&triangle.p, 0, -1, 0, &next_poly, &next_1, &next_2));
    EXPECT_FALSE(find_next_edge_around_point(&triangle.p, 1, 0, 1, &next_poly, &next_1, &next_2));
}

TEST(VertexWalks, RingsOfInteriorAndBoundaryPoints) {
    Mesh octahedron;
    make_octahedron(&octahedron);
    Mesh grid;
    make_grid(&grid, 2);
    Mesh fan;
    make_open_fan(&fan);
    struct Case {
        const char *what;
        Mesh *mesh;
        int poly, vertex;
        std::vector<int> ring;
        BOOLEAN interior;
    };
    const Case cases[] = {
        {"octahedron pole", &octahedron, 0, 0, {4, 2, 5, 3}, TRUE},
        {"grid centre", &grid, 0, 2, {1, 5, 7, 3}, TRUE},
        {"grid edge point", &grid, 0, 1, {2, 4, 0}, FALSE},
        {"grid edge point from the other polygon", &grid, 1, 0, {2, 4, 0}, FALSE},
        {"grid corner", &grid, 0, 0, {1, 3}, FALSE},
        {"open fan, middle polygon", &fan, 1, 0, {1, 2, 3, 4}, FALSE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (int max : {0, 1, 2, 3, 10}) {
            Walk w = ring_walk(*c.mesh, c.poly, c.vertex, max);
            expect_prefix(w, c.ring, max);
            EXPECT_EQ(w.flag, c.interior);
        }
    }
}

TEST(VertexWalks, PolygonsAroundAVertex) {
    Mesh octahedron;
    make_octahedron(&octahedron);
    Mesh grid;
    make_grid(&grid, 2);
    Mesh fan;
    make_open_fan(&fan);
    Mesh triangle({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}});
    struct Case {
        const char *what;
        Mesh *mesh;
        int poly, vertex;
        std::vector<int> polys;
        BOOLEAN closed;
    };
    const Case cases[] = {
        {"octahedron pole", &octahedron, 0, 0, {0, 1, 2, 3}, TRUE},
        {"grid centre", &grid, 3, 0, {3, 2, 0, 1}, TRUE},
        {"grid edge point, first side open", &grid, 0, 1, {0, 1}, FALSE},
        {"open fan: both half-fans", &fan, 1, 0, {1, 2, 0}, FALSE},
        {"lone triangle", &triangle, 0, 0, {0}, FALSE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (int max : {0, 1, 3, 10}) {
            Walk w = fan_walk(*c.mesh, c.poly, c.vertex, max);
            expect_prefix(w, c.polys, max);
            EXPECT_EQ(w.flag, c.closed);
        }
    }
}

TEST(VertexWalks, CorruptNeighbourArraysEndTheWalk) {
    Mesh octahedron;
    make_octahedron(&octahedron);
    check_polygons_neighbours_computed(&octahedron.p);
    int *neighbours = octahedron.p.neighbours;

    // Polygons 1 (0, 4, 2) and 2 (0, 2, 5) lead into each other around point
    // 0 for ever unless the walk is bounded.
    neighbours[3 * 1 + 0] = 2;
    neighbours[3 * 2 + 2] = 1;
    {
        CapturePrint capture;
        Walk w = ring_walk(octahedron, 0, 0, 100);
        EXPECT_LE(w.count, octahedron.p.n_items + 1);
        EXPECT_FALSE(w.flag);
        EXPECT_EQ(capture.err(), "get_neighbours_of_point: topology_error\n");
        Walk fan = fan_walk(octahedron, 0, 0, 100);
        EXPECT_LE(fan.count, 2 * octahedron.p.n_items + 1);
        EXPECT_FALSE(fan.flag);
    }

    // Entries naming no polygon, or a polygon without the vertex.
    for (int bad : {99, -5, 6}) {
        SCOPED_TRACE(bad);
        octahedron.p.neighbours[3 * 0 + 2] = bad;
        octahedron.p.neighbours[3 * 0 + 0] = bad;
        Walk w = ring_walk(octahedron, 0, 0, 100);
        EXPECT_EQ(w.count, 2); // the two points of polygon 0 next to point 0
        EXPECT_FALSE(w.flag);
    }
}

TEST(VertexWalks, BrokenMeshesGiveEmptyWalks) {
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}, {0, 2, 8}});
    CapturePrint capture;
    Walk ring = ring_walk(mesh, 0, 0, 10);
    EXPECT_EQ(ring.count, 0);
    Walk fan = fan_walk(mesh, 0, 0, 10);
    EXPECT_EQ(fan.count, 0);
    EXPECT_NE(capture.err().find("inconsistent"), std::string::npos);
}
