// Local shape of a mesh at a point from the ring of its neighbours.

#include "Geometry/curvature.h"

#include <vector>

#include "Geometry/point_geometry.h"
#include "Geometry/polygon_checks.h"
#include "Geometry/vertex_walks.h"
#include "Objects/polygon_normals.h"
#include "Objects/polygons.h"
#include "Prog_utils/messages.h"

namespace {

// Ring buffer size tried first; longer rings get a buffer of their own size.
const int INITIAL_RING_SIZE = 1000;

} // namespace

void compute_points_centroid_and_normal(polygons_struct *polygons, int point_index,
                                        int n_neighbours, int neighbours[], Point *centroid,
                                        Vector *normal, Real *base_length, Real *curvature) {
    fill_Vector(*normal, 0.0, 0.0, 0.0);
    *base_length = 1.0;
    *curvature = 0.0;
    if (point_index < 0 || point_index >= polygons->n_points || polygons->points == nullptr) {
        fill_Point(*centroid, 0.0, 0.0, 0.0);
        return;
    }
    const Point &p = polygons->points[point_index];
    *centroid = p;
    if (n_neighbours < 3) return;

    std::vector<Point> ring((size_t)n_neighbours);
    for (int i = 0; i < n_neighbours; ++i) {
        if (neighbours[i] < 0 || neighbours[i] >= polygons->n_points) return;
        ring[(size_t)i] = polygons->points[neighbours[i]];
    }

    get_points_centroid(n_neighbours, ring.data(), centroid);
    find_polygon_normal(n_neighbours, ring.data(), normal);

    Real sum = 0.0;
    for (const Point &q : ring)
        sum += distance_between_points(&q, centroid);
    *base_length = 2.0 * sum / n_neighbours;
    if (*base_length == 0.0) *base_length = 1.0;

    *curvature = distance_between_points(&p, centroid) / *base_length;
    Real side = 0.0;
    for (int c = 0; c < 3; ++c)
        side += ((Real)p.coords[c] - (Real)centroid->coords[c]) * (Real)normal->coords[c];
    if (side < 0.0) *curvature = -*curvature;
}

void compute_polygon_point_centroid(polygons_struct *polygons, int poly, int vertex_index,
                                    int point_index, Point *centroid, Vector *normal,
                                    Real *base_length, Real *curvature) {
    std::vector<int> ring(INITIAL_RING_SIZE);
    BOOLEAN interior;
    int n = get_neighbours_of_point(polygons, poly, vertex_index, ring.data(), (int)ring.size(),
                                    &interior);
    if (n > (int)ring.size()) {
        ring.resize((size_t)n);
        n = get_neighbours_of_point(polygons, poly, vertex_index, ring.data(), (int)ring.size(),
                                    &interior);
        if (n > (int)ring.size()) n = (int)ring.size();
    }
    compute_points_centroid_and_normal(polygons, point_index, n, ring.data(), centroid, normal,
                                       base_length, curvature);
}

Real compute_polygon_vertex_curvature(polygons_struct *polygons, int point_index) {
    if (!check_polygons_structure(polygons, "compute_polygon_vertex_curvature")) return 0.0;
    int poly, vertex_index;
    if (!find_polygon_with_vertex(polygons, point_index, &poly, &vertex_index)) {
        handle_internal_error("compute_polygon_vertex_curvature");
        return 0.0;
    }
    Point centroid;
    Vector normal;
    Real base_length, curvature;
    compute_polygon_point_centroid(polygons, poly, vertex_index, point_index, &centroid, &normal,
                                   &base_length, &curvature);
    return curvature;
}
