// Triangulated spheres of the tetrahedral family.

#include "Geometry/tetrahedral_sphere.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "Geometry/colour_pack.h"
#include "Geometry/latlong_sphere.h"
#include "Geometry/subdivide_polygons.h"
#include "Geometry/unit_solids.h"
#include "Objects/polygon_normals.h"
#include "Objects/polygons.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

namespace {

// The base solid (4, 6, 8 or 20 triangles) whose sequence b * 4^k comes
// nearest n_triangles; an earlier base, and the lower count, win ties.
int choose_base_size(int n_triangles) {
    static const int64_t start_sizes[] = {4, 6, 8, 20};
    int64_t best_size = 4, best_total = 0;
    const int64_t target = n_triangles;
    for (int64_t size : start_sizes) {
        int64_t lower = size, upper = size;
        if (target > size) {
            while (lower * 4 < target)
                lower *= 4;
            upper = lower * 4;
        }
        if (std::llabs(target - lower) < std::llabs(target - best_total)) {
            best_size = size;
            best_total = lower;
        }
        if (std::llabs(target - upper) < std::llabs(target - best_total)) {
            best_size = size;
            best_total = upper;
        }
    }
    return (int)best_size;
}

// Moves every point along its direction from the centre onto the ellipsoid.
void project_onto_ellipsoid(polygons_struct *polygons, const Point *centre, Real rx, Real ry,
                            Real rz) {
    const Real radii[3] = {rx, ry, rz};
    for (int i = 0; i < polygons->n_points; ++i) {
        Point &p = polygons->points[i];
        Real d[3], sum = 0.0;
        for (int c = 0; c < 3; ++c) {
            d[c] = (Real)p.coords[c] - (Real)centre->coords[c];
            if (radii[c] != 0.0) sum += d[c] * d[c] / radii[c] / radii[c];
        }
        Real length = std::sqrt(sum);
        if (length == 0.0 || !std::isfinite(length)) continue;
        for (int c = 0; c < 3; ++c)
            p.coords[c] = (float)((Real)centre->coords[c] + d[c] / length);
    }
}

} // namespace

void create_tetrahedral_sphere(const Point *centre, Real rx, Real ry, Real rz, int n_triangles,
                               polygons_struct *polygons) {
    const int base_size = choose_base_size(n_triangles);

    // Refuse before building anything whose indices would not fit an int.
    int64_t final_size = base_size;
    while (final_size < n_triangles)
        final_size *= 4;
    if (final_size * 3 > INT_MAX) {
        print_error("create_tetrahedral_sphere: cannot make a sphere of %d triangles.\n",
                    n_triangles);
        initialize_polygons(polygons, make_Colour_0_1(1.0, 1.0, 1.0), nullptr);
        return;
    }

    Point origin;
    fill_Point(origin, 0.0, 0.0, 0.0);
    if (centre == nullptr) centre = &origin;
    switch (base_size) {
    case 6:
        create_polygons_sphere(&origin, 1.0, 1.0, 1.0, 2, 3, FALSE, polygons);
        break;
    case 8:
        create_polygons_sphere(&origin, 1.0, 1.0, 1.0, 2, 4, FALSE, polygons);
        break;
    case 20:
        create_unit_icosahedron(polygons);
        break;
    default:
        create_unit_tetrahedron(polygons);
        break;
    }

    for (int i = 0; i < polygons->n_points; ++i) {
        Point &p = polygons->points[i];
        fill_Point(p, (Real)Point_x(p) * rx + (Real)Point_x(*centre),
                   (Real)Point_y(p) * ry + (Real)Point_y(*centre),
                   (Real)Point_z(p) * rz + (Real)Point_z(*centre));
    }

    while (polygons->n_items < n_triangles) {
        int previous_n_items = polygons->n_items;
        subdivide_polygons(polygons);
        if (polygons->n_items <= previous_n_items) break; // out of memory
        project_onto_ellipsoid(polygons, centre, rx, ry, rz);
    }

    compute_polygon_normals(polygons);
}

void half_sample_tetrahedral_tessellation(polygons_struct *polygons, polygons_struct *half) {
    Point origin;
    fill_Point(origin, 0.0, 0.0, 0.0);
    create_tetrahedral_sphere(&origin, 1.0, 1.0, 1.0, polygons->n_items / 4, half);

    // Only points both meshes have are copied.
    const int n_common = half->n_points < polygons->n_points ? half->n_points : polygons->n_points;
    for (int i = 0; i < n_common && polygons->points != nullptr; ++i)
        half->points[i] = polygons->points[i];
    for (int i = 0; i < n_common && polygons->normals != nullptr && half->normals != nullptr; ++i)
        half->normals[i] = polygons->normals[i];

    if (polygons->colour_flag == PER_VERTEX_COLOURS && polygons->colours != nullptr &&
        half->n_points > 0 && half->colours != nullptr) {
        Colour *colours = nullptr;
        ALLOC(colours, half->n_points);
        if (colours == nullptr) return;
        for (int i = 0; i < half->n_points; ++i)
            colours[i] = i < n_common ? polygons->colours[i] : half->colours[0];
        FREE(half->colours);
        half->colours = colours;
        half->colour_flag = PER_VERTEX_COLOURS;
    }
}
