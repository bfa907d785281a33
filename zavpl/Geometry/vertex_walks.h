#ifndef ZAVPL_VERTEX_WALKS_H
#define ZAVPL_VERTEX_WALKS_H

// Walks from polygon to polygon around a vertex across the edges of the
// neighbours array (which these functions build when it is missing). Every
// walk takes at most as many steps as the mesh has polygons, so meshes that
// are not manifold or not closed end the walk instead of looping.

#include "Objects/objects.h"

// One step around the vertex at position index_1 of polygon poly, across the
// edge to the vertex at position index_2 (one of its two neighbours in poly).
// TRUE with the polygon across that edge in *next_poly, the vertex's position
// in it in *next_index_1 and the position of its other edge's far end in
// *next_index_2; FALSE at a boundary edge (*next_poly < 0) or when the next
// polygon does not hold the vertex.
BOOLEAN find_next_edge_around_point(polygons_struct *polygons, int poly, int index_1, int index_2,
                                    int *next_poly, int *next_index_1, int *next_index_2);

// Ring of the point at position vertex_index of polygon poly, found by walking:
// stores the first max_neighbours point numbers in neighbours[] and returns the
// number of neighbours met, which may exceed max_neighbours (only
// min(count, max_neighbours) entries are written). *interior_point is TRUE
// when the walk closed around the point.
int get_neighbours_of_point(polygons_struct *polygons, int poly, int vertex_index, int neighbours[],
                            int max_neighbours, BOOLEAN *interior_point);

// The polygons around the vertex at position vertex_index of polygon poly:
// poly first, then in order around the vertex (for a boundary vertex, the fan
// on the side of the previous vertex followed by the fan on the other side).
// Stores the first n_polys_alloced in poly_indices[] and returns the number
// met, which may exceed n_polys_alloced. *closed_flag is TRUE when the walk
// closed around the vertex.
int get_polygons_around_vertex(polygons_struct *polygons, int poly, int vertex_index,
                               int poly_indices[], int n_polys_alloced, BOOLEAN *closed_flag);

#endif
