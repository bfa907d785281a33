#include "vr_file.h"

#include <cstdio>
#include <cstdlib>

#include "vr_attr.h"
#include "vr_config.h"
#include "vr_dispatch_table.h"
#include "vr_expand.h"
#include "vr_ident.h"
#include "vr_log.h"

int vr_nc_files = 0;
int vr_h5_files = 0;

// netCDF creation flags that keep a file netCDF-3.
static const int netcdf3_create_flags = NC_NOCLOBBER | NC_SHARE | NC_64BIT_OFFSET | NC_64BIT_DATA;

// Opens a file quietly as version 1, else as version 2, counting which one
// succeeded: its id, or -1.
static int open_either_version(const char *path, int mode) {
    int fd = VR_netcdf3_open_quietly(path, mode);
    if (fd >= 0) {
        VR_register_file(fd, &VR_netcdf_dispatch);
        vr_nc_files++;
        return fd;
    }
    fd = hdf_open(path, mode & NC_WRITE);
    if (fd >= 0) vr_h5_files++;
    return fd;
}

int vropen(const char *path, int mode) {
    VR_ENTRY("vropen");
    if (path == nullptr || VR_is_remote_name(path)) {
        vrlog_message(VR_MSG_OPENFILE, path != nullptr ? path : "");
        VR_RETURN_ERROR(VR_ERROR);
    }
    int fd = open_either_version(path, mode);
    if (fd >= 0) VR_RETURN(fd);

    // Compressed files are read through a decompressed copy, so read-only.
    if (mode & NC_WRITE) {
        vrlog_message(VR_MSG_NOWRITECMP);
        VR_RETURN_ERROR(VR_ERROR);
    }
    int created_tempfile;
    char *expanded = vrexpand_file(path, nullptr, FALSE, &created_tempfile);
    if (expanded == nullptr) VR_RETURN_ERROR(VR_ERROR);
    fd = open_either_version(expanded, mode);
    // The open file stays readable after its name is gone.
    if (created_tempfile) remove(expanded);
    if (fd < 0) vrlog_message(VR_MSG_OPENFILE, expanded);
    free(expanded);
    VR_RETURN_STATUS(fd);
}

int vrcreate(const char *path, int cmode) {
    VR_ENTRY("vrcreate");
    VR_RETURN_STATUS(vrcreatex(path, cmode, nullptr));
}

int vrcreatex(const char *path, int cmode, const struct vr2opts *opts_ptr) {
    VR_ENTRY("vrcreatex");
    bool version2;
    if (cmode & VR_CREATE_V1)
        version2 = false;
    else
        version2 = vrget_cfg_bool("VORN_FORCE_V2") || (cmode & VR_CREATE_V2) ||
                   (vr_nc_files == 0 && vr_h5_files > 0);

    int fd = -1;
    if (path != nullptr && !VR_is_remote_name(path)) {
        if (version2) {
            fd = hdf_create(path, cmode, opts_ptr);
        } else {
            VR_netcdf_defaults();
            fd = nccreate(path, cmode & netcdf3_create_flags);
            if (fd >= 0) VR_register_file(fd, &VR_netcdf_dispatch);
        }
    }
    if (fd < 0) {
        vrlog_message(VR_MSG_CREATEFILE, path != nullptr ? path : "");
        VR_RETURN_ERROR(fd);
    }
    char ident[128];
    vrcreate_ident(ident, sizeof(ident));
    vrattputstr(fd, NC_GLOBAL, "ident", ident);
    VR_RETURN(fd);
}

int vrclose(int cdfid) {
    VR_ENTRY("vrclose");
    const struct vr_dispatch *dispatch = VR_dispatch_of(cdfid);
    int status = dispatch->close(cdfid);
    if (dispatch == &VR_netcdf_dispatch) VR_unregister_file(cdfid);
    if (status < 0) vrlog_message(VR_MSG_CLOSEFILE);
    // A failed close is reported by the message and the status only.
    VR_RETURN(status);
}
