#include "vr_image_range.h"

#include <cfloat>
#include <cmath>
#include <vector>

#include <netcdf.h>

#include "vr_dispatch.h"
#include "vr_dispatch_table.h"
#include "vr_log.h"
#include "vr_valid_range.h"
#include "vr_var.h"
#include "vr_varaccess.h"

namespace {

struct range_scan {
    int cdfid;
    int varid;
    double low, high;
    bool any;
};

// Reads one piece of a slice-range variable as doubles and widens the range.
int scan_piece(int, long start[], long count[], long nvalues, void *buffer, void *caller_data) {
    auto *scan = static_cast<range_scan *>(caller_data);
    auto *values = static_cast<double *>(buffer);
    if (vrvarget(scan->cdfid, scan->varid, start, count, NC_DOUBLE, nullptr, values) < 0)
        return VR_ERROR;
    for (long i = 0; i < nvalues; i++) {
        if (std::isnan(values[i])) continue;
        if (values[i] < scan->low) scan->low = values[i];
        if (values[i] > scan->high) scan->high = values[i];
        scan->any = true;
    }
    return VR_NOERROR;
}

// Widens the range over every value of the variable, read piece by piece so
// that no size of the variable needs one large buffer.
int scan_variable(range_scan *scan) {
    int ndims;
    if (VR2varinq(scan->cdfid, scan->varid, nullptr, nullptr, &ndims, nullptr, nullptr) < 0 ||
        ndims < 0) {
        vrlog_message(VR_MSG_VARINQ);
        return VR_ERROR;
    }
    std::vector<long> start(static_cast<size_t>(ndims) + 1, 0);
    std::vector<long> count(static_cast<size_t>(ndims) + 1, 0);
    if (vrvarsize(scan->cdfid, scan->varid, count.data()) < 0) return VR_ERROR;
    return VR_var_loop(ndims, start.data(), count.data(), sizeof(double), nullptr, 10000, scan,
                       scan_piece);
}

} // namespace

int vrget_image_range(int cdfid, double image_range[2]) {
    VR_ENTRY("vrget_image_range");
    image_range[0] = 0.0;
    image_range[1] = 1.0;
    int minid, maxid, imgid;
    {
        VR_ncopts_scope quiet(0);
        minid = VR2varid(cdfid, "image-min");
        maxid = VR2varid(cdfid, "image-max");
        imgid = VR2varid(cdfid, "image");
    }
    nc_type type;
    int is_signed;
    if (imgid < 0 || vrget_datatype(cdfid, imgid, &type, &is_signed) < 0) VR_RETURN_ERROR(VR_ERROR);

    if (minid < 0 || maxid < 0) {
        if (type == NC_FLOAT || type == NC_DOUBLE) {
            double valid_range[2];
            if (vrget_valid_range(cdfid, imgid, valid_range) < 0) VR_RETURN_ERROR(VR_ERROR);
            // A range as wide as the type says nothing about the image.
            if (valid_range[1] != (type == NC_FLOAT ? FLT_MAX : DBL_MAX)) {
                image_range[0] = valid_range[0];
                image_range[1] = valid_range[1];
            }
        }
    } else {
        range_scan scan{cdfid, minid, DBL_MAX, -DBL_MAX, false};
        if (scan_variable(&scan) < 0) VR_RETURN_ERROR(VR_ERROR);
        scan.varid = maxid;
        if (scan_variable(&scan) < 0) VR_RETURN_ERROR(VR_ERROR);
        // Slice ranges without any value leave the default.
        if (scan.any) {
            image_range[0] = scan.low;
            image_range[1] = scan.high;
        }
    }
    if (type == NC_FLOAT) {
        for (int i = 0; i < 2; i++) {
            double end = image_range[i];
            image_range[i] = end < -FLT_MAX  ? -FLT_MAX
                             : end > FLT_MAX ? FLT_MAX
                                             : static_cast<float>(end);
        }
    }
    VR_RETURN(VR_NOERROR);
}
