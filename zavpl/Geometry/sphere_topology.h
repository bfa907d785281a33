#ifndef ZAVPL_SPHERE_TOPOLOGY_H
#define ZAVPL_SPHERE_TOPOLOGY_H

// Recognising the two sphere families and inverting their point counts.

#include "Objects/objects.h"

// TRUE when the mesh is, polygon by polygon, the one create_tetrahedral_sphere
// builds from its polygon count (a count b * 4^k with b one of 4, 6, 8, 20).
BOOLEAN is_this_tetrahedral_topology(polygons_struct *polygons);

// Triangle count of a closed triangulated sphere of n_points points:
// 2 * n_points - 4 (0 when that does not fit an int).
int get_tetra_tessellation_with_n_points(int n_points);

// TRUE when the mesh is the latitude-longitude sphere of n_up rings (a power
// of two, at least 4) and 2 * n_up points around, numbered and ordered as
// create_polygons_sphere makes it; *tess receives n_up once the polygon count
// alone gives it.
BOOLEAN get_tessellation_of_polygons_sphere(polygons_struct *polygons, int *tess);

// get_tessellation_of_polygons_sphere without the count.
BOOLEAN is_this_sphere_topology(polygons_struct *polygons);

// The n_up of the latitude-longitude sphere of n_points points (n_points =
// 2 * n_up^2 - 2 * n_up + 2), rounded to the nearest integer; 0 if none.
int get_tessellation_with_n_points(int n_points);

#endif
