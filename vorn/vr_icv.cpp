// The table of ICVs, their creation and release, and attaching them to
// variables.

#include "vr_icv.h"

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vr_convert.h"
#include "vr_dispatch.h"
#include "vr_dispatch_table.h"
#include "vr_icv_dimconv.h"
#include "vr_image_range.h"
#include "vr_log.h"
#include "vr_var_dims.h"
#include "vr_valid_range.h"
#include "vr_varaccess.h"

// Process-wide table of ICV records; an id is an index, a null entry is free.
static vr_icv_type **icv_table = nullptr;
static int icv_table_size = 0;
static const int icv_table_growth = 32;

vr_icv_type *VR_icv_chkid(int icvid) {
    VR_ENTRY("VR_icv_chkid");
    if (icvid < 0 || icvid >= icv_table_size || icv_table[icvid] == nullptr) {
        vrlog_message(VR_MSG_BADICV);
        VR_RETURN_ERROR(nullptr);
    }
    VR_RETURN(icv_table[icvid]);
}

// The settings of an ICV that has no variable, and of the per-access state
// that every attachment starts from.
static void reset_dimension_state(vr_icv_type *icvp) {
    icvp->var_is_vector = FALSE;
    icvp->var_vector_size = 1;
    icvp->derv_do_zero = FALSE;
    icvp->derv_do_bufsize_step = FALSE;
    free(icvp->derv_var_pix_off);
    free(icvp->derv_usr_pix_off);
    icvp->derv_var_pix_off = nullptr;
    icvp->derv_usr_pix_off = nullptr;
    for (int i = 0; i < VR_MAX_IMGDIMS; i++) {
        icvp->derv_dim_flip[i] = FALSE;
        icvp->derv_dim_grow[i] = TRUE;
        icvp->derv_dim_scale[i] = 1;
        icvp->derv_dim_off[i] = 0;
        icvp->derv_dim_step[i] = 0.0;
        icvp->derv_dim_start[i] = 0.0;
    }
    for (int i = 0; i < VR_MAX_VAR_DIMS; i++)
        icvp->derv_bufsize_step[i] = 1;
}

int vricv_create(void) {
    VR_ENTRY("vricv_create");
    int icvid = 0;
    while (icvid < icv_table_size && icv_table[icvid] != nullptr)
        icvid++;
    if (icvid == icv_table_size) {
        size_t new_size = static_cast<size_t>(icv_table_size) + icv_table_growth;
        auto **table =
            static_cast<vr_icv_type **>(realloc(icv_table, new_size * sizeof(vr_icv_type *)));
        if (table == nullptr) {
            VR_log_sys_error1("vricv_create");
            VR_RETURN_ERROR(VR_ERROR);
        }
        for (size_t i = static_cast<size_t>(icv_table_size); i < new_size; i++)
            table[i] = nullptr;
        icv_table = table;
        icv_table_size = static_cast<int>(new_size);
    }
    auto *icvp = static_cast<vr_icv_type *>(calloc(1, sizeof(vr_icv_type)));
    char *maxvar = strdup("image-max");
    char *minvar = strdup("image-min");
    if (icvp == nullptr || maxvar == nullptr || minvar == nullptr) {
        VR_log_sys_error1("vricv_create");
        free(icvp);
        free(maxvar);
        free(minvar);
        VR_RETURN_ERROR(VR_ERROR);
    }
    icvp->do_scale = FALSE;
    icvp->scale = 1.0;
    icvp->offset = 0.0;
    icvp->do_dimconvert = FALSE;
    icvp->dimconvert_func = nullptr;
    icvp->do_fillvalue = FALSE;
    icvp->fill_valid_min = -DBL_MAX;
    icvp->fill_valid_max = DBL_MAX;

    icvp->user_type = NC_SHORT;
    icvp->user_typelen = VR2typelen(NC_SHORT);
    icvp->user_sign = VR_PRIV_SIGNED;
    icvp->user_do_range = TRUE;
    icvp->user_vmax = VR_get_default_range("valid_max", NC_SHORT, VR_PRIV_SIGNED);
    icvp->user_vmin = VR_get_default_range("valid_min", NC_SHORT, VR_PRIV_SIGNED);
    icvp->user_do_norm = FALSE;
    icvp->user_user_norm = FALSE;
    icvp->user_maxvar = maxvar;
    icvp->user_minvar = minvar;
    icvp->user_imgmax = 1.0;
    icvp->user_imgmin = 0.0;
    icvp->user_do_dimconv = FALSE;
    icvp->user_do_scalar = TRUE;
    icvp->user_xdim_dir = 1;
    icvp->user_ydim_dir = 1;
    icvp->user_zdim_dir = 1;
    icvp->user_num_imgdims = 2;
    for (int &size : icvp->user_dim_size)
        size = -1;
    icvp->user_keep_aspect = TRUE;
    icvp->user_do_fillvalue = FALSE;
    icvp->user_fillvalue = -DBL_MAX;

    icvp->cdfid = -1;
    icvp->varid = -1;
    icvp->imgmaxid = -1;
    icvp->imgminid = -1;
    icvp->derv_imgmax = 1.0;
    icvp->derv_imgmin = 0.0;
    icvp->derv_firstdim = -1;
    reset_dimension_state(icvp);

    icv_table[icvid] = icvp;
    VR_RETURN(icvid);
}

int vricv_free(int icvid) {
    VR_ENTRY("vricv_free");
    vr_icv_type *icvp = VR_icv_chkid(icvid);
    if (icvp == nullptr || vricv_detach(icvid) < 0) VR_RETURN_ERROR(VR_ERROR);
    free(icvp->user_maxvar);
    free(icvp->user_minvar);
    free(icvp);
    icv_table[icvid] = nullptr;
    VR_RETURN(VR_NOERROR);
}

int vricv_detach(int icvid) {
    VR_ENTRY("vricv_detach");
    vr_icv_type *icvp = VR_icv_chkid(icvid);
    if (icvp == nullptr) VR_RETURN_ERROR(VR_ERROR);
    if (icvp->cdfid == -1) VR_RETURN(VR_NOERROR);
    reset_dimension_state(icvp);
    icvp->derv_imgmax = 1.0;
    icvp->derv_imgmin = 0.0;
    icvp->cdfid = -1;
    icvp->varid = -1;
    VR_RETURN(VR_NOERROR);
}

namespace {


int quiet_varid(int cdfid, const char *name) {
    VR_ncopts_scope quiet(0);
    return name != nullptr ? VR2varid(cdfid, name) : -1;
}

// The highest position, among the variable's dimensions, of any dimension of
// the slice-range variables: the slowest dimensions up to it are read one
// slice at a time. -1 when the ranges do not vary.
int slice_dimension(const vr_icv_type *icvp, int cdfid) {
    int firstdim = -1;
    for (int rangeid : {icvp->imgmaxid, icvp->imgminid}) {
        std::vector<int> dims;
        if (!VR_var_dimensions(cdfid, rangeid, &dims)) continue;
        for (int dim : dims)
            for (int i = 0; i < icvp->var_ndims; i++)
                if (icvp->var_dim[i] == dim && i > firstdim) firstdim = i;
    }
    return firstdim;
}

bool is_floating(nc_type type) {
    return type == NC_FLOAT || type == NC_DOUBLE;
}

} // namespace

int vricv_ndattach(int icvid, int cdfid, int varid) {
    VR_ENTRY("vricv_ndattach");
    vr_icv_type *icvp = VR_icv_chkid(icvid);
    if (icvp == nullptr) VR_RETURN_ERROR(VR_ERROR);
    if (icvp->cdfid != -1 && vricv_detach(icvid) < 0) VR_RETURN_ERROR(VR_ERROR);

    nc_type type;
    std::vector<int> dims;
    if (VR2varinq(cdfid, varid, nullptr, &type, nullptr, nullptr, nullptr) < 0 ||
        !VR_var_dimensions(cdfid, varid, &dims)) {
        vrlog_message(VR_MSG_FINDVAR, varid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (dims.size() > VR_MAX_VAR_DIMS) {
        vrlog_message(VR_MSG_TOOMANYDIMS, VR_MAX_VAR_DIMS);
        VR_RETURN_ERROR(VR_ERROR);
    }
    if (type == NC_CHAR) {
        vrlog_message(VR_MSG_VARNOTNUM);
        VR_RETURN_ERROR(VR_ERROR);
    }
    int typelen = VR2typelen(type);
    if (typelen < 0) VR_RETURN_ERROR(VR_ERROR);
    char sign[65];
    VR_read_signtype(cdfid, varid, sign, sizeof(sign));

    icvp->var_type = type;
    icvp->var_ndims = static_cast<int>(dims.size());
    for (size_t i = 0; i < dims.size(); i++)
        icvp->var_dim[i] = dims[i];
    icvp->var_sign = VR_get_sign_from_string(type, sign);
    icvp->var_typelen = typelen;
    icvp->user_typelen = VR2typelen(icvp->user_type);
    icvp->derv_var_float = is_floating(type);
    icvp->derv_usr_float = is_floating(icvp->user_type);

    // The valid range is read whether or not ranges are mapped: the fill
    // test of reads uses it too.
    double valid_range[2];
    if (vrget_valid_range(cdfid, varid, valid_range) < 0) VR_RETURN_ERROR(VR_ERROR);
    icvp->var_vmin = valid_range[0];
    icvp->var_vmax = valid_range[1];

    icvp->derv_firstdim = -1;
    icvp->imgmaxid = -1;
    icvp->imgminid = -1;
    icvp->derv_imgmax = 1.0;
    icvp->derv_imgmin = 0.0;
    if (icvp->user_do_range) {
        icvp->imgmaxid = quiet_varid(cdfid, icvp->user_maxvar);
        icvp->imgminid = quiet_varid(cdfid, icvp->user_minvar);
        if (icvp->user_do_norm) {
            double image_range[2] = {icvp->user_imgmin, icvp->user_imgmax};
            if (!icvp->user_user_norm && vrget_image_range(cdfid, image_range) < 0)
                VR_RETURN_ERROR(VR_ERROR);
            icvp->derv_imgmin = image_range[0];
            icvp->derv_imgmax = image_range[1];
        }
        // Slices are read one at a time whenever their ranges take part in
        // the conversion, so that each slice uses its own range.
        if (icvp->imgmaxid >= 0 && icvp->imgminid >= 0 &&
            (icvp->user_do_norm || icvp->derv_var_float || icvp->derv_usr_float))
            icvp->derv_firstdim = slice_dimension(icvp, cdfid);
    }

    reset_dimension_state(icvp);
    icvp->do_scale = icvp->user_do_range &&
                     (icvp->user_vmax != icvp->var_vmax || icvp->user_vmin != icvp->var_vmin ||
                      (icvp->user_do_norm && (icvp->user_user_norm || icvp->derv_firstdim >= 0)));
    if (icvp->derv_var_float && icvp->derv_usr_float) icvp->do_scale = FALSE;
    icvp->scale = 1.0;
    icvp->offset = 0.0;
    icvp->do_dimconvert = FALSE;
    icvp->dimconvert_func = nullptr;
    icvp->do_fillvalue = FALSE;

    icvp->cdfid = cdfid;
    icvp->varid = varid;
    VR_RETURN(VR_NOERROR);
}

int vricv_attach(int icvid, int cdfid, int varid) {
    VR_ENTRY("vricv_attach");
    if (vricv_ndattach(icvid, cdfid, varid) < 0) VR_RETURN_ERROR(VR_ERROR);
    vr_icv_type *icvp = VR_icv_chkid(icvid);
    if (icvp->user_do_dimconv) {
        // Detached until the set-up has succeeded.
        icvp->cdfid = -1;
        icvp->varid = -1;
        if (VR_icv_dimconv_init(icvp, cdfid, varid) < 0) {
            reset_dimension_state(icvp);
            icvp->do_dimconvert = FALSE;
            VR_RETURN_ERROR(VR_ERROR);
        }
    }
    VR_RETURN(VR_NOERROR);
}
