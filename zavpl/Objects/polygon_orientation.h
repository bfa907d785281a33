#ifndef ZAVPL_POLYGON_ORIENTATION_H
#define ZAVPL_POLYGON_ORIENTATION_H

// Vertex order of the polygons of a mesh.

#include "Objects/objects.h"

// Reverses the vertex order of every polygon (the neighbour array is discarded).
void reverse_polygons_vertices(polygons_struct *polygons);

// TRUE when the normal of the polygon's vertex loop points the same way as the
// sum of its vertex normals; FALSE for empty polygons or a mesh without normals.
BOOLEAN polygon_is_back_facing(const polygons_struct *polygons, int poly);

// Reverses every polygon for which polygon_is_back_facing is TRUE.
void make_polygons_front_facing(polygons_struct *polygons);

#endif
