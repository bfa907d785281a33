#ifndef VORN_VR_VAR_H
#define VORN_VR_VAR_H

// Reading and writing variables of VORN files with type conversion, and
// coordinates between variables. Signs are given as strings: "signed__" or
// "unsigned", anything else (null included) meaning the type's default.

#include <netcdf.h>

// Reads the hyperslab start/count into values of datatype and sign.
int vrvarget(int cdfid, int varid, const long start[], const long count[], nc_type datatype,
             const char *sign, void *values);
// Reads one value at mindex.
int vrvarget1(int cdfid, int varid, const long mindex[], nc_type datatype, const char *sign,
              void *value);
// Writes values of datatype and sign into the hyperslab.
int vrvarput(int cdfid, int varid, const long start[], const long count[], nc_type datatype,
             const char *sign, const void *values);
// Writes one value at mindex.
int vrvarput1(int cdfid, int varid, const long mindex[], nc_type datatype, const char *sign,
              const void *value);

// Sets the first nvals entries of coords to value; answers coords.
long *vrset_coords(int nvals, long value, long coords[]);
// For each dimension of outvar that invar also has, copies invar's
// coordinate from incoords; the others are left as they are. Answers
// outcoords, or null when a variable cannot be inquired.
long *vrtranslate_coords(int cdfid, int invar, const long incoords[], int outvar, long outcoords[]);
// The length of each dimension of the variable (0 for one that cannot be
// inquired); -1 when the variable cannot be.
int vrvarsize(int fd, int varid, long *size_ptr);

#endif
