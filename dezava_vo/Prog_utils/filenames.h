#ifndef DEZAVA_VO_FILENAMES_H
#define DEZAVA_VO_FILENAMES_H

// Names of files: expansion of "~" and "$" references, extensions,
// directories, existence tests and temporary names. Every function that takes
// a filename expands it first; every returned STRING belongs to the caller.

#include "Prog_utils/basic.h"

// A new string with "~" (HOME), "~user" (that user's home directory) and
// "$NAME" (environment variable) references resolved. A backslash makes the
// next character plain text. References that cannot be resolved stay as
// written; a reference's name ends at ".", "/" or the end of the string.
STRING expand_filename(const char *filename);

// TRUE when the expanded name can be opened for reading.
BOOLEAN file_exists(const char *filename);

// Tries the expanded name with ".z", ".Z" and ".gz" appended, in that order.
// At the first that exists stores that new name in *compressed_filename
// (deleting the old string when it is the very string passed as filename)
// and returns TRUE; otherwise FALSE with nothing changed.
BOOLEAN file_exists_as_compressed(const char *filename, STRING *compressed_filename);

// TRUE when the expanded name, less any ".z", ".Z" and ".gz" endings, ends in
// "." followed by extension (case-sensitive).
BOOLEAN filename_extension_matches(const char *filename, const char *extension);

// What follows the last "/" of the expanded name (all of it without a "/").
STRING remove_directories_from_filename(const char *filename);

// The expanded name up to and including its last "/"; "." without a "/".
STRING extract_directory(const char *filename);

// TRUE when the directory part of the expanded name can be opened for reading.
BOOLEAN file_directory_exists(const char *filename);

// The expanded filename when it is absolute or directory is null or empty;
// otherwise directory, a "/" unless it ends in one, and the expanded name.
// directory itself is used as given.
STRING get_absolute_filename(const char *filename, const char *directory);

// The name of a newly created, empty temporary file, or null when none can be
// made. Release the name with free (not delete_string) and remove the file.
char *get_temporary_filename(void);

#endif
