#ifndef VORN_VR_DISPATCH_H
#define VORN_VR_DISPATCH_H

// The netCDF-style calls on an open VORN file of either version: each goes
// to netCDF for a version 1 file and to the HDF5 adaptor for a version 2
// file, chosen by the file identifier. Results follow netCDF's version 2
// interface: -1 on failure.

#include <netcdf.h>

int VR2inquire(int fd, int *ndims_ptr, int *nvars_ptr, int *natts_ptr, int *unlimdim_ptr);
int VR2sync(int fd);
int VR2endef(int fd);
int VR2redef(int fd);
int VR2setfill(int fd, int fillmode);

int VR2dimdef(int fd, const char *dimnm, long length);
int VR2dimid(int fd, const char *dimnm);
int VR2diminq(int fd, int dimid, char *dimnm_ptr, long *len_ptr);
int VR2dimrename(int fd, int dimid, const char *new_name);

int VR2vardef(int fd, const char *varnm, nc_type vartype, int ndims, const int *dimids);
int VR2varid(int fd, const char *varnm);
int VR2varinq(int fd, int varid, char *varnm_ptr, nc_type *type_ptr, int *ndims_ptr, int *dims_ptr,
              int *natts_ptr);
int VR2varname(int fd, int varid, char *varnm);
int VR2varget(int fd, int varid, const long *start_ptr, const long *count_ptr, void *val_ptr);
int VR2varput(int fd, int varid, const long *start_ptr, const long *count_ptr, const void *val_ptr);
int VR2varput1(int fd, int varid, const long *mindex_ptr, const void *val_ptr);
int VR2vargetg(int fd, int varid, const long *start, const long *edges, const long *stride,
               const long *map, void *value);
int VR2varputg(int fd, int varid, const long *start, const long *edges, const long *stride,
               const long *map, const void *value);

// Without the attribute: -1, and for a netCDF file whose caller has netCDF's
// messages on, the line "ncattinq: ncid %d: varid: %d: Attribute '%s' not
// found" (no newline) on the standard error stream.
int VR2attinq(int fd, int varid, const char *attnm, nc_type *type_ptr, int *length_ptr);
int VR2attget(int fd, int varid, const char *attnm, void *value);
int VR2attput(int fd, int varid, const char *attnm, nc_type val_typ, int val_len,
              const void *val_ptr);
int VR2attname(int fd, int varid, int attnum, char *name);
int VR2attdel(int fd, int varid, const char *attnm);
// Copies one attribute between files of any versions.
int VR2attcopy(int infd, int invarid, const char *name, int outfd, int outvarid);

// Bytes per value of a type; -1 and "Unknown type %d" on the standard error
// stream for other types.
int VR2typelen(nc_type type);

#endif
