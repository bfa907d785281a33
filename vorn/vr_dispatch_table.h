#ifndef VORN_VR_DISPATCH_TABLE_H
#define VORN_VR_DISPATCH_TABLE_H

// The back ends behind the VR2 calls: one table of functions per container
// format, chosen when a file is opened or created and found again from the
// file's identifier through one registry. Identifiers the registry does not
// know are netCDF's (files opened by the caller with netCDF itself).

#include <netcdf.h>

#include "vr_basic.h"

struct vr_dispatch {
    const char *name;
    int (*close)(int fd);
    int (*sync)(int fd);
    int (*endef)(int fd);
    int (*redef)(int fd);
    int (*setfill)(int fd, int fillmode);
    int (*inquire)(int fd, int *ndims, int *nvars, int *natts, int *unlimdim);
    int (*dimdef)(int fd, const char *name, long length);
    int (*dimid)(int fd, const char *name);
    int (*diminq)(int fd, int dimid, char *name, long *length);
    int (*dimrename)(int fd, int dimid, const char *name);
    int (*vardef)(int fd, const char *name, nc_type type, int ndims, const int *dimids);
    int (*varid)(int fd, const char *name);
    int (*varinq)(int fd, int varid, char *name, nc_type *type, int *ndims, int *dimids,
                  int *natts);
    int (*varname)(int fd, int varid, char *name);
    int (*varget)(int fd, int varid, const long *start, const long *count, void *value);
    int (*varput)(int fd, int varid, const long *start, const long *count, const void *value);
    int (*varput1)(int fd, int varid, const long *index, const void *value);
    int (*vargetg)(int fd, int varid, const long *start, const long *count, const long *stride,
                   const long *map, void *value);
    int (*varputg)(int fd, int varid, const long *start, const long *count, const long *stride,
                   const long *map, const void *value);
    int (*attinq)(int fd, int varid, const char *name, nc_type *type, int *length);
    int (*attget)(int fd, int varid, const char *name, void *value);
    int (*attput)(int fd, int varid, const char *name, nc_type type, int length, const void *value);
    int (*attname)(int fd, int varid, int attnum, char *name);
    int (*attdel)(int fd, int varid, const char *name);
};

extern const struct vr_dispatch VR_netcdf_dispatch;
extern const struct vr_dispatch VR_hdf_dispatch;

// Hands out a fresh identifier of our own for a file of that back end, or -1
// when none is free. Our identifiers never equal one netCDF hands out.
int VR_register_own_file(const struct vr_dispatch *dispatch);
// Records a file under the identifier its back end gave it.
void VR_register_file(int id, const struct vr_dispatch *dispatch);
void VR_unregister_file(int id);
// The back end of a file: the registered one, netCDF for any other id.
const struct vr_dispatch *VR_dispatch_of(int id);

// Clears netCDF's "end the process on any error" option once, before the
// library's first netCDF call, so that failures come back as -1.
void VR_netcdf_defaults(void);

// Sets netCDF's error reporting options for its lifetime, then restores them.
class VR_ncopts_scope {
  public:
    explicit VR_ncopts_scope(int options) : saved_(ncopts) {
        VR_netcdf_defaults();
        saved_ = ncopts;
        ncopts = options;
    }
    ~VR_ncopts_scope() { ncopts = saved_; }
    VR_ncopts_scope(const VR_ncopts_scope &) = delete;
    VR_ncopts_scope &operator=(const VR_ncopts_scope &) = delete;

  private:
    int saved_;
};

// Opens a netCDF-3 file quietly: -1 (with ncerr set) when netCDF cannot open
// it, when it is cut short (only its header need be complete with
// header_only), or when it is a netCDF-4 (HDF5) file, which belongs to the
// HDF5 adaptor.
int VR_netcdf3_open_quietly(const char *path, int mode, int header_only = FALSE);

// TRUE when a netCDF-3 file holds its whole header and, unless header_only,
// all the data its header describes (netCDF itself reads a cut file as if
// the missing bytes were zeros).
int VR_netcdf3_file_complete(const char *path, int header_only);

// TRUE for names that look like URLs: the library reads local files only.
int VR_is_remote_name(const char *path);

#endif
