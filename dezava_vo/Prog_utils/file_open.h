#ifndef DEZAVA_VO_FILE_OPEN_H
#define DEZAVA_VO_FILE_OPEN_H

// Opening and closing files. Reading a file stored compressed (a name ending
// in ".z", ".Z" or ".gz", or a name that exists only with such an ending)
// opens a decompressed temporary copy that is gone from the directory as soon
// as the open returns.

#include <cstdio>

#include "Prog_utils/basic.h"

// Opens the expanded filename: READ_FILE "r", WRITE_FILE "w", APPEND_FILE
// "a", with "b" for BINARY_FORMAT. On failure writes a message, leaves *file
// null and returns ERROR.
Status open_file(const char *filename, IO_types io_type, File_formats file_format, FILE **file);

// As open_file, with "." and default_suffix (given without the dot) added to
// a name without extension: always when writing, and when reading only if
// the name as given does not exist but the suffixed name does.
Status open_file_with_default_suffix(const char *filename, const char *default_suffix,
                                     IO_types io_type, File_formats file_format, FILE **file);

// Closes the stream. ERROR for a null stream (no message), and for a written
// stream whose close fails (a deferred write error): "Error closing file.  "
// and the system message. Otherwise OK.
Status close_file(FILE *file);

// Seeks to byte_position from the start; on failure "Error setting the file
// position.  " and the system message, ERROR.
Status set_file_position(FILE *file, long byte_position);

// Flushes the stream; on failure "Error flushing file.  " and the system
// message, ERROR.
Status flush_file(FILE *file);

#endif
