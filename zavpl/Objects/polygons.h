#ifndef ZAVPL_POLYGONS_H
#define ZAVPL_POLYGONS_H

// Polygon meshes: creation, copying, building polygon by polygon, and
// per-polygon queries. Normals are in polygon_normals.h, orientation in
// polygon_orientation.h, planes and distances in polygon_planes.h.

#include "Objects/objects.h"

// An empty mesh of one colour col with surface properties *spr (defaults when null).
void initialize_polygons(polygons_struct *polygons, Colour col, Surfprop *spr);

// An empty mesh, then n_points points and normals and n_polygons polygons of
// size vertices each (contents left to the caller). Counts below 1 or too large
// are reported and leave the mesh empty.
void initialize_polygons_with_size(polygons_struct *polygons, Colour col, Surfprop *spr,
                                   int n_points, int n_polygons, int size);

// Frees everything the mesh owns.
void delete_polygons(polygons_struct *polygons);

// Frees the neighbour array, if any, and sets it null.
void free_polygon_neighbours(polygons_struct *polygons);

// dest becomes an independent deep copy of src (without visibilities,
// neighbours or spatial index).
void copy_polygons(polygons_struct *src, polygons_struct *dest);

// One colour per polygon, all equal to the former first colour.
void set_polygon_per_item_colours(polygons_struct *polygons);

// Creates the visibility array (all visible) when missing.
void create_polygons_visibilities(polygons_struct *polygons);

// Sets every visibility to state when the array exists.
void set_polygons_visibilities(polygons_struct *polygons, BOOLEAN state);

// Appends an empty polygon.
void start_new_polygon(polygons_struct *polygons);

// Appends a new point (and its normal, when given) to the mesh and to the last
// polygon, opening one if there is none.
void add_point_to_polygon(polygons_struct *polygons, Point *point, Vector *normal);

// Number of vertices of polygon poly.
int get_polygon_size(const polygons_struct *polygons, int poly);

// Copies the polygon's vertex points into points; returns its size.
int get_polygon_points(const polygons_struct *polygons, int poly, Point points[]);

// Mean of the polygon's vertex points; (0, 0, 0) for an empty polygon.
void get_polygon_centroid(const polygons_struct *polygons, int poly, Point *centroid);

// Position of point_index among the polygon's vertices, or -1.
int find_vertex_index(const polygons_struct *polygons, int poly, int point_index);

// First edge of the polygon joining the two points (either order), or -1.
int find_edge_index(const polygons_struct *polygons, int poly, int point_index1, int point_index2);

// TRUE, the first polygon holding the edge and the edge's number within it.
BOOLEAN find_polygon_with_edge(const polygons_struct *polygons, int point_index1, int point_index2,
                               int *poly_containing_edge, int *edge_index);

// TRUE when some polygon uses the point; the last such polygon and the
// point's position in it.
BOOLEAN find_polygon_with_vertex(const polygons_struct *polygons, int point_index, int *poly_index,
                                 int *vertex_index);

// TRUE and the index of the first point equal to *point.
BOOLEAN lookup_polygon_vertex(const polygons_struct *polygons, Point *point, int *point_index);

// TRUE when both meshes have the same counts and identical index arrays.
BOOLEAN polygons_are_same_topology(polygons_struct *p1, polygons_struct *p2);

#endif
