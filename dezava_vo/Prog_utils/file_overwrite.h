#ifndef DEZAVA_VO_FILE_OVERWRITE_H
#define DEZAVA_VO_FILE_OVERWRITE_H

// Guarding files about to be overwritten: dated backup copies that are
// restored after a failed write, and the interactive overwrite question.

#include "Prog_utils/basic.h"

// When the file exists, copies it to "<name>.<date>.bkp" (or "..bkp_1",
// "..bkp_2", ... when taken) beside it, with blanks, tabs and newlines of the
// backup's own name made "_" and ":" made "-", and stores that name in
// *backup_filename. A missing file gives a null name and OK. A failed copy
// writes "Error making backup file for: %s\n", sets the name null and
// returns the failure.
Status make_backup_file(const char *filename, STRING *backup_filename);

// After a write: with a backup name, removes the backup when status_of_write
// is OK; otherwise copies it back over the file and removes it, or, when that
// fails, says which file holds the earlier contents and keeps it. The backup
// name is used as make_backup_file made it (it is not expanded again).
void cleanup_backup_file(const char *filename, const char *backup_filename, Status status_of_write);

// TRUE when the file may be written: it does not exist, or the person at the
// terminal answers y or Y to "File <%s> exists, do you wish to overwrite (y
// or n): ". A newline repeats "  Please type y or n: "; the end of input
// means no.
BOOLEAN check_clobber_file(const char *filename);

// check_clobber_file of the name with "." and default_suffix appended when it
// has no extension.
BOOLEAN check_clobber_file_default_suffix(const char *filename, const char *default_suffix);

#endif
