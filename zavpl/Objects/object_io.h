#ifndef ZAVPL_OBJECT_IO_H
#define ZAVPL_OBJECT_IO_H

// Graphics objects in object files. Each object is one type letter (upper
// case: ASCII fields, lower case: binary) followed by the fields of its kind,
// transferred by the kind's io_ function in either direction. Whole files
// are graphics_file.h.

#include <cstdio>

#include "Objects/objects.h"

// Reads the next object. At the end of the file sets *eof and returns OK
// without an object. *format receives the object's encoding. A model reads
// the file it names, relative to directory, into its own list. On failure
// the partly read object is deleted and *object is null.
Status input_object(const char *directory, FILE *file, File_formats *format, object_struct **object,
                    BOOLEAN *eof);

// Writes the object in the given encoding (nothing for an empty object). An
// object of no known kind is an ERROR without a message.
Status output_object(FILE *file, File_formats format, object_struct *object);

// Reads a type letter after any blanks, tabs and newlines; "Unrecognized
// object type in file.\n" for a letter of no kind.
Status input_object_type(FILE *file, Object_types *type, File_formats *format, BOOLEAN *eof);

// Writes the kind's letter when writing; does nothing when reading.
Status io_object_type(FILE *file, IO_types io_flag, File_formats format, Object_types type);

// The kinds' records. Writing starts with the letter and skips empty
// objects; reading (after the letter) initialises the record first and
// refuses counts and indices the file cannot back.
Status io_lines(FILE *file, IO_types io_flag, File_formats format, lines_struct *lines);
Status io_polygons(FILE *file, IO_types io_flag, File_formats format, polygons_struct *polygons);
Status io_quadmesh(FILE *file, IO_types io_flag, File_formats format, quadmesh_struct *quadmesh);
Status io_marker(FILE *file, IO_types io_flag, File_formats format, marker_struct *marker);
Status io_text(FILE *file, IO_types io_flag, File_formats format, text_struct *text);
// Only the filename; the model's objects live in the file it names.
Status io_model(FILE *file, IO_types io_flag, File_formats format, model_struct *model);
Status io_pixels(FILE *file, IO_types io_flag, File_formats format, pixels_struct *pixels);

// Whether polygon meshes of the tetrahedral sphere family are written in the
// compressed form (points and colours only). Decided on first use by whether
// "USE_COMPRESSED_POLYGONS" is set, unless set explicitly before.
BOOLEAN use_compressed_polygons(void);
void set_use_compressed_polygons_flag(BOOLEAN value);
BOOLEAN get_use_compressed_polygons_flag(void);

#endif
