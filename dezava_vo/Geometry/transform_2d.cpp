#include "Geometry/transform_2d.h"

#include <cmath>
#include <vector>

#include "Numerical/least_squares.h"

void make_identity_transform_2d(Transform_2d *transform) {
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            transform->m2d[i][j] = (i == j) ? 1.0 : 0.0;
}

BOOLEAN get_inverse_transform_2d(const Transform_2d *transform, Transform_2d *inverse) {
    const Real *a = &transform->m2d[0][0];
    Real det = a[4] * a[0] - a[3] * a[1];
    Real result[6] = {
        a[4] / det,  -a[1] / det, (a[5] * a[1] - a[4] * a[2]) / det,
        -a[3] / det, a[0] / det,  (a[3] * a[2] - a[0] * a[5]) / det,
    };
    // A singular transform has no inverse; handing back infinities or NaNs
    // would spread them silently through every point it maps.
    bool finite = det != 0.0;
    for (int k = 0; k < 6 && finite; ++k)
        finite = std::isfinite(result[k]);
    if (!finite) {
        make_identity_transform_2d(inverse);
        return FALSE;
    }
    for (int k = 0; k < 6; ++k)
        inverse->m2d[k / 3][k % 3] = result[k];
    return TRUE;
}

void transform_point_2d(const Transform_2d *transform, Real x, Real y, Real *x_trans,
                        Real *y_trans) {
    const Transform_2d &t = *transform;
    *x_trans = t.m2d[0][0] * x + t.m2d[0][1] * y + t.m2d[0][2];
    *y_trans = t.m2d[1][0] * x + t.m2d[1][1] * y + t.m2d[1][2];
}

BOOLEAN get_least_squares_transform_2d(int n_points, const Real x[], const Real y[],
                                       const Real x_trans[], const Real y_trans[],
                                       Transform_2d *transform_2d) {
    size_t n = n_points > 0 ? static_cast<size_t>(n_points) : 0;
    std::vector<Real> coords(2 * n);
    std::vector<Real *> points(n);
    for (size_t k = 0; k < n; ++k) {
        coords[2 * k] = x[k];
        coords[2 * k + 1] = y[k];
        points[k] = &coords[2 * k];
    }

    // value ~ c0 + c1 x + c2 y, once for each output coordinate.
    const Real *targets[2] = {x_trans, y_trans};
    for (int row = 0; row < 2; ++row) {
        Real c[3];
        if (!least_squares(n_points, 2, points.data(), targets[row], c)) {
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 3; ++j)
                    transform_2d->m2d[i][j] = 0.0;
            return FALSE;
        }
        transform_2d->m2d[row][0] = c[1];
        transform_2d->m2d[row][1] = c[2];
        transform_2d->m2d[row][2] = c[0];
    }
    return TRUE;
}
