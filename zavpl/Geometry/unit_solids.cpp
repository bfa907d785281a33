// The regular solids inscribed in the unit sphere.

#include "Geometry/unit_solids.h"

#include "Geometry/colour_pack.h"
#include "Objects/polygon_normals.h"
#include "Objects/polygons.h"
#include "Prog_utils/messages.h"

namespace {

// Stores the solid's points and its index table, then computes the normals.
// The table must fill the mesh's index array exactly.
void fill_in_indices(polygons_struct *polygons, int n_points, const float points[][3],
                     int n_indices, const int indices[]) {
    if (polygons->n_points != n_points || polygons->n_items <= 0 ||
        polygons->end_indices[polygons->n_items - 1] != n_indices) {
        handle_internal_error("create_unit_(platonic)");
        return;
    }
    for (int i = 0; i < n_points; ++i)
        fill_Point(polygons->points[i], points[i][0], points[i][1], points[i][2]);
    for (int k = 0; k < n_indices; ++k)
        polygons->indices[k] = indices[k];
    compute_polygon_normals(polygons);
}

template <int N_POINTS, int N_INDICES>
void create_solid(polygons_struct *polygons, int n_polygons, int size,
                  const float (&points)[N_POINTS][3], const int (&indices)[N_INDICES]) {
    initialize_polygons_with_size(polygons, make_Colour_0_1(1.0, 1.0, 1.0), nullptr, N_POINTS,
                                  n_polygons, size);
    fill_in_indices(polygons, N_POINTS, points, N_INDICES, indices);
}

} // namespace

void create_unit_tetrahedron(polygons_struct *polygons) {
    // 2 sqrt(2) / 3, -1 / 3, -sqrt(2) / 3 and sqrt(6) / 3 in single precision.
    static const float points[4][3] = {
        {0.0f, 0.0f, 1.0f},
        {0.9428090453147888f, 0.0f, -0.3333333432674408f},
        {-0.4714045226573944f, 0.8164966106414795f, -0.3333333432674408f},
        {-0.4714045226573944f, -0.8164966106414795f, -0.3333333432674408f}};
    static const int indices[] = {0, 1, 2, 0, 2, 3, 0, 3, 1, 1, 3, 2};
    create_solid(polygons, 4, 3, points, indices);
}

void create_unit_cube(polygons_struct *polygons) {
    const float c = 0.5773502588272095f; // 1 / sqrt(3)
    const float points[8][3] = {{-c, -c, -c}, {-c, -c, c}, {-c, c, -c}, {-c, c, c},
                                {c, -c, -c},  {c, -c, c},  {c, c, -c},  {c, c, c}};
    static const int indices[] = {0, 1, 3, 2, 4, 6, 7, 5, 0, 4, 5, 1,
                                  2, 3, 7, 6, 0, 2, 6, 4, 1, 5, 7, 3};
    create_solid(polygons, 6, 4, points, indices);
}

void create_unit_octohedron(polygons_struct *polygons) {
    static const float points[6][3] = {{-1.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f},
                                       {0.0f, -1.0f, 0.0f}, {0.0f, 1.0f, 0.0f},
                                       {0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 1.0f}};
    static const int indices[] = {0, 3, 4, 0, 4, 2, 0, 2, 5, 0, 5, 3,
                                  1, 3, 5, 1, 5, 2, 1, 2, 4, 1, 4, 3};
    create_solid(polygons, 8, 3, points, indices);
}

void create_unit_icosahedron(polygons_struct *polygons) {
    // With phi the golden ratio: a = phi / sqrt(1 + phi^2), b = 1 / sqrt(1 + phi^2).
    const float a = 0.8506507873535156f, b = 0.525731086730957f;
    const float points[12][3] = {{a, b, 0.0f}, {a, -b, 0.0f}, {-a, b, 0.0f}, {-a, -b, 0.0f},
                                 {0.0f, a, b}, {0.0f, a, -b}, {0.0f, -a, b}, {0.0f, -a, -b},
                                 {b, 0.0f, a}, {-b, 0.0f, a}, {b, 0.0f, -a}, {-b, 0.0f, -a}};
    static const int indices[] = {2, 11, 3, 2,  5, 11, 11, 5,  10, 5,  0, 10, 0,  5, 4,
                                  4, 5,  2, 4,  2, 9,  9,  2,  3,  9,  3, 6,  9,  6, 8,
                                  4, 9,  8, 4,  8, 0,  0,  8,  1,  1,  8, 6,  1,  6, 7,
                                  7, 6,  3, 11, 7, 3,  11, 10, 7,  10, 1, 7,  10, 0, 1};
    create_solid(polygons, 20, 3, points, indices);
}
