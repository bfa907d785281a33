#ifndef ZAVINVENTOR_ZAV_TO_IV_H
#define ZAVINVENTOR_ZAV_TO_IV_H

// Graphics objects to Open Inventor node trees: one SoSeparator per object,
// all under one root. Nodes are owned by their parents' reference counts.

#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>

#include <zavpl.h>

// Reads the object file and converts every object; null when the file cannot
// be read. The root carries no reference of its own.
SoSeparator *zav_graphics_file_to_iv(const char *filename);

// Converts a list of objects already in memory, in list order, under a new root.
SoSeparator *zav_objects_to_iv(int n_objects, object_struct **object_list);

SoSeparator *zav_lines_to_iv(const lines_struct *lines);
SoSeparator *zav_marker_to_iv(const marker_struct *marker);
SoSeparator *zav_polygons_to_iv(const polygons_struct *polygons);
SoSeparator *zav_quadmesh_to_iv(const quadmesh_struct *quadmesh);
SoSeparator *zav_model_to_iv(const model_struct *model);
SoSeparator *zav_pixels_to_iv(const pixels_struct *pixels);
SoSeparator *zav_text_to_iv(const text_struct *text);

// Adds a material binding and a base colour to root and returns the colour
// node, which the caller fills per vertex for PER_VERTEX_COLOURS.
SoBaseColor *add_color_nodes(SoGroup *root, Colour_flags zav_colour_flag, Colour zav_colour);

#endif
