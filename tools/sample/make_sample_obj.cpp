// Writes the project's sample object files: DIR/sample.obj and the model's
// sub-file DIR/sample_part.obj. Usage: make_sample_obj DIR
//
// sample.obj holds a sphere mesh with per-vertex colours and normals, a
// closed quadrilateral mesh (a torus), polylines, a box and a sphere marker,
// and a model whose objects live in sample_part.obj.

#include <cmath>
#include <cstdio>
#include <string>

#include <zavpl.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

object_struct *make_sphere(void) {
    object_struct *object = create_object(POLYGONS);
    polygons_struct *sphere = get_polygons_ptr(object);
    Point centre;
    fill_Point(centre, 0, 0, 0);
    create_tetrahedral_sphere(&centre, 10.0, 10.0, 10.0, 1280, sphere);
    compute_polygon_normals(sphere);
    // Colour by height: blue at the bottom, red at the top.
    sphere->colour_flag = PER_VERTEX_COLOURS;
    REALLOC(sphere->colours, sphere->n_points);
    for (int v = 0; v < sphere->n_points; ++v) {
        double t = (Point_z(sphere->points[v]) + 10.0) / 20.0;
        sphere->colours[v] = make_rgba_Colour_0_1(t, 0.2, 1.0 - t, 1.0);
    }
    return object;
}

object_struct *make_torus(void) {
    const int m = 24, n = 12;
    object_struct *object = create_object(QUADMESH);
    quadmesh_struct *torus = get_quadmesh_ptr(object);
    initialize_quadmesh(torus, make_rgba_Colour(230, 180, 40, 255), nullptr, m, n);
    torus->m_closed = TRUE;
    torus->n_closed = TRUE;
    for (int i = 0; i < m; ++i) {
        double u = 2 * kPi * i / m;
        for (int j = 0; j < n; ++j) {
            double w = 2 * kPi * j / n;
            Point p;
            Vector normal;
            fill_Point(p, (20 + 3 * cos(w)) * cos(u), (20 + 3 * cos(w)) * sin(u), 3 * sin(w));
            fill_Vector(normal, cos(w) * cos(u), cos(w) * sin(u), sin(w));
            set_quadmesh_point(torus, i, j, &p, &normal);
        }
    }
    return object;
}

object_struct *make_polylines(void) {
    object_struct *object = create_object(LINES);
    lines_struct *lines = get_lines_ptr(object);
    initialize_lines(lines, make_rgba_Colour(40, 220, 90, 255));
    // A helix up the axis, then a square around the equator.
    start_new_line(lines);
    for (int k = 0; k <= 60; ++k) {
        Point p;
        double a = 4 * kPi * k / 60;
        fill_Point(p, 2 * cos(a), 2 * sin(a), -15 + 30.0 * k / 60);
        add_point_to_line(lines, &p);
    }
    start_new_line(lines);
    const double corners[5][2] = {{-14, -14}, {14, -14}, {14, 14}, {-14, 14}, {-14, -14}};
    for (const auto &corner : corners) {
        Point p;
        fill_Point(p, corner[0], corner[1], 0);
        add_point_to_line(lines, &p);
    }
    return object;
}

object_struct *make_marker(Marker_types type, Colour colour, double x, double y, double z,
                           double size, const char *label) {
    object_struct *object = create_object(MARKER);
    marker_struct *marker = get_marker_ptr(object);
    initialize_marker(marker, type, colour);
    fill_Point(marker->position, x, y, z);
    marker->size = size;
    replace_string(&marker->label, create_string(label));
    return object;
}

// A small tetrahedron for the model's sub-file.
object_struct *make_tetrahedron(void) {
    object_struct *object = create_object(POLYGONS);
    polygons_struct *polygons = get_polygons_ptr(object);
    initialize_polygons(polygons, make_rgba_Colour(200, 200, 255, 255), nullptr);
    const double corners[4][3] = {{0, 0, 30}, {5, 0, 25}, {0, 5, 25}, {-3, -3, 25}};
    const int faces[4][3] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 1}, {1, 3, 2}};
    for (const auto &face : faces) {
        start_new_polygon(polygons);
        for (int v : face) {
            Point p;
            fill_Point(p, corners[v][0], corners[v][1], corners[v][2]);
            add_point_to_polygon(polygons, &p, nullptr);
        }
    }
    compute_polygon_normals(polygons);
    return object;
}

Status write_list(const std::string &path, File_formats format,
                  std::initializer_list<object_struct *> objects) {
    int n_objects = 0;
    object_struct **list = nullptr;
    for (object_struct *object : objects)
        add_object_to_list(&n_objects, &list, object);
    Status status = output_graphics_file(path.c_str(), format, n_objects, list);
    delete_object_list(n_objects, list);
    return status;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 1;
    }
    std::string dir = argv[1];

    Status part = write_list(
        dir + "/sample_part.obj", ASCII_FORMAT,
        {make_tetrahedron(),
         make_marker(SPHERE_MARKER, make_rgba_Colour(255, 255, 255, 255), 0, 0, 32, 1.0, "apex")});

    object_struct *model = create_object(MODEL);
    initialize_model(get_model_ptr(model));
    replace_string(&get_model_ptr(model)->filename, create_string("sample_part.obj"));

    Status whole = write_list(
        dir + "/sample.obj", ASCII_FORMAT,
        {make_sphere(), make_torus(), make_polylines(),
         make_marker(BOX_MARKER, make_rgba_Colour(255, 60, 60, 255), 0, 0, -14, 2.0, "box"),
         make_marker(SPHERE_MARKER, make_rgba_Colour(60, 60, 255, 255), 0, 0, 14, 1.5, "sphere"),
         model});
    return part == OK && whole == OK ? 0 : 1;
}
