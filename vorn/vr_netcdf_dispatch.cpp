// netCDF as a back end of the VR2 calls (version 1 files).

#include <cstdio>

#include "hdf_adaptor.h"
#include "vr_dispatch_table.h"

void VR_netcdf_defaults(void) {
    static bool done = false;
    if (done) return;
    done = true;
    ncopts &= ~NC_FATAL;
}

int VR_netcdf3_open_quietly(const char *path, int mode, int header_only) {
    VR_ncopts_scope quiet(0);
    // netCDF would open an HDF5 file as netCDF-4 (and a URL remotely): both
    // are refused before netCDF sees them.
    if (path == nullptr || VR_is_remote_name(path) || hdf_access(path)) {
        ncerr = NC_ENOTNC;
        return -1;
    }
    int id = ncopen(path, mode & (NC_WRITE | NC_SHARE));
    if (id < 0) return -1;
    int format = 0;
    if (nc_inq_format(id, &format) != NC_NOERR || format == NC_FORMAT_NETCDF4 ||
        format == NC_FORMAT_NETCDF4_CLASSIC || !VR_netcdf3_file_complete(path, header_only)) {
        ncclose(id);
        ncerr = NC_ENOTNC;
        return -1;
    }
    return id;
}

static int netcdf_varname(int fd, int varid, char *name) {
    return ncvarinq(fd, varid, name, nullptr, nullptr, nullptr, nullptr);
}

static int netcdf_attinq(int fd, int varid, const char *name, nc_type *type, int *length) {
    int caller_options = ncopts;
    int status;
    {
        VR_ncopts_scope quiet(0);
        status = ncattinq(fd, varid, name, type, length);
    }
    if (status < 0 && (caller_options & NC_VERBOSE))
        fprintf(stderr, "ncattinq: ncid %d: varid: %d: Attribute '%s' not found", fd, varid,
                name != nullptr ? name : "");
    return status;
}

static int netcdf_attput(int fd, int varid, const char *name, nc_type type, int length,
                         const void *value) {
    VR_ncopts_scope quiet(0);
    return ncattput(fd, varid, name, type, length, value);
}

const struct vr_dispatch VR_netcdf_dispatch = {
    "netCDF",       ncclose,       ncsync,    ncendef,     ncredef,   ncsetfill, ncinquire,
    ncdimdef,       ncdimid,       ncdiminq,  ncdimrename, ncvardef,  ncvarid,   ncvarinq,
    netcdf_varname, ncvarget,      ncvarput,  ncvarput1,   ncvargetg, ncvarputg, netcdf_attinq,
    ncattget,       netcdf_attput, ncattname, ncattdel,
};
