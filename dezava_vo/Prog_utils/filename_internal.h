#ifndef DEZAVA_VO_FILENAME_INTERNAL_H
#define DEZAVA_VO_FILENAME_INTERNAL_H

// Operations on names that are already expanded, shared by the file modules.
// A user's name is expanded once, at the public entry point: expanding it a
// second time would turn an escaped "\$" into a live reference.

#include <string>

#include "Prog_utils/basic.h"

// TRUE when the part after the last "/" holds no ".".
BOOLEAN filename_has_no_extension(const char *name);

// TRUE when the name can be opened for reading.
BOOLEAN expanded_file_exists(const char *name);

// The name with the first of ".z", ".Z", ".gz" appended that exists, as a new
// string; null when none exists.
STRING find_compressed_variant(const char *name);

// The name with "." and suffix appended, as a new string.
STRING append_suffix(const char *name, const char *suffix);

// The name as an argument for an outside program: a name starting with "-"
// gets "./" in front so that it cannot be taken for an option.
std::string program_argument(const char *name);

// Unlinks the name; on failure writes "Error removing %s.  " and the system
// message.
void remove_expanded_file(const char *name);

// Copies src to dest with /bin/cp (extra_flag, such as "-f", first when not
// null). A failure writes failure_format (two %s: src, dest) and the system
// message and returns ERROR.
Status copy_expanded_file(const char *src, const char *dest, const char *extra_flag,
                          const char *failure_format);

#endif
