#include "Geometry/point_geometry.h"

#include <cmath>

namespace {

constexpr Real PI = 3.14159265358979323846;

// (to - from) in single precision, normalised in double unless zero, and
// rounded back to single precision.
void unit_direction(const Point *from, const Point *to, float direction[3]) {
    Real length2 = 0.0;
    for (int c = 0; c < 3; ++c) {
        direction[c] = to->coords[c] - from->coords[c];
        length2 += (Real)direction[c] * (Real)direction[c];
    }
    if (length2 == 0.0) return;
    Real length = std::sqrt(length2);
    for (int c = 0; c < 3; ++c)
        direction[c] = (float)(direction[c] / length);
}

} // namespace

BOOLEAN null_Point(const Point *p) {
    return p->coords[0] == 0.0f && p->coords[1] == 0.0f && p->coords[2] == 0.0f;
}

BOOLEAN null_Vector(const Vector *v) {
    return v->coords[0] == 0.0f && v->coords[1] == 0.0f && v->coords[2] == 0.0f;
}

Real distance_between_points(const Point *p1, const Point *p2) {
    Real sum = 0.0;
    for (int c = 0; c < 3; ++c) {
        Real d = (Real)p2->coords[c] - (Real)p1->coords[c];
        sum += d * d;
    }
    return std::sqrt(sum);
}

BOOLEAN points_within_distance(const Point *p1, const Point *p2, Real distance) {
    Real sum = 0.0;
    for (int c = 0; c < 3; ++c) {
        Real d = (Real)p2->coords[c] - (Real)p1->coords[c];
        sum += d * d;
    }
    return distance * distance >= sum;
}

void apply_point_to_min_and_max(const Point *point, Point *min_point, Point *max_point) {
    for (int c = 0; c < 3; ++c) {
        if (point->coords[c] < min_point->coords[c]) min_point->coords[c] = point->coords[c];
        if (point->coords[c] > max_point->coords[c]) max_point->coords[c] = point->coords[c];
    }
}

void expand_min_and_max_points(Point *min_point, Point *max_point, const Point *min_to_check,
                               const Point *max_to_check) {
    for (int c = 0; c < 3; ++c) {
        if (min_to_check->coords[c] < min_point->coords[c])
            min_point->coords[c] = min_to_check->coords[c];
        if (max_to_check->coords[c] > max_point->coords[c])
            max_point->coords[c] = max_to_check->coords[c];
    }
}

BOOLEAN get_range_points(int n_points, const Point points[], Point *min_corner, Point *max_corner) {
    if (n_points <= 0) return FALSE;
    *min_corner = points[0];
    *max_corner = points[0];
    for (int i = 1; i < n_points; ++i)
        apply_point_to_min_and_max(&points[i], min_corner, max_corner);
    return TRUE;
}

void get_points_centroid(int n_points, const Point points[], Point *centroid) {
    // No points have no mean; the origin beats the NaNs of 0 / 0.
    if (n_points <= 0) {
        fill_Point(*centroid, 0.0, 0.0, 0.0);
        return;
    }
    Real sum[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < n_points; ++i)
        for (int c = 0; c < 3; ++c)
            sum[c] += points[i].coords[c];
    fill_Point(*centroid, sum[0] / n_points, sum[1] / n_points, sum[2] / n_points);
}

void reverse_vectors(int n_vectors, Vector vectors[]) {
    for (int i = 0; i < n_vectors; ++i)
        for (int c = 0; c < 3; ++c)
            vectors[i].coords[c] = -vectors[i].coords[c];
}

Real get_angle_between_points(const Point *prev_point, const Point *this_point,
                              const Point *next_point) {
    float d1[3], d2[3];
    unit_direction(this_point, prev_point, d1);
    unit_direction(this_point, next_point, d2);
    Real c = 0.0;
    for (int k = 0; k < 3; ++k)
        c += (Real)d1[k] * (Real)d2[k];

    if (c >= 1.0) return 0.0;
    if (c > -1.0) return std::acos(c);
    return PI;
}
