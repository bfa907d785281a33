// Polygon meshes: building, queries, copies, colours and visibilities.

#include <gtest/gtest.h>

#include <string>

#include "object_builders.h"
#include "print_capture.h"
#include "test_helpers.h"

using namespace tarvex_test;

namespace {

const char CONSISTENCY_MESSAGE[] = "Error: be consistent with normals in add_point_to_polygon.\n";

int count_of(const std::string &text, const std::string &piece) {
    int n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

// Six polygons over eight points; point 7 is used by polygons 2 and 5.
void make_query_mesh(polygons_struct *polygons) {
    std::vector<Point> points;
    for (int i = 0; i < 8; ++i)
        points.push_back(make_point((float)i, (float)(i * i), 0));
    make_indexed_mesh(polygons, points,
                      {{0, 1, 2}, {1, 2, 3}, {3, 7, 4}, {4, 5, 6}, {0, 3, 6}, {5, 6, 1, 7}});
}

} // namespace

TEST(Polygons, InitializeGivesAnEmptyOneColourMesh) {
    polygons_struct polygons;
    Surfprop spr = {0.1f, 0.2f, 0.3f, 4.0f, 0.5f};
    initialize_polygons(&polygons, make_Colour(1, 2, 3), &spr);
    EXPECT_EQ(polygons.colour_flag, ONE_COLOUR);
    EXPECT_EQ(polygons.colours[0], make_Colour(1, 2, 3));
    EXPECT_EQ(polygons.surfprop.se, 4.0f);
    EXPECT_EQ(polygons.line_thickness, 1.0f);
    EXPECT_EQ(polygons.n_points, 0);
    EXPECT_EQ(polygons.n_items, 0);
    EXPECT_EQ(polygons.normals, nullptr);
    delete_polygons(&polygons);

    initialize_polygons(&polygons, make_Colour(1, 2, 3), nullptr);
    EXPECT_FLOAT_EQ(polygons.surfprop.a, 0.3f);
    EXPECT_FLOAT_EQ(polygons.surfprop.t, 1.0f);
    delete_polygons(&polygons);
}

TEST(Polygons, InitializeWithSizeLaysOutEqualPolygons) {
    polygons_struct polygons;
    initialize_polygons_with_size(&polygons, 0, nullptr, 5, 3, 4);
    EXPECT_EQ(polygons.n_points, 5);
    ASSERT_EQ(polygons.n_items, 3);
    EXPECT_EQ(polygons.end_indices[0], 4);
    EXPECT_EQ(polygons.end_indices[2], 12);
    EXPECT_NE(polygons.normals, nullptr);
    delete_polygons(&polygons);

    CapturePrint capture;
    for (auto sizes : {std::vector<int>{5, 0, 3}, {0, 2, 3}, {5, 2, 0}, {5, 70000, 70000}}) {
        capture.clear();
        initialize_polygons_with_size(&polygons, 0, nullptr, sizes[0], sizes[1], sizes[2]);
        EXPECT_NE(capture.err(), "");
        EXPECT_EQ(polygons.n_items, 0);
        EXPECT_EQ(polygons.n_points, 0);
        delete_polygons(&polygons);
    }
}

TEST(Polygons, AddPointOnEmptyMeshOpensPolygonZero) {
    polygons_struct polygons;
    initialize_polygons(&polygons, 0, nullptr);
    Point p = make_point(1, 2, 3);
    add_point_to_polygon(&polygons, &p, nullptr);
    ASSERT_EQ(polygons.n_items, 1);
    ASSERT_EQ(polygons.n_points, 1);
    EXPECT_EQ(polygons.end_indices[0], 1);
    EXPECT_EQ(polygons.indices[0], 0);
    EXPECT_EQ(polygons.points[0].coords[2], 3.0f);

    // Points are never shared: each call makes a new one.
    start_new_polygon(&polygons);
    add_point_to_polygon(&polygons, &p, nullptr);
    EXPECT_EQ(polygons.n_points, 2);
    EXPECT_EQ(polygons.end_indices[1], 2);
    EXPECT_EQ(polygons.indices[1], 1);
    delete_polygons(&polygons);
}

TEST(Polygons, MixingNormalsIsReportedAndKeepsOneNormalPerPoint) {
    polygons_struct polygons;
    initialize_polygons(&polygons, 0, nullptr);
    Point p = make_point(0, 0, 0);
    Vector n;
    fill_Vector(n, 0, 0, 1);

    CapturePrint capture;
    add_point_to_polygon(&polygons, &p, nullptr);
    add_point_to_polygon(&polygons, &p, nullptr);
    EXPECT_EQ(capture.err(), "");
    // A normal after normal-less points: reported, and the array starts with zeros.
    add_point_to_polygon(&polygons, &p, &n);
    add_point_to_polygon(&polygons, &p, &n);
    // No normal while the array exists: reported, and the point gets a zero normal.
    add_point_to_polygon(&polygons, &p, nullptr);
    EXPECT_EQ(count_of(capture.err(), CONSISTENCY_MESSAGE), 2);
    ASSERT_EQ(polygons.n_points, 5);
    ASSERT_NE(polygons.normals, nullptr);
    EXPECT_EQ(polygons.normals[0].coords[2], 0.0f);
    EXPECT_EQ(polygons.normals[2].coords[2], 1.0f);
    EXPECT_EQ(polygons.normals[3].coords[2], 1.0f);
    EXPECT_EQ(polygons.normals[4].coords[2], 0.0f);

    // Normals of every point can then be computed without overrunning the array.
    for (int i = 0; i < 200; ++i)
        add_point_to_polygon(&polygons, &p, nullptr);
    compute_polygon_normals(&polygons);
    delete_polygons(&polygons);
}

TEST(Polygons, VertexAndEdgeQueries) {
    polygons_struct polygons;
    make_query_mesh(&polygons);

    int poly = -1, vertex = -1;
    ASSERT_TRUE(find_polygon_with_vertex(&polygons, 7, &poly, &vertex));
    EXPECT_EQ(poly, 5); // the last polygon holding the point
    EXPECT_EQ(vertex, 3);
    EXPECT_FALSE(find_polygon_with_vertex(&polygons, 99, &poly, &vertex));

    EXPECT_EQ(find_vertex_index(&polygons, 4, 6), 2);
    EXPECT_EQ(find_vertex_index(&polygons, 4, 5), -1);
    EXPECT_EQ(find_edge_index(&polygons, 5, 7, 5), 3); // the closing edge, either order
    EXPECT_EQ(find_edge_index(&polygons, 5, 5, 1), -1);

    int edge = 0;
    ASSERT_TRUE(find_polygon_with_edge(&polygons, 3, 2, &poly, &edge));
    EXPECT_EQ(poly, 1);
    EXPECT_EQ(edge, 1);
    EXPECT_FALSE(find_polygon_with_edge(&polygons, 0, 7, &poly, &edge));
    EXPECT_EQ(edge, -1);

    Point wanted = make_point(3, 9, 0), missing = make_point(3, 9, 0.5f);
    int index = -1;
    ASSERT_TRUE(lookup_polygon_vertex(&polygons, &wanted, &index));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(lookup_polygon_vertex(&polygons, &missing, &index));

    Point vertices[4];
    ASSERT_EQ(get_polygon_points(&polygons, 5, vertices), 4);
    EXPECT_EQ(vertices[3].coords[1], 49.0f);
    Point centroid;
    get_polygon_centroid(&polygons, 0, &centroid);
    EXPECT_FLOAT_EQ(centroid.coords[0], 1.0f);
    EXPECT_FLOAT_EQ(centroid.coords[1], 5.0f / 3.0f);
    delete_polygons(&polygons);
}

TEST(Polygons, CentroidOfEmptyPolygonIsOrigin) {
    object_struct *object = make_polygons_object({{}});
    Point centroid = make_point(9, 9, 9);
    get_polygon_centroid(get_polygons_ptr(object), 0, &centroid);
    EXPECT_EQ(centroid.coords[0], 0.0f);
    EXPECT_EQ(centroid.coords[2], 0.0f);
    delete_object(object);
}

TEST(Polygons, CopyIsDeepAndIndependent) {
    ScopedAllocChecking checking;
    size_t start = get_total_memory_alloced();
    {
        polygons_struct src, dest;
        make_query_mesh(&src);
        compute_polygon_normals(&src);
        create_polygons_visibilities(&src);
        copy_polygons(&src, &dest);
        EXPECT_TRUE(polygons_are_same_topology(&src, &dest));
        EXPECT_NE(dest.points, src.points);
        EXPECT_NE(dest.indices, src.indices);
        EXPECT_EQ(dest.visibilities, nullptr);
        EXPECT_EQ(dest.normals[3].coords[2], src.normals[3].coords[2]);
        dest.points[0].coords[0] = 100;
        dest.indices[0] = 7;
        EXPECT_EQ(src.points[0].coords[0], 0.0f);
        EXPECT_EQ(src.indices[0], 0);
        delete_polygons(&src);
        delete_polygons(&dest);
    }
    EXPECT_EQ(get_total_memory_alloced(), start);
}

TEST(Polygons, PerItemColoursAndVisibilities) {
    polygons_struct polygons;
    make_query_mesh(&polygons);
    polygons.colours[0] = make_Colour(9, 8, 7);
    set_polygon_per_item_colours(&polygons);
    EXPECT_EQ(polygons.colour_flag, PER_ITEM_COLOURS);
    for (int i = 0; i < polygons.n_items; ++i)
        EXPECT_EQ(polygons.colours[i], make_Colour(9, 8, 7));

    set_polygons_visibilities(&polygons, FALSE); // no array yet: nothing
    EXPECT_EQ(polygons.visibilities, nullptr);
    create_polygons_visibilities(&polygons);
    ASSERT_NE(polygons.visibilities, nullptr);
    EXPECT_EQ(polygons.visibilities[5], 1);
    set_polygons_visibilities(&polygons, FALSE);
    EXPECT_EQ(polygons.visibilities[0], 0);
    delete_polygons(&polygons);
    EXPECT_EQ(polygons.visibilities, nullptr);
}

TEST(Polygons, ReversingAndFrontFacing) {
    polygons_struct polygons;
    make_indexed_mesh(
        &polygons,
        {make_point(0, 0, 0), make_point(1, 0, 0), make_point(1, 1, 0), make_point(0, 1, 0)},
        {{0, 1, 2, 3}, {0, 2, 1}});
    ALLOC(polygons.neighbours, 7);
    reverse_polygons_vertices(&polygons);
    EXPECT_EQ(polygons.neighbours, nullptr);
    EXPECT_EQ(polygons.indices[0], 3);
    EXPECT_EQ(polygons.indices[3], 0);
    EXPECT_EQ(polygons.indices[4], 1);
    EXPECT_EQ(polygons.indices[6], 0);

    // Vertex normals along +z: the polygon whose loop also points along +z
    // counts as back-facing here and is the one reversed.
    for (int i = 0; i < 4; ++i)
        fill_Vector(polygons.normals[i], 0, 0, 1);
    EXPECT_FALSE(polygon_is_back_facing(&polygons, 0)); // 3 2 1 0 winds clockwise
    EXPECT_TRUE(polygon_is_back_facing(&polygons, 1));  // 1 2 0 winds anticlockwise
    make_polygons_front_facing(&polygons);
    EXPECT_FALSE(polygon_is_back_facing(&polygons, 1));
    EXPECT_EQ(polygons.indices[0], 3);

    // Without vertex normals no polygon faces away.
    FREE(polygons.normals);
    EXPECT_FALSE(polygon_is_back_facing(&polygons, 0));
    EXPECT_FALSE(polygon_is_back_facing(&polygons, 1));
    delete_polygons(&polygons);
}
