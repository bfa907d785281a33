#include "vr_var.h"

#include <vector>

#include "vr_convert.h"
#include "vr_dispatch.h"
#include "vr_icv_struct.h"
#include "vr_log.h"
#include "vr_var_dims.h"
#include "vr_varaccess.h"

int vrvarget(int cdfid, int varid, const long start[], const long count[], nc_type datatype,
             const char *sign, void *values) {
    VR_ENTRY("vrvarget");
    if (VR_varaccess(VR_PRIV_GET, cdfid, varid, start, count, datatype,
                     VR_get_sign_from_string(datatype, sign), values, nullptr, nullptr) < 0) {
        vrlog_message(VR_MSG_READVAR, varid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}

int vrvarput(int cdfid, int varid, const long start[], const long count[], nc_type datatype,
             const char *sign, const void *values) {
    VR_ENTRY("vrvarput");
    if (VR_varaccess(VR_PRIV_PUT, cdfid, varid, start, count, datatype,
                     VR_get_sign_from_string(datatype, sign), const_cast<void *>(values), nullptr,
                     nullptr) < 0) {
        vrlog_message(VR_MSG_WRITEVAR, varid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    VR_RETURN(VR_NOERROR);
}

int vrvarget1(int cdfid, int varid, const long mindex[], nc_type datatype, const char *sign,
              void *value) {
    VR_ENTRY("vrvarget1");
    std::vector<int> dims;
    if (!VR_var_dimensions(cdfid, varid, &dims)) {
        vrlog_message(VR_MSG_READVAR, varid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    std::vector<long> count(dims.size() + 1, 1); // a scalar still passes an array
    VR_RETURN_STATUS(vrvarget(cdfid, varid, mindex, count.data(), datatype, sign, value));
}

int vrvarput1(int cdfid, int varid, const long mindex[], nc_type datatype, const char *sign,
              const void *value) {
    VR_ENTRY("vrvarput1");
    std::vector<int> dims;
    if (!VR_var_dimensions(cdfid, varid, &dims)) {
        vrlog_message(VR_MSG_WRITEVAR, varid);
        VR_RETURN_ERROR(VR_ERROR);
    }
    std::vector<long> count(dims.size() + 1, 1); // a scalar still passes an array
    VR_RETURN_STATUS(vrvarput(cdfid, varid, mindex, count.data(), datatype, sign, value));
}

long *vrset_coords(int nvals, long value, long coords[]) {
    VR_ENTRY("vrset_coords");
    for (int i = 0; i < nvals; i++)
        coords[i] = value;
    VR_RETURN(coords);
}

long *vrtranslate_coords(int cdfid, int invar, const long incoords[], int outvar,
                         long outcoords[]) {
    VR_ENTRY("vrtranslate_coords");
    std::vector<int> in_dims, out_dims;
    if (!VR_var_dimensions(cdfid, invar, &in_dims) ||
        !VR_var_dimensions(cdfid, outvar, &out_dims)) {
        vrlog_message(VR_MSG_FINDVAR, invar);
        VR_RETURN_ERROR(nullptr);
    }
    for (size_t out = 0; out < out_dims.size(); out++) {
        for (size_t in = 0; in < in_dims.size(); in++) {
            if (out_dims[out] == in_dims[in]) {
                outcoords[out] = incoords[in];
                break;
            }
        }
    }
    VR_RETURN(outcoords);
}

int vrvarsize(int fd, int varid, long *size_ptr) {
    VR_ENTRY("vrvarsize");
    std::vector<int> dims;
    if (!VR_var_dimensions(fd, varid, &dims)) VR_RETURN_ERROR(VR_ERROR);
    for (size_t i = 0; i < dims.size(); i++)
        if (VR2diminq(fd, dims[i], nullptr, &size_ptr[i]) < 0) size_ptr[i] = 0;
    VR_RETURN(VR_NOERROR);
}
