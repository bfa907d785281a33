#ifndef VORN_VR_VALID_RANGE_H
#define VORN_VR_VALID_RANGE_H

// The stored type and sign of a variable and the range of values it may
// hold: its "valid_range" (or "valid_max" and "valid_min") attributes, or
// the whole range of its type.

#include <netcdf.h>

// The variable's type, and whether its "signtype" makes it signed (without
// one, every type but NC_BYTE is signed).
int vrget_datatype(int cdfid, int imgid, nc_type *datatype, int *is_signed);

// The whole range of a type: the integer types' signed or unsigned limits,
// the float and double limits, and 0..1 for any other type. Always 0.
int vrget_default_range(nc_type datatype, int is_signed, double default_range[2]);

// The variable's valid range, minimum first: "valid_range" when it holds two
// values, otherwise the type's range with "valid_max" and "valid_min" over
// it. Integer types get whole numbers, NC_FLOAT single-precision ones.
int vrget_valid_range(int cdfid, int imgid, double valid_range[2]);

// Writes "valid_range": two NC_FLOAT values on an NC_FLOAT variable, two
// NC_DOUBLE values on any other.
int vrset_valid_range(int cdfid, int imgid, const double valid_range[2]);

// One end of a type's whole range: what is "valid_max" or "valid_min"; sign
// is a VR_PRIV_... code, resolved by the type's default when not explicit.
double VR_get_default_range(const char *what, nc_type datatype, int sign);

#endif
