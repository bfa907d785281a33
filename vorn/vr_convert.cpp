#include "vr_convert.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

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

// Clamps to [low, high] and rounds half away from zero; NaN gives 0.
int64_t round_clamped(double value, double low, double high) {
    if (std::isnan(value)) return 0;
    if (value < low) value = low;
    if (value > high) value = high;
    return static_cast<int64_t>(value >= 0.0 ? value + 0.5 : value - 0.5);
}

template <typename T> void store_value(unsigned char *at, double value) {
    if constexpr (std::is_same_v<T, double>) {
        store(at, value);
    } else if constexpr (std::is_same_v<T, float>) {
        if (value < -FLT_MAX) value = -FLT_MAX;
        if (value > FLT_MAX) value = FLT_MAX;
        store(at, static_cast<float>(value));
    } else {
        store(at, static_cast<T>(round_clamped(value, std::numeric_limits<T>::min(),
                                               std::numeric_limits<T>::max())));
    }
}

struct conversion {
    double scale, offset;
    double fill_min, fill_max, fill_value;
};

// One loop per pair of value types and per use of scaling and filling, so
// that nothing is decided per value.
template <typename In, typename Out, bool Scale, bool Fill>
void convert_run(long n, const unsigned char *in, unsigned char *out, const conversion &c) {
    for (long i = 0; i < n; i++) {
        double value = load<In>(in + i * sizeof(In));
        if (Fill && (value < c.fill_min || value > c.fill_max))
            value = c.fill_value;
        else if (Scale)
            value = value * c.scale + c.offset;
        store_value<Out>(out + i * sizeof(Out), value);
    }
}

typedef void (*run_func)(long, const unsigned char *, unsigned char *, const conversion &);

// Index of a value type: NC_BYTE, NC_SHORT, NC_INT signed and unsigned, then
// NC_FLOAT and NC_DOUBLE.
int type_index(nc_type type, bool is_signed) {
    switch (type) {
    case NC_BYTE:
        return is_signed ? 0 : 1;
    case NC_SHORT:
        return is_signed ? 2 : 3;
    case NC_INT:
        return is_signed ? 4 : 5;
    case NC_FLOAT:
        return 6;
    default:
        return 7;
    }
}

template <typename In, bool Scale, bool Fill> run_func run_for_output(int out) {
    switch (out) {
    case 0:
        return convert_run<In, int8_t, Scale, Fill>;
    case 1:
        return convert_run<In, uint8_t, Scale, Fill>;
    case 2:
        return convert_run<In, int16_t, Scale, Fill>;
    case 3:
        return convert_run<In, uint16_t, Scale, Fill>;
    case 4:
        return convert_run<In, int32_t, Scale, Fill>;
    case 5:
        return convert_run<In, uint32_t, Scale, Fill>;
    case 6:
        return convert_run<In, float, Scale, Fill>;
    default:
        return convert_run<In, double, Scale, Fill>;
    }
}

template <bool Scale, bool Fill> run_func run_for(int in, int out) {
    switch (in) {
    case 0:
        return run_for_output<int8_t, Scale, Fill>(out);
    case 1:
        return run_for_output<uint8_t, Scale, Fill>(out);
    case 2:
        return run_for_output<int16_t, Scale, Fill>(out);
    case 3:
        return run_for_output<uint16_t, Scale, Fill>(out);
    case 4:
        return run_for_output<int32_t, Scale, Fill>(out);
    case 5:
        return run_for_output<uint32_t, Scale, Fill>(out);
    case 6:
        return run_for_output<float, Scale, Fill>(out);
    default:
        return run_for_output<double, Scale, Fill>(out);
    }
}

run_func select_run(int in, int out, bool scale, bool fill) {
    if (fill) return scale ? run_for<true, true>(in, out) : run_for<false, true>(in, out);
    return scale ? run_for<true, false>(in, out) : run_for<false, false>(in, out);
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

    conversion c{1.0, 0.0, 0.0, 0.0, 0.0};
    if (icvp != nullptr) {
        double eps = fabs(icvp->fill_valid_max - icvp->fill_valid_min) * 1.1920928955078125e-6;
        c = {icvp->scale, icvp->offset, icvp->fill_valid_min - eps, icvp->fill_valid_max + eps,
             icvp->user_fillvalue};
    }
    run_func run = select_run(type_index(intype, in_signed), type_index(outtype, out_signed),
                              do_scale, do_fill);
    size_t n = static_cast<size_t>(number_of_values);
    size_t in_bytes = n * static_cast<size_t>(in_size);
    bool overlap = in < out + n * static_cast<size_t>(out_size) && out < in + in_bytes;
    if (overlap && out_size > in_size) {
        // Widening in place: from the end, a block at a time, each block's
        // input copied out before its output covers it.
        const size_t block = 512;
        unsigned char saved[block * sizeof(double)];
        for (size_t end = n; end > 0;) {
            size_t begin = end > block ? end - block : 0;
            memcpy(saved, in + begin * static_cast<size_t>(in_size),
                   (end - begin) * static_cast<size_t>(in_size));
            run(static_cast<long>(end - begin), saved, out + begin * static_cast<size_t>(out_size),
                c);
            end = begin;
        }
    } else {
        // Equal or narrower values in place are safe front to back.
        run(number_of_values, in, out, c);
    }
    VR_RETURN(VR_NOERROR);
}
