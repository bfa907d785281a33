#ifndef ZAVPL_UNIT_SOLIDS_H
#define ZAVPL_UNIT_SOLIDS_H

// The regular solids inscribed in the unit sphere, wound so that polygon
// normals point outwards, built with computed vertex normals into an
// uninitialised or deleted mesh.

#include "Objects/objects.h"

// 4 points, 4 triangles.
void create_unit_tetrahedron(polygons_struct *polygons);

// 8 points, 6 quadrilaterals.
void create_unit_cube(polygons_struct *polygons);

// 6 points on the axes, 8 triangles.
void create_unit_octohedron(polygons_struct *polygons);

// 12 points, 20 triangles.
void create_unit_icosahedron(polygons_struct *polygons);

#endif
