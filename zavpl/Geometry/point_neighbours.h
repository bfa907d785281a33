#ifndef ZAVPL_POINT_NEIGHBOURS_H
#define ZAVPL_POINT_NEIGHBOURS_H

// Rings of neighbouring points: for every point of a mesh, the points joined
// to it by an edge, in winding order around it.

#include "Objects/objects.h"

// Builds, for each of the mesh's points, its ring: with across_polygons_flag
// FALSE the points next to it in the polygons that use it, with TRUE every
// other vertex of those polygons. Outputs, all new and owned by the caller
// (free them with delete_polygon_point_neighbours):
//   *n_point_neighbours_ptr: ring length per point;
//   *point_neighbours_ptr: one exactly sized ring per point (null when empty);
//   *interior_flags_ptr (when not null): 1 for a closed ring, 0 for an open
//     one or a point used by no polygon;
//   *point_polygons_ptr (when not null; only with across_polygons_flag FALSE):
//     parallel to each ring, a polygon having the edge to that neighbour or -1,
//     all slices of one block.
// For a consistently wound manifold mesh a closed ring runs in winding order
// and an open ring from one boundary edge to the other. Conflicting arguments
// give a message and no output; a mesh whose end indices or point indices are
// out of range gives a message and empty rings.
void create_polygon_point_neighbours(polygons_struct *polygons, BOOLEAN across_polygons_flag,
                                     int **n_point_neighbours_ptr, int ***point_neighbours_ptr,
                                     Smallest_int **interior_flags_ptr, int ***point_polygons_ptr);

// Frees what create_polygon_point_neighbours made for this mesh; interior_flags
// and point_polygons may be null.
void delete_polygon_point_neighbours(polygons_struct *polygons, int n_point_neighbours[],
                                     int **point_neighbours, Smallest_int interior_flags[],
                                     int **point_polygons);

#endif
