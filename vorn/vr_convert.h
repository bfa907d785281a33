#ifndef VORN_VR_CONVERT_H
#define VORN_VR_CONVERT_H

// Signs of stored values and the conversion of values between netCDF types,
// with clamping, rounding, and an ICV's scaling and fill value.

#include <netcdf.h>

#include "vr_icv_struct.h"

// Values of the "signtype" attribute.
#define VR_SIGNED "signed__"
#define VR_UNSIGNED "unsigned"

// Resolves a sign: NC_FLOAT and NC_DOUBLE are always signed; an explicit
// VR_PRIV_SIGNED or VR_PRIV_UNSIGNED is kept; otherwise NC_BYTE is unsigned
// and every other type signed.
int VR_get_sign(nc_type datatype, int sign);

// The sign named by exactly "signed__" or "unsigned" (anything else, null
// included, means the default), resolved by VR_get_sign.
int VR_get_sign_from_string(nc_type datatype, const char *sign);

// Converts number_of_values values from intype/insign at invalues to
// outtype/outsign at outvalues. Integer results are clamped to the output
// type's range and rounded half away from zero (NaN gives 0); NC_FLOAT
// results are clamped to the float range. With an ICV, values outside its
// fill range (widened slightly) become its fill value, and the others are
// scaled by its scale and offset when it says so. invalues and outvalues
// are either apart or the same buffer (converted in place). Fails
// (VR_ERROR) for NC_CHAR and unknown types.
int VR_convert_type(long number_of_values, nc_type intype, int insign, const void *invalues,
                    nc_type outtype, int outsign, void *outvalues, const vr_icv_type *icvp);

#endif
