#include "Geometry/transforms.h"

#include "Geometry/gaussian_elimination.h"

namespace {

void get_column(const Transform *transform, int column, Real values[3]) {
    for (int r = 0; r < 3; ++r)
        values[r] = Transform_elem(*transform, r, column);
}

void set_column(Transform *transform, int column, const Real values[3]) {
    for (int r = 0; r < 3; ++r)
        Transform_elem(*transform, r, column) = values[r];
}

void get_column(const Transform *transform, int column, float coords[3]) {
    for (int r = 0; r < 3; ++r)
        coords[r] = (float)Transform_elem(*transform, r, column);
}

void set_column(Transform *transform, int column, const float coords[3]) {
    for (int r = 0; r < 3; ++r)
        Transform_elem(*transform, r, column) = coords[r];
}

// Rows 0 to 2 of transform applied to (x, y, z, w), each summed in order;
// the result is divided by the row-3 value when that is neither 0 nor 1.
void apply_transform(const Transform *transform, Real x, Real y, Real z, Real w, Real *x_trans,
                     Real *y_trans, Real *z_trans) {
    const Transform &t = *transform;
    Real out[4];
    for (int r = 0; r < 4; ++r)
        out[r] = Transform_elem(t, r, 0) * x + Transform_elem(t, r, 1) * y +
                 Transform_elem(t, r, 2) * z + Transform_elem(t, r, 3) * w;
    if (out[3] != 0.0 && out[3] != 1.0) {
        out[0] /= out[3];
        out[1] /= out[3];
        out[2] /= out[3];
    }
    *x_trans = out[0];
    *y_trans = out[1];
    *z_trans = out[2];
}

} // namespace

void make_identity_transform(Transform *transform) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            transform->m[j][i] = (i == j) ? 1.0 : 0.0;
}

BOOLEAN close_to_identity(const Transform *transform) {
    const Real tolerance = 0.001;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            Real expected = (i == j) ? 1.0 : 0.0;
            Real value = Transform_elem(*transform, i, j);
            // Written as two comparisons so that NaN is never close.
            if (!(value >= expected - tolerance && value <= expected + tolerance)) return FALSE;
        }
    }
    return TRUE;
}

void get_transform_origin(const Transform *transform, Point *origin) {
    get_column(transform, 3, origin->coords);
}

void set_transform_origin(Transform *transform, const Point *origin) {
    set_column(transform, 3, origin->coords);
}

void get_transform_origin_real(const Transform *transform, Real origin[3]) {
    get_column(transform, 3, origin);
}

void get_transform_x_axis(const Transform *transform, Vector *x_axis) {
    get_column(transform, 0, x_axis->coords);
}

void get_transform_y_axis(const Transform *transform, Vector *y_axis) {
    get_column(transform, 1, y_axis->coords);
}

void get_transform_z_axis(const Transform *transform, Vector *z_axis) {
    get_column(transform, 2, z_axis->coords);
}

void set_transform_x_axis(Transform *transform, const Vector *x_axis) {
    set_column(transform, 0, x_axis->coords);
}

void set_transform_y_axis(Transform *transform, const Vector *y_axis) {
    set_column(transform, 1, y_axis->coords);
}

void set_transform_z_axis(Transform *transform, const Vector *z_axis) {
    set_column(transform, 2, z_axis->coords);
}

void get_transform_x_axis_real(const Transform *transform, Real x_axis[3]) {
    get_column(transform, 0, x_axis);
}

void get_transform_y_axis_real(const Transform *transform, Real y_axis[3]) {
    get_column(transform, 1, y_axis);
}

void get_transform_z_axis_real(const Transform *transform, Real z_axis[3]) {
    get_column(transform, 2, z_axis);
}

void set_transform_x_axis_real(Transform *transform, const Real x_axis[3]) {
    set_column(transform, 0, x_axis);
}

void set_transform_y_axis_real(Transform *transform, const Real y_axis[3]) {
    set_column(transform, 1, y_axis);
}

void set_transform_z_axis_real(Transform *transform, const Real z_axis[3]) {
    set_column(transform, 2, z_axis);
}

void make_change_to_bases_transform(const Point *origin, const Vector *x_axis, const Vector *y_axis,
                                    const Vector *z_axis, Transform *transform) {
    make_identity_transform(transform);
    set_transform_x_axis(transform, x_axis);
    set_transform_y_axis(transform, y_axis);
    set_transform_z_axis(transform, z_axis);
    set_transform_origin(transform, origin);
}

void make_change_from_bases_transform(const Point *origin, const Vector *x_axis,
                                      const Vector *y_axis, const Vector *z_axis,
                                      Transform *transform) {
    const Vector *axes[3] = {x_axis, y_axis, z_axis};
    make_identity_transform(transform);
    for (int r = 0; r < 3; ++r) {
        Real dot = 0.0;
        for (int c = 0; c < 3; ++c) {
            Transform_elem(*transform, r, c) = axes[r]->coords[c];
            dot += (Real)axes[r]->coords[c] * (Real)origin->coords[c];
        }
        Transform_elem(*transform, r, 3) = -dot;
    }
}

void concat_transforms(Transform *result, const Transform *t1, const Transform *t2) {
    // Built in a local so that result may alias either argument.
    Transform product;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            Real sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += Transform_elem(*t2, i, k) * Transform_elem(*t1, k, j);
            Transform_elem(product, i, j) = sum;
        }
    }
    *result = product;
}

void transform_point(const Transform *transform, Real x, Real y, Real z, Real *x_trans,
                     Real *y_trans, Real *z_trans) {
    apply_transform(transform, x, y, z, 1.0, x_trans, y_trans, z_trans);
}

void transform_vector(const Transform *transform, Real x, Real y, Real z, Real *x_trans,
                      Real *y_trans, Real *z_trans) {
    apply_transform(transform, x, y, z, 0.0, x_trans, y_trans, z_trans);
}

BOOLEAN compute_transform_inverse(const Transform *transform, Transform *inverse) {
    // A 4 by 4 solve needs no heap: the work arrays live on the stack.
    Real a_storage[4][4];
    Real solution_storage[4][4];
    Real *a[4];
    Real *solution[4];
    int row[4];
    for (int i = 0; i < 4; ++i) {
        a[i] = a_storage[i];
        solution[i] = solution_storage[i];
        for (int j = 0; j < 4; ++j) {
            a[i][j] = Transform_elem(*transform, i, j);
            solution[i][j] = (i == j) ? 1.0 : 0.0;
        }
    }

    if (!scaled_maximal_pivoting_gaussian_elimination(4, row, a, 4, solution)) {
        make_identity_transform(inverse);
        return FALSE;
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            Transform_elem(*inverse, i, j) = solution[row[i]][j];
    return TRUE;
}
