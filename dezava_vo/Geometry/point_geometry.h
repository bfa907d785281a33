#ifndef DEZAVA_VO_POINT_GEOMETRY_H
#define DEZAVA_VO_POINT_GEOMETRY_H

// Operations on points and vectors shared by the geometry code: tests for
// zero, distances, bounding boxes, centroids, reversal and angles. Points are
// stored in single precision; arithmetic is in double.

#include "Prog_utils/basic.h"

// TRUE when all three coordinates are exactly 0.
BOOLEAN null_Point(const Point *p);
BOOLEAN null_Vector(const Vector *v);

// Euclidean distance.
Real distance_between_points(const Point *p1, const Point *p2);

// TRUE when the points are no further apart than distance.
BOOLEAN points_within_distance(const Point *p1, const Point *p2, Real distance);

// Widens the box [min_point, max_point] to include point.
void apply_point_to_min_and_max(const Point *point, Point *min_point, Point *max_point);

// Widens the box [min_point, max_point] to include [min_to_check, max_to_check].
void expand_min_and_max_points(Point *min_point, Point *max_point, const Point *min_to_check,
                               const Point *max_to_check);

// Bounding box of the points. With no points nothing is written and the
// result is FALSE.
BOOLEAN get_range_points(int n_points, const Point points[], Point *min_corner, Point *max_corner);

// Mean of the points; the origin when there are none.
void get_points_centroid(int n_points, const Point points[], Point *centroid);

// Negates every component of the vectors.
void reverse_vectors(int n_vectors, Vector vectors[]);

// Angle in [0, pi] at this_point between the directions to the other two; a
// zero direction counts as perpendicular to anything (pi / 2).
Real get_angle_between_points(const Point *prev_point, const Point *this_point,
                              const Point *next_point);

#endif
