#ifndef VORN_VR_VARACCESS_H
#define VORN_VR_VARACCESS_H

// Walking a hyperslab in bounded pieces, and reading or writing a variable
// with conversion between its stored type and sign and the caller's.

#include <netcdf.h>

#include "vr_icv_struct.h"

// Called for each piece: its start and count, its number of values, the
// piece buffer and the walk's caller_data. -1 stops the walk.
typedef int (*VR_var_loop_action)(int ndims, long start[], long count[], long nvalues,
                                  void *var_buffer, void *caller_data);

// Walks the hyperslab start/count in pieces of at most max_buffer_size bytes
// of value_size-byte values (at least one value), slowest dimension outermost,
// handing each piece and one shared buffer to action_func. With bufsize_step,
// the piece length in the stepping dimension is rounded down to a multiple of
// its entry. 0, or -1 when an action failed.
int VR_var_loop(int ndims, const long start[], const long count[], int value_size,
                const int *bufsize_step, long max_buffer_size, void *caller_data,
                VR_var_loop_action action_func);

// Reads (VR_PRIV_GET) or writes (VR_PRIV_PUT) the hyperslab, converting
// between the variable's type and "signtype" and datatype/sign (a
// VR_PRIV_... code), through the ICV's scaling, fill and dimension
// conversion when icvp is given. bufsize_step as for VR_var_loop.
int VR_varaccess(int operation, int cdfid, int varid, const long start[], const long count[],
                 nc_type datatype, int sign, void *values, const int *bufsize_step,
                 vr_icv_type *icvp);

// Reads the variable's "signtype" quietly into sign (at most maxlen - 1
// characters); the empty string when it has none.
void VR_read_signtype(int cdfid, int varid, char *sign, int maxlen);

#endif
