#ifndef VORN_VR_TEMPFILE_H
#define VORN_VR_TEMPFILE_H

// Creates a new, empty temporary file in TMPDIR (or "/var/tmp/" when TMPDIR
// is not set) named "<dir>/vorn-XXXXXX" with the X's made unique. Returns its
// name, allocated with malloc (the caller frees it with free and removes the
// file), or null when memory or the file cannot be had. Logs nothing.
char *vrcreate_tempfile(void);

#endif
