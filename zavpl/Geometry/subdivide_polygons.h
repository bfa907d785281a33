#ifndef ZAVPL_SUBDIVIDE_POLYGONS_H
#define ZAVPL_SUBDIVIDE_POLYGONS_H

// Four-way subdivision of polygon meshes.

#include "Objects/objects.h"

// Splits every triangle and quadrilateral of the mesh in four, in place: each
// edge gets one midpoint (shared by the polygons on both sides) and each
// quadrilateral a centre point; old points keep their numbers and the new ones
// follow in the order they are made. Other polygons are dropped with a message.
// A latitude-longitude sphere is refined as such instead. The result has one
// colour (the former first colour) and a normals array that is not computed.
void subdivide_polygons(polygons_struct *polygons);

#endif
