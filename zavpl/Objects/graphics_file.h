#ifndef ZAVPL_GRAPHICS_FILE_H
#define ZAVPL_GRAPHICS_FILE_H

// Whole graphics object files (default suffix "obj") to and from object
// lists. Model objects in a file read their own objects from the file they
// name, found relative to the directory of the file that names them.

#include "Objects/objects.h"

// Sets *n_objects to 0, then appends every object of the file to the list
// (count 0, null array on entry). *format receives the encoding of the last
// object read and is left alone for a file without objects. On a damaged
// file the objects before the damaged one stay in the list, the file is
// closed and the failure status is returned.
Status input_graphics_file(const char *filename, File_formats *format, int *n_objects,
                           object_struct ***object_list);

// Writes the objects in list order, all in one encoding; empty objects are
// skipped. A name without an extension gets ".obj".
Status output_graphics_file(const char *filename, File_formats format, int n_objects,
                            object_struct *object_list[]);

#endif
