#ifndef VORN_VR_ICV_DIMCONV_H
#define VORN_VR_ICV_DIMCONV_H

// Dimension conversion through an ICV: image dimensions presented flipped,
// resampled or centred, and a vector dimension averaged away. The access
// paths of the ICV call these for every attach, get and put.

#include "vr_icv_struct.h"

// Set-up when an ICV with VR_ICV_DO_DIM_CONV is attached to cdfid/varid
// (after the plain attach, with the ICV detached until it succeeds).
int VR_icv_dimconv_init(vr_icv_type *icvp, int cdfid, int varid);

// Maps the ICV region icv_start/icv_count onto the variable's coordinates;
// without dimension conversion the two are the same.
int VR_icv_coords_tovar(vr_icv_type *icvp, const long icv_start[], const long icv_count[],
                        long var_start[], long var_count[]);

#endif
