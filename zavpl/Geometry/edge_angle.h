#ifndef ZAVPL_EDGE_ANGLE_H
#define ZAVPL_EDGE_ANGLE_H

// Dihedral angles across the edges of a mesh.

#include "Objects/objects.h"

// Angle in [0, 2 pi) between polygon poly and its neighbour across edge edge,
// measured around the edge: pi for coplanar polygons and for a boundary edge,
// less than pi where the surface folds towards the side the polygon normals
// point to, more (3 pi / 2 on a cube) where it folds away. The neighbours
// array is built when missing.
Real get_polygon_edge_angle(polygons_struct *polygons, int poly, int edge);

#endif
