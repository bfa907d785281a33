#ifndef DEZAVA_VO_TRANSFORM_2D_H
#define DEZAVA_VO_TRANSFORM_2D_H

// The 2-D affine transform of images: x' = a0 x + a1 y + a2,
// y' = a3 x + a4 y + a5, with a0 .. a5 the elements of m2d in storage order.

#include "Prog_utils/basic.h"

struct Transform_2d {
    Real m2d[2][3];
};
typedef Transform_2d VIO_Transform_2d;

// Element in row i (0 or 1) and column j (0 to 2).
#define Transform_2d_elem(t, i, j) ((t).m2d[i][j])

// a0 = a4 = 1, the rest 0.
void make_identity_transform_2d(Transform_2d *transform);

// TRUE and the inverse; FALSE and the identity when the determinant
// a0 a4 - a1 a3 is zero or the inverse would not be finite. inverse may be
// the same record as transform.
BOOLEAN get_inverse_transform_2d(const Transform_2d *transform, Transform_2d *inverse);

// Applies the transform to (x, y).
void transform_point_2d(const Transform_2d *transform, Real x, Real y, Real *x_trans,
                        Real *y_trans);

// Least-squares affine fit of (x_trans, y_trans) to (x, y) over n_points
// points. FALSE, with the least-squares message and a zero transform, when
// the points do not determine one (fewer than three, or all on a line).
BOOLEAN get_least_squares_transform_2d(int n_points, const Real x[], const Real y[],
                                       const Real x_trans[], const Real y_trans[],
                                       Transform_2d *transform_2d);

#endif
