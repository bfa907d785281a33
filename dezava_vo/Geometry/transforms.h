#ifndef DEZAVA_VO_TRANSFORMS_H
#define DEZAVA_VO_TRANSFORMS_H

// The 4 by 4 homogeneous linear transform: record, axes and origin, change
// of basis, composition, application to points and vectors, inversion.

#include "Prog_utils/basic.h"

// Element (row i, column j) is stored at m[j][i]: the storage is column by
// column. Points are column vectors (x, y, z, 1), so column 3 is the
// translation and columns 0, 1, 2 are the images of the x, y and z axes.
struct Transform {
    Real m[4][4];
};
typedef Transform VIO_Transform;

// Element in row i and column j.
#define Transform_elem(t, i, j) ((t).m[j][i])

// The identity.
void make_identity_transform(Transform *transform);

// TRUE when every element is within 0.001 of the identity's, bounds included.
BOOLEAN close_to_identity(const Transform *transform);

// Column 3 (the translation), as a Point or as three Reals.
void get_transform_origin(const Transform *transform, Point *origin);
void set_transform_origin(Transform *transform, const Point *origin);
void get_transform_origin_real(const Transform *transform, Real origin[3]);

// Columns 0, 1 and 2 (rows 0 to 2), as Vectors or as three Reals.
void get_transform_x_axis(const Transform *transform, Vector *x_axis);
void get_transform_y_axis(const Transform *transform, Vector *y_axis);
void get_transform_z_axis(const Transform *transform, Vector *z_axis);
void set_transform_x_axis(Transform *transform, const Vector *x_axis);
void set_transform_y_axis(Transform *transform, const Vector *y_axis);
void set_transform_z_axis(Transform *transform, const Vector *z_axis);
void get_transform_x_axis_real(const Transform *transform, Real x_axis[3]);
void get_transform_y_axis_real(const Transform *transform, Real y_axis[3]);
void get_transform_z_axis_real(const Transform *transform, Real z_axis[3]);
void set_transform_x_axis_real(Transform *transform, const Real x_axis[3]);
void set_transform_y_axis_real(Transform *transform, const Real y_axis[3]);
void set_transform_z_axis_real(Transform *transform, const Real z_axis[3]);

// Maps frame coordinates (u, v, w) to origin + u x_axis + v y_axis + w z_axis.
void make_change_to_bases_transform(const Point *origin, const Vector *x_axis, const Vector *y_axis,
                                    const Vector *z_axis, Transform *transform);

// Maps p to ((p - origin).x_axis, (p - origin).y_axis, (p - origin).z_axis);
// the inverse of the previous one only for orthonormal axes.
void make_change_from_bases_transform(const Point *origin, const Vector *x_axis,
                                      const Vector *y_axis, const Vector *z_axis,
                                      Transform *transform);

// result = t1 applied first, then t2 (the product t2 t1); result may be t1 or t2.
void concat_transforms(Transform *result, const Transform *t1, const Transform *t2);

// Applies the transform to the point (x, y, z, 1); when the resulting w is
// neither 0 nor 1 the coordinates are divided by it.
void transform_point(const Transform *transform, Real x, Real y, Real z, Real *x_trans,
                     Real *y_trans, Real *z_trans);

// Applies the transform to the direction (x, y, z, 0).
void transform_vector(const Transform *transform, Real x, Real y, Real z, Real *x_trans,
                      Real *y_trans, Real *z_trans);

// TRUE and the inverse for an invertible transform; FALSE and the identity
// when the matrix is singular or too close to singular to give finite values.
// inverse may be the same record as transform.
BOOLEAN compute_transform_inverse(const Transform *transform, Transform *inverse);

#endif
