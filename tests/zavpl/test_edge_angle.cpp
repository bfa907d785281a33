// Dihedral angles across mesh edges.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mesh_fixtures.h"

using namespace tarvex_test;

TEST(EdgeAngle, AngleOfTheNeighbourAroundTheEdge) {
    // Polygon 0 runs (0,0,0) -> (1,0,0) -> A with A in the y > 0 half plane, so
    // its normal is +z; polygon 1 lies across the edge with its third point B.
    struct Case {
        const char *what;
        Point b;
        Real angle;
    };
    const Case cases[] = {
        {"coplanar", pt(0.5f, -1, 0), M_PI},
        {"folded up to the normal side", pt(0.5f, 0, 1), M_PI / 2},
        {"folded down", pt(0.5f, 0, -1), 3 * M_PI / 2},
        {"half way up", pt(0.5f, -1, 1), 3 * M_PI / 4},
        {"nearly closed", pt(0.5f, 1, 0.001f), 0.001},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0.5f, 1, 0), c.b}, {{0, 1, 2}, {1, 0, 3}});
        EXPECT_NEAR(get_polygon_edge_angle(&mesh.p, 0, 0), c.angle, 1e-6);
        // Consistently wound, the other polygon sees the same angle.
        EXPECT_NEAR(get_polygon_edge_angle(&mesh.p, 1, 0), c.angle, 1e-6);
    }
}

TEST(EdgeAngle, BoundariesAndCubes) {
    Mesh triangle({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}});
    for (int edge = 0; edge < 3; ++edge)
        EXPECT_DOUBLE_EQ(get_polygon_edge_angle(&triangle.p, 0, edge), M_PI);

    Mesh grid;
    make_grid(&grid, 2); // flat quadrilaterals
    EXPECT_NEAR(get_polygon_edge_angle(&grid.p, 0, 1), M_PI, 1e-12);

    Mesh cube;
    delete_polygons(&cube.p);
    create_unit_cube(&cube.p);
    for (int poly = 0; poly < 6; ++poly)
        for (int edge = 0; edge < 4; ++edge)
            EXPECT_NEAR(get_polygon_edge_angle(&cube.p, poly, edge), 3 * M_PI / 2, 1e-6)
                << poly << " " << edge;

    // Outside the polygon's edges.
    EXPECT_DOUBLE_EQ(get_polygon_edge_angle(&cube.p, 0, 4), M_PI);
    EXPECT_DOUBLE_EQ(get_polygon_edge_angle(&cube.p, 6, 0), M_PI);
}
