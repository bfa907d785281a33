#ifndef VORN_VR_ATTR_H
#define VORN_VR_ATTR_H

// Reading and writing attributes of VORN files with type conversion. Signs
// are given as strings: "signed__" or "unsigned", anything else (null
// included) meaning the type's default sign.

#include <netcdf.h>

// Reads up to max_length values of a numeric attribute, converted from its
// type with sign insign to datatype with sign outsign; its full length goes
// to *att_length when given. VR_ERROR when it is missing or not numeric.
int vrattget_with_sign(int cdfid, int varid, const char *name, const char *insign, nc_type datatype,
                       const char *outsign, int max_length, void *value, int *att_length);
// vrattget_with_sign with default signs.
int vrattget(int cdfid, int varid, const char *name, nc_type datatype, int max_length, void *value,
             int *att_length);
// Reads an attribute that must hold exactly one value.
int vrattget1(int cdfid, int varid, const char *name, nc_type datatype, void *value);
// Reads a text attribute into value (at most maxlen - 1 characters, always
// terminated); value, or null when it is missing or not text.
char *vrattgetstr(int cdfid, int varid, const char *name, int maxlen, char *value);

// Writes a text attribute of strlen(value) + 1 characters (NUL included).
int vrattputstr(int cdfid, int varid, const char *name, const char *value);
// Writes one NC_INT or one NC_DOUBLE value.
int vrattputint(int cdfid, int varid, const char *name, int value);
int vrattputdbl(int cdfid, int varid, const char *name, double value);

#endif
