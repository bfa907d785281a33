#ifndef ZAVPL_OBJECT_OPS_H
#define ZAVPL_OBJECT_OPS_H

// Operations that work on an object of any kind, through the per-kind table.

#include "Objects/objects.h"

// A new object of the given kind, visible; its kind record is left for the
// caller to initialise (initialize_polygons, initialize_model, ...).
object_struct *create_object(Object_types object_type);

Object_types get_object_type(object_struct *object);
BOOLEAN get_object_visibility(object_struct *object);
void set_object_visibility(object_struct *object, BOOLEAN visibility);

// The embedded record when the object is of that kind; otherwise an internal
// error naming the function, and null.
lines_struct *get_lines_ptr(object_struct *object);
marker_struct *get_marker_ptr(object_struct *object);
model_struct *get_model_ptr(object_struct *object);
pixels_struct *get_pixels_ptr(object_struct *object);
polygons_struct *get_polygons_ptr(object_struct *object);
quadmesh_struct *get_quadmesh_ptr(object_struct *object);
text_struct *get_text_ptr(object_struct *object);

// Number of points and, when above 0, their array in *points (left alone for
// kinds without points).
int get_object_points(object_struct *object, Point **points);

// Number of vertex normals and their array; 0 and null when the object has none.
int get_object_normals(object_struct *object, Vector **normals);

// Address of the object's colour flag (null for markers and text, which hold
// one colour, and for models and pixels); the colour array, or null, in *colours.
Colour_flags *get_object_colours(object_struct *object, Colour **colours);

// Installs a new colour array in lines, polygons and quadmeshes; the old one is
// not freed. Other kinds are left alone.
void set_object_colours(object_struct *object, Colour *colours);

// The surface properties of polygons and quadmeshes, null for other kinds.
Surfprop *get_object_surfprop(object_struct *object);

// A new string describing the object, such as "Polygons (12:8)".
STRING get_object_name(object_struct *object);

// Frees everything the object owns, then the object record.
void delete_object(object_struct *object);

// TRUE and the colour when the object has a single colour.
BOOLEAN get_object_colour(object_struct *object, Colour *colour);

// Gives the object the single colour col (models and pixels are unchanged).
void set_object_colour(object_struct *object, Colour col);

// Copies *spr into the object's surface properties when it has them.
void set_object_surfprop(object_struct *object, Surfprop *spr);

// Bounding box of all points of the object and of everything below it;
// FALSE, with the corners untouched, when there are no points.
BOOLEAN get_range_of_object(object_struct *object, BOOLEAN visible_ones_only, Point *min_corner,
                            Point *max_corner);

// Negates every vertex normal of the object and of everything below it.
void reverse_object_normals(object_struct *object);

// Frees a colour array made for the given flag and counts; null is ignored.
void free_colours(Colour_flags colour_flag, Colour colours[], int n_points, int n_items);

// 1, n_items or n_points colours per flag; 0 with a message for a bad flag.
int get_n_colours(Colour_flags colour_flag, int n_points, int n_items);

// TRUE when the point and item counts, the end indices and the index runs are
// identical; coordinates are not compared.
BOOLEAN objects_are_same_topology(int n_points1, int n_items1, const int *end_indices1,
                                  const int *indices1, int n_points2, int n_items2,
                                  const int *end_indices2, const int *indices2);

#endif
