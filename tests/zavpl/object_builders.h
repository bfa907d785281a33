#ifndef TARVEX_TEST_OBJECT_BUILDERS_H
#define TARVEX_TEST_OBJECT_BUILDERS_H

// Small objects of each kind for the zavpl tests, built through the public
// initialisation functions.

#include <initializer_list>
#include <vector>

#include <zavpl.h>

namespace tarvex_test {

// Turns allocation checking on for a scope, then restores what was there (so a
// run with "DEBUG_ALLOC" set stays checked throughout).
class ScopedAllocChecking {
  public:
    ScopedAllocChecking() : was_on_(alloc_checking_enabled()) { set_alloc_checking(TRUE); }
    ~ScopedAllocChecking() { set_alloc_checking(was_on_); }
    ScopedAllocChecking(const ScopedAllocChecking &) = delete;
    ScopedAllocChecking &operator=(const ScopedAllocChecking &) = delete;

  private:
    BOOLEAN was_on_;
};

inline Point make_point(float x, float y, float z) {
    Point p;
    fill_Point(p, x, y, z);
    return p;
}

// A polygon mesh of the given polygons, each a list of points (no sharing).
inline object_struct *make_polygons_object(const std::vector<std::vector<Point>> &polygons_points) {
    object_struct *object = create_object(POLYGONS);
    polygons_struct *polygons = get_polygons_ptr(object);
    initialize_polygons(polygons, make_Colour(255, 255, 255), nullptr);
    for (const auto &polygon : polygons_points) {
        start_new_polygon(polygons);
        for (Point p : polygon)
            add_point_to_polygon(polygons, &p, nullptr);
    }
    return object;
}

// A mesh over shared points: faces index into points.
inline void make_indexed_mesh(polygons_struct *polygons, const std::vector<Point> &points,
                              const std::vector<std::vector<int>> &faces) {
    size_t n_indices = 0;
    for (const auto &face : faces)
        n_indices += face.size();
    initialize_polygons(polygons, make_Colour(255, 255, 255), nullptr);
    polygons->n_points = (int)points.size();
    ALLOC(polygons->points, points.size());
    ALLOC(polygons->normals, points.size());
    for (size_t i = 0; i < points.size(); ++i)
        polygons->points[i] = points[i];
    polygons->n_items = (int)faces.size();
    ALLOC(polygons->end_indices, faces.size());
    ALLOC(polygons->indices, n_indices);
    int k = 0;
    for (size_t f = 0; f < faces.size(); ++f) {
        for (int v : faces[f])
            polygons->indices[k++] = v;
        polygons->end_indices[f] = k;
    }
}

inline object_struct *make_lines_object(std::initializer_list<Point> points) {
    object_struct *object = create_object(LINES);
    lines_struct *lines = get_lines_ptr(object);
    initialize_lines(lines, make_Colour(255, 0, 0));
    for (Point p : points)
        add_point_to_line(lines, &p);
    return object;
}

inline object_struct *make_model_object(std::initializer_list<object_struct *> children) {
    object_struct *object = create_object(MODEL);
    model_struct *model = get_model_ptr(object);
    initialize_model(model);
    for (object_struct *child : children)
        add_object_to_model(model, child);
    return object;
}

inline object_struct *make_marker_object(Point position) {
    object_struct *object = create_object(MARKER);
    marker_struct *marker = get_marker_ptr(object);
    initialize_marker(marker, BOX_MARKER, make_Colour(0, 255, 0));
    marker->position = position;
    return object;
}

inline object_struct *make_text_object(const char *string) {
    object_struct *object = create_object(TEXT);
    text_struct *text = get_text_ptr(object);
    Point origin = make_point(0, 0, 0);
    initialize_text(text, &origin, make_Colour(0, 0, 255), FIXED_FONT, 12.0);
    replace_string(&text->string, create_string(string));
    return object;
}

inline object_struct *make_pixels_object(int x_size, int y_size, Pixel_types type) {
    object_struct *object = create_object(PIXELS);
    initialize_pixels(get_pixels_ptr(object), 0, 0, x_size, y_size, 1.0, 1.0, type);
    return object;
}

inline object_struct *make_quadmesh_object(int m, int n) {
    object_struct *object = create_object(QUADMESH);
    quadmesh_struct *quadmesh = get_quadmesh_ptr(object);
    initialize_quadmesh(quadmesh, make_Colour(10, 20, 30), nullptr, m, n);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j) {
            Point p = make_point((float)i, (float)j, 0.0f);
            set_quadmesh_point(quadmesh, i, j, &p, nullptr);
        }
    return object;
}

} // namespace tarvex_test

#endif
