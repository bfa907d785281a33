#ifndef ZAVPL_LATLONG_SPHERE_H
#define ZAVPL_LATLONG_SPHERE_H

// Latitude-longitude spheres: n_up - 1 rings of n_around points between two
// poles on the x axis, triangle fans at the poles and quadrilaterals between
// the rings. The north pole is point 0, the south pole point 1.

#include "Objects/objects.h"

// Number of the point at ring up (0 = north pole, n_up = south pole) and
// position around of the numbering. Out-of-range arguments are reported as an
// internal error; the formula's value is returned anyway.
int get_sphere_point_index(int up, int around, int n_up, int n_around);

// Generating (subdividing_flag FALSE): builds into *polygons (uninitialised or
// deleted) the ellipsoid of n_up bands and n_around points per ring around
// *centre with half-axes x_size, y_size, z_size; normals are allocated but not
// computed. Subdividing (TRUE): doubles the resolution of the latitude-longitude
// sphere in *polygons in place, keeping its first colour (the other arguments
// are ignored); a mesh of another shape is left unchanged with a message.
void create_polygons_sphere(const Point *centre, Real x_size, Real y_size, Real z_size, int n_up,
                            int n_around, BOOLEAN subdividing_flag, polygons_struct *polygons);

// Builds into *half (uninitialised or deleted) the latitude-longitude sphere
// of half the resolution of *polygons, whose points (and per-vertex colours)
// it takes from every second ring and every second point around. Nothing is
// done unless *polygons is a latitude-longitude sphere.
void half_sample_sphere_tessellation(polygons_struct *polygons, polygons_struct *half);

#endif
