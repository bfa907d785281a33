#include "vr_convert.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "vr_dispatch.h"
#include "vr_log.h"

int VR_get_sign(nc_type datatype, int sign) {
    if (datatype == NC_FLOAT || datatype == NC_DOUBLE) return VR_PRIV_SIGNED;
    if (sign == VR_PRIV_SIGNED || sign == VR_PRIV_UNSIGNED) return sign;
    return datatype == NC_BYTE ? VR_PRIV_UNSIGNED : VR_PRIV_SIGNED;
}

int VR_get_sign_from_string(nc_type datatype, const char *sign) {
    int code = VR_PRIV_DEFSIGN;
    if (sign != nullptr && strcmp(sign, VR_SIGNED) == 0)
        code = VR_PRIV_SIGNED;
    else if (sign != nullptr && strcmp(sign, VR_UNSIGNED) == 0)
        code = VR_PRIV_UNSIGNED;
    return VR_get_sign(datatype, code);
}

namespace {

// Buffers need not be aligned for their type: values move through memcpy.
template <typename T> double load(const unsigned char *at) {
    T value;
    memcpy(&value, at, sizeof(T));
    return static_cast<double>(value);
}

template <typename T> void store(unsigned char *at, T value) {
    memcpy(at, &value, sizeof(T));
}

double read_value(nc_type type, bool is_signed, const unsigned char *at) {
    switch (type) {
    case NC_BYTE:
        return is_signed ? load<int8_t>(at) : load<uint8_t>(at);
    case NC_SHORT:
        return is_signed ? load<int16_t>(at) : load<uint16_t>(at);
    case NC_INT:
        return is_signed ? load<int32_t>(at) : load<uint32_t>(at);
    case NC_FLOAT:
        return load<float>(at);
    default:
        return load<double>(at);
    }
}

// Clamps to [low, high] and rounds half away from zero.
int64_t round_clamped(double value, double low, double high) {
    if (std::isnan(value)) return 0;
    if (value < low) value = low;
    if (value > high) value = high;
    return static_cast<int64_t>(value >= 0.0 ? value + 0.5 : value - 0.5);
}

void write_value(nc_type type, bool is_signed, double value, unsigned char *at) {
    switch (type) {
    case NC_BYTE:
        if (is_signed)
            store(at, static_cast<int8_t>(round_clamped(value, INT8_MIN, INT8_MAX)));
        else
            store(at, static_cast<uint8_t>(round_clamped(value, 0, UINT8_MAX)));
        break;
    case NC_SHORT:
        if (is_signed)
            store(at, static_cast<int16_t>(round_clamped(value, INT16_MIN, INT16_MAX)));
        else
            store(at, static_cast<uint16_t>(round_clamped(value, 0, UINT16_MAX)));
        break;
    case NC_INT:
        if (is_signed)
            store(at, static_cast<int32_t>(round_clamped(value, INT32_MIN, INT32_MAX)));
        else
            store(at, static_cast<uint32_t>(round_clamped(value, 0, UINT32_MAX)));
        break;
    case NC_FLOAT:
        if (value < -FLT_MAX) value = -FLT_MAX;
        if (value > FLT_MAX) value = FLT_MAX;
        store(at, static_cast<float>(value));
        break;
    default:
        store(at, value);
        break;
    }
}

} // namespace

int VR_convert_type(long number_of_values, nc_type intype, int insign, const void *invalues,
                    nc_type outtype, int outsign, void *outvalues, const vr_icv_type *icvp) {
    VR_ENTRY("VR_convert_type");
    if (intype == NC_CHAR || outtype == NC_CHAR) {
        vrlog_message(VR_MSG_VARNOTNUM);
        VR_RETURN_ERROR(VR_ERROR);
    }
    int in_size = VR2typelen(intype);
    int out_size = VR2typelen(outtype);
    if (in_size < 0 || out_size < 0 || number_of_values < 0) VR_RETURN_ERROR(VR_ERROR);

    bool in_signed = VR_get_sign(intype, insign) == VR_PRIV_SIGNED;
    bool out_signed = VR_get_sign(outtype, outsign) == VR_PRIV_SIGNED;
    bool do_scale = icvp != nullptr && icvp->do_scale;
    bool do_fill = icvp != nullptr && icvp->do_fillvalue;

    const auto *in = static_cast<const unsigned char *>(invalues);
    auto *out = static_cast<unsigned char *>(outvalues);
    if (intype == outtype && in_signed == out_signed && !do_scale && !do_fill) {
        memmove(out, in, static_cast<size_t>(number_of_values) * static_cast<size_t>(in_size));
        VR_RETURN(VR_NOERROR);
    }

    double fill_min = 0.0, fill_max = 0.0;
    if (icvp != nullptr) {
        double eps = fabs(icvp->fill_valid_max - icvp->fill_valid_min) * 1.1920928955078125e-6;
        fill_min = icvp->fill_valid_min - eps;
        fill_max = icvp->fill_valid_max + eps;
    }
    for (long i = 0; i < number_of_values; i++) {
        double value = read_value(intype, in_signed, in + i * in_size);
        if (do_fill && (value < fill_min || value > fill_max))
            value = icvp->user_fillvalue;
        else if (do_scale)
            value = value * icvp->scale + icvp->offset;
        write_value(outtype, out_signed, value, out + i * out_size);
    }
    VR_RETURN(VR_NOERROR);
}
