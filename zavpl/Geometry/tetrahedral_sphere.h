#ifndef ZAVPL_TETRAHEDRAL_SPHERE_H
#define ZAVPL_TETRAHEDRAL_SPHERE_H

// Triangulated spheres grown from a base solid of 4, 6, 8 or 20 triangles by
// repeated four-way subdivision. The numbering of points and the order of
// polygons depend on the triangle count alone, so a mesh of this family can be
// stored as its count and rebuilt identically.

#include "Objects/objects.h"

// Builds into *polygons (uninitialised or already deleted) the triangulated
// ellipsoid around *centre with radii rx, ry, rz whose triangle count is the
// member of the family nearest n_triangles (exactly n_triangles for a member),
// with n_triangles / 2 + 2 points and computed vertex normals. A count too
// large to index leaves an empty mesh and a message.
void create_tetrahedral_sphere(const Point *centre, Real rx, Real ry, Real rz, int n_triangles,
                               polygons_struct *polygons);

// Builds into *half (uninitialised or deleted) the member with a quarter of
// the polygons of *polygons, taking for its points the positions, normals and
// per-vertex colours of the points of *polygons with the same numbers (the
// coarse points come first in a subdivided mesh).
void half_sample_tetrahedral_tessellation(polygons_struct *polygons, polygons_struct *half);

#endif
