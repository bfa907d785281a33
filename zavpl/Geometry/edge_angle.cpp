// Dihedral angle across a mesh edge.

#include "Geometry/edge_angle.h"

#include <cmath>

#include "Geometry/polygon_checks.h"
#include "Geometry/polygon_neighbours.h"
#include "Geometry/transform_constructors.h"
#include "Objects/polygons.h"

namespace {

// Point of the polygon facing edge k: the third corner of a triangle, else
// the vertex half way round.
int opposite_point(const polygons_struct *polygons, int start, int size, int k) {
    int offset = size == 3 ? 2 : size / 2;
    return polygons->indices[start + (k + offset) % size];
}

// a - p1 without its component along e (whose squared length is length2).
void perpendicular_part(const Point &a, const Point &p1, const Real e[3], Real length2,
                        Real out[3]) {
    Real d[3], along = 0.0;
    for (int c = 0; c < 3; ++c) {
        d[c] = (Real)a.coords[c] - (Real)p1.coords[c];
        along += d[c] * e[c];
    }
    for (int c = 0; c < 3; ++c)
        out[c] = d[c] - along / length2 * e[c];
}

void normalize(Real v[3]) {
    Real length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length != 0.0) {
        for (int c = 0; c < 3; ++c)
            v[c] /= length;
    }
}

Real dot(const Real a[3], const Real b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

} // namespace

Real get_polygon_edge_angle(polygons_struct *polygons, int poly, int edge) {
    int start, size;
    if (!polygon_run(polygons, poly, &start, &size) || edge < 0 || edge >= size) return M_PI;
    check_polygons_neighbours_computed(polygons);
    if (polygons->neighbours == nullptr) return M_PI;

    int neighbour = polygons->neighbours[start + edge];
    int n_start, n_size;
    if (neighbour < 0 || !polygon_run(polygons, neighbour, &n_start, &n_size)) return M_PI;

    int i1 = polygons->indices[start + edge];
    int i2 = polygons->indices[start + (edge + 1) % size];
    int neighbour_edge = find_edge_index(polygons, neighbour, i1, i2);
    if (neighbour_edge < 0) return M_PI; // the array does not match the polygons

    const int corners[4] = {i1, i2, opposite_point(polygons, start, size, edge),
                            opposite_point(polygons, n_start, n_size, neighbour_edge)};
    for (int corner : corners) {
        if (corner < 0 || corner >= polygons->n_points || polygons->points == nullptr) return M_PI;
    }
    const Point &p1 = polygons->points[corners[0]];
    const Point &p2 = polygons->points[corners[1]];
    const Point &a = polygons->points[corners[2]];
    const Point &b = polygons->points[corners[3]];

    Real e[3];
    for (int c = 0; c < 3; ++c)
        e[c] = (Real)p2.coords[c] - (Real)p1.coords[c];
    Real length2 = dot(e, e);
    if (length2 == 0.0) length2 = 1.0;

    // u points from the edge towards A within poly, v = e x u along poly's
    // normal, w from the edge towards B.
    Real u[3], v[3], w[3];
    perpendicular_part(a, p1, e, length2, u);
    normalize(u);
    v[0] = e[1] * u[2] - e[2] * u[1];
    v[1] = e[2] * u[0] - e[0] * u[2];
    v[2] = e[0] * u[1] - e[1] * u[0];
    normalize(v);
    perpendicular_part(b, p1, e, length2, w);

    return compute_clockwise_rotation(dot(w, u), -dot(w, v));
}
