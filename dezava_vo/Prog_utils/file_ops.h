#ifndef DEZAVA_VO_FILE_OPS_H
#define DEZAVA_VO_FILE_OPS_H

// Removing, copying and moving files by name. The copies run /bin/cp as a
// program of its own, never through a shell.

#include "Prog_utils/basic.h"

// Unlinks the expanded name; on failure writes "Error removing %s.  " and the
// system message.
void remove_file(const char *filename);

// Copies src to dest ("/bin/cp src dest", both names expanded). A non-zero
// exit writes "Error copying file %s to %s: " and the system message; ERROR.
Status copy_file(const char *src, const char *dest);

// As copy_file with "/bin/cp -f"; the message is "Error moving file %s to %s: ".
// The source is not removed.
Status move_file(const char *src, const char *dest);

#endif
