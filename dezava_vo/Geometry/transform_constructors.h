#ifndef DEZAVA_VO_TRANSFORM_CONSTRUCTORS_H
#define DEZAVA_VO_TRANSFORM_CONSTRUCTORS_H

// Common transforms: scales, translations, rotations, transforms about a
// point or in a frame, and the rotation angles of 2-D transforms.

#include "Geometry/transforms.h"

// Identity with the diagonal (sx, sy, sz).
void make_scale_transform(Real sx, Real sy, Real sz, Transform *transform);

// Identity with the translation (x_trans, y_trans, z_trans).
void make_translation_transform(Real x_trans, Real y_trans, Real z_trans, Transform *transform);

// Identity with the translation origin.
void make_origin_transform(const Point *origin, Transform *transform);

// Rotation about coordinate axis (0 = x, 1 = y, 2 = z), clockwise by radians
// when looking from the positive axis towards the origin: about z, (1, 0, 0)
// goes to (cos, -sin, 0). Any other axis gives the identity.
void make_rotation_transform(Real radians, int axis, Transform *transform);

// Rotation by angle about axis through the origin, counterclockwise by the
// right-hand rule: about (0, 0, 1) by pi/2, (1, 0, 0) goes to (0, 1, 0).
// A zero axis gives the identity, there being no rotation to make.
void make_rotation_about_axis(const Vector *axis, Real angle, Transform *transform);

// Translate by -point, apply transform, translate back.
void make_transform_relative_to_point(const Point *point, const Transform *transform,
                                      Transform *rel_transform);

// transform expressed in the frame's coordinates: into the frame, transform,
// back out of it.
void make_transform_in_coordinate_system(const Point *origin, const Vector *x_axis,
                                         const Vector *y_axis, const Vector *z_axis,
                                         const Transform *transform, Transform *rel_transform);

// Sets columns 0, 1, 2 to a right-handed orthonormal frame: z along z_axis,
// y along z_axis x x_axis, x completing the frame (x_axis made perpendicular
// to z_axis). The translation and row 3 are kept. Zero or parallel
// directions leave zero columns, which no later inversion accepts.
void set_transform_x_and_z_axes(Transform *transform, const Vector *x_axis, const Vector *z_axis);

// TRUE when (x axis x y axis) . z axis > 0.
BOOLEAN is_transform_right_handed(const Transform *transform);

// Clockwise angle in [0, 2 pi) from the positive x direction to (x, y).
Real compute_clockwise_rotation(Real x, Real y);

// The clockwise rotation, in degrees, of the x axis of a 2-D transform held
// in a Transform, and its x and y translation.
void convert_2d_transform_to_rotation_translation(const Transform *transform,
                                                  Real *degrees_clockwise, Real *x_trans,
                                                  Real *y_trans);

#endif
