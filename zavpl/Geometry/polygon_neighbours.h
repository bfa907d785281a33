#ifndef ZAVPL_POLYGON_NEIGHBOURS_H
#define ZAVPL_POLYGON_NEIGHBOURS_H

// Edge adjacency of a mesh: the neighbours array, one entry per entry of
// indices, holding the polygon across that edge (edge k of a polygon joins
// vertex k to vertex k + 1) or -1.

#include "Objects/objects.h"

// Builds the mesh's neighbours array when it is missing and the mesh has
// polygons. An edge used by exactly two polygon sides makes those polygons
// neighbours; an edge used once is a boundary (-1); an edge used three or more
// times is not manifold: all its sides get -1 and an internal error
// "create_polygon_neighbours" is reported once. A mesh whose end indices or
// point indices are out of range gets a message and no array.
void check_polygons_neighbours_computed(polygons_struct *polygons);

#endif
