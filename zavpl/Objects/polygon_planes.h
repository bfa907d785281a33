#ifndef ZAVPL_POLYGON_PLANES_H
#define ZAVPL_POLYGON_PLANES_H

// Planes through points, plane intersections and distances.

#include "Objects/objects.h"

// TRUE and the point where segment p1-p2 meets the plane normal . p = d.
BOOLEAN get_plane_segment_intersection(const Vector *normal, Real d, const Point *p1,
                                       const Point *p2, Point *intersection_point);

// TRUE when two edges of polygon poly meet the plane; the two points in
// intersection_points.
BOOLEAN get_plane_polygon_intersection(const Vector *normal, Real d,
                                       const polygons_struct *polygons, int poly,
                                       Point intersection_points[2]);

// plane_normal . point + plane_constant.
Real distance_from_plane(const Point *point, const Vector *plane_normal, Real plane_constant);

// Unit normal of the loop of points and the constant that puts their centroid
// on the plane.
void get_plane_through_points(int n_points, const Point points[], Vector *normal,
                              Real *plane_constant);

// Distance from point to the infinite line through the two end points.
Real distance_from_line(const Point *point, const Point *end_point1, const Point *end_point2);

#endif
