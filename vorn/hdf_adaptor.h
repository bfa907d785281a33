#ifndef VORN_HDF_ADAPTOR_H
#define VORN_HDF_ADAPTOR_H

// The HDF5 storage adaptor: version 2 files (HDF5, laid out under the group
// "/vorn-2.0") seen through the numbered netCDF-style interface. Files are
// named by int identifiers of the adaptor's own, which never collide with
// netCDF's; variables and dimensions by their position in the file's registry.
// Variable id -1 (NC_GLOBAL) names the global attributes on "/vorn-2.0".

#include <hdf5.h>
#include <netcdf.h>

// Creation options of a version 2 file (only struct_version 1 is read).
struct vr2opts {
    int struct_version;
    int comp_type;   // -1: level from "VORN_COMPRESS"; 1: comp_param; else none
    int comp_param;  // deflate level
    int chunk_type;  // -1: length from "VORN_CHUNKING"; else chunk_param
    int chunk_param; // chunk length per dimension
};

// The root variable: no dataset, NC_INT, no dimensions, no attributes.
#define VR_ROOT_VARIABLE_ID 2001
#define VR_ROOT_VARIABLE_NAME "rootvariable"

// Registry limits of one open file.
#define VR2_MAX_VARS 2000
#define VR2_MAX_DIMS 100
#define VR2_MAX_VAR_DIMS 100
#define VR2_MAX_NAME 127

// Files. hdf_open and hdf_create answer a file identifier, or -1.
int hdf_open(const char *path, int mode);
int hdf_create(const char *path, int cmode, const struct vr2opts *opts_ptr);
int hdf_close(int fd);
int hdf_access(const char *path);
int hdf_inquire(int fd, int *ndims_ptr, int *nvars_ptr, int *natts_ptr, int *unlimdim_ptr);
int hdf_enddef(int fd);
int hdf_sync(int fd);
// TRUE when fd names a file open in the adaptor.
int hdf_is_open(int fd);

// Dimensions.
int hdf_dimid(int fd, const char *dimnm);
int hdf_diminq(int fd, int dimid, char *dimnm_ptr, long *len_ptr);
int hdf_dimdef(int fd, const char *dimnm, long length);
int hdf_dimrename(int fd, int dimid, const char *new_name);

// Variables.
int hdf_varid(int fd, const char *varnm);
int hdf_varname(int fd, int varid, char *varnm);
int hdf_varinq(int fd, int varid, char *varnm_ptr, nc_type *type_ptr, int *ndims_ptr, int *dims_ptr,
               int *natts_ptr);
int hdf_vardef(int fd, const char *varnm, nc_type vartype, int ndims, const int *dimids);
int hdf_varsize(int fd, int varid, long *size_ptr);
int hdf_var_declare(int fd, const char *varnm, const char *varpath, int ndims,
                    const hsize_t *sizes);

// Data. Results are HDF5 statuses: negative on failure.
int hdf_varget(int fd, int varid, const long *start_ptr, const long *length_ptr, void *val_ptr);
int hdf_varput(int fd, int varid, const long *start_ptr, const long *length_ptr,
               const void *val_ptr);
int hdf_varput1(int fd, int varid, const long *mindex_ptr, const void *val_ptr);
// Generalised hyperslabs; a given map is in bytes, as is the default one.
int hdf_vargetg(int fd, int varid, const long *start, const long *edges, const long *stride,
                const long *map, void *value);
int hdf_varputg(int fd, int varid, const long *start, const long *edges, const long *stride,
                const long *map, const void *value);

// Attributes.
int hdf_attinq(int fd, int varid, const char *attnm, nc_type *type_ptr, int *length_ptr);
int hdf_attname(int fd, int varid, int attnum, char *name);
int hdf_attget(int fd, int varid, const char *attnm, void *value);
int hdf_attput(int fd, int varid, const char *attnm, nc_type val_typ, int val_len,
               const void *val_ptr);
int hdf_attdel(int fd, int varid, const char *attnm);

// Dataset type of a netCDF type, signed or not (predefined: never closed).
hid_t nc_to_hdf5_type(nc_type type, int is_signed);

#endif
