#ifndef ZAVPL_POLYGON_NORMALS_H
#define ZAVPL_POLYGON_NORMALS_H

// Normals of point loops, of single polygons and of mesh vertices.

#include "Objects/objects.h"

// Unnormalised normal of the loop P0 .. P(n-1): a cross product for three
// points, Newell's sums otherwise, a corner cross product for degenerate loops;
// (0, 0, 0) when there is none.
void find_polygon_normal_no_normalize(int n_points, const Point points[], Real *nx, Real *ny,
                                      Real *nz);

// Unit normal of the loop; a degenerate loop gives (0, 0, 0).
void find_polygon_normal(int n_points, const Point points[], Vector *normal);

// Unit normal of polygon poly from (at most) its first 1000 vertices.
void compute_polygon_normal(const polygons_struct *polygons, int poly, Vector *normal);

// Recomputes every vertex normal: the sum of the unit normals of the polygons
// around the vertex weighted by their corner angles, normalised. Creates the
// normal array when it is missing.
void compute_polygon_normals(polygons_struct *polygons);

// compute_polygon_normals, then n_iters rounds of blending each normal with
// the mean of its edge neighbours' (weight neighbour_weight).
void average_polygon_normals(polygons_struct *polygons, int n_iters, Real neighbour_weight);

#endif
