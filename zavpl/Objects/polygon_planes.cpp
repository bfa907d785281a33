// Planes through points, plane intersections and distances to planes and lines.

#include "Objects/polygon_planes.h"

#include <cmath>

#include "Geometry/point_geometry.h"
#include "Objects/polygon_normals.h"

namespace {

Real dot_normal_point(const Vector *normal, const Point *point) {
    return (Real)Vector_x(*normal) * Point_x(*point) + (Real)Vector_y(*normal) * Point_y(*point) +
           (Real)Vector_z(*normal) * Point_z(*point);
}

} // namespace

BOOLEAN get_plane_segment_intersection(const Vector *normal, Real d, const Point *p1,
                                       const Point *p2, Point *intersection_point) {
    Real dist1 = dot_normal_point(normal, p1) - d;
    Real dist2 = dot_normal_point(normal, p2) - d;
    if (dist1 == 0.0) {
        *intersection_point = *p1;
        return TRUE;
    }
    if (dist2 == 0.0) {
        *intersection_point = *p2;
        return TRUE;
    }
    if (dist1 == dist2) return FALSE;
    Real t = dist1 / (dist1 - dist2);
    if (t < 0.0 || t > 1.0) return FALSE;
    fill_Point(*intersection_point, Point_x(*p1) * (1.0 - t) + Point_x(*p2) * t,
               Point_y(*p1) * (1.0 - t) + Point_y(*p2) * t,
               Point_z(*p1) * (1.0 - t) + Point_z(*p2) * t);
    return TRUE;
}

BOOLEAN get_plane_polygon_intersection(const Vector *normal, Real d,
                                       const polygons_struct *polygons, int poly,
                                       Point intersection_points[2]) {
    int start = poly == 0 ? 0 : polygons->end_indices[poly - 1];
    int size = polygons->end_indices[poly] - start;
    int n_found = 0;
    for (int k = 0; k < size; ++k) {
        const Point *p1 = &polygons->points[polygons->indices[start + k]];
        const Point *p2 = &polygons->points[polygons->indices[start + (k + 1) % size]];
        if (get_plane_segment_intersection(normal, d, p1, p2, &intersection_points[n_found])) {
            ++n_found;
            if (n_found == 2) return TRUE;
        }
    }
    return FALSE;
}

Real distance_from_plane(const Point *point, const Vector *plane_normal, Real plane_constant) {
    return dot_normal_point(plane_normal, point) + plane_constant;
}

void get_plane_through_points(int n_points, const Point points[], Vector *normal,
                              Real *plane_constant) {
    find_polygon_normal(n_points, points, normal);
    Point centroid;
    get_points_centroid(n_points, points, &centroid);
    *plane_constant = -dot_normal_point(normal, &centroid);
}

Real distance_from_line(const Point *point, const Point *end_point1, const Point *end_point2) {
    Real d[3], v[3];
    for (int c = 0; c < 3; ++c) {
        d[c] = (Real)end_point2->coords[c] - (Real)end_point1->coords[c];
        v[c] = (Real)point->coords[c] - (Real)end_point1->coords[c];
    }
    Real dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (dd == 0.0) return distance_between_points(point, end_point1);
    Real vv = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    Real dv = d[0] * v[0] + d[1] * v[1] + d[2] * v[2];
    // Rounding can make the squared distance of a point on the line slightly negative.
    Real squared = vv - dv * dv / dd;
    return squared > 0.0 ? std::sqrt(squared) : 0.0;
}
