#ifndef ZAVPL_QUADMESH_H
#define ZAVPL_QUADMESH_H

// Quadrilateral meshes: m by n grids of points, point (i, j) at i * n + j.

#include "Objects/objects.h"

// One colour col, surface properties from spr (defaults when null), an m by n
// grid with point and normal arrays (contents left to the caller), not closed.
void initialize_quadmesh(quadmesh_struct *quadmesh, Colour col, Surfprop *spr, int m, int n);

// Frees everything the mesh owns.
void delete_quadmesh(quadmesh_struct *quadmesh);

// Stores point (i, j) and, when both exist, its normal. Indices outside the
// grid are an internal error and nothing is written.
void set_quadmesh_point(quadmesh_struct *quadmesh, int i, int j, Point *point, Vector *normal);

// TRUE and point (i, j) when it lies inside the grid (no wrap-around).
BOOLEAN get_quadmesh_point(const quadmesh_struct *quadmesh, int i, int j, Point *point);

// Number of patches in each direction; a closed direction has one more.
void get_quadmesh_n_objects(const quadmesh_struct *quadmesh, int *mp, int *np);

// Point numbers of the corners of patch (i, j), wrapping around the grid.
void get_quadmesh_patch_indices(const quadmesh_struct *quadmesh, int i, int j, int indices[4]);

// The corner points of patch (i, j) in the order of get_quadmesh_patch_indices.
void get_quadmesh_patch(const quadmesh_struct *quadmesh, int i, int j, Point points[4]);

// Vertex normals from each point's grid neighbours (creates the array if missing).
void compute_quadmesh_normals(quadmesh_struct *quadmesh);

// Reverses every row, and so the winding of every patch.
void reverse_quadmesh_vertices(quadmesh_struct *quadmesh);

#endif
