// Reading and writing through an ICV: the region is moved slice by slice,
// each slice with the linear conversion that maps its stored values onto the
// caller's range.

#include <cstdint>
#include <cstring>
#include <vector>

#include "vr_convert.h"
#include "vr_dispatch.h"
#include "vr_icv.h"
#include "vr_icv_dimconv.h"
#include "vr_log.h"
#include "vr_var.h"
#include "vr_varaccess.h"

namespace {

// Coordinates in the slice-range variables, kept for one access.
struct slice_range_coords {
    std::vector<long> max_coords, min_coords;
};

bool prepare_range_coords(const vr_icv_type *icvp, slice_range_coords *coords) {
    for (int rangeid : {icvp->imgmaxid, icvp->imgminid}) {
        int ndims;
        if (VR2varinq(icvp->cdfid, rangeid, nullptr, nullptr, &ndims, nullptr, nullptr) < 0 ||
            ndims < 0) {
            vrlog_message(VR_MSG_FINDVAR, rangeid);
            return false;
        }
        std::vector<long> &where =
            rangeid == icvp->imgmaxid ? coords->max_coords : coords->min_coords;
        where.assign(static_cast<size_t>(ndims) + 1, 0);
    }
    return true;
}

// The real range of the slice that starts at var_start, from the slice-range
// variables.
int read_slice_range(const vr_icv_type *icvp, const long var_start[], slice_range_coords *coords,
                     double *smin, double *smax) {
    if (vrtranslate_coords(icvp->cdfid, icvp->varid, var_start, icvp->imgmaxid,
                           coords->max_coords.data()) == nullptr ||
        vrtranslate_coords(icvp->cdfid, icvp->varid, var_start, icvp->imgminid,
                           coords->min_coords.data()) == nullptr)
        return VR_ERROR;
    if (vrvarget1(icvp->cdfid, icvp->imgmaxid, coords->max_coords.data(), NC_DOUBLE, nullptr,
                  smax) < 0 ||
        vrvarget1(icvp->cdfid, icvp->imgminid, coords->min_coords.data(), NC_DOUBLE, nullptr,
                  smin) < 0)
        return VR_ERROR;
    return VR_NOERROR;
}

// Sets the scale and offset of one slice: stored v is the real value
// r = (v - vmin) * (smax - smin) / (vmax - vmin) + smin, and the caller's
// u = (r - nmin) * (umax - umin) / (nmax - nmin) + umin; a put inverts the
// mapping. A degenerate range gives a scale of 0, never a division by 0.
int compute_slice_scale(vr_icv_type *icvp, int operation, const long var_start[],
                        slice_range_coords *coords) {
    double vmin = icvp->var_vmin, vmax = icvp->var_vmax;
    double umin = icvp->user_vmin, umax = icvp->user_vmax;
    double smin, smax, nmin, nmax;
    bool var_float = icvp->derv_var_float, usr_float = icvp->derv_usr_float;

    if (!icvp->user_do_norm && !var_float && !usr_float) {
        smin = nmin = 0.0;
        smax = nmax = 1.0;
    } else {
        smin = 0.0;
        smax = 1.0;
        if (!(var_float && icvp->user_do_norm) && icvp->imgmaxid >= 0 && icvp->imgminid >= 0 &&
            read_slice_range(icvp, var_start, coords, &smin, &smax) < 0)
            return VR_ERROR;
        if (icvp->user_do_norm) {
            nmin = icvp->derv_imgmin;
            nmax = icvp->derv_imgmax;
        } else {
            nmin = smin;
            nmax = smax;
        }
        if (var_float) {
            smin = vmin;
            smax = vmax;
        }
    }
    // Floating-point values are real values on either side.
    if (usr_float) {
        umin = nmin = 0.0;
        umax = nmax = 1.0;
    }
    if (var_float) {
        vmin = smin = 0.0;
        vmax = smax = 1.0;
    }

    double usr_scale = nmax == nmin ? 0.0 : (umax - umin) / (nmax - nmin);
    double scale = vmax == vmin ? 0.0 : (smax - smin) * usr_scale / (vmax - vmin);
    double offset = umin - vmin * scale + (smin - nmin) * usr_scale;
    if (operation == VR_PRIV_PUT) {
        if (scale != 0.0) {
            offset = -offset / scale;
            scale = 1.0 / scale;
        } else {
            offset = vmin;
        }
    }
    icvp->scale = scale;
    icvp->offset = offset;

    // Without a usable scale every value becomes the same; values outside
    // the range that maps there are filled instead.
    if (scale == 0.0) {
        icvp->do_fillvalue = TRUE;
        if (operation == VR_PRIV_PUT) {
            if (usr_float) {
                icvp->fill_valid_min = smin;
                icvp->fill_valid_max = smax;
            } else if (usr_scale == 0.0) {
                icvp->fill_valid_min = umin;
                icvp->fill_valid_max = umax;
            } else {
                icvp->fill_valid_min = (smin - nmin) / usr_scale + umin;
                icvp->fill_valid_max = (smax - nmin) / usr_scale + umin;
            }
        }
    }
    return VR_NOERROR;
}

// Fills nvalues values of the caller's type at values with the converted
// value of a stored 0.
int fill_with_zero(const vr_icv_type *icvp, unsigned char *values, int64_t nvalues) {
    double zero = icvp->do_scale ? icvp->offset : 0.0;
    unsigned char converted[sizeof(double)];
    if (VR_convert_type(1, NC_DOUBLE, VR_PRIV_SIGNED, &zero, icvp->user_type, icvp->user_sign,
                        converted, nullptr) < 0)
        return VR_ERROR;
    size_t size = static_cast<size_t>(icvp->user_typelen);
    for (int64_t i = 0; i < nvalues; i++)
        memcpy(values + static_cast<size_t>(i) * size, converted, size);
    return VR_NOERROR;
}

// Checks a region of the variable itself against its dimensions; a put may
// extend the unlimited dimension.
bool region_in_variable(const vr_icv_type *icvp, int operation, const long start[],
                        const long count[]) {
    int unlimdim = -1;
    if (VR2inquire(icvp->cdfid, nullptr, nullptr, nullptr, &unlimdim) < 0) unlimdim = -1;
    for (int i = 0; i < icvp->var_ndims; i++) {
        long length;
        if (VR2diminq(icvp->cdfid, icvp->var_dim[i], nullptr, &length) < 0) return false;
        if (start[i] < 0 || count[i] < 0) return false;
        if (operation == VR_PRIV_PUT && icvp->var_dim[i] == unlimdim) continue;
        if (start[i] > length || count[i] > length - start[i]) return false;
    }
    return true;
}

// Reads one slice of the variable straight into the caller's buffer and
// widens it in place: no piece buffer, one read per slice.
int get_in_place(vr_icv_type *icvp, const long start[], const long count[], int64_t nvalues,
                 unsigned char *values) {
    if (VR2varget(icvp->cdfid, icvp->varid, start, count, values) < 0) return VR_ERROR;
    return VR_convert_type(nvalues, icvp->var_type, icvp->var_sign, values, icvp->user_type,
                           icvp->user_sign, values, icvp);
}

int icv_access(int operation, int icvid, const long start[], const long count[],
               unsigned char *values) {
    vr_icv_type *icvp = VR_icv_chkid(icvid);
    if (icvp == nullptr) return VR_ERROR;
    if (icvp->cdfid == -1) {
        vrlog_message(VR_MSG_ICVNOTATTACHED);
        return VR_ERROR;
    }
    int ndims = icvp->var_ndims;
    int icv_ndims = ndims - (icvp->var_is_vector && icvp->user_do_scalar ? 1 : 0);
    if (icv_ndims > 0 && (start == nullptr || count == nullptr)) {
        vrlog_message(VR_MSG_ICVCOORDS);
        return VR_ERROR;
    }
    if (values == nullptr) {
        vrlog_message(operation == VR_PRIV_GET ? VR_MSG_READVAR : VR_MSG_WRITEVAR, icvp->varid);
        return VR_ERROR;
    }

    size_t n = static_cast<size_t>(ndims);
    std::vector<long> var_start(n + 1, 0), var_count(n + 1, 1);
    if (VR_icv_coords_tovar(icvp, start, count, var_start.data(), var_count.data()) < 0)
        return VR_ERROR;
    if (!icvp->do_dimconvert &&
        !region_in_variable(icvp, operation, var_start.data(), var_count.data())) {
        vrlog_message(VR_MSG_ICVCOORDS);
        return VR_ERROR;
    }
    for (int i = 0; i < icv_ndims; i++) {
        icvp->derv_icv_start[i] = start[i];
        icvp->derv_icv_count[i] = count[i];
        if (count[i] == 0) return VR_NOERROR; // nothing to move
    }

    // Dimensions up to the slice dimension are stepped one index at a time;
    // the faster ones are taken whole. The caller's values of one slice are
    // the product of the ICV counts after the slice dimension.
    int firstdim = icvp->derv_firstdim < ndims ? icvp->derv_firstdim : ndims - 1;
    int64_t slice_values = 1, total_bytes = icvp->user_typelen;
    bool too_large = false;
    for (int i = 0; i < icv_ndims; i++) {
        too_large |=
            __builtin_mul_overflow(total_bytes, static_cast<int64_t>(count[i]), &total_bytes);
        if (i > firstdim) slice_values *= count[i]; // a factor of the total
    }
    if (too_large) {
        vrlog_message(VR_MSG_ICVCOORDS);
        return VR_ERROR;
    }
    int64_t slice_bytes = slice_values * icvp->user_typelen;
    std::vector<long> slice_start(var_start), slice_count(var_count);
    for (int i = 0; i <= firstdim; i++)
        slice_count[i] = 1;

    slice_range_coords coords;
    if (icvp->do_scale && icvp->imgmaxid >= 0 && icvp->imgminid >= 0 &&
        !prepare_range_coords(icvp, &coords))
        return VR_ERROR;
    const int *bufsize_step = icvp->derv_do_bufsize_step ? icvp->derv_bufsize_step : nullptr;
    bool in_place =
        operation == VR_PRIV_GET && !icvp->do_dimconvert && icvp->var_typelen <= icvp->user_typelen;

    int64_t slice_index = 0;
    while (true) {
        icvp->do_fillvalue = operation == VR_PRIV_GET && icvp->user_do_fillvalue;
        icvp->fill_valid_min = icvp->var_vmin;
        icvp->fill_valid_max = icvp->var_vmax;
        if (icvp->do_scale && compute_slice_scale(icvp, operation, slice_start.data(), &coords) < 0)
            return VR_ERROR;

        unsigned char *slice = values + slice_index * slice_bytes;
        if (operation == VR_PRIV_GET && icvp->derv_do_zero &&
            fill_with_zero(icvp, slice, slice_values) < 0)
            return VR_ERROR;
        int status;
        if (in_place) {
            status =
                get_in_place(icvp, slice_start.data(), slice_count.data(), slice_values, slice);
        } else {
            // Dimension conversion addresses the caller's whole buffer itself.
            status = VR_varaccess(operation, icvp->cdfid, icvp->varid, slice_start.data(),
                                  slice_count.data(), icvp->user_type, icvp->user_sign,
                                  icvp->do_dimconvert ? values : slice, bufsize_step, icvp);
        }
        if (status < 0) {
            vrlog_message(operation == VR_PRIV_GET ? VR_MSG_READVAR : VR_MSG_WRITEVAR, icvp->varid);
            return VR_ERROR;
        }
        slice_index++;

        // Next slice, like an odometer over the stepped dimensions.
        int i = firstdim;
        for (; i >= 0; i--) {
            if (++slice_start[i] < var_start[i] + var_count[i]) break;
            slice_start[i] = var_start[i];
        }
        if (i < 0) break;
    }
    return VR_NOERROR;
}

} // namespace

int vricv_get(int icvid, const long start[], const long count[], void *values) {
    VR_ENTRY("vricv_get");
    VR_RETURN_STATUS(
        icv_access(VR_PRIV_GET, icvid, start, count, static_cast<unsigned char *>(values)));
}

int vricv_put(int icvid, const long start[], const long count[], const void *values) {
    VR_ENTRY("vricv_put");
    // Puts only read the caller's values.
    VR_RETURN_STATUS(icv_access(VR_PRIV_PUT, icvid, start, count,
                                static_cast<unsigned char *>(const_cast<void *>(values))));
}
