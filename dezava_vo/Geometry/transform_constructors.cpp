#include "Geometry/transform_constructors.h"

#include <cmath>

namespace {

constexpr Real PI = 3.14159265358979323846;

// v normalised in double and stored in single precision; a zero vector is
// left as it is.
void normalise(Real x, Real y, Real z, Vector *v) {
    Real length = std::sqrt(x * x + y * y + z * z);
    if (length != 0.0) {
        x /= length;
        y /= length;
        z /= length;
    }
    fill_Vector(*v, x, y, z);
}

// a x b in double, normalised into result.
void normalised_cross(const Vector *a, const Vector *b, Vector *result) {
    Real ax = Vector_x(*a), ay = Vector_y(*a), az = Vector_z(*a);
    Real bx = Vector_x(*b), by = Vector_y(*b), bz = Vector_z(*b);
    normalise(ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx, result);
}

} // namespace

void make_scale_transform(Real sx, Real sy, Real sz, Transform *transform) {
    make_identity_transform(transform);
    Transform_elem(*transform, 0, 0) = sx;
    Transform_elem(*transform, 1, 1) = sy;
    Transform_elem(*transform, 2, 2) = sz;
}

void make_translation_transform(Real x_trans, Real y_trans, Real z_trans, Transform *transform) {
    make_identity_transform(transform);
    Transform_elem(*transform, 0, 3) = x_trans;
    Transform_elem(*transform, 1, 3) = y_trans;
    Transform_elem(*transform, 2, 3) = z_trans;
}

void make_origin_transform(const Point *origin, Transform *transform) {
    make_identity_transform(transform);
    set_transform_origin(transform, origin);
}

void make_rotation_transform(Real radians, int axis, Transform *transform) {
    make_identity_transform(transform);
    if (axis < 0 || axis > 2) return;
    int a1 = (axis + 1) % 3;
    int a2 = (axis + 2) % 3;
    Real c = std::cos(radians);
    Real s = std::sin(radians);
    Transform_elem(*transform, a1, a1) = c;
    Transform_elem(*transform, a1, a2) = s;
    Transform_elem(*transform, a2, a1) = -s;
    Transform_elem(*transform, a2, a2) = c;
}

void make_rotation_about_axis(const Vector *axis, Real angle, Transform *transform) {
    make_identity_transform(transform);
    Vector unit;
    normalise(Vector_x(*axis), Vector_y(*axis), Vector_z(*axis), &unit);
    Real x = Vector_x(unit), y = Vector_y(unit), z = Vector_z(unit);
    if (x == 0.0 && y == 0.0 && z == 0.0) return;

    Real c = std::cos(angle);
    Real s = std::sin(-angle);
    Real t = 1.0 - c;
    Transform &m = *transform;
    Transform_elem(m, 0, 0) = x * (t * x) + c;
    Transform_elem(m, 0, 1) = (t * x) * y + s * z;
    Transform_elem(m, 0, 2) = (t * x) * z - s * y;
    Transform_elem(m, 1, 0) = (t * x) * y - s * z;
    Transform_elem(m, 1, 1) = y * (t * y) + c;
    Transform_elem(m, 1, 2) = (t * y) * z + s * x;
    Transform_elem(m, 2, 0) = (t * x) * z + s * y;
    Transform_elem(m, 2, 1) = (t * y) * z - s * x;
    Transform_elem(m, 2, 2) = z * (t * z) + c;
}

void make_transform_relative_to_point(const Point *point, const Transform *transform,
                                      Transform *rel_transform) {
    Transform to_origin, from_origin;
    make_translation_transform(-Point_x(*point), -Point_y(*point), -Point_z(*point), &to_origin);
    make_origin_transform(point, &from_origin);
    // transform may be the same record as rel_transform.
    Transform result;
    concat_transforms(&result, &to_origin, transform);
    concat_transforms(rel_transform, &result, &from_origin);
}

void make_transform_in_coordinate_system(const Point *origin, const Vector *x_axis,
                                         const Vector *y_axis, const Vector *z_axis,
                                         const Transform *transform, Transform *rel_transform) {
    Transform to_frame, from_frame, result;
    make_change_from_bases_transform(origin, x_axis, y_axis, z_axis, &to_frame);
    make_change_to_bases_transform(origin, x_axis, y_axis, z_axis, &from_frame);
    concat_transforms(&result, &to_frame, transform);
    concat_transforms(rel_transform, &result, &from_frame);
}

void set_transform_x_and_z_axes(Transform *transform, const Vector *x_axis, const Vector *z_axis) {
    Vector n_x, n_y, n_z;
    normalise(Vector_x(*z_axis), Vector_y(*z_axis), Vector_z(*z_axis), &n_z);
    normalised_cross(&n_z, x_axis, &n_y);
    // z x y: the frame keeps the established orientation that stored
    // transforms were built with (x(1,0,0), z(0,0,1) gives x column (-1,0,0)).
    normalised_cross(&n_z, &n_y, &n_x);
    set_transform_x_axis(transform, &n_x);
    set_transform_y_axis(transform, &n_y);
    set_transform_z_axis(transform, &n_z);
}

BOOLEAN is_transform_right_handed(const Transform *transform) {
    Real x[3], y[3], z[3];
    get_transform_x_axis_real(transform, x);
    get_transform_y_axis_real(transform, y);
    get_transform_z_axis_real(transform, z);
    Real volume = (x[1] * y[2] - x[2] * y[1]) * z[0] + (x[2] * y[0] - x[0] * y[2]) * z[1] +
                  (x[0] * y[1] - x[1] * y[0]) * z[2];
    return volume > 0.0 ? TRUE : FALSE;
}

Real compute_clockwise_rotation(Real x, Real y) {
    if (x == 0.0) {
        if (y < 0.0) return PI / 2.0;
        if (y > 0.0) return 3.0 * PI / 2.0;
        return 0.0;
    }
    if (y != 0.0) {
        Real r = -std::atan2(y, x);
        if (r < 0.0) r += 2.0 * PI;
        // A tiny negative angle can round up to a full turn.
        return r < 2.0 * PI ? r : 0.0;
    }
    return x > 0.0 ? 0.0 : PI;
}

void convert_2d_transform_to_rotation_translation(const Transform *transform,
                                                  Real *degrees_clockwise, Real *x_trans,
                                                  Real *y_trans) {
    *degrees_clockwise = compute_clockwise_rotation(Transform_elem(*transform, 0, 0),
                                                    Transform_elem(*transform, 1, 0)) *
                         57.29577951308232;
    *x_trans = Transform_elem(*transform, 0, 3);
    *y_trans = Transform_elem(*transform, 1, 3);
}
