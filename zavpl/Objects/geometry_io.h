#ifndef ZAVPL_GEOMETRY_IO_H
#define ZAVPL_GEOMETRY_IO_H

// The composite values of graphics object files: points, vectors, colours,
// surface properties, colour blocks, RGB pixel blocks and end indices. Each
// reads (READ_FILE) or writes (WRITE_FILE, APPEND_FILE) in ASCII or binary,
// so an object's reader and writer are one sequence of calls. Functions that
// read an array allocate it; on failure the array is freed and null.

#include <cstdio>

#include "Objects/objects.h"

// Three floats.
Status io_point(FILE *file, IO_types io_flag, File_formats format, Point *point);
Status io_vector(FILE *file, IO_types io_flag, File_formats format, Vector *v);

// n points (vectors), one per line in ASCII.
Status io_points(FILE *file, IO_types io_flag, File_formats format, int n, Point *points[]);
Status io_vectors(FILE *file, IO_types io_flag, File_formats format, int n, Vector *vectors[]);

// Five floats a, d, s, se, t; a transparency read as exactly 0 becomes 1.
Status io_surfprop(FILE *file, IO_types io_flag, File_formats format, Surfprop *surfprop);

// Binary: the bytes alpha, blue, green, red whatever the host. ASCII: four
// floats red, green, blue, alpha between 0 and 1.
Status io_colour(FILE *file, IO_types io_flag, File_formats format, Colour *colour);

// The colour flag, then 1, n_items or n_points colours, each followed by a
// newline in ASCII. A flag other than the three is "Error inputting colour
// flag.\n" in either direction.
Status io_colours(FILE *file, IO_types io_flag, File_formats format, Colour_flags *colour_flag,
                  int n_items, int n_points, Colour *colours[]);

// One RGB pixel: three ints 0 to 255 in ASCII, three bytes in binary.
Status io_pixel_colour(FILE *file, IO_types io_flag, File_formats format, Colour *colour);

// n RGB pixels. Binary moves red, green and blue bytes in blocks of 256
// pixels; reading makes each pixel opaque.
Status io_pixel_colours(FILE *file, IO_types io_flag, File_formats format, int n,
                        Colour *colours[]);

// The end index of each of n_items items. Written as they are, or, when
// "NEW_OBJ_FORMAT" is set and io_flag is WRITE_FILE, as item sizes; values
// whose neighbours differ by less than min_size somewhere are read as sizes.
// Should the asked-for form be one that reads back as the other, the other
// is written. Reading refuses a negative first value, a decrease and a sum
// beyond an int.
Status io_end_indices(FILE *file, IO_types io_flag, File_formats format, int n_items,
                      int *end_indices[], int min_size);

#endif
