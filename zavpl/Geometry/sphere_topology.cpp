// Recognising the tetrahedral and latitude-longitude sphere families.

#include "Geometry/sphere_topology.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "Geometry/latlong_layout.h"
#include "Geometry/tetrahedral_sphere.h"
#include "Numerical/quadratic.h"
#include "Objects/polygons.h"

namespace {

// TRUE when the mesh's arrays are there for its counts.
bool arrays_present(const polygons_struct *polygons) {
    return polygons->n_items > 0 && polygons->end_indices != nullptr &&
           polygons->indices != nullptr && polygons->n_points > 0 && polygons->points != nullptr;
}

// TRUE when every polygon of the mesh is the triangle or quadrilateral that
// the latitude-longitude layout puts there, checking end indices before
// reading any index.
bool matches_latlong_layout(const polygons_struct *polygons, int n_up, int n_around) {
    int poly = 0, n_checked = 0;
    bool ok = for_each_latlong_polygon(
        n_up, n_around,
        [&](int64_t point) {
            // The polygon's end index was checked before its first vertex.
            return polygons->indices[n_checked++] == point;
        },
        [&]() {
            ++poly;
            if (poly < polygons->n_items) {
                int size = poly < n_around || poly >= polygons->n_items - n_around ? 3 : 4;
                if (polygons->end_indices[poly] != n_checked + size) return false;
            }
            return true;
        });
    return ok;
}

} // namespace

BOOLEAN is_this_tetrahedral_topology(polygons_struct *polygons) {
    int count = polygons->n_items;
    while (count != 20 && count > 8) {
        if (count % 4 != 0) return FALSE;
        count /= 4;
    }
    if (count != 4 && count != 6 && count != 8 && count != 20) return FALSE;

    // The count says which mesh it would be rebuilt as; only that very mesh
    // may be stored as its count.
    if (!arrays_present(polygons) || polygons->n_points != polygons->n_items / 2 + 2) return FALSE;
    for (int i = 0; i < polygons->n_items; ++i) {
        if (polygons->end_indices[i] != 3 * (i + 1)) return FALSE;
    }
    polygons_struct reference;
    Point origin;
    fill_Point(origin, 0.0, 0.0, 0.0);
    create_tetrahedral_sphere(&origin, 1.0, 1.0, 1.0, polygons->n_items, &reference);
    bool same = reference.n_items == polygons->n_items &&
                reference.n_points == polygons->n_points && reference.indices != nullptr &&
                memcmp(reference.indices, polygons->indices,
                       (size_t)reference.n_items * 3 * sizeof(int)) == 0;
    delete_polygons(&reference);
    return same ? TRUE : FALSE;
}

int get_tetra_tessellation_with_n_points(int n_points) {
    int64_t n_triangles = 2 * (int64_t)n_points - 4;
    if (n_triangles > INT_MAX || n_triangles < INT_MIN) return 0;
    return (int)n_triangles;
}

BOOLEAN get_tessellation_of_polygons_sphere(polygons_struct *polygons, int *tess) {
    const int count = polygons->n_items;
    if (count <= 10) return FALSE;
    Real root = std::sqrt((Real)count * 0.5);
    int n_up = (int)root;
    if ((Real)n_up != root) return FALSE;
    *tess = n_up;
    if ((n_up & (n_up - 1)) != 0) return FALSE;

    if (polygons->end_indices == nullptr) return FALSE;
    int n_triangles = 0;
    for (int i = 0; i < count; ++i) {
        int start = i == 0 ? 0 : polygons->end_indices[i - 1];
        if (polygons->end_indices[i] - start == 3) ++n_triangles;
    }
    if (n_triangles != 4 * n_up) return FALSE;

    // The refinement and half sampling index points by this numbering, so the
    // points and polygons must really be laid out that way.
    const int n_around = 2 * n_up;
    if (!arrays_present(polygons) ||
        (int64_t)polygons->n_points != (int64_t)n_around * (n_up - 1) + 2)
        return FALSE;
    if (polygons->end_indices[0] != 3) return FALSE;
    return matches_latlong_layout(polygons, n_up, n_around) ? TRUE : FALSE;
}

BOOLEAN is_this_sphere_topology(polygons_struct *polygons) {
    int tess;
    return get_tessellation_of_polygons_sphere(polygons, &tess);
}

int get_tessellation_with_n_points(int n_points) {
    Real solution1 = 0.0, solution2 = 0.0;
    int n_solutions = solve_quadratic(2.0, -2.0, 2.0 - (Real)n_points, &solution1, &solution2);
    Real solution;
    if (n_solutions == 2)
        solution = solution2 > 0.0 ? solution2 : solution1;
    else if (n_solutions == 1)
        solution = solution1;
    else
        return 0;
    if (solution <= 0.0) return 0;
    return (int)std::floor(solution + 0.5);
}
