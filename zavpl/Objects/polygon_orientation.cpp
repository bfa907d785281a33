// Vertex order of polygons. Reordering vertices invalidates the neighbour
// array, so it is discarded first.

#include "Objects/polygon_orientation.h"

#include <utility>

#include "Objects/polygon_normals.h"
#include "Objects/polygons.h"

namespace {

int polygon_start(const polygons_struct *polygons, int poly) {
    return poly == 0 ? 0 : polygons->end_indices[poly - 1];
}

// [a, b, c, d] becomes [d, c, b, a]; normals stay as they are.
void reverse_polygon_order(polygons_struct *polygons, int poly) {
    int start = polygon_start(polygons, poly);
    int size = polygons->end_indices[poly] - start;
    for (int k = 0; k < size / 2; ++k)
        std::swap(polygons->indices[start + k], polygons->indices[start + size - 1 - k]);
}

} // namespace

void reverse_polygons_vertices(polygons_struct *polygons) {
    free_polygon_neighbours(polygons);
    for (int poly = 0; poly < polygons->n_items; ++poly)
        reverse_polygon_order(polygons, poly);
}

BOOLEAN polygon_is_back_facing(const polygons_struct *polygons, int poly) {
    int start = polygon_start(polygons, poly);
    int size = polygons->end_indices[poly] - start;
    // Without vertex normals there is nothing to face away from.
    if (size <= 0 || polygons->normals == nullptr) return FALSE;

    Vector normal;
    compute_polygon_normal(polygons, poly, &normal);

    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (int k = 0; k < size; ++k) {
        const Vector &v = polygons->normals[polygons->indices[start + k]];
        for (int c = 0; c < 3; ++c)
            sum[c] += v.coords[c];
    }
    Real dot = (Real)normal.coords[0] * sum[0] + (Real)normal.coords[1] * sum[1] +
               (Real)normal.coords[2] * sum[2];
    return dot > 0.0;
}

void make_polygons_front_facing(polygons_struct *polygons) {
    free_polygon_neighbours(polygons);
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        if (polygon_is_back_facing(polygons, poly)) reverse_polygon_order(polygons, poly);
    }
}
