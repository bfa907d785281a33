#include "vr_icv_dimconv.h"

#include "vr_log.h"

// Flipping, resampling, centring and vector averaging are not available yet:
// an ICV asking for them is refused at attach, so no access ever sees
// do_dimconvert set.
int VR_icv_dimconv_init(vr_icv_type *icvp, int cdfid, int varid) {
    VR_ENTRY("VR_icv_dimconv_init");
    (void)icvp;
    (void)cdfid;
    (void)varid;
    vrlog_message(VR_MSG_NOTIMPL, "VR_icv_dimconv_init");
    VR_RETURN_ERROR(VR_ERROR);
}

int VR_icv_coords_tovar(vr_icv_type *icvp, const long icv_start[], const long icv_count[],
                        long var_start[], long var_count[]) {
    VR_ENTRY("VR_icv_coords_tovar");
    if (icvp->do_dimconvert) {
        vrlog_message(VR_MSG_NOTIMPL, "VR_icv_coords_tovar");
        VR_RETURN_ERROR(VR_ERROR);
    }
    for (int i = 0; i < icvp->var_ndims; i++) {
        var_start[i] = icv_start[i];
        var_count[i] = icv_count[i];
    }
    VR_RETURN(VR_NOERROR);
}
