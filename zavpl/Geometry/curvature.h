#ifndef ZAVPL_CURVATURE_H
#define ZAVPL_CURVATURE_H

// Local shape of a mesh at a point, from the ring of its neighbours: centroid,
// normal, size and a signed curvature estimate (positive on a convex bump,
// negative in a dent).

#include "Objects/objects.h"

// From point point_index and its ring neighbours[0 .. n_neighbours - 1]:
// *centroid is the ring's centroid C, *normal the normal of the ring as a loop,
// *base_length twice the mean distance of the ring points from C (1 when 0),
// *curvature |P - C| / base_length, negative when P lies below the ring. Rings
// of fewer than 3 points (or naming points outside the mesh) give P, a zero
// normal, 1 and 0.
void compute_points_centroid_and_normal(polygons_struct *polygons, int point_index,
                                        int n_neighbours, int neighbours[], Point *centroid,
                                        Vector *normal, Real *base_length, Real *curvature);

// compute_points_centroid_and_normal for point point_index with the ring found
// by walking around the vertex at position vertex_index of polygon poly.
void compute_polygon_point_centroid(polygons_struct *polygons, int poly, int vertex_index,
                                    int point_index, Point *centroid, Vector *normal,
                                    Real *base_length, Real *curvature);

// Signed curvature at the point (see compute_points_centroid_and_normal); a
// point used by no polygon is an internal error and gives 0.
Real compute_polygon_vertex_curvature(polygons_struct *polygons, int point_index);

#endif
