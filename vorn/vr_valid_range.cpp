#include "vr_valid_range.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "vr_attr.h"
#include "vr_convert.h"
#include "vr_dispatch.h"
#include "vr_dispatch_table.h"
#include "vr_log.h"
#include "vr_varaccess.h"

int vrget_datatype(int cdfid, int imgid, nc_type *datatype, int *is_signed) {
    VR_ENTRY("vrget_datatype");
    nc_type type;
    if (VR2varinq(cdfid, imgid, nullptr, &type, nullptr, nullptr, nullptr) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    char sign[65];
    VR_read_signtype(cdfid, imgid, sign, sizeof(sign));
    int is_signed_value;
    if (strcmp(sign, VR_SIGNED) == 0)
        is_signed_value = TRUE;
    else if (strcmp(sign, VR_UNSIGNED) == 0)
        is_signed_value = FALSE;
    else
        is_signed_value = type != NC_BYTE;
    if (datatype != nullptr) *datatype = type;
    if (is_signed != nullptr) *is_signed = is_signed_value;
    VR_RETURN(VR_NOERROR);
}

int vrget_default_range(nc_type datatype, int is_signed, double default_range[2]) {
    VR_ENTRY("vrget_default_range");
    double low = 0.0, high = 1.0;
    switch (datatype) {
    case NC_BYTE:
        low = is_signed ? INT8_MIN : 0;
        high = is_signed ? INT8_MAX : UINT8_MAX;
        break;
    case NC_SHORT:
        low = is_signed ? INT16_MIN : 0;
        high = is_signed ? INT16_MAX : UINT16_MAX;
        break;
    case NC_INT:
        low = is_signed ? INT32_MIN : 0;
        high = is_signed ? INT32_MAX : UINT32_MAX;
        break;
    case NC_FLOAT:
        low = -FLT_MAX;
        high = FLT_MAX;
        break;
    case NC_DOUBLE:
        low = -DBL_MAX;
        high = DBL_MAX;
        break;
    default:
        break;
    }
    default_range[0] = low;
    default_range[1] = high;
    VR_RETURN(VR_NOERROR);
}

double VR_get_default_range(const char *what, nc_type datatype, int sign) {
    VR_ENTRY("VR_get_default_range");
    double range[2];
    vrget_default_range(datatype, VR_get_sign(datatype, sign) == VR_PRIV_SIGNED, range);
    if (what != nullptr && strcmp(what, "valid_max") == 0) VR_RETURN(range[1]);
    if (what != nullptr && strcmp(what, "valid_min") == 0) VR_RETURN(range[0]);
    VR_log_pkg_error2(0, "VORN bug - this line should never be printed");
    VR_RETURN(0.0);
}

namespace {

// Whether the variable has the attribute, asked without any report.
bool has_attribute(int cdfid, int varid, const char *name) {
    VR_ncopts_scope quiet(0);
    nc_type type;
    int length;
    return VR2attinq(cdfid, varid, name, &type, &length) >= 0;
}

// Truncation toward zero that saturates instead of overflowing.
int64_t truncate_to_int64(double value) {
    if (std::isnan(value)) return 0;
    if (value <= -9223372036854775808.0) return INT64_MIN;
    if (value >= 9223372036854775808.0) return INT64_MAX;
    return static_cast<int64_t>(value);
}

double truncate_to_int32(double value) {
    int64_t whole = truncate_to_int64(value);
    if (whole < INT32_MIN) whole = INT32_MIN;
    if (whole > INT32_MAX) whole = INT32_MAX;
    return static_cast<double>(whole);
}

// The low 32 bits of the truncated value.
double truncate_to_uint32(double value) {
    return static_cast<double>(static_cast<uint32_t>(truncate_to_int64(value)));
}

// Single precision, saturating at the float limits.
float to_float(double value) {
    if (value < -FLT_MAX) return -FLT_MAX;
    if (value > FLT_MAX) return FLT_MAX;
    return static_cast<float>(value);
}

} // namespace

int vrget_valid_range(int cdfid, int imgid, double valid_range[2]) {
    VR_ENTRY("vrget_valid_range");
    nc_type type;
    int is_signed;
    if (vrget_datatype(cdfid, imgid, &type, &is_signed) < 0) VR_RETURN_ERROR(VR_ERROR);
    const char *sign = is_signed ? VR_SIGNED : VR_UNSIGNED;

    double range[2];
    int length = 0;
    bool have_range = has_attribute(cdfid, imgid, "valid_range") &&
                      vrattget_with_sign(cdfid, imgid, "valid_range", sign, NC_DOUBLE, nullptr, 2,
                                         range, &length) >= 0 &&
                      length == 2;
    if (!have_range) {
        vrget_default_range(type, is_signed, range);
        double value;
        if (has_attribute(cdfid, imgid, "valid_max") &&
            vrattget_with_sign(cdfid, imgid, "valid_max", sign, NC_DOUBLE, nullptr, 1, &value,
                               nullptr) >= 0)
            range[1] = value;
        if (has_attribute(cdfid, imgid, "valid_min") &&
            vrattget_with_sign(cdfid, imgid, "valid_min", sign, NC_DOUBLE, nullptr, 1, &value,
                               nullptr) >= 0)
            range[0] = value;
    }
    if (range[1] < range[0]) {
        double low = range[1];
        range[1] = range[0];
        range[0] = low;
    }
    for (double &end : range) {
        if (type == NC_BYTE || type == NC_SHORT || type == NC_INT)
            end = is_signed ? truncate_to_int32(end) : truncate_to_uint32(end);
        else if (type == NC_FLOAT)
            end = to_float(end);
    }
    valid_range[0] = range[0];
    valid_range[1] = range[1];
    VR_RETURN(VR_NOERROR);
}

int vrset_valid_range(int cdfid, int imgid, const double valid_range[2]) {
    VR_ENTRY("vrset_valid_range");
    nc_type type;
    if (VR2varinq(cdfid, imgid, nullptr, &type, nullptr, nullptr, nullptr) < 0)
        VR_RETURN_ERROR(VR_ERROR);
    int status;
    if (type == NC_FLOAT) {
        float range[2] = {to_float(valid_range[0]), to_float(valid_range[1])};
        status = VR2attput(cdfid, imgid, "valid_range", NC_FLOAT, 2, range);
    } else {
        status = VR2attput(cdfid, imgid, "valid_range", NC_DOUBLE, 2, valid_range);
    }
    if (status < 0) {
        vrlog_message(VR_MSG_WRITEATTR, "valid_range");
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}
