#ifndef ZAVPL_POLYGON_CHECKS_H
#define ZAVPL_POLYGON_CHECKS_H

// Internal: checks that keep the mesh topology code inside a mesh's arrays
// whatever the mesh holds.

#include "Objects/objects.h"

// Number of entries of indices (end_indices[n_items - 1]), 0 without polygons.
int polygons_n_indices(const polygons_struct *polygons);

// TRUE when poly is a polygon of the mesh whose run of indices lies inside the
// index array; *start and *size then give that run.
bool polygon_run(const polygons_struct *polygons, int poly, int *start, int *size);

// TRUE when the end indices never decrease from 0 and every index names a
// point; otherwise prints "<caller>: inconsistent polygon end indices or point
// indices." and returns FALSE.
bool check_polygons_structure(const polygons_struct *polygons, const char *caller);

#endif
