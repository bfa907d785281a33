#ifndef ZAVINVENTOR_IV_FILL_H
#define ZAVINVENTOR_IV_FILL_H

// Filling Inventor field arrays from object arrays, shared by the converters.

#include <Inventor/fields/SoMFInt32.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoNormal.h>

#include "iv_values.h"

// Fills coordinates and, when given, normals and per-vertex colours in one
// pass: entry v comes from the object's point point_index(v). Big meshes are
// walked once and every list is sized before it is filled.
template <typename PointIndex>
void fill_vertices(int n_vertices, PointIndex point_index, const Point *points,
                   const Vector *normals, const Colour *colours, SoCoordinate3 *coordinates,
                   SoNormal *normal_node, SoBaseColor *colour_node) {
    coordinates->point.setNum(n_vertices);
    SbVec3f *iv_points = coordinates->point.startEditing();
    SbVec3f *iv_normals = nullptr;
    SbColor *iv_colours = nullptr;
    if (normals != nullptr) {
        normal_node->vector.setNum(n_vertices);
        iv_normals = normal_node->vector.startEditing();
    }
    if (colours != nullptr) {
        colour_node->rgb.setNum(n_vertices);
        iv_colours = colour_node->rgb.startEditing();
    }
    for (int v = 0; v < n_vertices; ++v) {
        int p = point_index(v);
        iv_points[v] = iv_point(points[p]);
        if (iv_normals != nullptr) iv_normals[v] = iv_vector(normals[p]);
        if (iv_colours != nullptr) iv_colours[v] = iv_colour(colours[p]);
    }
    coordinates->point.finishEditing();
    if (iv_normals != nullptr) normal_node->vector.finishEditing();
    if (iv_colours != nullptr) colour_node->rgb.finishEditing();
}

// The point numbers of each item (polyline or polygon), each run ended by -1.
void fill_index_runs(SoMFInt32 &coord_index, int n_items, const int *end_indices,
                     const int *indices);

#endif
