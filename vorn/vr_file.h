#ifndef VORN_VR_FILE_H
#define VORN_VR_FILE_H

// Opening, creating and closing VORN files of either version: version 1
// files are netCDF-3 files, version 2 files HDF5 files. Compressed files are
// opened read-only through a decompressed temporary copy. Names that look
// like URLs are refused: the library reads and writes local files only.

#include <netcdf.h>

#include "hdf_adaptor.h"

// Creation mode bits choosing the version of a new file; never passed on to
// netCDF.
#define VR_CREATE_V2 0x1000
#define VR_CREATE_V1 0x2000

// Version 1 and version 2 files opened by vropen so far; never decremented.
// New files default to version 2 once a version 2 file and no version 1 file
// has been opened.
extern int vr_nc_files;
extern int vr_h5_files;

// Opens a file for reading (NC_NOWRITE) or writing (NC_WRITE): its id, or -1.
int vropen(const char *path, int mode);
// vrcreatex without options.
int vrcreate(const char *path, int cmode);
// Creates a file: version 1 with VR_CREATE_V1; otherwise version 2 when
// "VORN_FORCE_V2" is on, with VR_CREATE_V2, or when only version 2 files have
// been opened; else version 1. NC_NOCLOBBER keeps an existing file. Stores
// the global "ident". Its id, or -1.
int vrcreatex(const char *path, int cmode, const struct vr2opts *opts_ptr);
// Closes a file; a negative status is logged and returned.
int vrclose(int cdfid);

#endif
