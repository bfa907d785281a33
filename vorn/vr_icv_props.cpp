// Setting and inquiring the properties of ICVs.

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "vr_convert.h"
#include "vr_dispatch.h"
#include "vr_icv.h"
#include "vr_log.h"
#include "vr_valid_range.h"

namespace {

// Truncation toward zero that saturates instead of overflowing; NaN is 0.
int to_int(double value) {
    if (std::isnan(value)) return 0;
    if (value <= INT_MIN) return INT_MIN;
    if (value >= INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

long to_long(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(LONG_MIN)) return LONG_MIN;
    if (value >= static_cast<double>(LONG_MAX)) return LONG_MAX;
    return static_cast<long>(value);
}

bool is_dim_size(int code) {
    return code >= VR_ICV_DIM_SIZE && code < VR_ICV_DIM_SIZE + VR_MAX_IMGDIMS;
}
bool is_dim_step(int code) {
    return code >= VR_ICV_DIM_STEP && code < VR_ICV_DIM_STEP + VR_MAX_IMGDIMS;
}
bool is_dim_start(int code) {
    return code >= VR_ICV_DIM_START && code < VR_ICV_DIM_START + VR_MAX_IMGDIMS;
}

// The properties that can be set as numbers, less the fill settings.
bool is_settable_number(int code) {
    return code == VR_ICV_TYPE || (code >= VR_ICV_DO_RANGE && code <= VR_ICV_IMAGE_MIN) ||
           (code >= VR_ICV_DO_DIM_CONV && code <= VR_ICV_KEEP_ASPECT) ||
           code == VR_ICV_NUM_IMGDIMS || is_dim_size(code);
}

int direction(double value) {
    int wanted = to_int(value);
    return wanted == 1 || wanted == -1 ? wanted : 0;
}

// Sets the caller's valid range to the whole range of its type and sign.
void reset_user_range(vr_icv_type *icvp) {
    icvp->user_vmax = VR_get_default_range("valid_max", icvp->user_type, icvp->user_sign);
    icvp->user_vmin = VR_get_default_range("valid_min", icvp->user_type, icvp->user_sign);
}

int bad_property(const char *why) {
    vrlog_message(VR_MSG_BADPROP, why);
    return VR_ERROR;
}

// The ICV's record when it may be changed, or null after the message.
vr_icv_type *changeable_icv(int icvid) {
    vr_icv_type *icvp = VR_icv_chkid(icvid);
    if (icvp != nullptr && icvp->cdfid != -1) {
        vrlog_message(VR_MSG_ICVATTACHED);
        return nullptr;
    }
    return icvp;
}

} // namespace

int vricv_setdbl(int icvid, int icv_property, double value) {
    VR_ENTRY("vricv_setdbl");
    vr_icv_type *icvp = changeable_icv(icvid);
    if (icvp == nullptr) VR_RETURN_ERROR(VR_ERROR);
    switch (icv_property) {
    case VR_ICV_TYPE: {
        auto type = static_cast<nc_type>(to_int(value));
        int typelen = VR2typelen(type);
        if (typelen < 0) VR_RETURN_ERROR(bad_property("Unknown code"));
        icvp->user_type = type;
        icvp->user_typelen = typelen;
        reset_user_range(icvp);
        break;
    }
    case VR_ICV_DO_RANGE:
        icvp->user_do_range = to_int(value);
        break;
    case VR_ICV_VALID_MAX:
        icvp->user_vmax = value;
        break;
    case VR_ICV_VALID_MIN:
        icvp->user_vmin = value;
        break;
    case VR_ICV_DO_NORM:
        icvp->user_do_norm = to_int(value);
        break;
    case VR_ICV_USER_NORM:
        icvp->user_user_norm = to_int(value);
        break;
    case VR_ICV_IMAGE_MAX:
        icvp->user_imgmax = value;
        break;
    case VR_ICV_IMAGE_MIN:
        icvp->user_imgmin = value;
        break;
    case VR_ICV_DO_DIM_CONV:
        icvp->user_do_dimconv = to_int(value);
        break;
    case VR_ICV_DO_SCALAR:
        icvp->user_do_scalar = to_int(value);
        break;
    case VR_ICV_XDIM_DIR:
        icvp->user_xdim_dir = direction(value);
        break;
    case VR_ICV_YDIM_DIR:
        icvp->user_ydim_dir = direction(value);
        break;
    case VR_ICV_ZDIM_DIR:
        icvp->user_zdim_dir = direction(value);
        break;
    case VR_ICV_ADIM_SIZE:
        icvp->user_dim_size[0] = to_int(value);
        break;
    case VR_ICV_BDIM_SIZE:
        icvp->user_dim_size[1] = to_int(value);
        break;
    case VR_ICV_KEEP_ASPECT:
        icvp->user_keep_aspect = to_int(value);
        break;
    case VR_ICV_NUM_IMGDIMS: {
        int count = to_int(value);
        if (std::isnan(value) || count < 0 || count > VR_MAX_IMGDIMS)
            VR_RETURN_ERROR(bad_property("VR_ICV_NUM_IMGDIMS out of range"));
        icvp->user_num_imgdims = count;
        break;
    }
    case VR_ICV_DO_FILLVALUE:
        icvp->user_do_fillvalue = to_int(value);
        break;
    case VR_ICV_FILLVALUE:
        icvp->user_fillvalue = value;
        break;
    case VR_ICV_SIGN:
    case VR_ICV_MAXVAR:
    case VR_ICV_MINVAR:
        VR_RETURN_ERROR(bad_property("Can't store a number in a string value"));
    default:
        if (!is_dim_size(icv_property)) VR_RETURN_ERROR(bad_property("Unknown code"));
        icvp->user_dim_size[icv_property - VR_ICV_DIM_SIZE] = to_int(value);
        break;
    }
    VR_RETURN(VR_NOERROR);
}

int vricv_setint(int icvid, int icv_property, int value) {
    VR_ENTRY("vricv_setint");
    VR_RETURN_STATUS(vricv_setdbl(icvid, icv_property, static_cast<double>(value)));
}

int vricv_setlong(int icvid, int icv_property, long value) {
    VR_ENTRY("vricv_setlong");
    VR_RETURN_STATUS(vricv_setdbl(icvid, icv_property, static_cast<double>(value)));
}

int vricv_setstr(int icvid, int icv_property, const char *value) {
    VR_ENTRY("vricv_setstr");
    vr_icv_type *icvp = changeable_icv(icvid);
    if (icvp == nullptr) VR_RETURN_ERROR(VR_ERROR);
    switch (icv_property) {
    case VR_ICV_SIGN:
        icvp->user_sign = VR_get_sign_from_string(icvp->user_type, value);
        reset_user_range(icvp);
        break;
    case VR_ICV_MAXVAR:
    case VR_ICV_MINVAR: {
        if (value == nullptr) break;
        char *name = strdup(value);
        if (name == nullptr) {
            vrlog_message(VR_MSG_OUTOFMEM, static_cast<int>(strlen(value) + 1)); // fatal
            VR_RETURN_ERROR(VR_ERROR);
        }
        char **slot = icv_property == VR_ICV_MAXVAR ? &icvp->user_maxvar : &icvp->user_minvar;
        free(*slot);
        *slot = name;
        break;
    }
    default:
        VR_RETURN_ERROR(bad_property(is_settable_number(icv_property)
                                         ? "Can't store a string in a numeric property"
                                         : "Unknown code"));
    }
    VR_RETURN(VR_NOERROR);
}

int vricv_inqdbl(int icvid, int icv_property, double *value) {
    VR_ENTRY("vricv_inqdbl");
    vr_icv_type *icvp = VR_icv_chkid(icvid);
    if (icvp == nullptr) VR_RETURN_ERROR(VR_ERROR);
    double answer;
    switch (icv_property) {
    case VR_ICV_TYPE:
        answer = icvp->user_type;
        break;
    case VR_ICV_DO_RANGE:
        answer = icvp->user_do_range;
        break;
    case VR_ICV_VALID_MAX:
        answer = icvp->user_vmax;
        break;
    case VR_ICV_VALID_MIN:
        answer = icvp->user_vmin;
        break;
    case VR_ICV_DO_NORM:
        answer = icvp->user_do_norm;
        break;
    case VR_ICV_USER_NORM:
        answer = icvp->user_user_norm;
        break;
    case VR_ICV_IMAGE_MAX:
        answer = icvp->user_imgmax;
        break;
    case VR_ICV_IMAGE_MIN:
        answer = icvp->user_imgmin;
        break;
    case VR_ICV_NORM_MAX:
        answer = icvp->derv_imgmax;
        break;
    case VR_ICV_NORM_MIN:
        answer = icvp->derv_imgmin;
        break;
    case VR_ICV_DO_DIM_CONV:
        answer = icvp->user_do_dimconv;
        break;
    case VR_ICV_DO_SCALAR:
        answer = icvp->user_do_scalar;
        break;
    case VR_ICV_XDIM_DIR:
        answer = icvp->user_xdim_dir;
        break;
    case VR_ICV_YDIM_DIR:
        answer = icvp->user_ydim_dir;
        break;
    case VR_ICV_ZDIM_DIR:
        answer = icvp->user_zdim_dir;
        break;
    case VR_ICV_ADIM_SIZE:
        answer = icvp->user_dim_size[0];
        break;
    case VR_ICV_BDIM_SIZE:
        answer = icvp->user_dim_size[1];
        break;
    case VR_ICV_KEEP_ASPECT:
        answer = icvp->user_keep_aspect;
        break;
    case VR_ICV_ADIM_STEP:
        answer = icvp->derv_dim_step[0];
        break;
    case VR_ICV_BDIM_STEP:
        answer = icvp->derv_dim_step[1];
        break;
    case VR_ICV_ADIM_START:
        answer = icvp->derv_dim_start[0];
        break;
    case VR_ICV_BDIM_START:
        answer = icvp->derv_dim_start[1];
        break;
    case VR_ICV_NUM_IMGDIMS:
        answer = icvp->user_num_imgdims;
        break;
    case VR_ICV_NUM_DIMS:
        answer = icvp->var_ndims - (icvp->var_is_vector && icvp->user_do_scalar ? 1 : 0);
        break;
    case VR_ICV_CDFID:
        answer = icvp->cdfid;
        break;
    case VR_ICV_VARID:
        answer = icvp->varid;
        break;
    case VR_ICV_DO_FILLVALUE:
        answer = icvp->user_do_fillvalue;
        break;
    case VR_ICV_FILLVALUE:
        answer = icvp->user_fillvalue;
        break;
    case VR_ICV_SIGN:
    case VR_ICV_MAXVAR:
    case VR_ICV_MINVAR:
        VR_RETURN_ERROR(bad_property("Tried to get icv string property as a number"));
    default:
        if (is_dim_size(icv_property))
            answer = icvp->user_dim_size[icv_property - VR_ICV_DIM_SIZE];
        else if (is_dim_step(icv_property))
            answer = icvp->derv_dim_step[icv_property - VR_ICV_DIM_STEP];
        else if (is_dim_start(icv_property))
            answer = icvp->derv_dim_start[icv_property - VR_ICV_DIM_START];
        else
            VR_RETURN_ERROR(bad_property("Tried to get unknown icv property"));
        break;
    }
    if (value != nullptr) *value = answer;
    VR_RETURN(VR_NOERROR);
}

int vricv_inqint(int icvid, int icv_property, int *value) {
    VR_ENTRY("vricv_inqint");
    double answer;
    if (vricv_inqdbl(icvid, icv_property, &answer) < 0) VR_RETURN_ERROR(VR_ERROR);
    if (value != nullptr) *value = to_int(answer);
    VR_RETURN(VR_NOERROR);
}

int vricv_inqlong(int icvid, int icv_property, long *value) {
    VR_ENTRY("vricv_inqlong");
    double answer;
    if (vricv_inqdbl(icvid, icv_property, &answer) < 0) VR_RETURN_ERROR(VR_ERROR);
    if (value != nullptr) *value = to_long(answer);
    VR_RETURN(VR_NOERROR);
}

int vricv_inqstr(int icvid, int icv_property, char *value) {
    VR_ENTRY("vricv_inqstr");
    vr_icv_type *icvp = VR_icv_chkid(icvid);
    if (icvp == nullptr) VR_RETURN_ERROR(VR_ERROR);
    const char *answer;
    switch (icv_property) {
    case VR_ICV_SIGN:
        answer = icvp->user_sign == VR_PRIV_SIGNED     ? VR_SIGNED
                 : icvp->user_sign == VR_PRIV_UNSIGNED ? VR_UNSIGNED
                                                       : "";
        break;
    case VR_ICV_MAXVAR:
        answer = icvp->user_maxvar;
        break;
    case VR_ICV_MINVAR:
        answer = icvp->user_minvar;
        break;
    default:
        // The fill settings are numbers that this inquiry does not know.
        if (icv_property == VR_ICV_DO_FILLVALUE || icv_property == VR_ICV_FILLVALUE ||
            !(icv_property == VR_ICV_TYPE ||
              (icv_property >= VR_ICV_DO_RANGE && icv_property <= VR_ICV_VARID) ||
              is_dim_size(icv_property) || is_dim_step(icv_property) || is_dim_start(icv_property)))
            VR_RETURN_ERROR(bad_property("Tried to get unknown icv property"));
        VR_RETURN_ERROR(bad_property("Tried to get icv numeric property as a string"));
    }
    if (value != nullptr) strcpy(value, answer);
    VR_RETURN(VR_NOERROR);
}
