// Four-way subdivision of general meshes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mesh_fixtures.h"
#include "print_capture.h"

using namespace tarvex_test;

TEST(SubdividePolygons, QuadrilateralGetsMidpointsAndCentre) {
    Mesh quad({pt(0, 0, 0), pt(2, 0, 0), pt(2, 2, 0), pt(0, 2, 0)}, {{0, 1, 2, 3}});
    subdivide_polygons(&quad.p);
    ASSERT_EQ(quad.p.n_points, 9);
    EXPECT_EQ(quad.polygons(), (std::vector<std::vector<int>>{
                                   {0, 4, 8, 7}, {4, 1, 5, 8}, {7, 8, 6, 3}, {8, 5, 2, 6}}));
    const float expected[9][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {1, 0},
                                  {2, 1}, {1, 2}, {0, 1}, {1, 1}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(quad.p.points[i].coords[0], expected[i][0]) << i;
        EXPECT_EQ(quad.p.points[i].coords[1], expected[i][1]) << i;
    }
}

TEST(SubdividePolygons, SharedEdgesGetOneMidpointAndOtherPolygonsAreDropped) {
    // A triangle and a quadrilateral sharing the edge 1-2, and a pentagon.
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(1, 1, 0), pt(2, 0, 0), pt(2, 1, 0), pt(5, 5, 0),
               pt(6, 5, 0), pt(6, 6, 0), pt(5, 6, 0), pt(4, 6, 0)},
              {{0, 1, 2}, {5, 6, 7, 8, 9}, {1, 3, 4, 2}});
    CapturePrint capture;
    subdivide_polygons(&mesh.p);
    EXPECT_EQ(capture.err(), "Polygon size 5 in subdivide polygons\n");
    // 10 old points, 3 + 3 new midpoints (1-2 shared), one centre.
    ASSERT_EQ(mesh.p.n_points, 17);
    ASSERT_EQ(mesh.p.n_items, 8);
    EXPECT_EQ(mesh.polygons(), (std::vector<std::vector<int>>{{0, 10, 12},
                                                              {10, 1, 11},
                                                              {12, 10, 11},
                                                              {12, 11, 2},
                                                              {1, 13, 16, 11},
                                                              {13, 3, 14, 16},
                                                              {11, 16, 15, 2},
                                                              {16, 14, 4, 15}}));
}

TEST(SubdividePolygons, KeepsFirstColourAndSurfaceDropsDerivedArrays) {
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}});
    FREE(mesh.p.colours);
    ALLOC(mesh.p.colours, 3);
    mesh.p.colours[0] = 0xff0000ffu;
    mesh.p.colours[1] = mesh.p.colours[2] = 0x00ff00ffu;
    mesh.p.colour_flag = PER_VERTEX_COLOURS;
    mesh.p.surfprop.se = 42.0f;
    mesh.p.line_thickness = 3.0f;
    create_polygons_visibilities(&mesh.p);
    check_polygons_neighbours_computed(&mesh.p);

    subdivide_polygons(&mesh.p);
    EXPECT_EQ(mesh.p.colour_flag, ONE_COLOUR);
    EXPECT_EQ(mesh.p.colours[0], 0xff0000ffu);
    EXPECT_EQ(mesh.p.surfprop.se, 42.0f);
    EXPECT_EQ(mesh.p.line_thickness, 3.0f);
    EXPECT_EQ(mesh.p.visibilities, nullptr);
    EXPECT_EQ(mesh.p.neighbours, nullptr);
    ASSERT_NE(mesh.p.normals, nullptr);
    EXPECT_EQ(mesh.p.n_items, 4);
}

TEST(SubdividePolygons, BrokenMeshesAreReportedAndKept) {
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)}, {{0, 1, 2}, {0, 7, 2}});
    uint64_t before = topology_hash(mesh.p);
    CapturePrint capture;
    subdivide_polygons(&mesh.p);
    EXPECT_NE(capture.err().find("subdivide_polygons"), std::string::npos);
    EXPECT_EQ(topology_hash(mesh.p), before);
    EXPECT_EQ(mesh.p.n_points, 3);
}

TEST(SubdividePolygons, SideFromAPointToItselfAddsNoPoint) {
    Mesh mesh({pt(0, 0, 0), pt(1, 0, 0)}, {{0, 0, 1}});
    subdivide_polygons(&mesh.p);
    EXPECT_EQ(mesh.p.n_points, 3); // 0-1 and 1-0 share one midpoint
    EXPECT_EQ(mesh.polygons()[0], (std::vector<int>{0, 0, 2}));
}
