// The HDF5 adaptor as a back end of the VR2 calls.

#include "hdf_adaptor.h"
#include "vr_dispatch_table.h"

// HDF5 has no define mode and no fill switch: nothing to do.
static int hdf_nothing_to_do(int) {
    return 0;
}

static int hdf_setfill(int, int) {
    return 0;
}

const struct vr_dispatch VR_hdf_dispatch = {
    "HDF5",        hdf_close,   hdf_sync,    hdf_nothing_to_do, hdf_nothing_to_do,
    hdf_setfill,   hdf_inquire, hdf_dimdef,  hdf_dimid,         hdf_diminq,
    hdf_dimrename, hdf_vardef,  hdf_varid,   hdf_varinq,        hdf_varname,
    hdf_varget,    hdf_varput,  hdf_varput1, hdf_vargetg,       hdf_varputg,
    hdf_attinq,    hdf_attget,  hdf_attput,  hdf_attname,       hdf_attdel,
};
