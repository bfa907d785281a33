#ifndef TARVEX_OBJECT_FILE_FIXTURES_H
#define TARVEX_OBJECT_FILE_FIXTURES_H

// Objects of every kind with every field set to a value that survives the
// six significant digits of ASCII files, and a field-by-field comparison, for
// the object file tests.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <zavpl.h>

namespace tarvex_test {

inline Point file_point(float x, float y, float z) {
    Point p;
    fill_Point(p, x, y, z);
    return p;
}

// Coordinates in quarters are exact in " %g".
inline Point grid_point(int i) {
    return file_point(0.25f * (float)i, -1.5f + (float)(i % 7), 100.0f + 0.5f * (float)i);
}

template <typename T> T *alloc_copy(const std::vector<T> &values) {
    T *array = nullptr;
    if (!values.empty()) {
        ALLOC(array, values.size());
        memcpy(array, values.data(), values.size() * sizeof(T));
    }
    return array;
}

inline Colour test_colour(int i) {
    return make_rgba_Colour(17 * i % 256, 255 - 3 * i % 256, 40 + i % 200, 128 + i % 128);
}

// Two polylines over n_points points (the second closed), per-vertex colours.
inline object_struct *make_file_lines(int n_points = 5) {
    object_struct *object = create_object(LINES);
    lines_struct *lines = &object->specific.lines;
    initialize_lines(lines, test_colour(0));
    FREE(lines->colours);
    lines->line_thickness = 2.5f;
    std::vector<Point> points;
    std::vector<Colour> colours;
    for (int i = 0; i < n_points; ++i) {
        points.push_back(grid_point(i));
        colours.push_back(test_colour(i));
    }
    lines->n_points = n_points;
    lines->points = alloc_copy(points);
    lines->colour_flag = PER_VERTEX_COLOURS;
    lines->colours = alloc_copy(colours);
    lines->n_items = 2;
    lines->end_indices = alloc_copy(std::vector<int>{2, 2 + n_points + 1});
    std::vector<int> indices = {0, 1};
    for (int i = 0; i <= n_points; ++i)
        indices.push_back(i % n_points);
    lines->indices = alloc_copy(indices);
    return object;
}

// An octahedron-like mesh of a triangle and quadrilaterals with per-item
// colours, a surface property and exact normals.
inline object_struct *make_file_polygons() {
    object_struct *object = create_object(POLYGONS);
    polygons_struct *polygons = &object->specific.polygons;
    Surfprop spr = {0.25f, 0.5f, 0.125f, 12.0f, 0.75f};
    initialize_polygons(polygons, test_colour(0), &spr);
    FREE(polygons->colours);
    std::vector<Point> points;
    std::vector<Vector> normals;
    for (int i = 0; i < 6; ++i) {
        points.push_back(grid_point(i));
        Vector v;
        fill_Vector(v, i % 2, (i + 1) % 2, 0.5 * i);
        normals.push_back(v);
    }
    polygons->n_points = 6;
    polygons->points = alloc_copy(points);
    polygons->normals = alloc_copy(normals);
    polygons->n_items = 3;
    polygons->colour_flag = PER_ITEM_COLOURS;
    polygons->colours =
        alloc_copy(std::vector<Colour>{test_colour(1), test_colour(2), test_colour(3)});
    polygons->end_indices = alloc_copy(std::vector<int>{3, 7, 11});
    polygons->indices = alloc_copy(std::vector<int>{0, 1, 2, 2, 3, 4, 5, 5, 4, 1, 0});
    return object;
}

// An m by n grid, closed in n, with per-item colours over (m-1)(n-1) patches.
inline object_struct *make_file_quadmesh(int m = 3, int n = 4) {
    object_struct *object = create_object(QUADMESH);
    quadmesh_struct *quadmesh = &object->specific.quadmesh;
    Surfprop spr = {0.5f, 0.25f, 0.25f, 4.0f, 0.5f};
    initialize_quadmesh(quadmesh, test_colour(0), &spr, m, n);
    FREE(quadmesh->colours);
    quadmesh->n_closed = TRUE;
    for (int k = 0; k < m * n; ++k) {
        quadmesh->points[k] = grid_point(k);
        fill_Vector(quadmesh->normals[k], 0.0, k % 3, 1.0);
    }
    quadmesh->colour_flag = PER_ITEM_COLOURS;
    std::vector<Colour> colours;
    for (int k = 0; k < (m - 1) * (n - 1); ++k)
        colours.push_back(test_colour(k + 5));
    quadmesh->colours = alloc_copy(colours);
    return object;
}

inline object_struct *make_file_marker(const char *label = "left hippocampus") {
    object_struct *object = create_object(MARKER);
    marker_struct *marker = &object->specific.marker;
    initialize_marker(marker, SPHERE_MARKER, test_colour(9));
    marker->size = 2.75;
    marker->position = file_point(-12.5f, 7.25f, 0.0f);
    marker->structure_id = 42;
    marker->patient_id = -7;
    marker->label = create_string(label);
    return object;
}

inline object_struct *make_file_text(const char *string = "Anterior 'A'") {
    object_struct *object = create_object(TEXT);
    text_struct *text = &object->specific.text;
    Point origin = file_point(1.0f, 2.5f, -3.0f);
    initialize_text(text, &origin, test_colour(11), SIZED_FONT, 18.5);
    replace_string(&text->string, create_string(string));
    return object;
}

inline object_struct *make_file_model(const char *filename) {
    object_struct *object = create_object(MODEL);
    initialize_model(&object->specific.model);
    replace_string(&object->specific.model.filename, create_string(filename));
    return object;
}

inline object_struct *make_file_pixels(Pixel_types type, int x_size = 3, int y_size = 2) {
    object_struct *object = create_object(PIXELS);
    pixels_struct *pixels = &object->specific.pixels;
    initialize_pixels(pixels, 0, 0, x_size, y_size, 1.0, 1.0, type);
    for (int k = 0; k < x_size * y_size; ++k) {
        switch (type) {
        case COLOUR_INDEX_8BIT_PIXEL:
            pixels->data.pixels_8bit_colour_index[k] = (unsigned char)(37 * k + 3);
            break;
        case COLOUR_INDEX_16BIT_PIXEL:
            pixels->data.pixels_16bit_colour_index[k] = (unsigned short)(1000 * k + 7);
            break;
        case RGB_PIXEL:
            pixels->data.pixels_rgb[k] = make_Colour(k % 256, 255 - k % 256, 7 * k % 256);
            break;
        }
    }
    return object;
}

// A tetrahedral-family sphere with distinct per-vertex colours.
inline object_struct *make_file_sphere(int n_triangles) {
    object_struct *object = create_object(POLYGONS);
    polygons_struct *polygons = &object->specific.polygons;
    Point centre = file_point(0, 0, 0);
    create_tetrahedral_sphere(&centre, 1.0, 1.0, 1.0, n_triangles, polygons);
    free_colours(polygons->colour_flag, polygons->colours, polygons->n_points, polygons->n_items);
    polygons->colour_flag = PER_VERTEX_COLOURS;
    ALLOC(polygons->colours, polygons->n_points);
    for (int i = 0; i < polygons->n_points; ++i)
        polygons->colours[i] = test_colour(i);
    return object;
}

inline void expect_same_points(int n, const Point *a, const Point *b) {
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(a[i].coords[c], b[i].coords[c]) << "point " << i << " coord " << c;
}

inline void expect_same_vectors(int n, const Vector *a, const Vector *b) {
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(a[i].coords[c], b[i].coords[c]) << "vector " << i << " coord " << c;
}

template <typename T> std::vector<T> as_vector(const T *array, int n) {
    return n > 0 ? std::vector<T>(array, array + n) : std::vector<T>();
}

inline void expect_same_surfprop(const Surfprop &a, const Surfprop &b) {
    EXPECT_EQ(a.a, b.a);
    EXPECT_EQ(a.d, b.d);
    EXPECT_EQ(a.s, b.s);
    EXPECT_EQ(a.se, b.se);
    EXPECT_EQ(a.t, b.t);
}

// Every field that object files store, compared exactly.
inline void expect_same_object(object_struct *a, object_struct *b) {
    ASSERT_EQ(a->object_type, b->object_type);
    switch (a->object_type) {
    case LINES: {
        lines_struct &x = a->specific.lines, &y = b->specific.lines;
        EXPECT_EQ(x.line_thickness, y.line_thickness);
        ASSERT_EQ(x.n_points, y.n_points);
        expect_same_points(x.n_points, x.points, y.points);
        ASSERT_EQ(x.n_items, y.n_items);
        ASSERT_EQ(x.colour_flag, y.colour_flag);
        int n_colours = get_n_colours(x.colour_flag, x.n_points, x.n_items);
        EXPECT_EQ(as_vector(x.colours, n_colours), as_vector(y.colours, n_colours));
        EXPECT_EQ(as_vector(x.end_indices, x.n_items), as_vector(y.end_indices, y.n_items));
        int n_indices = x.n_items > 0 ? x.end_indices[x.n_items - 1] : 0;
        EXPECT_EQ(as_vector(x.indices, n_indices), as_vector(y.indices, n_indices));
        break;
    }
    case POLYGONS: {
        polygons_struct &x = a->specific.polygons, &y = b->specific.polygons;
        expect_same_surfprop(x.surfprop, y.surfprop);
        ASSERT_EQ(x.n_points, y.n_points);
        expect_same_points(x.n_points, x.points, y.points);
        expect_same_vectors(x.n_points, x.normals, y.normals);
        ASSERT_EQ(x.n_items, y.n_items);
        ASSERT_EQ(x.colour_flag, y.colour_flag);
        int n_colours = get_n_colours(x.colour_flag, x.n_points, x.n_items);
        EXPECT_EQ(as_vector(x.colours, n_colours), as_vector(y.colours, n_colours));
        EXPECT_EQ(as_vector(x.end_indices, x.n_items), as_vector(y.end_indices, y.n_items));
        int n_indices = x.n_items > 0 ? x.end_indices[x.n_items - 1] : 0;
        EXPECT_EQ(as_vector(x.indices, n_indices), as_vector(y.indices, n_indices));
        break;
    }
    case QUADMESH: {
        quadmesh_struct &x = a->specific.quadmesh, &y = b->specific.quadmesh;
        expect_same_surfprop(x.surfprop, y.surfprop);
        ASSERT_EQ(x.m, y.m);
        ASSERT_EQ(x.n, y.n);
        EXPECT_EQ(x.m_closed, y.m_closed);
        EXPECT_EQ(x.n_closed, y.n_closed);
        ASSERT_EQ(x.colour_flag, y.colour_flag);
        int n_colours = get_n_colours(x.colour_flag, x.m * x.n, (x.m - 1) * (x.n - 1));
        EXPECT_EQ(as_vector(x.colours, n_colours), as_vector(y.colours, n_colours));
        expect_same_points(x.m * x.n, x.points, y.points);
        expect_same_vectors(x.m * x.n, x.normals, y.normals);
        break;
    }
    case MARKER: {
        marker_struct &x = a->specific.marker, &y = b->specific.marker;
        EXPECT_EQ(x.type, y.type);
        EXPECT_EQ(x.size, y.size);
        EXPECT_EQ(x.colour, y.colour);
        expect_same_points(1, &x.position, &y.position);
        EXPECT_EQ(x.structure_id, y.structure_id);
        EXPECT_EQ(x.patient_id, y.patient_id);
        EXPECT_STREQ(x.label, y.label);
        break;
    }
    case TEXT: {
        text_struct &x = a->specific.text, &y = b->specific.text;
        EXPECT_EQ(x.font, y.font);
        EXPECT_EQ(x.size, y.size);
        EXPECT_EQ(x.colour, y.colour);
        expect_same_points(1, &x.origin, &y.origin);
        EXPECT_STREQ(x.string, y.string);
        break;
    }
    case MODEL:
        EXPECT_STREQ(a->specific.model.filename, b->specific.model.filename);
        break;
    case PIXELS: {
        pixels_struct &x = a->specific.pixels, &y = b->specific.pixels;
        ASSERT_EQ(x.pixel_type, y.pixel_type);
        ASSERT_EQ(x.x_size, y.x_size);
        ASSERT_EQ(x.y_size, y.y_size);
        int n = x.x_size * x.y_size;
        if (x.pixel_type == COLOUR_INDEX_8BIT_PIXEL)
            EXPECT_EQ(as_vector(x.data.pixels_8bit_colour_index, n),
                      as_vector(y.data.pixels_8bit_colour_index, n));
        else if (x.pixel_type == COLOUR_INDEX_16BIT_PIXEL)
            EXPECT_EQ(as_vector(x.data.pixels_16bit_colour_index, n),
                      as_vector(y.data.pixels_16bit_colour_index, n));
        else
            EXPECT_EQ(as_vector(x.data.pixels_rgb, n), as_vector(y.data.pixels_rgb, n));
        break;
    }
    default:
        ADD_FAILURE() << "unexpected object type";
    }
}

// Owns an object list read from a file.
struct ObjectList {
    int n = 0;
    object_struct **objects = nullptr;
    ObjectList() = default;
    ObjectList(const ObjectList &) = delete;
    ObjectList &operator=(const ObjectList &) = delete;
    ~ObjectList() { delete_object_list(n, objects); }
};

} // namespace tarvex_test

#endif
