#ifndef ZAVPL_LINES_H
#define ZAVPL_LINES_H

// Polyline sets: building, segment numbering and arc length.

#include "Objects/objects.h"

// An empty line set of one colour, thickness 1.
void initialize_lines(lines_struct *lines, Colour col);

// One polyline through size points (contents left to the caller), closed by
// repeating its first point when closed is TRUE. A size below 1 gives an
// empty line set.
void initialize_lines_with_size(lines_struct *lines, Colour col, int size, BOOLEAN closed);

// Frees everything the line set owns.
void delete_lines(lines_struct *lines);

// Appends an empty polyline.
void start_new_line(lines_struct *lines);

// Appends a new point to the last polyline (opening one if there is none).
void add_point_to_line(lines_struct *lines, Point *point);

// Maps a global segment number to its polyline and the segment within it.
void get_line_segment_index(lines_struct *lines, int obj_index, int *line, int *seg);

// Total length of all polylines.
Real get_lines_length(lines_struct *lines);

// The point at distance arc_length along the polylines; out-of-range lengths
// are reported and clamped to the start or the end.
void get_lines_arc_point(lines_struct *lines, Real arc_length, Point *point);

#endif
